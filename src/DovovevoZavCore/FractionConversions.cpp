#include "DovovevoZavCore/Decimal.h"
#include "DovovevoZavCore/Fraction.h"
#include "DovovevoZavCore/Int128.h"
#include "DovovevoZavCore/MediaTime.h"

#include <algorithm>
#include <cmath>

namespace dovovevozav {

Fraction::Fraction(const MediaTime& time) {
    if (time.isIndefinite() || time.isPositiveInfinity() || time.isNegativeInfinity()) {
        return;
    }
    numerator_ = time.value;
    denominator_ = time.timescale;
}

MediaTime Fraction::mediaTime() const {
    if (denominator_ < INT32_MIN || denominator_ > INT32_MAX) {
        throw FractionError("The denominator does not fit a media timescale.");
    }
    return MediaTime(numerator_, static_cast<std::int32_t>(denominator_));
}

bool Fraction::isInLowestTerms() const {
    if (isReduced_ == true) {
        return true;
    }
    const unsigned __int128 divisor =
        numerator_ == 0 ? magnitude128(denominator_)
                        : gcd128(magnitude128(numerator_), magnitude128(denominator_));
    return divisor == 1 && denominator_ > 0;
}

bool Fraction::isWholeNumber() const {
    if (denominator_ == 0) {
        return false;
    }
    // 128-bit remainder keeps INT64_MIN % -1 defined.
    return static_cast<__int128>(numerator_) % denominator_ == 0;
}

Decimal Fraction::decimalValue() const {
    if (denominator_ == 0) {
        throw FractionError("Division by zero.");
    }
    return Decimal(numerator_) / Decimal(denominator_);
}

Fraction Fraction::fromDouble(double value, int decimalPrecision) {
    if (!std::isfinite(value)) {
        throw FractionError("A fraction cannot be made from NaN or infinity.");
    }
    const Decimal decimal(value);
    const int integerDigits = decimal.integralDigitCount();
    // Ten to the 18th is the largest power of ten a 64-bit denominator holds.
    const int precision =
        std::min({std::max(decimalPrecision, 0), std::max(19 - integerDigits, 0), 18});
    const Decimal denominator = Decimal(10).power(precision);
    const Decimal magnitude = decimal.isNegative() ? -decimal : decimal;
    const auto numerator = (magnitude * denominator).truncated(0).int64Value();
    const auto denominatorValue = denominator.int64Value();
    if (!numerator || !denominatorValue) {
        throw FractionError("The scaled value does not fit in 64 bits.");
    }
    return Fraction(decimal.isNegative() ? -*numerator : *numerator, *denominatorValue).reduced();
}

} // namespace dovovevozav
