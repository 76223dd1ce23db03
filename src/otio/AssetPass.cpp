#include "otio/AssetPass.h"

#include "app/ReaderHost.h"
#include "model/Identifier.h"
#include "model/ModelContext.h"
#include "otio/MediaAddress.h"
#include "otio/MediaEntry.h"
#include "otio/OTIOImport.h"
#include "otio/TimelineRates.h"

#include <filesystem>
#include <fmt/format.h>
#include <string>
#include <system_error>

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;

namespace {

// What the file system and the media library tell of one address.
struct MediaFileState {
    bool exists = false;
    int videoTrackCount = 0;
    std::optional<TimecodeFrameRate> detectedRate;
};

MediaFileState inspect(OTIOImport& import, std::string_view url) {
    MediaFileState state;
    const std::optional<std::filesystem::path> path = localFilePath(url);
    if (!path) {
        return state;
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(*path, error);
    state.exists = std::filesystem::exists(status);
    // Only regular files are opened: a device or a pipe could block the import.
    if (!std::filesystem::is_regular_file(status)) {
        return state;
    }
    const MediaFileProbe probe = import.probe(*path);
    state.videoTrackCount = probe.videoTrackCount;
    state.detectedRate = probe.timecodeFrameRate;
    import.host.logDiagnostic(
        probe.timecodeFrameRate
            ? fmt::format("{}: detected {}", path->string(), probe.timecodeFrameRate->rawValue())
            : fmt::format("{}: {}", path->string(), probe.problem));
    return state;
}

// The timecode rate of new media at picture rate `rate`: drop-frame when the file says so and
// the rate has such counting, else non-drop; 60 where the rate has no timecode counting.
TimecodeFrameRate timecodeRateOfMedia(VideoFrameRate rate, const MediaFileState& file) {
    std::optional<TimecodeFrameRate> timecodeRate;
    if (file.detectedRate) {
        timecodeRate = rate.matchingTimecodeFrameRate(file.detectedRate->isDropFrame());
    }
    if (!timecodeRate) {
        timecodeRate = rate.matchingTimecodeFrameRate(false);
    }
    return timecodeRate.value_or(TimecodeFrameRate::fps60);
}

Asset::Category categoryOfMedia(std::string_view kind, const MediaFileState& file) {
    if (kind == "Video") {
        // A file that opens without a video track is a still picture.
        return file.exists && file.videoTrackCount == 0 ? Asset::Category::Image
                                                        : Asset::Category::Video;
    }
    if (kind == "Audio") {
        return Asset::Category::Audio;
    }
    return Asset::Category::null;
}

// Makes the asset pass's objects, one format and one asset per distinct address.
class AssetMaker {
public:
    explicit AssetMaker(OTIOImport& import) : import_(import) {}

    void add(const MediaEntry& entry) {
        ++entries_;
        if (Asset* asset = import_.assetWithURL(entry.url)) {
            upgrade(*asset, entry.kind);
            return;
        }
        import_.addAsset(entry.url, makeAsset(entry));
    }

    std::size_t entryCount() const { return entries_; }

private:
    // A file heard on one kind of track and seen on the other carries both.
    static void upgrade(Asset& asset, std::string_view kind) {
        if ((asset.category == Asset::Category::Video && kind == "Audio") ||
            (asset.category == Asset::Category::Audio && kind == "Video")) {
            asset.category = Asset::Category::AV;
        }
    }

    Asset& makeAsset(const MediaEntry& entry) {
        const otio::TimeRange& range = entry.availableRange;
        const VideoFrameRate rate =
            videoFrameRateOf(range.startTime).value_or(import_.timelineRate);
        const std::string rateText(rate.displayString());
        VideoFormat* format = import_.store.create<VideoFormat>(makeIdentifier("vf-"), rateText,
                                                                rateText, 0, 0, false, "", "");
        const MediaFileState file = inspect(import_, entry.url);
        return *import_.store.create<Asset>(makeIdentifier("as-"), lastAddressComponent(entry.url),
                                            import_.clipFrames(range.startTime, rate.rate()),
                                            import_.clipFrames(range.duration, rate.rate()),
                                            std::string(timecodeRateOfMedia(rate, file).rawValue()),
                                            format, entry.url, false, false, file.exists, false, "",
                                            "", "", categoryOfMedia(entry.kind, file));
    }

    OTIOImport& import_;
    std::size_t entries_ = 0;
};

void addMediaOfClip(AssetMaker& maker, const otio::Child& item, std::string_view kind) {
    if (std::optional<MediaEntry> entry = mediaURL(item, kind)) {
        maker.add(*entry);
    }
}

// The clips of a track, and of the tracks of stacks nested in it (one level deep only).
void addMediaOfTrack(AssetMaker& maker, const otio::Child& track) {
    if (!track.children) {
        return;
    }
    const std::string_view kind = track.kind ? std::string_view(*track.kind) : "";
    for (const otio::Child& item : *track.children) {
        if (item.isClip()) {
            addMediaOfClip(maker, item, kind);
        } else if (item.isStack() && item.children) {
            for (const otio::Child& nestedTrack : *item.children) {
                const std::string_view nestedKind =
                    nestedTrack.kind ? std::string_view(*nestedTrack.kind) : "";
                if (!nestedTrack.children) {
                    continue;
                }
                for (const otio::Child& nestedItem : *nestedTrack.children) {
                    if (nestedItem.isClip()) {
                        addMediaOfClip(maker, nestedItem, nestedKind);
                    }
                }
            }
        }
    }
}

} // namespace

void storeOTIOAssets(OTIOImport& import, double progressStart) {
    const std::vector<otio::Child>& tracks = import.timeline.tracks.children;
    AssetMaker maker(import);
    for (const otio::Child& track : tracks) {
        import.host.updateProgress(progressStart / static_cast<double>(tracks.size()));
        addMediaOfTrack(maker, track);
    }
    if (maker.entryCount() == 0) {
        import.host.logDiagnostic("\"media isEmpty!! NO DEFAULTMEDIA FOUND\"");
    }
}

} // namespace marrowvale
