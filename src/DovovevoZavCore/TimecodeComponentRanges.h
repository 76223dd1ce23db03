#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace dovovevozav {

/// A closed range of component values, lowerBound...upperBound.
struct TimecodeComponentRange {
    std::int64_t lowerBound = 0;
    std::int64_t upperBound = 0;

    /// True when the value lies within the range.
    constexpr bool contains(std::int64_t value) const {
        return value >= lowerBound && value <= upperBound;
    }
    /// The value moved into the range: min(max(value, lowerBound), upperBound).
    constexpr std::int64_t clamp(std::int64_t value) const {
        return value < lowerBound ? lowerBound : (value > upperBound ? upperBound : value);
    }

    friend constexpr bool operator==(const TimecodeComponentRange&,
                                     const TimecodeComponentRange&) = default;
};

/// One closed range per component, the input of random component drawing.
/// The Timecode class names it Timecode::ComponentRanges.
struct TimecodeComponentRanges {
    TimecodeComponentRange days;
    TimecodeComponentRange hours;
    TimecodeComponentRange minutes;
    TimecodeComponentRange seconds;
    TimecodeComponentRange frames;
    TimecodeComponentRange subFrames;

    /// 0...99 in every range.
    static constexpr TimecodeComponentRanges twoDigits() {
        constexpr TimecodeComponentRange range{0, 99};
        return {range, range, range, range, range, range};
    }

    friend constexpr bool operator==(const TimecodeComponentRanges&,
                                     const TimecodeComponentRanges&) = default;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeComponentRanges> {
    std::size_t operator()(const dovovevozav::TimecodeComponentRanges& ranges) const noexcept {
        std::size_t seed = 0;
        for (const auto* range : {&ranges.days, &ranges.hours, &ranges.minutes, &ranges.seconds,
                                  &ranges.frames, &ranges.subFrames}) {
            for (const std::int64_t bound : {range->lowerBound, range->upperBound}) {
                seed ^= std::hash<std::int64_t>()(bound) + 0x9e3779b97f4a7c15ULL + (seed << 6) +
                        (seed >> 2);
            }
        }
        return seed;
    }
};
