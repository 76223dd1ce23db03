#include "media/MediaFileProbe.h"

#include "media/FrameRateDetection.h"
#include "media/MediaAsset.h"
#include "media/MediaError.h"
#include "media/MediaParseError.h"

namespace marrowvale {

MediaFileProbe probeMediaFile(const std::filesystem::path& path) {
    MediaFileProbe probe;
    try {
        const MediaAsset asset = MediaAsset::open(path);
        probe.videoTrackCount = static_cast<int>(asset.videoTracks().size());
        probe.timecodeFrameRate = timecodeFrameRate(asset);
    } catch (const MediaError& error) {
        probe.problem = error.what();
    } catch (const MediaParseError& error) {
        probe.problem = error.what();
    }
    return probe;
}

} // namespace marrowvale
