#include "DovovevoZavCore/Int128.h"
#include "DovovevoZavCore/Timecode.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace dovovevozav {

namespace {

// The real time of a timecode as a reduced ratio: frame duration x subframe count over the
// base. Throws std::overflow_error when the reduced terms leave their ranges.
std::pair<std::int64_t, std::int64_t> reducedRealTime(const Timecode& timecode) {
    const Fraction duration = timecode.frameRate().frameDuration();
    const __int128 count = timecode.frameCount().subFrameCount();
    __int128 value = static_cast<__int128>(duration.numerator()) * count;
    __int128 timescale =
        static_cast<__int128>(duration.denominator()) * timecode.subFramesBase().rawValue();
    const auto divisor =
        static_cast<__int128>(gcd128(magnitude128(value), magnitude128(timescale)));
    if (divisor > 1) {
        value /= divisor;
        timescale /= divisor;
    }
    if (!fitsInt64(value) || !fitsInt64(timescale)) {
        throw std::overflow_error("Timecode real time leaves the 64-bit range.");
    }
    return {static_cast<std::int64_t>(value), static_cast<std::int64_t>(timescale)};
}

} // namespace

double Timecode::seconds() const {
    return frameCount().doubleValue() * (1.0 / properties_.frameRate.realTimeRate());
}

MediaTime Timecode::mediaTime() const {
    const auto [value, timescale] = reducedRealTime(*this);
    // The timescale divides frame duration denominator x base, at most 120000 x 100.
    return MediaTime(value, static_cast<std::int32_t>(timescale));
}

Fraction Timecode::fraction() const {
    const auto [value, timescale] = reducedRealTime(*this);
    return Fraction(value, timescale, true);
}

std::int64_t Timecode::samples(std::int64_t sampleRate) const {
    const double position = static_cast<double>(sampleRate) * seconds();
    if (std::isnan(position) || std::fabs(position) >= 9223372036854775808.0) {
        return 0;
    }
    return static_cast<std::int64_t>(std::round(position)); // halves away from zero
}

double Timecode::samplesDouble(std::int64_t sampleRate) const {
    return seconds() * static_cast<double>(sampleRate);
}

} // namespace dovovevozav
