#pragma once

#include "DovovevoZavCore/TimecodeComponents.h"

#include <optional>

namespace dovovevozav {
class Timecode;
}

namespace dovovevozav::detail {

/// The components of `other` as `receiver` counts them: converted to the receiver's frame
/// rate through real time when the rates differ (the conversion's error is thrown), and with
/// the subframes rescaled to the receiver's base (two quarter frames are half a frame).
TimecodeComponents alignedComponents(const Timecode& receiver, const Timecode& other);

/// As alignedComponents(), but nothing when the frame-rate conversion fails.
std::optional<TimecodeComponents> alignedComponentsIfPossible(const Timecode& receiver,
                                                              const Timecode& other);

/// Real-time seconds rounded to 9 decimal places, halves away from zero (-0 made +0).
double roundedSeconds(double seconds);

} // namespace dovovevozav::detail
