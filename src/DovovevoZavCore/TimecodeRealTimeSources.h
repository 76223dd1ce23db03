#pragma once

#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/MediaTime.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <cstdint>

namespace dovovevozav {

class Timecode;

// Real-time sources: they turn a time into frames at the target's frame rate. Without a rule
// they throw TimecodeValidationError (outOfBounds for a time outside the span, invalid for a
// time with a zero or missing timescale or denominator) and leave the target unchanged.

/// Real time in seconds as a timecode source. A 0.00001-frame nudge (with the sign of the
/// frames) keeps exact frame boundaries from rounding down.
struct SecondsSource {
    double seconds = 0;

    /// Stores the components of the time after the range check by components.
    void apply(Timecode& target) const;
    /// Stores the components of the time under the rule (NaN counts as 0).
    void apply(Timecode& target, TimecodeValidationRule rule) const;
};

/// An audio sample position at a sample rate as a timecode source.
struct SamplesPayload {
    double samples = 0;
    /// Samples per second.
    std::int64_t sampleRate = 0;

    /// Stores the components of the position after the range check by components; a sample
    /// rate of 0 throws TimecodeValidationError::invalid.
    void apply(Timecode& target) const;
    /// Stores the components of the position under the rule (a rate of 0 counts as time 0).
    void apply(Timecode& target, TimecodeValidationRule rule) const;
};

/// A media time as a timecode source.
struct MediaTimeSource {
    MediaTime time;

    /// Frames of the time (with subframes) after the range check by frame count; a time that
    /// is not numeric with a positive timescale throws TimecodeValidationError::invalid.
    void apply(Timecode& target) const;
    /// Whole frames of the time (integer division, truncating) under the rule; a time that is
    /// not numeric counts as 0.
    void apply(Timecode& target, TimecodeValidationRule rule) const;
};

/// Real time as a fraction of seconds as a timecode source; the same as MediaTimeSource with
/// the numerator and denominator in place of value and timescale.
struct FractionSource {
    Fraction fraction;

    /// As MediaTimeSource::apply; a zero denominator throws TimecodeValidationError::invalid.
    void apply(Timecode& target) const;
    /// As MediaTimeSource::apply under a rule; a zero denominator counts as 0.
    void apply(Timecode& target, TimecodeValidationRule rule) const;
};

} // namespace dovovevozav
