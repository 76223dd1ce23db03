#pragma once

#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/MediaTime.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace dovovevozav {

class TimecodeFrameRate;

/// One of the 21 picture frame rates a media file or timeline declares, progressive or
/// interlaced, such as "23.98p" or "29.97i".
class VideoFrameRate {
public:
    /// The rates in their fixed order; searches return the first hit in this order.
    enum class Value : std::uint8_t {
        fps23_98p,
        fps24p,
        fps25p,
        fps25i,
        fps29_97p,
        fps29_97i,
        fps30p,
        fps47_95p,
        fps48p,
        fps50p,
        fps50i,
        fps59_94p,
        fps59_94i,
        fps60p,
        fps60i,
        fps90p,
        fps95_9p,
        fps96p,
        fps100p,
        fps119_88p,
        fps120p,
    };
    using enum Value;

    static constexpr std::size_t caseCount = 21;

    /// Implicit from a case, so `VideoFrameRate::fps25p` is a rate.
    constexpr VideoFrameRate(Value value = fps24p) : value_(value) {}

    /// The case, for switch statements.
    constexpr Value value() const { return value_; }
    /// Position of the case in allCases().
    constexpr std::size_t index() const { return static_cast<std::size_t>(value_); }

    /// The 21 rates in case order.
    static std::span<const VideoFrameRate> allCases();

    /// The text stored and printed ("29.97i"; "119.88pp" for 119.88 progressive).
    std::string_view displayString() const;
    /// Same as displayString().
    std::string_view stringValue() const { return displayString(); }
    /// Same as displayString().
    std::string_view description() const { return displayString(); }
    /// The raw text used for encoding ("119.88p" for 119.88 progressive).
    std::string_view rawValue() const;

    /// True for 25i, 29.97i, 50i, 59.94i and 60i.
    bool isInterlaced() const;
    /// Frames per second as a fraction (25/1 also for 25i).
    Fraction rate() const;
    /// Frame duration; interlaced rates are written as two fields (200/5000).
    Fraction frameDuration() const;
    /// The alternate frame duration of the 1001 family; nothing for whole rates.
    std::optional<Fraction> decimalFrameDuration() const;
    /// Rate numerator / denominator as a 64-bit float.
    double framesPerSecond() const { return rate().doubleValue(); }

    /// Rate as a media time.
    MediaTime rateMediaTime() const { return rate().mediaTime(); }
    /// Frame duration as a media time.
    MediaTime frameDurationMediaTime() const { return frameDuration().mediaTime(); }

    /// The timecode rate counted for this picture rate, non-drop or drop; nothing where the
    /// picture rate has no such counting.
    std::optional<TimecodeFrameRate> matchingTimecodeFrameRate(bool dropFrame) const;

    /// The rate whose raw text equals the text exactly ("119.88p"); nothing otherwise.
    static std::optional<VideoFrameRate> fromRawValue(std::string_view text);
    /// The first rate whose display text equals the text ("119.88pp"); nothing otherwise.
    static std::optional<VideoFrameRate> fromStringValue(std::string_view text);

    /// First rate whose quotient, truncated to 1 decimal (3 when `precise`), equals the
    /// given frames per second truncated the same way, with the given scan mode.
    static std::optional<VideoFrameRate> fromFramesPerSecond(double fps, bool interlaced,
                                                             bool precise = false);
    /// fromFramesPerSecond() for a single-precision rate, widened, not precise.
    static std::optional<VideoFrameRate> fromFramesPerSecond(float fps, bool interlaced) {
        return fromFramesPerSecond(static_cast<double>(fps), interlaced, false);
    }
    /// First rate whose rate equals the fraction (equal terms or equal quotients) with the
    /// given scan mode.
    static std::optional<VideoFrameRate> matchingRate(const Fraction& rate, bool interlaced);
    /// As matchingRate() against the frame duration, or its alternate form.
    static std::optional<VideoFrameRate> matchingFrameDuration(const Fraction& duration,
                                                               bool interlaced);
    /// matchingRate() from a 64-bit numerator and 32-bit denominator.
    static std::optional<VideoFrameRate> matchingRate(std::int64_t value, std::int32_t timescale,
                                                      bool interlaced) {
        return matchingRate(Fraction(value, timescale), interlaced);
    }
    /// matchingFrameDuration() from a 64-bit numerator and 32-bit denominator.
    static std::optional<VideoFrameRate>
    matchingFrameDuration(std::int64_t value, std::int32_t timescale, bool interlaced) {
        return matchingFrameDuration(Fraction(value, timescale), interlaced);
    }

    /// Equal when the raw texts are, so each case equals only itself.
    friend constexpr bool operator==(VideoFrameRate, VideoFrameRate) = default;

private:
    Value value_;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::VideoFrameRate> {
    std::size_t operator()(dovovevozav::VideoFrameRate rate) const noexcept {
        return std::hash<std::string_view>()(rate.rawValue());
    }
};
