#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace dovovevozav {

/// How a floating-point value is rounded to a whole number.
enum class RoundingRule : std::uint8_t {
    toNearestOrAwayFromZero,
    toNearestOrEven,
    up,
    down,
    towardZero,
    awayFromZero,
};

/// The value rounded to a whole number by the rule.
template <std::floating_point T>
T roundedBy(T value, RoundingRule rule) {
    switch (rule) {
    case RoundingRule::toNearestOrAwayFromZero:
        return std::round(value);
    case RoundingRule::toNearestOrEven: {
        // nearbyint follows the current mode, which is to-nearest-even by default; computing
        // it by hand keeps the result independent of the floating-point environment.
        const T floor = std::floor(value);
        const T diff = value - floor;
        if (diff < T(0.5)) {
            return floor;
        }
        if (diff > T(0.5)) {
            return floor + T(1);
        }
        return std::fmod(floor, T(2)) == T(0) ? floor : floor + T(1);
    }
    case RoundingRule::up:
        return std::ceil(value);
    case RoundingRule::down:
        return std::floor(value);
    case RoundingRule::towardZero:
        return std::trunc(value);
    case RoundingRule::awayFromZero:
        return value < T(0) ? std::floor(value) : std::ceil(value);
    }
    return value;
}

/// Number of decimal digits of the magnitude: 1 for -9...9, 2 for 10 and -10.
template <std::integral T>
int decimalDigitCount(T value) {
    int count = 1;
    while (value / 10 != 0) {
        value /= 10;
        ++count;
    }
    return count;
}

/// The value rounded at `decimalPlaces` by the rule: (value x 10^d) rounded, divided by
/// 10^d; for d below 1 the value itself is rounded.
template <std::floating_point T>
T rounded(T value, RoundingRule rule, int decimalPlaces) {
    if (decimalPlaces < 1) {
        return roundedBy(value, rule);
    }
    const T multiplier = std::pow(T(10), static_cast<T>(decimalPlaces));
    return roundedBy(value * multiplier, rule) / multiplier;
}

/// The value cut toward zero at `decimalPlaces` (29.97 with 1 gives 29.9).
template <std::floating_point T>
T truncated(T value, int decimalPlaces) {
    return rounded(value, RoundingRule::towardZero, decimalPlaces);
}

/// The value rounded up to a whole number.
template <std::floating_point T>
T roundedUp(T value) {
    return std::ceil(value);
}

/// The value rounded down to a whole number.
template <std::floating_point T>
T roundedDown(T value) {
    return std::floor(value);
}

/// The integral part (cut toward zero) and the rest.
template <std::floating_point T>
std::pair<T, T> integralAndFraction(T value) {
    const T integral = std::trunc(value);
    return {integral, value - integral};
}

/// The value cut toward zero.
template <std::floating_point T>
T integralPart(T value) {
    return std::trunc(value);
}

/// The value minus its integral part.
template <std::floating_point T>
T fractionPart(T value) {
    return value - std::trunc(value);
}

/// Quotient cut toward zero and remainder = value - quotient x divisor.
template <std::floating_point T>
std::pair<T, T> quotientAndRemainder(T value, T divisor) {
    const T quotient = std::trunc(value / divisor);
    return {quotient, value - quotient * divisor};
}

/// Integer digits of the shortest decimal form of the value (0 when its magnitude is not
/// above 1; 3 for 123.45). 0 for NaN and infinity.
int integralDigitCount(double value);

/// Decimal places of the shortest decimal form of the value (1.25 gives 2). 0 for NaN and
/// infinity.
int decimalPlaces(double value);

/// min(max(value, lower), upper).
template <class T>
T clamped(const T& value, const T& lower, const T& upper) {
    return std::min(std::max(value, lower), upper);
}

/// Clamped into the half-open range lower..<upper (10 in 0..<10 gives 9).
template <std::integral T>
T clampedHalfOpen(T value, T lower, T upperExclusive) {
    return std::min(std::max(value, lower), static_cast<T>(upperExclusive - 1));
}

/// The values sorted by their position among the type's cases (types with allCases()).
template <class T>
std::vector<T> sortedByCaseOrder(std::vector<T> values) {
    const auto cases = T::allCases();
    const auto position = [&cases](const T& value) {
        return static_cast<std::size_t>(std::find(cases.begin(), cases.end(), value) -
                                        cases.begin());
    };
    std::stable_sort(values.begin(), values.end(), [&position](const T& lhs, const T& rhs) {
        return position(lhs) < position(rhs);
    });
    return values;
}

/// Reads an optional "-" and ASCII decimal digits as a signed 64-bit integer; nothing for
/// any other text or a number that does not fit.
inline std::optional<std::int64_t> parseDecimalInt64(std::string_view text) {
    if (text.empty() || text == "-") {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, 10);
    if (error != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace dovovevozav
