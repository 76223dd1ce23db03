#pragma once

#include "DovovevoZavCore/TimecodeFrameCountValue.h"
#include "DovovevoZavCore/TimecodeSubFramesBase.h"

#include <cstdint>
#include <optional>

namespace dovovevozav::detail {

/// A frame position held exactly as frames x 10^18 in 128 bits. Subframes at every base
/// (1/80, 1/100 and 1/4 of a frame) and the shortest decimal digits of a double are exact
/// here, so converting between counts and components never picks up binary rounding.
/// Magnitudes are kept below 2^64 frames, far beyond any timecode's span.
class ExactFrames {
public:
    /// Fixed-point scale: 10^18 units per frame.
    static constexpr __int128 scale = 1'000'000'000'000'000'000;

    /// Zero frames.
    constexpr ExactFrames() = default;

    /// A whole number of frames (|frames| below 2^64).
    static constexpr ExactFrames whole(__int128 frames) { return ExactFrames(frames * scale); }
    /// frames + subFrames / base, exactly.
    static ExactFrames split(std::int64_t frames, std::int64_t subFrames,
                             TimecodeSubFramesBase base);
    /// The shortest decimal digits of a double, cut toward zero to `decimalPlaces` (at most
    /// 18); nothing for NaN, infinity or a magnitude of 2^64 frames or more.
    static std::optional<ExactFrames> fromDouble(double frames, int decimalPlaces = 18);
    /// As fromDouble() but never empty: NaN gives 0 and too large magnitudes saturate at
    /// +-(2^64 - 1) frames.
    static ExactFrames saturating(double frames, int decimalPlaces = 18);

    /// The exact value of a frame count written as `value` at `base`; nothing when a real
    /// payload is not finite or the magnitude reaches 2^64 frames.
    static std::optional<ExactFrames> of(const TimecodeFrameCountValue& value,
                                         TimecodeSubFramesBase base);
    /// As of() but saturating like saturating().
    static ExactFrames saturatingOf(const TimecodeFrameCountValue& value,
                                    TimecodeSubFramesBase base);

    /// frames x 10^18.
    constexpr __int128 scaled() const { return scaled_; }
    /// True below zero.
    constexpr bool isNegative() const { return scaled_ < 0; }
    /// Whole frames, truncated toward zero.
    constexpr __int128 wholeFrames() const { return scaled_ / scale; }
    /// The fraction of a frame beyond the whole frames, x 10^18 (sign of the value).
    constexpr __int128 fractionScaled() const { return scaled_ % scale; }
    /// trunc(frames x base): whole frames x base plus the subframes of the fraction.
    constexpr __int128 subFrameCount(TimecodeSubFramesBase base) const {
        return wholeFrames() * base.rawValue() + fractionScaled() * base.rawValue() / scale;
    }

private:
    constexpr explicit ExactFrames(__int128 scaled) : scaled_(scaled) {}

    __int128 scaled_ = 0;
};

} // namespace dovovevozav::detail
