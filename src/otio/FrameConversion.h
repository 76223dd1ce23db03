#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "DovovevoZavCore/TimecodeUpperLimit.h"

#include <optional>

namespace marrowvale {

/// A frame count at one timecode rate as the frame count of the same real time at another,
/// through a timecode of 100 subframes per frame: drop-frame numbering is honoured and
/// fractions of a frame are kept in hundredths. None when the count is negative, not finite
/// or beyond `limit` at `from`, or when the time does not fit `limit` at `to`.
std::optional<double> convertedFrames(double frames, dovovevozav::TimecodeFrameRate from,
                                      dovovevozav::TimecodeFrameRate to,
                                      dovovevozav::TimecodeUpperLimit limit);

} // namespace marrowvale
