#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "DovovevoZavCore/VideoFrameRate.h"

#include <optional>

namespace marrowvale {

class MediaAsset;

// The frame rates of a media file, from its video and timecode tracks. Each source is tried
// in a fixed order and only exact matches count: a rate that is none of the known rates is
// not found, never taken for the nearest one.

/// The file's timecode frame rate. Drop-frame counting is the hint when given, otherwise the
/// timecode tracks' drop-frame flag. Sources in order: the first video track's shortest frame
/// duration, the first timecode description's frame duration, then videoFrameRate() counted
/// as timecode. Throws MediaParseError::missingOrNonStandardFrameRate when none gives a rate.
dovovevozav::TimecodeFrameRate timecodeFrameRate(const MediaAsset& asset,
                                                 std::optional<bool> dropFrame = std::nullopt);

/// The file's video frame rate. Interlacing is the hint when given, otherwise
/// isVideoInterlaced(). Sources in order: the first video track's shortest frame duration,
/// the first timecode description's frame duration, then the video tracks' average rates
/// (compared to one decimal). Throws MediaParseError::missingOrNonStandardFrameRate.
dovovevozav::VideoFrameRate videoFrameRate(const MediaAsset& asset,
                                           std::optional<bool> interlaced = std::nullopt);

/// True when the first video track stores interlaced pictures; false when it is progressive,
/// does not say, or there is no video track.
bool isVideoInterlaced(const MediaAsset& asset);

/// True when any timecode track's description carries the drop-frame flag.
bool isTimecodeTrackDropFrame(const MediaAsset& asset);

} // namespace marrowvale
