#pragma once

#include "DovovevoZavCore/Decimal.h"
#include "DovovevoZavCore/TimecodeFrameCountValue.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace dovovevozav {

class Timecode;

/// A frame count with the subframes base it is counted in: the number of frames elapsed since
/// 00:00:00:00, through which timecodes are counted, compared, added and converted.
/// The Timecode class names it Timecode::FrameCount.
///
/// Counts far outside any timecode's span (beyond the signed 64-bit range, or real payloads
/// that are not finite) have no exact value: their whole frames saturate at the 64-bit limits
/// and not-a-number counts as 0, so nothing here is undefined.
class TimecodeFrameCount {
public:
    using Value = TimecodeFrameCountValue;

    /// Zero frames at base 80.
    constexpr TimecodeFrameCount() = default;
    /// A count written as `value`, counted at `subFramesBase`.
    constexpr TimecodeFrameCount(const Value& value, TimecodeSubFramesBase subFramesBase)
        : value_(value), subFramesBase_(subFramesBase) {}

    /// How the count is written.
    constexpr const Value& value() const { return value_; }
    /// Subframes per frame of this count.
    constexpr TimecodeSubFramesBase subFramesBase() const { return subFramesBase_; }

    /// Whole frames, truncated toward zero.
    std::int64_t wholeFrames() const;
    /// Subframes beyond the whole frames, in this count's base, truncated toward zero.
    std::int64_t subFrames() const;
    /// wholeFrames() x base + subFrames(). Throws std::overflow_error when that leaves the
    /// signed 64-bit range (far beyond any timecode).
    std::int64_t subFrameCount() const;
    /// The count as a real number of frames.
    double doubleValue() const;
    /// The count as an exact decimal: a `combined` value cut to 8 places toward zero.
    Decimal decimalValue() const;

    /// "12" for whole frames, otherwise the real number of frames ("12.5").
    std::string description() const;

    /// As a timecode source: sets the target's subframes base to this count's base, then
    /// stores the components when the count lies within the span. Throws
    /// TimecodeValidationError::outOfBounds, leaving the target (base included) unchanged.
    void apply(Timecode& target) const;
    /// As a timecode source under a rule, keeping the target's base: the count is carried
    /// over to the target's base exactly. Never throws.
    void apply(Timecode& target, TimecodeValidationRule rule) const;

    /// Counts compare by the time they stand for: their total subframe counts rescaled to a
    /// common base (1 frame at base 80 equals 100 subframes at base 100 and 4 quarter frames).
    friend bool operator==(const TimecodeFrameCount& lhs, const TimecodeFrameCount& rhs);
    friend std::strong_ordering operator<=>(const TimecodeFrameCount& lhs,
                                            const TimecodeFrameCount& rhs);

    /// Sum of the subframe counts, the right one rescaled to the left operand's base (truncated
    /// toward zero) and split there. Throws std::overflow_error when the whole frames leave the
    /// 64-bit range.
    friend TimecodeFrameCount operator+(const TimecodeFrameCount& lhs,
                                        const TimecodeFrameCount& rhs);
    /// Difference of the subframe counts, rescaled and split as by operator+.
    friend TimecodeFrameCount operator-(const TimecodeFrameCount& lhs,
                                        const TimecodeFrameCount& rhs);
    /// The subframe count times k, truncated toward zero. Throws std::overflow_error when the
    /// result is not finite or leaves the 64-bit range.
    friend TimecodeFrameCount operator*(const TimecodeFrameCount& count, double k);
    /// The subframe count divided by k, truncated toward zero; throws as operator*.
    friend TimecodeFrameCount operator/(const TimecodeFrameCount& count, double k);

    /// Hash agreeing with equality (by the total subframe count at the common base).
    std::size_t hashValue() const;

private:
    Value value_;
    TimecodeSubFramesBase subFramesBase_;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeFrameCount> {
    std::size_t operator()(const dovovevozav::TimecodeFrameCount& count) const noexcept {
        return count.hashValue();
    }
};
