#pragma once

#include "DovovevoZavCore/TimecodeComponentRanges.h"
#include "DovovevoZavCore/TimecodeProperties.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

namespace dovovevozav {

class Timecode;

/// Random valid components for the target's properties.
/// The Timecode class names it Timecode::SafeRandomComponents.
struct TimecodeSafeRandomComponents {
    /// Writes random valid components; never fails.
    void apply(Timecode& target) const;
};

/// Components drawn within ranges, valid or not.
/// The Timecode class names it Timecode::UnsafeRandomComponents.
struct TimecodeUnsafeRandomComponents {
    TimecodeComponentRanges ranges = TimecodeComponentRanges::twoDigits();

    /// Draws components and stores them after the range check; throws
    /// TimecodeValidationError::outOfBounds (target unchanged).
    void apply(Timecode& target) const;
    /// Draws components and stores them under the rule.
    void apply(Timecode& target, TimecodeValidationRule rule) const;
};

/// Random properties (limit, then base, then rate) with random valid components.
/// The Timecode class names it Timecode::SafeRandomComponentsAndProperties.
struct TimecodeSafeRandomComponentsAndProperties {
    /// Sets random properties and valid components; returns the properties.
    TimecodeProperties apply(Timecode& target) const;
};

/// Random properties with components drawn within ranges.
/// The Timecode class names it Timecode::UnsafeRandomComponentsAndProperties.
struct TimecodeUnsafeRandomComponentsAndProperties {
    TimecodeComponentRanges ranges = TimecodeComponentRanges::twoDigits();

    /// Sets random properties, then components as TimecodeUnsafeRandomComponents does;
    /// throws leaving the target unchanged.
    TimecodeProperties apply(Timecode& target) const;
    /// The same under a rule; never throws.
    TimecodeProperties apply(Timecode& target, TimecodeValidationRule rule) const;
};

/// Uniformly drawn properties: the upper limit, then the subframes base, then the frame rate.
TimecodeProperties randomTimecodeProperties();

} // namespace dovovevozav
