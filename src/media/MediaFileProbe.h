#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"

#include <filesystem>
#include <optional>
#include <string>

namespace marrowvale {

/// What a timeline reader learns of one media file it points to.
struct MediaFileProbe {
    /// Video tracks found (attached cover pictures not counted); 0 for a file that cannot be
    /// read as media, such as a picture format the library does not know or a text file.
    int videoTrackCount = 0;
    /// The timecode frame rate detected with no drop-frame hint; its isDropFrame() is the
    /// file's drop-frame flag. None when the file cannot be read or gives no known rate.
    std::optional<dovovevozav::TimecodeFrameRate> timecodeFrameRate;
    /// Why there is no rate, for diagnostics; empty when there is one.
    std::string problem;
    /// Whether the file was given up on (too slow, the helper died on it, or a stop came first)
    /// rather than read: then nothing is known of its tracks.
    bool givenUp = false;
};

/// Opens a local media file and detects its video track count and timecode frame rate, in
/// this process. Never throws on a bad file: a missing, unreadable or non-media file gives no
/// video track and no rate, with the reason in `problem`. What is read is bounded in time and
/// size, but not the work FFmpeg does on it: the application calls this through
/// MediaProbeProcess, which gives up on a file at a time limit.
MediaFileProbe probeMediaFile(const std::filesystem::path& path);

} // namespace marrowvale
