#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace dovovevozav {

class TimecodeComponentSet;

/// One of the six components of a timecode, ordered from days (coarsest) to subframes.
/// The Timecode class names it Timecode::Component.
class TimecodeComponent {
public:
    enum class Value : std::uint8_t { days, hours, minutes, seconds, frames, subFrames };
    using enum Value;

    /// Implicit from a case, so `TimecodeComponent::hours` is a component.
    constexpr TimecodeComponent(Value value = days) : value_(value) {}

    /// The case, for switch statements.
    constexpr Value value() const { return value_; }
    /// Position in component order: 0 for days ... 5 for subframes.
    constexpr std::size_t index() const { return static_cast<std::size_t>(value_); }

    /// The six components in order.
    static constexpr std::array<TimecodeComponent, 6> allCases() {
        return {days, hours, minutes, seconds, frames, subFrames};
    }

    /// "days", "hours", "minutes", "seconds", "frames", "subFrames".
    std::string_view name() const;
    /// "Days", "Hours", "Minutes", "Seconds", "Frames", "SubFrames".
    std::string_view title() const;
    /// As name() but "subframes" in lower case.
    std::string_view lowercasedName() const;

    /// Decimal digits a value of this component may have: 2 for days to seconds, 3 for frames
    /// at the 119.88/120 rates (else 2), 1 for quarter-frame subframes (else 2).
    int digitCount(TimecodeFrameRate frameRate, TimecodeSubFramesBase subFramesBase) const;

    /// The first component (in order) not in `excluded`. With every component excluded there
    /// is no answer and days is returned.
    static TimecodeComponent first(const TimecodeComponentSet& excluded);
    /// The last component not in `excluded`; subframes when every component is excluded.
    static TimecodeComponent last(const TimecodeComponentSet& excluded);
    /// The component after `component` among those not excluded; past the last one, the
    /// first when wrapping, else `component` itself. An excluded `component` gives the first.
    static TimecodeComponent next(TimecodeComponent component, const TimecodeComponentSet& excluded,
                                  bool wrapping);
    /// The mirror image of next(): the component before, the last when wrapping.
    static TimecodeComponent previous(TimecodeComponent component,
                                      const TimecodeComponentSet& excluded, bool wrapping);

    friend constexpr bool operator==(TimecodeComponent, TimecodeComponent) = default;
    /// Component order: days is the smallest, subframes the largest.
    friend constexpr auto operator<=>(TimecodeComponent lhs, TimecodeComponent rhs) {
        return lhs.index() <=> rhs.index();
    }

private:
    Value value_;
};

/// A set of timecode components, such as the components found out of range.
class TimecodeComponentSet {
public:
    /// The empty set.
    constexpr TimecodeComponentSet() = default;
    /// A set holding the given components.
    constexpr TimecodeComponentSet(std::initializer_list<TimecodeComponent> components) {
        for (const TimecodeComponent component : components) {
            insert(component);
        }
    }

    /// True when the component is in the set.
    constexpr bool contains(TimecodeComponent component) const {
        return (bits_ & bit(component)) != 0;
    }
    /// Adds the component.
    constexpr void insert(TimecodeComponent component) { bits_ |= bit(component); }
    /// Removes the component.
    constexpr void erase(TimecodeComponent component) {
        bits_ &= static_cast<std::uint8_t>(~bit(component));
    }
    /// True when no component is in the set.
    constexpr bool empty() const { return bits_ == 0; }
    /// Number of components in the set.
    constexpr std::size_t size() const {
        std::size_t count = 0;
        for (const TimecodeComponent component : TimecodeComponent::allCases()) {
            count += contains(component) ? 1 : 0;
        }
        return count;
    }
    /// The members in component order.
    std::vector<TimecodeComponent> elements() const {
        std::vector<TimecodeComponent> result;
        for (const TimecodeComponent component : TimecodeComponent::allCases()) {
            if (contains(component)) {
                result.push_back(component);
            }
        }
        return result;
    }

    friend constexpr bool operator==(TimecodeComponentSet, TimecodeComponentSet) = default;

private:
    static constexpr std::uint8_t bit(TimecodeComponent component) {
        return static_cast<std::uint8_t>(1u << component.index());
    }

    std::uint8_t bits_ = 0;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeComponent> {
    std::size_t operator()(dovovevozav::TimecodeComponent component) const noexcept {
        return component.index();
    }
};
