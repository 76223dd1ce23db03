#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dovovevozav {

class Decimal;
struct MediaTime;

/// Raised by a fraction operation that has no result: division by zero, a term that leaves
/// the signed 64-bit range, or the reduction of 0/0.
class FractionError : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

/// An exact rational number with 64-bit terms: frame rates, frame durations, media times and
/// the rational-seconds texts of timeline files are carried as fractions.
class Fraction {
public:
    /// The zero fraction, 0/1.
    constexpr Fraction() = default;

    /// A fraction with the given terms as written; `isReduced` true promises lowest terms.
    constexpr Fraction(std::int64_t numerator, std::int64_t denominator,
                       std::optional<bool> isReduced = std::nullopt)
        : numerator_(numerator), denominator_(denominator), isReduced_(isReduced) {}

    /// The constant 0/1.
    static constexpr Fraction zero() { return Fraction(0, 1); }

    /// The numerator as stored.
    constexpr std::int64_t numerator() const { return numerator_; }
    /// The denominator as stored.
    constexpr std::int64_t denominator() const { return denominator_; }
    /// True when the value is in lowest terms by construction; absent when unknown.
    constexpr std::optional<bool> isReducedFlag() const { return isReduced_; }

    /// The value in lowest terms with a positive denominator (sign on the numerator), marked
    /// reduced; a value already marked reduced comes back unchanged. Throws FractionError for
    /// 0/0 and for a result that leaves the 64-bit range.
    Fraction reduced() const;

    /// "numerator/denominator" exactly as stored; also the identity of the value.
    std::string description() const;
    /// Same as description().
    std::string id() const { return description(); }

    /// Rational-seconds text: "2s" for a whole number of seconds, otherwise "1001/30000s".
    /// An unreduced value has its sign moved to the numerator but is not reduced.
    std::string rationalSecondsString() const;

    /// Reads rational-seconds text ("-5s", "1001/30000s"); nothing when the text matches
    /// neither form or a number does not fit in 64 bits.
    static std::optional<Fraction> fromRationalSecondsString(std::string_view text);

    /// Hash that agrees with equality: equal values written differently hash alike.
    std::size_t hashValue() const;

    /// Equality of values: 100/2400 == 1/24, 1/-2 == -1/2. A 0/0 equals only another 0/0.
    friend bool operator==(const Fraction& lhs, const Fraction& rhs);

    /// Ordering by value; exact when both denominators are non-zero, otherwise by the
    /// floating-point quotients (infinite or not-a-number).
    friend bool operator<(const Fraction& lhs, const Fraction& rhs);
    friend bool operator>(const Fraction& lhs, const Fraction& rhs) { return rhs < lhs; }
    /// True when lhs is not greater than rhs.
    friend bool operator<=(const Fraction& lhs, const Fraction& rhs) { return !(rhs < lhs); }
    /// True when lhs is not less than rhs.
    friend bool operator>=(const Fraction& lhs, const Fraction& rhs) { return !(lhs < rhs); }

    /// The negated value (numerator negated); throws FractionError for the smallest numerator.
    Fraction operator-() const;
    /// Negates in place; unchanged when it throws.
    void negate() { *this = -*this; }
    /// Both terms made non-negative; throws FractionError for the smallest 64-bit term.
    Fraction magnitude() const;

    /// Sum, reduced; throws FractionError on overflow or a zero denominator.
    friend Fraction operator+(const Fraction& lhs, const Fraction& rhs);
    /// Difference, reduced; throws FractionError on overflow or a zero denominator.
    friend Fraction operator-(const Fraction& lhs, const Fraction& rhs);
    /// Product, reduced; throws FractionError on overflow or a zero denominator.
    friend Fraction operator*(const Fraction& lhs, const Fraction& rhs);
    /// Quotient, reduced; throws FractionError("Division by zero.") for a zero divisor.
    friend Fraction operator/(const Fraction& lhs, const Fraction& rhs);

    // Conversions.

    /// A media time as a fraction: value/timescale unreduced; indefinite and infinite times
    /// give 0/1.
    explicit Fraction(const MediaTime& time);
    /// The media time value/timescale; throws FractionError when the denominator does not fit
    /// a 32-bit timescale.
    MediaTime mediaTime() const;

    /// True when the stored terms are already the lowest terms with a positive denominator.
    bool isInLowestTerms() const;
    /// True when both stored terms are equal (1/2 is not identical to 2/4).
    bool isIdentical(const Fraction& other) const {
        return numerator_ == other.numerator_ && denominator_ == other.denominator_;
    }
    /// True when both stored terms are equal or, failing that, the floating-point quotients
    /// are: how the rate tables recognise a rate or frame duration read from a file.
    bool matchesTermsOrQuotient(const Fraction& other) const {
        return isIdentical(other) || doubleValue() == other.doubleValue();
    }
    /// True when exactly one term is negative (0/-1 counts as negative).
    bool isNegative() const { return (numerator_ < 0) != (denominator_ < 0); }
    /// True when the value is a whole number (tested exactly; false for a zero denominator).
    bool isWholeNumber() const;

    /// The quotient as a 64-bit float (infinite or not-a-number for a zero denominator).
    double doubleValue() const {
        return static_cast<double>(numerator_) / static_cast<double>(denominator_);
    }
    /// The quotient as a 32-bit float.
    float floatValue() const { return static_cast<float>(doubleValue()); }
    /// The quotient as a 38-digit decimal; throws FractionError for a zero denominator.
    Decimal decimalValue() const;

    /// The value cut (not rounded) to the given number of decimal places, reduced. Places
    /// below 1 mean 0; fewer places are kept when the integer part is long so that the scaled
    /// value stays within 19 digits. Works on the shortest decimal form of the value. Throws
    /// FractionError for NaN, infinity and a scaled value that does not fit in 64 bits.
    static Fraction fromDouble(double value, int decimalPrecision);

private:
    std::int64_t numerator_ = 0;
    std::int64_t denominator_ = 1;
    std::optional<bool> isReduced_;
};

} // namespace dovovevozav

template <>
struct std::hash<dovovevozav::Fraction> {
    std::size_t operator()(const dovovevozav::Fraction& value) const noexcept {
        return value.hashValue();
    }
};
