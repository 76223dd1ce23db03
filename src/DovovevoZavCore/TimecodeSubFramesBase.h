#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dovovevozav {

/// How many subframes make one frame of a timecode: 80, 100 or 4 (quarter frames).
/// The Timecode class names it Timecode::SubFramesBase.
class TimecodeSubFramesBase {
public:
    enum class Value : std::uint8_t { max80SubFrames, max100SubFrames, quarterFrames };
    using enum Value;

    /// Implicit from a case, so `TimecodeSubFramesBase::max80SubFrames` is a base.
    constexpr TimecodeSubFramesBase(Value value = max80SubFrames) : value_(value) {}

    /// The case, for switch statements.
    constexpr Value value() const { return value_; }

    /// Subframes per frame: 80, 100 or 4.
    constexpr int rawValue() const {
        switch (value_) {
        case max100SubFrames:
            return 100;
        case quarterFrames:
            return 4;
        case max80SubFrames:
            break;
        }
        return 80;
    }

    /// The base for 80, 100 or 4; nothing for any other number.
    static constexpr std::optional<TimecodeSubFramesBase> fromRawValue(std::int64_t raw) {
        switch (raw) {
        case 80:
            return TimecodeSubFramesBase(max80SubFrames);
        case 100:
            return TimecodeSubFramesBase(max100SubFrames);
        case 4:
            return TimecodeSubFramesBase(quarterFrames);
        default:
            return std::nullopt;
        }
    }

    /// The three bases in case order.
    static constexpr std::array<TimecodeSubFramesBase, 3> allCases() {
        return {max80SubFrames, max100SubFrames, quarterFrames};
    }

    /// The largest subframe value: 79, 99 or 3.
    constexpr int lastSubFrameValue() const { return rawValue() - 1; }

    /// Digits shown for a subframe value: 2, 2 or 1.
    constexpr int digitCount() const { return value_ == quarterFrames ? 1 : 2; }

    /// "80", "100" or "4".
    constexpr std::string_view description() const {
        switch (value_) {
        case max100SubFrames:
            return "100";
        case quarterFrames:
            return "4";
        case max80SubFrames:
            break;
        }
        return "80";
    }

    /// "80", "100" or "4 (Quarter-Frames)".
    constexpr std::string_view stringValue() const {
        return value_ == quarterFrames ? std::string_view("4 (Quarter-Frames)") : description();
    }

    /// Rescales a subframe value from this base to another: (subFrames / from) x to,
    /// truncated toward zero (40 at 80 gives 50 at 100). Unchanged for equal bases or 0.
    constexpr std::int64_t convert(std::int64_t subFrames, TimecodeSubFramesBase to) const {
        if (to.value_ == value_ || subFrames == 0) {
            return subFrames;
        }
        // Exact integer form of the truncated quotient; 128-bit keeps huge values defined.
        const __int128 scaled = static_cast<__int128>(subFrames) * to.rawValue() / rawValue();
        return static_cast<std::int64_t>(scaled);
    }

    friend constexpr bool operator==(TimecodeSubFramesBase, TimecodeSubFramesBase) = default;

private:
    Value value_;
};

} // namespace dovovevozav
