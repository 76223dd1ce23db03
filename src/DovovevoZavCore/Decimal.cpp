#include "DovovevoZavCore/Decimal.h"

#include "DovovevoZavCore/Int128.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace dovovevozav {

namespace {

using U128 = unsigned __int128;

constexpr int kMaxDigits = 38;
// Exponents beyond this are overflow; below its negation a value becomes zero.
constexpr int kExponentLimit = 100000;

/// Unsigned 256-bit integer, enough for a product or a scaled quotient of two significands.
struct U256 {
    std::array<std::uint64_t, 4> limb{}; // least significant first

    static U256 from(U128 value) {
        U256 out;
        out.limb[0] = static_cast<std::uint64_t>(value);
        out.limb[1] = static_cast<std::uint64_t>(value >> 64);
        return out;
    }

    bool isZero() const { return (limb[0] | limb[1] | limb[2] | limb[3]) == 0; }
    U128 low128() const { return (static_cast<U128>(limb[1]) << 64) | limb[0]; }

    static int compare(const U256& a, const U256& b) {
        for (int i = 3; i >= 0; --i) {
            if (a.limb[i] != b.limb[i]) {
                return a.limb[i] < b.limb[i] ? -1 : 1;
            }
        }
        return 0;
    }

    static U256 add(const U256& a, const U256& b) {
        U256 out;
        U128 carry = 0;
        for (int i = 0; i < 4; ++i) {
            const U128 sum = static_cast<U128>(a.limb[i]) + b.limb[i] + carry;
            out.limb[i] = static_cast<std::uint64_t>(sum);
            carry = sum >> 64;
        }
        return out;
    }

    /// a - b for a >= b.
    static U256 subtract(const U256& a, const U256& b) {
        U256 out;
        std::uint64_t borrow = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint64_t bi = b.limb[i];
            const std::uint64_t diff = a.limb[i] - bi - borrow;
            borrow = (a.limb[i] < bi || (a.limb[i] == bi && borrow)) ? 1 : 0;
            out.limb[i] = diff;
        }
        return out;
    }

    static U256 multiplySmall(const U256& a, std::uint64_t factor) {
        U256 out;
        U128 carry = 0;
        for (int i = 0; i < 4; ++i) {
            const U128 product = static_cast<U128>(a.limb[i]) * factor + carry;
            out.limb[i] = static_cast<std::uint64_t>(product);
            carry = product >> 64;
        }
        return out;
    }

    static U256 multiply(U128 a, U128 b) {
        const std::array<std::uint64_t, 2> x{static_cast<std::uint64_t>(a),
                                             static_cast<std::uint64_t>(a >> 64)};
        const std::array<std::uint64_t, 2> y{static_cast<std::uint64_t>(b),
                                             static_cast<std::uint64_t>(b >> 64)};
        U256 out;
        for (int i = 0; i < 2; ++i) {
            U128 carry = 0;
            for (int j = 0; j < 2; ++j) {
                const U128 cur = static_cast<U128>(x[i]) * y[j] + out.limb[i + j] + carry;
                out.limb[i + j] = static_cast<std::uint64_t>(cur);
                carry = cur >> 64;
            }
            out.limb[i + 2] = static_cast<std::uint64_t>(carry);
        }
        return out;
    }

    /// Quotient and remainder by a small divisor.
    static std::pair<U256, std::uint64_t> divideSmall(const U256& a, std::uint64_t divisor) {
        U256 quotient;
        U128 remainder = 0;
        for (int i = 3; i >= 0; --i) {
            const U128 cur = (remainder << 64) | a.limb[i];
            quotient.limb[i] = static_cast<std::uint64_t>(cur / divisor);
            remainder = cur % divisor;
        }
        return {quotient, static_cast<std::uint64_t>(remainder)};
    }

    bool bit(int index) const { return (limb[index / 64] >> (index % 64)) & 1u; }

    U256 shiftedLeftOne() const {
        U256 out;
        for (int i = 3; i >= 0; --i) {
            out.limb[i] = (limb[i] << 1) | (i > 0 ? limb[i - 1] >> 63 : 0);
        }
        return out;
    }

    /// Binary long division; the divisor must not be zero.
    static std::pair<U256, U256> divide(const U256& a, const U256& b) {
        U256 quotient;
        U256 remainder;
        for (int i = 255; i >= 0; --i) {
            remainder = remainder.shiftedLeftOne();
            remainder.limb[0] |= a.bit(i) ? 1u : 0u;
            if (compare(remainder, b) >= 0) {
                remainder = subtract(remainder, b);
                quotient.limb[i / 64] |= std::uint64_t{1} << (i % 64);
            }
        }
        return {quotient, remainder};
    }
};

