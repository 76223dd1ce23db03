#pragma once

#include "DovovevoZavCore/ExactFrames.h"
#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <optional>

namespace dovovevozav {
class Timecode;
}

namespace dovovevozav::detail {

// The two range checks and the four rules every source ends in. Each writes the target only
// when it succeeds, so a throwing apply leaves its target unchanged.

/// Stores the components when none is out of range at the target's properties; otherwise
/// throws TimecodeValidationError::outOfBounds.
void storeCheckedComponents(Timecode& target, const TimecodeComponents& components);

/// Stores components under a rule: `clamping` and `wrapping` work on the total subframe count,
/// `clampingComponents` clamps each component, `allowingInvalid` stores them as they are.
void storeComponentsByRule(Timecode& target, const TimecodeComponents& components,
                           TimecodeValidationRule rule);

/// Stores the components of a frame position when its subframe count at the target's base
/// lies within 0 ... span - 1; otherwise (or when there is no exact position) throws
/// TimecodeValidationError::outOfBounds.
void storeCheckedFrames(Timecode& target, const std::optional<ExactFrames>& frames);

/// Stores a frame position under a rule: both clamping rules clamp the subframe count,
/// `wrapping` wraps it, `allowingInvalid` stores the components as computed.
void storeFramesByRule(Timecode& target, const ExactFrames& frames, TimecodeValidationRule rule);

} // namespace dovovevozav::detail
