#pragma once

#include "DovovevoZavCore/TimecodeComponent.h"
#include "DovovevoZavCore/TimecodeComponentRanges.h"
#include "DovovevoZavCore/TimecodeProperties.h"
#include "DovovevoZavCore/TimecodeValidationRule.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace dovovevozav {

class Timecode;

/// The six component values of a timecode: days, hours, minutes, seconds, frames, subframes.
/// Plain numbers: validity depends on the properties they are read at.
/// The Timecode class names it Timecode::Components.
struct TimecodeComponents {
    /// One component with its value, as yielded by pairs().
    struct Pair {
        TimecodeComponent component;
        std::int64_t value = 0;

        friend bool operator==(const Pair&, const Pair&) = default;
    };

    std::int64_t days = 0;
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    std::int64_t frames = 0;
    std::int64_t subFrames = 0;

    /// All six components 0.
    static constexpr TimecodeComponents zero() { return {}; }

    /// The value of one component.
    std::int64_t value(TimecodeComponent component) const;
    /// Replaces the value of one component.
    void setValue(TimecodeComponent component, std::int64_t value);

    /// All six components keyed by component.
    std::map<TimecodeComponent, std::int64_t> dictionary() const;
    /// Replaces the components that have an entry; the others keep their values.
    void setDictionary(const std::map<TimecodeComponent, std::int64_t>& entries);
    /// Components from zero with the entries applied.
    static TimecodeComponents
    fromDictionary(const std::map<TimecodeComponent, std::int64_t>& entries);

    /// The six components with their values, days first.
    std::vector<Pair> pairs() const;
    /// Applies the pairs in order (a later pair for the same component wins).
    void setPairs(const std::vector<Pair>& pairs);
    /// Components from zero with the pairs applied in order.
    static TimecodeComponents fromPairs(const std::vector<Pair>& pairs);

    /// The components whose values lie outside their allowed ranges at the properties; empty
    /// when all are valid. Negative values are out of range.
    TimecodeComponentSet outOfRangeComponents(const TimecodeProperties& properties) const;

    /// Components drawn uniformly within each range (a range given upside down is read the
    /// right way up).
    static TimecodeComponents random(const TimecodeComponentRanges& ranges);
    /// Random components that are valid at the properties.
    static TimecodeComponents random(const TimecodeProperties& properties);

    /// As a timecode source: stores the components after checking them against the target's
    /// properties. Throws TimecodeValidationError::outOfBounds (target unchanged).
    void apply(Timecode& target) const;
    /// As a timecode source under a rule; never throws.
    void apply(Timecode& target, TimecodeValidationRule rule) const;

    friend bool operator==(const TimecodeComponents&, const TimecodeComponents&) = default;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeComponents> {
    std::size_t operator()(const dovovevozav::TimecodeComponents& components) const noexcept {
        std::size_t seed = 0;
        for (const std::int64_t value :
             {components.days, components.hours, components.minutes, components.seconds,
              components.frames, components.subFrames}) {
            seed ^= std::hash<std::int64_t>()(value) + 0x9e3779b97f4a7c15ULL + (seed << 6) +
                    (seed >> 2);
        }
        return seed;
    }
};
