#pragma once

#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/MediaTime.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"
#include "DovovevoZavCore/TimecodeUpperLimit.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace dovovevozav {

class VideoFrameRate;

/// One of the 23 timecode frame rates a timecode is counted in, such as "23.976" or "29.97d".
/// Every per-rate question (timebase, drop-frame counting, exact rate and frame duration,
/// frames per day) is answered from fixed tables.
class TimecodeFrameRate {
public:
    /// The rates in their fixed order; searches return the first hit in this order.
    enum class Value : std::uint8_t {
        fps23_976,
        fps24,
        fps24_98,
        fps25,
        fps29_97,
        fps29_97d,
        fps30,
        fps30d,
        fps47_952,
        fps48,
        fps50,
        fps59_94,
        fps59_94d,
        fps60,
        fps60d,
        fps90,
        fps95_904,
        fps96,
        fps100,
        fps119_88,
        fps119_88d,
        fps120,
        fps120d,
    };
    using enum Value;

    /// Groups of rates that can share a timeline.
    enum class CompatibleGroup : std::uint8_t { ntscColor, ntscDrop, whole, ntscColorWallTime };

    static constexpr std::size_t caseCount = 23;

    /// Implicit from a case, so `TimecodeFrameRate::fps25` is a rate.
    constexpr TimecodeFrameRate(Value value = fps24) : value_(value) {}

    /// The case, for switch statements.
    constexpr Value value() const { return value_; }
    /// Position of the case in allCases().
    constexpr std::size_t index() const { return static_cast<std::size_t>(value_); }

    /// The 23 rates in case order.
    static std::span<const TimecodeFrameRate> allCases();
    /// The six drop-frame rates in case order.
    static std::span<const TimecodeFrameRate> dropFrameCases();
    /// The 17 non-drop rates in case order.
    static std::span<const TimecodeFrameRate> nonDropFrameCases();

    /// Raw text, such as "29.97d".
    std::string_view rawValue() const;
    /// Same as rawValue(): the text stored in the model.
    std::string_view stringValue() const { return rawValue(); }
    /// Same as rawValue().
    std::string_view description() const { return rawValue(); }
    /// Long name, such as "29.97 fps drop".
    std::string_view longName() const;

    /// True for the six drop-frame rates.
    bool isDropFrame() const;
    /// Whole frames per timecode second (24 for 23.976, 30 for 29.97d).
    int timebase() const;
    /// Frame numbers dropped at each minute not divisible by ten: 0, 2, 4 or 8.
    double droppedFramesPerMinute() const;
    /// Exact rate in frames per second, as written in the table (unreduced).
    Fraction rate() const;
    /// Exact frame duration in seconds (whole rates unreduced: 100/2400).
    Fraction frameDuration() const;
    /// The alternate frame duration of the 1001 family (1000/29970); nothing for whole rates.
    std::optional<Fraction> decimalFrameDuration() const;
    /// The timebase for non-drop rates; 29.97, 59.94 or 119.88 for the drop rates.
    double countingRate() const;
    /// Real frames per second: the whole rate, or timebase / 1.001 for the 1001 family.
    double realTimeRate() const;
    /// Highest frame number of a second: timebase - 1.
    int highestFrameNumber() const;
    /// Digits of the frames component: 3 at 119.88/120 rates, else 2.
    int frameDigitCount() const;

    /// Frames in the span of the limit (drop-adjusted frames per day, times 100 for 100 days).
    std::int64_t spanFrames(TimecodeUpperLimit limit) const;
    /// spanFrames(limit) - 1.
    std::int64_t lastSpanFrame(TimecodeUpperLimit limit) const { return spanFrames(limit) - 1; }
    /// spanFrames(limit) x subframes per frame.
    std::int64_t spanSubFrames(TimecodeUpperLimit limit, TimecodeSubFramesBase base) const {
        return spanFrames(limit) * base.rawValue();
    }
    /// spanSubFrames(limit, base) - 1.
    std::int64_t lastSpanSubFrame(TimecodeUpperLimit limit, TimecodeSubFramesBase base) const {
        return spanSubFrames(limit, base) - 1;
    }

    /// The compatibility group holding this rate.
    CompatibleGroup compatibleGroup() const;
    /// The members of this rate's group, in group order.
    std::span<const TimecodeFrameRate> groupMembers() const;
    /// True when this rate belongs to the other rate's group.
    bool sharesGroup(TimecodeFrameRate other) const;
    /// Display text of a group: "NTSC Color", "NTSC Drop-Frame", "Whole", "NTSC Color Wall Time".
    static std::string_view description(CompatibleGroup group);
    /// The four groups in order.
    static std::span<const CompatibleGroup> allGroups();
    /// Members of a group, in group order.
    static std::span<const TimecodeFrameRate> members(CompatibleGroup group);

    /// Frame duration as rational-seconds text and "DF" or "NDF".
    std::pair<std::string, std::string> durationAndDropTexts() const;
    /// "30000/1001", "true"/"false" for drop, and the timebase ("30").
    std::array<std::string, 3> rateTexts() const;

    /// Rate as a media time: numerator over denominator. Throws FractionError when the
    /// denominator does not fit a 32-bit timescale (never for the table's values).
    MediaTime rateMediaTime() const { return rate().mediaTime(); }
    /// Frame duration as a media time.
    MediaTime frameDurationMediaTime() const { return frameDuration().mediaTime(); }

    /// The rate whose raw text equals the text exactly; nothing otherwise.
    static std::optional<TimecodeFrameRate> fromRawValue(std::string_view text);
    /// Same as fromRawValue().
    static std::optional<TimecodeFrameRate> fromStringValue(std::string_view text) {
        return fromRawValue(text);
    }
    /// Same as fromRawValue().
    static std::optional<TimecodeFrameRate> fromString(std::string_view text) {
        return fromRawValue(text);
    }

    /// First rate (case order) whose rate equals the fraction (equal terms or equal
    /// floating-point quotients) and whose drop flag equals `dropFrame`.
    static std::optional<TimecodeFrameRate> matchingRate(const Fraction& rate, bool dropFrame);
    /// As matchingRate() against the frame duration, or its 1000/x alternate.
    static std::optional<TimecodeFrameRate> matchingFrameDuration(const Fraction& duration,
                                                                  bool dropFrame);
    /// matchingRate() from a 64-bit numerator and 32-bit denominator.
    static std::optional<TimecodeFrameRate> matchingRate(std::int64_t value, std::int32_t timescale,
                                                         bool dropFrame) {
        return matchingRate(Fraction(value, timescale), dropFrame);
    }
    /// matchingFrameDuration() from a 64-bit numerator and 32-bit denominator.
    static std::optional<TimecodeFrameRate>
    matchingFrameDuration(std::int64_t value, std::int32_t timescale, bool dropFrame) {
        return matchingFrameDuration(Fraction(value, timescale), dropFrame);
    }

    /// The video frame rate for this timecode rate, progressive or interlaced; nothing where
    /// no such picture rate exists.
    std::optional<VideoFrameRate> matchingVideoFrameRate(bool interlaced) const;

    /// Rates are equal when their raw texts are, so each case equals only itself.
    friend constexpr bool operator==(TimecodeFrameRate, TimecodeFrameRate) = default;

private:
    Value value_;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::TimecodeFrameRate> {
    std::size_t operator()(dovovevozav::TimecodeFrameRate rate) const noexcept {
        return std::hash<std::string_view>()(rate.rawValue());
    }
};
