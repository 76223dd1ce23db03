#pragma once

#include "DovovevoZavCore/VideoFrameRate.h"
#include "app/InputType.h"
#include "media/MediaFileProbe.h"
#include "otio/schema/Timeline.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace marrowvale {

class Asset;
class ModelContext;
class ReaderHost;

/// Probes local media files for their video tracks and timecode rates, one answer per path in
/// order; the asset pass calls it once, with the local file that exists of each distinct
/// address, in the order of the assets, so that the files can be probed side by side.
using MediaFileProber =
    std::function<std::vector<MediaFileProbe>(const std::vector<std::filesystem::path>&)>;

/// probeMediaFile on each path in turn, in this process.
std::vector<MediaFileProbe> probeEachMediaFile(const std::vector<std::filesystem::path>& paths);

/// The working state of one OTIO import, shared by its passes and by the conversions they call:
/// the decoded document, the store being filled, the host that shows progress and asks the
/// drop-frame question, the producing editor, and the assets made so far by media address, so
/// that no item searches the whole store.
class OTIOImport {
public:
    /// An import of the decoded timeline into the store, written by `producer`.
    OTIOImport(const otio::Timeline& timeline, ModelContext& store, ReaderHost& host,
               InputType producer, const MediaFileProber& probe);

    const otio::Timeline& timeline;
    ModelContext& store;
    ReaderHost& host;
    /// DaVrOTIO (Resolve and any document without editor metadata), PProOTIO or AvidOTIO.
    const InputType inputType;
    const MediaFileProber& probe;
    /// The picture rate the timeline is shown at (timelineVideoFrameRate, else 60p): the
    /// sequence's rate, and the rate of media whose available range names none.
    const dovovevozav::VideoFrameRate timelineRate;
    /// The most unusable clip rates named one by one in an import's warnings.
    static constexpr std::size_t mostRateWarnings = 5;

    /// A clip's time (its source range, its media's available range, a transition's offset, a
    /// marker) as a frame count at `rate`, as framesAt() gives it. A time whose own rate is
    /// no time rate is taken at `rate` as it stands, and each such rate is named once in a
    /// warning, however many times use it; past `mostRateWarnings` such rates, one last line
    /// says there are more.
    double clipFrames(const otio::RationalTime& time, const dovovevozav::Fraction& rate);

    /// Remembers the asset made for a media address; the first asset of an address stays.
    void addAsset(const std::string& url, Asset& asset);
    /// The asset made for exactly this address in this import, or null.
    Asset* assetWithURL(std::string_view url) const;

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };

    std::unordered_map<std::string, Asset*, TextHash, std::equal_to<>> assetsByURL_;
    /// The rates that were no time rates, as written in the warnings.
    std::unordered_set<std::string> unusableRates_;
};

/// The records of an optional list of the document, none when it is absent.
template <class T>
std::span<const T> listOrEmpty(const std::optional<std::vector<T>>& list) {
    return list ? std::span<const T>(*list) : std::span<const T>();
}

} // namespace marrowvale
