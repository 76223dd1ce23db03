#include "DovovevoZavCore/Fraction.h"

#include "DovovevoZavCore/Int128.h"
#include "DovovevoZavCore/NumericUtilities.h"
#include "DovovevoZavCore/RegexUtilities.h"

namespace dovovevozav {

namespace {

/// Lowest terms of n/d in 128-bit arithmetic (sign on the numerator); nothing for 0/0.
struct WideFraction {
    __int128 numerator;
    __int128 denominator;
};

std::optional<WideFraction> reduceWide(__int128 numerator, __int128 denominator) {
    const unsigned __int128 divisor =
        numerator == 0 ? magnitude128(denominator)
                       : gcd128(magnitude128(numerator), magnitude128(denominator));
    if (divisor == 0) {
        return std::nullopt;
    }
    const auto g = static_cast<__int128>(divisor);
    numerator /= g;
    denominator /= g;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    return WideFraction{numerator, denominator};
}

/// The reduced 64-bit fraction of n/d, marked reduced; throws when it has none.
Fraction narrowReduced(__int128 numerator, __int128 denominator) {
    const auto wide = reduceWide(numerator, denominator);
    if (!wide) {
        throw FractionError("The fraction 0/0 has no value.");
    }
    if (!fitsInt64(wide->numerator) || !fitsInt64(wide->denominator)) {
        throw FractionError("The fraction does not fit in 64-bit terms.");
    }
    return Fraction(static_cast<std::int64_t>(wide->numerator),
                    static_cast<std::int64_t>(wide->denominator), true);
}

void requireDenominators(const Fraction& lhs, const Fraction& rhs) {
    if (lhs.denominator() == 0 || rhs.denominator() == 0) {
        throw FractionError("A fraction with a zero denominator has no sum or product.");
    }
}

} // namespace

Fraction Fraction::reduced() const {
    if (isReduced_ == true) {
        return *this;
    }
    return narrowReduced(numerator_, denominator_);
}

std::string Fraction::description() const {
    return std::to_string(numerator_) + "/" + std::to_string(denominator_);
}

std::string Fraction::rationalSecondsString() const {
    __int128 numerator = numerator_;
    __int128 denominator = denominator_;
    if (isReduced_ != true && denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    if (denominator != 0 && numerator % denominator == 0) {
        return int128Text(numerator / denominator) + "s";
    }
    return int128Text(numerator) + "/" + int128Text(denominator) + "s";
}

std::optional<Fraction> Fraction::fromRationalSecondsString(std::string_view text) {
    const auto whole = regexCaptureGroups(text, R"(^([-]){0,1}([\d]+)s$)");
    if (whole.size() == 3 && whole[2]) {
        const std::string digits = whole[1].value_or("") + *whole[2];
        if (const auto seconds = parseDecimalInt64(digits)) {
            return Fraction(*seconds, 1, true);
        }
    }
    const auto rational = regexCaptureGroups(text, R"(^([-]){0,1}([\d]+)\/([\d]+)s$)");
    if (rational.size() == 4 && rational[2] && rational[3]) {
        const auto numerator = parseDecimalInt64(rational[1].value_or("") + *rational[2]);
        const auto denominator = parseDecimalInt64(*rational[3]);
        if (numerator && denominator) {
            return Fraction(*numerator, *denominator);
        }
    }
    return std::nullopt;
}

std::size_t Fraction::hashValue() const {
    __int128 numerator = numerator_;
    __int128 denominator = denominator_;
    if (const auto wide = reduceWide(numerator, denominator)) {
        numerator = wide->numerator;
        denominator = wide->denominator;
    }
    const auto mix = [](std::size_t seed, unsigned __int128 bits) {
        const auto low = static_cast<std::uint64_t>(bits);
        const auto high = static_cast<std::uint64_t>(bits >> 64);
        for (std::uint64_t part : {low, high}) {
            seed ^= std::hash<std::uint64_t>()(part) + 0x9e3779b97f4a7c15ull + (seed << 6) +
                    (seed >> 2);
        }
        return seed;
    };
    return mix(mix(0, static_cast<unsigned __int128>(numerator)),
               static_cast<unsigned __int128>(denominator));
}

bool operator==(const Fraction& lhs, const Fraction& rhs) {
    const auto left = reduceWide(lhs.numerator_, lhs.denominator_);
    const auto right = reduceWide(rhs.numerator_, rhs.denominator_);
    if (!left || !right) {
        return !left && !right;
    }
    return left->numerator == right->numerator && left->denominator == right->denominator;
}

bool operator<(const Fraction& lhs, const Fraction& rhs) {
    if (lhs.denominator_ == 0 || rhs.denominator_ == 0) {
        return lhs.doubleValue() < rhs.doubleValue();
    }
    // Compare n1/d1 < n2/d2 with both denominators made positive; the products fit 128 bits.
    __int128 n1 = lhs.numerator_;
    __int128 d1 = lhs.denominator_;
    __int128 n2 = rhs.numerator_;
    __int128 d2 = rhs.denominator_;
    if (d1 < 0) {
        n1 = -n1;
        d1 = -d1;
    }
    if (d2 < 0) {
        n2 = -n2;
        d2 = -d2;
    }
    return n1 * d2 < n2 * d1;
}

Fraction Fraction::operator-() const {
    if (numerator_ == INT64_MIN) {
        throw FractionError("The negated fraction does not fit in 64-bit terms.");
    }
    return Fraction(-numerator_, denominator_);
}

Fraction Fraction::magnitude() const {
    if (numerator_ == INT64_MIN || denominator_ == INT64_MIN) {
        throw FractionError("The magnitude does not fit in 64-bit terms.");
    }
    return Fraction(numerator_ < 0 ? -numerator_ : numerator_,
                    denominator_ < 0 ? -denominator_ : denominator_);
}

namespace {

Fraction addWide(const Fraction& lhs, const Fraction& rhs, bool subtract) {
    requireDenominators(lhs, rhs);
    const __int128 rightNumerator =
        subtract ? -static_cast<__int128>(rhs.numerator()) : static_cast<__int128>(rhs.numerator());
    if (lhs.denominator() == rhs.denominator()) {
        return narrowReduced(lhs.numerator() + rightNumerator, lhs.denominator());
    }
    // Bring both to the least common multiple of the denominators.
    const auto g = static_cast<__int128>(
        gcd128(magnitude128(lhs.denominator()), magnitude128(rhs.denominator())));
    const __int128 leftScale = rhs.denominator() / g;
    const __int128 rightScale = lhs.denominator() / g;
    const __int128 common = lhs.denominator() * leftScale;
    __int128 sum = 0;
    if (__builtin_add_overflow(lhs.numerator() * leftScale, rightNumerator * rightScale, &sum)) {
        throw FractionError("The sum does not fit in 64-bit terms.");
    }
    return narrowReduced(sum, common);
}

} // namespace

Fraction operator+(const Fraction& lhs, const Fraction& rhs) {
    return addWide(lhs, rhs, false);
}

Fraction operator-(const Fraction& lhs, const Fraction& rhs) {
    return addWide(lhs, rhs, true);
}

Fraction operator*(const Fraction& lhs, const Fraction& rhs) {
    requireDenominators(lhs, rhs);
    return narrowReduced(static_cast<__int128>(lhs.numerator_) * rhs.numerator_,
                         static_cast<__int128>(lhs.denominator_) * rhs.denominator_);
}

Fraction operator/(const Fraction& lhs, const Fraction& rhs) {
    if (rhs.numerator_ == 0) {
        throw FractionError("Division by zero.");
    }
    requireDenominators(lhs, rhs);
    return narrowReduced(static_cast<__int128>(lhs.numerator_) * rhs.denominator_,
                         static_cast<__int128>(lhs.denominator_) * rhs.numerator_);
}

} // namespace dovovevozav
