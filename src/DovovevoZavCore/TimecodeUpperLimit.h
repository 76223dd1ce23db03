#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dovovevozav {

/// The span of a timecode clock: 24 hours, or 100 days.
/// The Timecode class names it Timecode::UpperLimit.
class TimecodeUpperLimit {
public:
    enum class Value : std::uint8_t { max24Hours, max100Days };
    using enum Value;

    /// Implicit from a case, so `TimecodeUpperLimit::max24Hours` is a limit.
    constexpr TimecodeUpperLimit(Value value = max24Hours) : value_(value) {}

    /// The case, for switch statements.
    constexpr Value value() const { return value_; }

    /// "24 hours" or "100 days".
    constexpr std::string_view rawValue() const {
        return value_ == max100Days ? std::string_view("100 days") : std::string_view("24 hours");
    }

    /// The limit whose raw text equals the text exactly; nothing otherwise.
    static constexpr std::optional<TimecodeUpperLimit> fromRawValue(std::string_view text) {
        if (text == "24 hours") {
            return TimecodeUpperLimit(max24Hours);
        }
        if (text == "100 days") {
            return TimecodeUpperLimit(max100Days);
        }
        return std::nullopt;
    }

    /// Both limits in case order.
    static constexpr std::array<TimecodeUpperLimit, 2> allCases() {
        return {max24Hours, max100Days};
    }

    /// The largest days component allowed: 0 or 99.
    constexpr int maxDays() const { return value_ == max100Days ? 99 : 0; }

    /// How many days the clock spans: 1 or 100.
    constexpr int spanDays() const { return value_ == max100Days ? 100 : 1; }

    friend constexpr bool operator==(TimecodeUpperLimit, TimecodeUpperLimit) = default;

private:
    Value value_;
};

} // namespace dovovevozav
