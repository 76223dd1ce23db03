#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace marrowvale {

class VideoFormat;

/// The timecode rate that counts a format's frames: the drop-frame rate when `dropFrame` is
/// asked and the frame rate has one, else its non-drop rate; "30" when the format's rate text
/// names no rate with a timecode rate. Never fails, so every stored item has a rate text.
dovovevozav::TimecodeFrameRate timecodeRateOfFormat(const VideoFormat& format, bool dropFrame);

/// The frame count of a timecode text ("01:00:00:00") at the rate, subframes (of 100 per
/// frame) as a fraction of a frame, within 24 hours; none when the text does not parse.
std::optional<double> framesOfTimecodeText(std::string_view text,
                                           dovovevozav::TimecodeFrameRate rate);

/// The timebase a "rate" element gives when pictures can run at it: a whole number of frames a
/// second from 1 to 1000. None for any other text ("Infinity", "1e300", "0", "-25").
std::optional<std::int64_t> frameTimebase(std::string_view text);

} // namespace marrowvale
