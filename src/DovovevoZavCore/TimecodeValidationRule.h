#pragma once

#include <array>
#include <cstdint>

namespace dovovevozav {

/// How components that are out of range are brought into range when a source is applied.
/// The Timecode class names it Timecode::ValidationRule.
enum class TimecodeValidationRule : std::uint8_t {
    /// The total subframe count is clamped into the clock's span.
    clamping,
    /// Each component is clamped into its own allowed range.
    clampingComponents,
    /// The total subframe count wraps around the clock's span.
    wrapping,
    /// Components are kept as they are, valid or not.
    allowingInvalid,
};

/// The four rules in order.
constexpr std::array<TimecodeValidationRule, 4> allTimecodeValidationRules() {
    return {TimecodeValidationRule::clamping, TimecodeValidationRule::clampingComponents,
            TimecodeValidationRule::wrapping, TimecodeValidationRule::allowingInvalid};
}

} // namespace dovovevozav
