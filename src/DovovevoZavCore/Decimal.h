#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace dovovevozav {

/// Raised by a decimal operation without a result: division by zero, a non-finite input or an
/// exponent out of range.
class DecimalError : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

/// An exact base-10 number of up to 38 significant digits: a 128-bit significand and a
/// power-of-ten exponent. Results of arithmetic are rounded to 38 digits, halves away from
/// zero. Values are kept without trailing zeros, so equal values are stored alike.
class Decimal {
public:
    /// How a value is rounded at a scale: plain (halves away from zero), down (toward minus
    /// infinity), up (toward plus infinity), bankers (halves to even).
    enum class RoundingMode : std::uint8_t { plain, down, up, bankers };

    /// Zero.
    constexpr Decimal() = default;
    /// An integer, exactly.
    Decimal(std::int64_t value); // NOLINT: implicit like any integer
    /// An integer, exactly (avoids ambiguity for int arguments).
    Decimal(int value) : Decimal(static_cast<std::int64_t>(value)) {}
    /// The shortest decimal form that reads back as the same double (0.1 gives 0.1).
    /// Throws DecimalError for NaN and infinity.
    explicit Decimal(double value);
    /// significand x 10^exponent with a sign; the significand is rounded to 38 digits.
    static Decimal fromParts(bool negative, unsigned __int128 significand, int exponent);
    /// Reads plain or exponent notation ("-12.5", "1e-3"); nothing for other text.
    static std::optional<Decimal> fromString(std::string_view text);

    /// True for values below zero.
    bool isNegative() const { return negative_; }
    /// True for zero.
    bool isZero() const { return significand_ == 0; }
    /// The significand's magnitude (no trailing zeros).
    unsigned __int128 significand() const { return significand_; }
    /// The power of ten the significand is scaled by.
    int exponent() const { return exponent_; }

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& lhs, const Decimal& rhs);
    friend Decimal operator-(const Decimal& lhs, const Decimal& rhs);
    friend Decimal operator*(const Decimal& lhs, const Decimal& rhs);
    /// Quotient to 38 digits; throws DecimalError for a zero divisor.
    friend Decimal operator/(const Decimal& lhs, const Decimal& rhs);
    Decimal& operator+=(const Decimal& rhs) { return *this = *this + rhs; }
    Decimal& operator-=(const Decimal& rhs) { return *this = *this - rhs; }
    Decimal& operator*=(const Decimal& rhs) { return *this = *this * rhs; }
    Decimal& operator/=(const Decimal& rhs) { return *this = *this / rhs; }

    friend bool operator==(const Decimal& lhs, const Decimal& rhs) = default;
    friend std::strong_ordering operator<=>(const Decimal& lhs, const Decimal& rhs);

    /// The value rounded at `scale` decimal places (scale below 0 counts as 0).
    Decimal rounded(RoundingMode mode, int scale) const;
    /// Rounds in place.
    void round(RoundingMode mode, int scale) { *this = rounded(mode, scale); }
    /// Cut toward zero at max(places, 0) decimal places (mode down above zero, up otherwise).
    Decimal truncated(int decimalPlaces) const;
    /// Cuts in place.
    void truncate(int decimalPlaces) { *this = truncated(decimalPlaces); }
    /// The value cut toward zero to a whole number.
    Decimal integralPart() const { return truncated(0); }
    /// The value minus its integral part.
    Decimal fractionPart() const { return *this - integralPart(); }
    /// Integral part and fraction part.
    std::pair<Decimal, Decimal> integralAndFraction() const {
        return {integralPart(), fractionPart()};
    }
    /// value - trunc(value / divisor) x divisor.
    Decimal truncatingRemainder(const Decimal& divisor) const {
        return quotientAndRemainder(divisor).second;
    }
    /// trunc(value / divisor) and the remainder above.
    std::pair<Decimal, Decimal> quotientAndRemainder(const Decimal& divisor) const;
    /// The value raised to an integer power (negative powers divide).
    Decimal power(int exponent) const;
    /// 0 when the magnitude is not above 1, else digits of the significand plus the exponent.
    int integralDigitCount() const;
    /// The negated exponent when it is negative, else 0 (1.25 gives 2).
    int decimalPlaces() const { return exponent_ < 0 ? -exponent_ : 0; }

    /// The nearest double.
    double doubleValue() const;
    /// The value cut toward zero to an integer; nothing when that does not fit 64 bits.
    std::optional<std::int64_t> int64Value() const;
    /// Plain decimal notation: "-12.5", "0.001", "1200".
    std::string description() const;

private:
    bool negative_ = false;
    unsigned __int128 significand_ = 0;
    int exponent_ = 0;
};

} // namespace dovovevozav
