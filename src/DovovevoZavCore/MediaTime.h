#pragma once

#include <cstdint>
#include <string>

namespace dovovevozav {

/// A rational media time: `value` over `timescale` seconds, with flags for validity and for
/// the three non-numeric times (indefinite, positive and negative infinity).
struct MediaTime {
    /// Flag bits of a media time.
    enum Flags : std::uint32_t {
        valid = 1u << 0,
        hasBeenRounded = 1u << 1,
        positiveInfinity = 1u << 2,
        negativeInfinity = 1u << 3,
        indefinite = 1u << 4,
    };

    std::int64_t value = 0;
    std::int32_t timescale = 0;
    std::uint32_t flags = 0;
    std::int64_t epoch = 0;

    /// The invalid time (all fields zero).
    constexpr MediaTime() = default;
    /// A valid numeric time value/timescale.
    constexpr MediaTime(std::int64_t value, std::int32_t timescale)
        : value(value), timescale(timescale), flags(valid) {}

    /// The invalid time.
    static constexpr MediaTime invalid() { return MediaTime(); }
    /// Zero seconds (0/1).
    static constexpr MediaTime zero() { return MediaTime(0, 1); }
    /// The indefinite time.
    static constexpr MediaTime indefiniteTime() { return special(valid | indefinite); }
    /// Positive infinity.
    static constexpr MediaTime positiveInfinityTime() { return special(valid | positiveInfinity); }
    /// Negative infinity.
    static constexpr MediaTime negativeInfinityTime() { return special(valid | negativeInfinity); }

    /// True when the valid flag is set.
    constexpr bool isValid() const { return (flags & valid) != 0; }
    /// True for the indefinite time.
    constexpr bool isIndefinite() const { return isValid() && (flags & indefinite) != 0; }
    /// True for positive infinity.
    constexpr bool isPositiveInfinity() const {
        return isValid() && (flags & positiveInfinity) != 0;
    }
    /// True for negative infinity.
    constexpr bool isNegativeInfinity() const {
        return isValid() && (flags & negativeInfinity) != 0;
    }
    /// True for a valid time that is neither indefinite nor infinite, with a positive timescale.
    constexpr bool isNumeric() const {
        return isValid() && (flags & (indefinite | positiveInfinity | negativeInfinity)) == 0 &&
               timescale > 0;
    }

    /// The time in seconds as a 64-bit float (NaN for invalid and indefinite times).
    double seconds() const;

    /// Three-way comparison: -1, 0 or 1. Numeric times compare exactly by 128-bit
    /// cross-multiplication; negative infinity is below everything, then numeric times, then
    /// indefinite, then positive infinity, and invalid times are above all of them.
    static int compare(const MediaTime& lhs, const MediaTime& rhs);

    /// Exact sum of two numeric times at a common timescale (the least common multiple when
    /// it fits 32 bits, otherwise the larger timescale with rounding, flagged as rounded).
    /// Infinities and indefinite times combine as in real arithmetic; an invalid operand
    /// gives the invalid time.
    static MediaTime add(const MediaTime& lhs, const MediaTime& rhs);

    /// Text for diagnostics: "1001/30000", "indefinite", "+infinity", "-infinity", "invalid".
    std::string description() const;

    friend bool operator==(const MediaTime& lhs, const MediaTime& rhs) {
        return compare(lhs, rhs) == 0;
    }
    friend bool operator<(const MediaTime& lhs, const MediaTime& rhs) {
        return compare(lhs, rhs) < 0;
    }
    friend bool operator>(const MediaTime& lhs, const MediaTime& rhs) { return rhs < lhs; }
    friend bool operator<=(const MediaTime& lhs, const MediaTime& rhs) { return !(rhs < lhs); }
    friend bool operator>=(const MediaTime& lhs, const MediaTime& rhs) { return !(lhs < rhs); }

private:
    static constexpr MediaTime special(std::uint32_t f) {
        MediaTime t;
        t.flags = f;
        return t;
    }
};

} // namespace dovovevozav