U256 powerOfTen(int exponent) {
    U256 out = U256::from(1);
    for (int i = 0; i < exponent; ++i) {
        out = U256::multiplySmall(out, 10);
    }
    return out;
}

U128 powerOfTen128(int exponent) {
    U128 out = 1;
    for (int i = 0; i < exponent; ++i) {
        out *= 10;
    }
    return out;
}

int digitCount(U128 value) {
    int count = 1;
    while (value >= 10) {
        value /= 10;
        ++count;
    }
    return count;
}

} // namespace

/// Builds a canonical decimal: at most 38 digits (halves away from zero), no trailing zeros.
static Decimal makeCanonical(bool negative, U256 magnitude, long exponent) {
    if (magnitude.isZero()) {
        return Decimal();
    }
    const U256 limit = powerOfTen(kMaxDigits);
    std::uint64_t lastDropped = 0;
    bool dropped = false;
    while (U256::compare(magnitude, limit) >= 0) {
        const auto [quotient, digit] = U256::divideSmall(magnitude, 10);
        magnitude = quotient;
        lastDropped = digit;
        dropped = true;
        ++exponent;
    }
    if (dropped && lastDropped >= 5) {
        magnitude = U256::add(magnitude, U256::from(1));
        if (U256::compare(magnitude, limit) >= 0) {
            magnitude = U256::divideSmall(magnitude, 10).first;
            ++exponent;
        }
    }
    U128 significand = magnitude.low128();
    while (significand % 10 == 0) {
        significand /= 10;
        ++exponent;
    }
    if (exponent > kExponentLimit) {
        throw DecimalError("Decimal overflow.");
    }
    if (exponent < -kExponentLimit) {
        return Decimal();
    }
    return Decimal::fromParts(negative, significand, static_cast<int>(exponent));
}

Decimal::Decimal(std::int64_t value) {
    if (value == 0) {
        return;
    }
    negative_ = value < 0;
    significand_ = magnitude128(value);
    while (significand_ % 10 == 0) {
        significand_ /= 10;
        ++exponent_;
    }
}

