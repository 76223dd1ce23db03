#pragma once

#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/MediaTime.h"

#include <concepts>
#include <optional>
#include <string_view>

namespace dovovevozav {

/// What timecode and video frame rates have in common: a text form and its lookup, the exact
/// rate and frame duration, the optional alternate duration, and case iteration.
template <class Rate>
concept FrameRateProtocol = requires(const Rate rate, std::string_view text) {
    { rate.stringValue() } -> std::convertible_to<std::string_view>;
    { Rate::fromStringValue(text) } -> std::same_as<std::optional<Rate>>;
    { rate.rate() } -> std::same_as<Fraction>;
    { rate.frameDuration() } -> std::same_as<Fraction>;
    { rate.decimalFrameDuration() } -> std::same_as<std::optional<Fraction>>;
    {Rate::allCases()};
    { rate == rate } -> std::convertible_to<bool>;
};

/// The rate of any frame rate as a media time (numerator over denominator).
template <FrameRateProtocol Rate>
MediaTime rateMediaTime(const Rate& rate) {
    return rate.rate().mediaTime();
}

/// The frame duration of any frame rate as a media time.
template <FrameRateProtocol Rate>
MediaTime frameDurationMediaTime(const Rate& rate) {
    return rate.frameDuration().mediaTime();
}

} // namespace dovovevozav
