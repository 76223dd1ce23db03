#include "DovovevoZavCore/ExactFrames.h"

#include <array>
#include <charconv>
#include <cmath>

namespace dovovevozav::detail {

namespace {

// 2^64 frames: the magnitude bound of an exact frame position.
constexpr double frameLimit = 18446744073709551616.0;
constexpr __int128 largestScaled = (static_cast<__int128>(1) << 64) * ExactFrames::scale - 1;

constexpr unsigned __int128 powerOfTen(int exponent) {
    unsigned __int128 result = 1;
    for (int i = 0; i < exponent; ++i) {
        result *= 10;
    }
    return result;
}

// Magnitude of a finite double below 2^64, times 10^decimalPlaces and cut toward zero, read
// from its shortest round-trip digits so that 0.1 is exactly one tenth.
unsigned __int128 scaledMagnitude(double magnitude, int decimalPlaces) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific);
    const char* p = buffer.data();
    const char* end = result.ptr;
    unsigned __int128 digits = 0;
    int digitCount = 0;
    for (; p != end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            digits = digits * 10 + static_cast<unsigned>(*p - '0');
            ++digitCount;
        }
    }
    int exponent = 0;
    if (p != end) {
        ++p; // 'e'
        const bool negativeExponent = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+')) {
            ++p;
        }
        std::from_chars(p, end, exponent);
        exponent = negativeExponent ? -exponent : exponent;
    }
    // digits x 10^(exponent - (digitCount - 1)) x 10^decimalPlaces
    const int shift = exponent - (digitCount - 1) + decimalPlaces;
    if (shift >= 0) {
        return digits * powerOfTen(shift); // below 2^64 x 10^18: fits
    }
    if (-shift > 38) {
        return 0;
    }
    return digits / powerOfTen(-shift);
}

} // namespace

ExactFrames ExactFrames::split(std::int64_t frames, std::int64_t subFrames,
                               TimecodeSubFramesBase base) {
    return ExactFrames(static_cast<__int128>(frames) * scale +
                       static_cast<__int128>(subFrames) * (scale / base.rawValue()));
}

std::optional<ExactFrames> ExactFrames::fromDouble(double frames, int decimalPlaces) {
    if (!std::isfinite(frames) || std::fabs(frames) >= frameLimit) {
        return std::nullopt;
    }
    if (frames == 0) {
        return ExactFrames();
    }
    const int places = decimalPlaces < 0 ? 0 : (decimalPlaces > 18 ? 18 : decimalPlaces);
    const unsigned __int128 magnitude =
        scaledMagnitude(std::fabs(frames), places) * powerOfTen(18 - places);
    const auto value = static_cast<__int128>(magnitude);
    return ExactFrames(frames < 0 ? -value : value);
}

ExactFrames ExactFrames::saturating(double frames, int decimalPlaces) {
    if (std::isnan(frames)) {
        return ExactFrames();
    }
    if (const auto exact = fromDouble(frames, decimalPlaces)) {
        return *exact;
    }
    return ExactFrames(frames < 0 ? -largestScaled : largestScaled);
}

std::optional<ExactFrames> ExactFrames::of(const TimecodeFrameCountValue& value,
                                           TimecodeSubFramesBase base) {
    using Kind = TimecodeFrameCountValue::Kind;
    switch (value.kind()) {
    case Kind::frames:
        return whole(value.intFrames());
    case Kind::split:
        return split(value.intFrames(), value.intSubFrames(), base);
    case Kind::combined:
        // The real number is cut to 8 decimal places before it counts.
        return fromDouble(value.combinedFrames(), 8);
    case Kind::splitUnitInterval: {
        const auto unit = fromDouble(value.subFramesUnitInterval());
        if (!unit) {
            return std::nullopt;
        }
        const __int128 sum = whole(value.intFrames()).scaled_ + unit->scaled_;
        if (sum > largestScaled || sum < -largestScaled) {
            return std::nullopt;
        }
        return ExactFrames(sum);
    }
    }
    return ExactFrames();
}

ExactFrames ExactFrames::saturatingOf(const TimecodeFrameCountValue& value,
                                      TimecodeSubFramesBase base) {
    if (const auto exact = of(value, base)) {
        return *exact;
    }
    using Kind = TimecodeFrameCountValue::Kind;
    const double real =
        value.kind() == Kind::combined ? value.combinedFrames() : value.subFramesUnitInterval();
    if (std::isnan(real)) {
        return value.kind() == Kind::combined ? ExactFrames() : whole(value.intFrames());
    }
    const bool negative =
        std::isinf(real) ? real < 0 : (static_cast<double>(value.intFrames()) + real) < 0;
    return ExactFrames(negative ? -largestScaled : largestScaled);
}

} // namespace dovovevozav::detail
