#pragma once

#include "DovovevoZavCore/ExactFrames.h"
#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "DovovevoZavCore/TimecodeProperties.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"

#include <cstdint>

namespace dovovevozav::detail {

/// Frame numbers a drop-frame rate skips at the start of each minute not divisible by ten
/// (2, 4 or 8); 0 for non-drop rates. Also the lowest frame number allowed there.
int droppedFrameNumbers(TimecodeFrameRate frameRate);

/// The lowest frame number allowed in a second: the drop-frame minimum at second 0 of a minute
/// not divisible by ten (taken on the signed value), else 0.
std::int64_t lowestFrameNumber(TimecodeFrameRate frameRate, std::int64_t minutes,
                               std::int64_t seconds);

/// Frames elapsed since 00:00:00:00 for the components' days to frames (subframes ignored),
/// with drop-frame counting; exact, never overflowing for 64-bit components.
__int128 frameTotal(const TimecodeComponents& components, TimecodeFrameRate frameRate);

/// Exact total subframe count of components at the properties: frames x base + subframes.
__int128 subFrameCount(const TimecodeComponents& components, const TimecodeProperties& properties);

/// Components of an exact frame position: days not reduced, drop-frame numbers skipped;
/// a negative position gives the components of its magnitude with the first non-zero
/// component negated.
TimecodeComponents componentsOf(const ExactFrames& frames, TimecodeFrameRate frameRate,
                                TimecodeSubFramesBase subFramesBase);

/// Components of a total subframe count at the properties (frames = count / base,
/// subframes = count % base).
TimecodeComponents componentsOfSubFrameCount(__int128 count, const TimecodeProperties& properties);

/// Components of the count clamped into 0 ... span - 1 (a count below 1 becomes 0).
TimecodeComponents clampedComponents(__int128 count, const TimecodeProperties& properties);

/// Components of the count wrapped around the span (a negative remainder adds the span).
TimecodeComponents wrappedComponents(__int128 count, const TimecodeProperties& properties);

} // namespace dovovevozav::detail
