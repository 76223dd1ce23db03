#include "otio/AssetPass.h"

#include "app/ReaderHost.h"
#include "model/Identifier.h"
#include "model/ModelContext.h"
#include "otio/MediaAddress.h"
#include "otio/MediaEntry.h"
#include "otio/OTIOImport.h"
#include "otio/TimelineRates.h"

#include <algorithm>
#include <filesystem>
#include <fmt/format.h>
#include <iterator>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;

namespace {

// What the file system and the media library tell of one address.
struct MediaFileState {
    bool exists = false;
    int videoTrackCount = 0;
    std::optional<TimecodeFrameRate> detectedRate;
    // Given up on rather than read: its tracks are unknown.
    bool givenUp = false;
};

using MediaFileStates = std::unordered_map<std::string, MediaFileState>;

// The state of each distinct address of `entries`: the local regular files among them are
// probed all at once, and their diagnostic lines logged in the order of the addresses.
MediaFileStates inspect(OTIOImport& import, const std::vector<MediaEntry>& entries) {
    MediaFileStates states;
    std::vector<std::filesystem::path> paths;
    std::vector<MediaFileState*> probed;
    for (const MediaEntry& entry : entries) {
        const auto [state, added] = states.try_emplace(entry.url);
        const std::optional<std::filesystem::path> path =
            added ? localFilePath(entry.url) : std::nullopt;
        if (!path) {
            continue;
        }
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(*path, error);
        state->second.exists = std::filesystem::exists(status);
        // Only regular files are opened: a device or a pipe could block the import.
        if (std::filesystem::is_regular_file(status)) {
            paths.push_back(*path);
            probed.push_back(&state->second);
        }
    }
    if (paths.empty()) {
        return states;
    }
    std::vector<MediaFileProbe> probes = import.probe(paths);
    probes.resize(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const MediaFileProbe& probe = probes[i];
        probed[i]->videoTrackCount = probe.videoTrackCount;
        probed[i]->detectedRate = probe.timecodeFrameRate;
        probed[i]->givenUp = probe.givenUp;
        import.host.logDiagnostic(probe.timecodeFrameRate
                                      ? fmt::format("{}: detected {}", paths[i].string(),
                                                    probe.timecodeFrameRate->rawValue())
                                      : fmt::format("{}: {}", paths[i].string(), probe.problem));
    }
    return states;
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
        // A file that opens without a video track is a still picture; one given up on tells
        // nothing of its tracks, so it keeps its track's kind, as a missing file does.
        return file.exists && !file.givenUp && file.videoTrackCount == 0 ? Asset::Category::Image
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
    AssetMaker(OTIOImport& import, const MediaFileStates& files) : import_(import), files_(files) {}

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
        const MediaFileState& file = files_.at(entry.url);
        return *import_.store.create<Asset>(makeIdentifier("as-"), lastAddressComponent(entry.url),
                                            import_.clipFrames(range.startTime, rate.rate()),
                                            import_.clipFrames(range.duration, rate.rate()),
                                            std::string(timecodeRateOfMedia(rate, file).rawValue()),
                                            format, entry.url, false, false, file.exists, false, "",
                                            "", "", categoryOfMedia(entry.kind, file));
    }

    OTIOImport& import_;
    const MediaFileStates& files_;
    std::size_t entries_ = 0;
};

void addMediaOfClip(std::vector<MediaEntry>& entries, const otio::Child& item,
                    std::string_view kind) {
    if (std::optional<MediaEntry> entry = mediaURL(item, kind)) {
        entries.push_back(std::move(*entry));
    }
}

// The media of the clips of a track, and of the tracks of stacks nested in it (one level deep
// only), in document order.
std::vector<MediaEntry> mediaOfTrack(const otio::Child& track) {
    std::vector<MediaEntry> entries;
    if (!track.children) {
        return entries;
    }
    const std::string_view kind = track.kind ? std::string_view(*track.kind) : "";
    for (const otio::Child& item : *track.children) {
        if (item.isClip()) {
            addMediaOfClip(entries, item, kind);
        } else if (item.isStack() && item.children) {
            for (const otio::Child& nestedTrack : *item.children) {
                const std::string_view nestedKind =
                    nestedTrack.kind ? std::string_view(*nestedTrack.kind) : "";
                if (!nestedTrack.children) {
                    continue;
                }
                for (const otio::Child& nestedItem : *nestedTrack.children) {
                    if (nestedItem.isClip()) {
                        addMediaOfClip(entries, nestedItem, nestedKind);
                    }
                }
            }
        }
    }
    return entries;
}

} // namespace

void storeOTIOAssets(OTIOImport& import, double progressStart) {
    const std::vector<otio::Child>& tracks = import.timeline.tracks.children;
    std::vector<MediaEntry> entries;
    std::vector<std::size_t> trackEnds; // where each track's entries end
    for (const otio::Child& track : tracks) {
        std::vector<MediaEntry> ofTrack = mediaOfTrack(track);
        std::move(ofTrack.begin(), ofTrack.end(), std::back_inserter(entries));
        trackEnds.push_back(entries.size());
    }
    const MediaFileStates files = inspect(import, entries);
    AssetMaker maker(import, files);
    std::size_t next = 0;
    for (const std::size_t end : trackEnds) {
        import.host.updateProgress(progressStart / static_cast<double>(tracks.size()));
        for (; next < end; ++next) {
            maker.add(entries[next]);
        }
    }
    if (maker.entryCount() == 0) {
        import.host.logDiagnostic("\"media isEmpty!! NO DEFAULTMEDIA FOUND\"");
    }
}

} // namespace marrowvale