Decimal::Decimal(double value) {
    if (!std::isfinite(value)) {
        throw DecimalError("A decimal cannot hold NaN or infinity.");
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    *this = *fromString(
        std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
}

Decimal Decimal::fromParts(bool negative, unsigned __int128 significand, int exponent) {
    if (significand >= powerOfTen128(kMaxDigits) || (significand != 0 && significand % 10 == 0)) {
        return makeCanonical(negative, U256::from(significand), exponent);
    }
    Decimal out;
    if (significand == 0) {
        return out;
    }
    out.negative_ = negative;
    out.significand_ = significand;
    out.exponent_ = exponent;
    return out;
}

std::optional<Decimal> Decimal::fromString(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    U256 magnitude;
    long exponent = 0;
    int keptDigits = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9') {
            break;
        }
        anyDigit = true;
        if (keptDigits < 76) {
            magnitude = U256::add(U256::multiplySmall(magnitude, 10), U256::from(c - '0'));
            if (!magnitude.isZero()) {
                ++keptDigits;
            }
            if (afterPoint) {
                --exponent;
            }
        } else if (!afterPoint) {
            ++exponent; // digits beyond what we keep still scale the value
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        int written = 0;
        const char* begin = text.data() + pos;
        if (pos < text.size() && text[pos] == '+') {
            ++begin;
        }
        const auto [ptr, error] = std::from_chars(begin, text.data() + text.size(), written);
        if (error != std::errc() || ptr != text.data() + text.size()) {
            return std::nullopt;
        }
        if (written > kExponentLimit || written < -2 * kExponentLimit) {
            return std::nullopt;
        }
        exponent += written;
    } else if (pos != text.size()) {
        return std::nullopt;
    }
    try {
        return makeCanonical(negative, magnitude, exponent);
    } catch (const DecimalError&) {
        return std::nullopt;
    }
}

Decimal Decimal::operator-() const {
    Decimal out = *this;
    if (!out.isZero()) {
        out.negative_ = !out.negative_;
    }
    return out;
}

Decimal operator+(const Decimal& lhs, const Decimal& rhs) {
    if (lhs.isZero()) {
        return rhs;
    }
    if (rhs.isZero()) {
        return lhs;
    }
    const bool leftHigher = lhs.exponent_ >= rhs.exponent_;
    const Decimal& high = leftHigher ? lhs : rhs;
    const Decimal& low = leftHigher ? rhs : lhs;
    const long diff = static_cast<long>(high.exponent_) - low.exponent_;
    U256 highMagnitude;
    U256 lowMagnitude = U256::from(low.significand_);
    long exponent = low.exponent_;
    if (diff <= kMaxDigits) {
        highMagnitude = U256::multiply(high.significand_, powerOfTen128(static_cast<int>(diff)));
    } else {
        // The lower operand lies far below the 38th digit of the higher one: scale the higher
        // one up by 38 digits and cut the lower one to that exponent.
        highMagnitude = U256::multiply(high.significand_, powerOfTen128(kMaxDigits));
        exponent = high.exponent_ - kMaxDigits;
        const long shift = diff - kMaxDigits;
        lowMagnitude = shift > 2 * kMaxDigits
                           ? U256()
                           : U256::divide(lowMagnitude, powerOfTen(static_cast<int>(shift))).first;
    }
    if (high.negative_ == low.negative_) {
        return makeCanonical(high.negative_, U256::add(highMagnitude, lowMagnitude), exponent);
    }
    const int order = U256::compare(highMagnitude, lowMagnitude);
    if (order == 0) {
        return Decimal();
    }
    return order > 0 ? makeCanonical(high.negative_, U256::subtract(highMagnitude, lowMagnitude),
                                     exponent)
                     : makeCanonical(low.negative_, U256::subtract(lowMagnitude, highMagnitude),
                                     exponent);
}

Decimal operator-(const Decimal& lhs, const Decimal& rhs) {
    return lhs + (-rhs);
}

Decimal operator*(const Decimal& lhs, const Decimal& rhs) {
    if (lhs.isZero() || rhs.isZero()) {
        return Decimal();
    }
    return makeCanonical(lhs.negative_ != rhs.negative_,
                         U256::multiply(lhs.significand_, rhs.significand_),
                         static_cast<long>(lhs.exponent_) + rhs.exponent_);
}

Decimal operator/(const Decimal& lhs, const Decimal& rhs) {
    if (rhs.isZero()) {
        throw DecimalError("Division by zero.");
    }
    if (lhs.isZero()) {
        return Decimal();
    }
    // Scale the dividend to 77 digits so the quotient has at least 39.
    const int scale = 77 - digitCount(lhs.significand_);
    U256 numerator = U256::multiply(lhs.significand_, powerOfTen128(kMaxDigits));
    for (int i = kMaxDigits; i < scale; ++i) {
        numerator = U256::multiplySmall(numerator, 10);
    }
    const auto quotient = U256::divide(numerator, U256::from(rhs.significand_)).first;
    return makeCanonical(lhs.negative_ != rhs.negative_, quotient,
                         static_cast<long>(lhs.exponent_) - scale - rhs.exponent_);
}

std::strong_ordering operator<=>(const Decimal& lhs, const Decimal& rhs) {
    if (lhs.negative_ != rhs.negative_) {
        return lhs.negative_ ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    if (lhs.isZero() || rhs.isZero()) {
        if (lhs.isZero() && rhs.isZero()) {
            return std::strong_ordering::equal;
        }
        // Same sign flag: a zero is not negative, so the other value is positive.
        return lhs.isZero() ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    // Compare magnitudes: first by the position of the leading digit, then digit by digit.
    std::strong_ordering magnitudeOrder = std::strong_ordering::equal;
    const long leftLead = static_cast<long>(digitCount(lhs.significand_)) + lhs.exponent_;
    const long rightLead = static_cast<long>(digitCount(rhs.significand_)) + rhs.exponent_;
    if (leftLead != rightLead) {
        magnitudeOrder = leftLead <=> rightLead;
    } else {
        const int common = std::min(lhs.exponent_, rhs.exponent_);
        const U256 left = U256::multiply(lhs.significand_, powerOfTen128(lhs.exponent_ - common));
        const U256 right = U256::multiply(rhs.significand_, powerOfTen128(rhs.exponent_ - common));
        magnitudeOrder = U256::compare(left, right) <=> 0;
    }
    if (lhs.negative_) {
        return 0 <=> magnitudeOrder;
    }
    return magnitudeOrder;
}

Decimal Decimal::rounded(RoundingMode mode, int scale) const {
    scale = std::max(scale, 0);
    if (isZero() || exponent_ >= -scale) {
        return *this;
    }
    const long drop = static_cast<long>(-scale) - exponent_;
    U128 quotient = 0;
    U128 remainder = significand_;
    int halfComparison = -1; // remainder against half a unit of the kept digit
    bool remainderNonZero = remainder != 0;
    if (drop <= kMaxDigits) {
        const U128 unit = powerOfTen128(static_cast<int>(drop));
        quotient = significand_ / unit;
        remainder = significand_ % unit;
        remainderNonZero = remainder != 0;
        const U128 doubled = remainder * 2;
        halfComparison = doubled < unit ? -1 : (doubled == unit ? 0 : 1);
    }
    bool increment = false;
    switch (mode) {
    case RoundingMode::plain:
        increment = halfComparison >= 0;
        break;
    case RoundingMode::bankers:
        increment = halfComparison > 0 || (halfComparison == 0 && (quotient % 2) == 1);
        break;
    case RoundingMode::down:
        increment = negative_ && remainderNonZero;
        break;
    case RoundingMode::up:
        increment = !negative_ && remainderNonZero;
        break;
    }
    return fromParts(negative_, quotient + (increment ? 1 : 0), -scale);
}

Decimal Decimal::truncated(int decimalPlaces) const {
    const Decimal zero;
    return rounded(*this > zero ? RoundingMode::down : RoundingMode::up,
                   std::max(decimalPlaces, 0));
}

std::pair<Decimal, Decimal> Decimal::quotientAndRemainder(const Decimal& divisor) const {
    const Decimal quotient = (*this / divisor).truncated(0);
    return {quotient, *this - quotient * divisor};
}

Decimal Decimal::power(int exponent) const {
    Decimal result(1);
    Decimal base = *this;
    long remaining = exponent < 0 ? -static_cast<long>(exponent) : exponent;
    while (remaining > 0) {
        if (remaining & 1) {
            result *= base;
        }
        remaining >>= 1;
        if (remaining > 0) {
            base *= base;
        }
    }
    return exponent < 0 ? Decimal(1) / result : result;
}

int Decimal::integralDigitCount() const {
    const Decimal magnitude = negative_ ? -*this : *this;
    if (magnitude <= Decimal(1)) {
        return 0;
    }
    return digitCount(significand_) + exponent_;
}

double Decimal::doubleValue() const {
    if (isZero()) {
        return 0.0;
    }
    // Built by appending: g++ 12 misreports `"literal" + std::string&&` under -Wrestrict.
    std::string text = negative_ ? "-" : "";
    text.append(int128Text(significand_)).append("e").append(std::to_string(exponent_));
    double value = 0;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return exponent_ > 0 ? (negative_ ? -HUGE_VAL : HUGE_VAL) : (negative_ ? -0.0 : 0.0);
    }
    return value;
}

std::optional<std::int64_t> Decimal::int64Value() const {
    const Decimal whole = truncated(0);
    if (whole.isZero()) {
        return 0;
    }
    if (whole.exponent_ > kMaxDigits) {
        return std::nullopt;
    }
    U128 magnitude = 0;
    if (__builtin_mul_overflow(whole.significand_, powerOfTen128(whole.exponent_), &magnitude)) {
        return std::nullopt;
    }
    const U128 limit = static_cast<U128>(INT64_MAX) + (whole.negative_ ? 1 : 0);
    if (magnitude > limit) {
        return std::nullopt;
    }
    if (whole.negative_) {
        return static_cast<std::int64_t>(static_cast<U128>(0) - magnitude);
    }
    return static_cast<std::int64_t>(magnitude);
}

std::string Decimal::description() const {
    if (isZero()) {
        return "0";
    }
    std::string digits = int128Text(significand_);
    std::string out = negative_ ? "-" : "";
    if (exponent_ >= 0) {
        return out + digits + std::string(static_cast<std::size_t>(exponent_), '0');
    }
    const long pointPosition = static_cast<long>(digits.size()) + exponent_;
    if (pointPosition <= 0) {
        return out + "0." + std::string(static_cast<std::size_t>(-pointPosition), '0') + digits;
    }
    const auto split = static_cast<std::size_t>(pointPosition);
    return out + digits.substr(0, split) + "." + digits.substr(split);
}

} // namespace dovovevozav
