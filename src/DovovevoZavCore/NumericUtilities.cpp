#include "DovovevoZavCore/NumericUtilities.h"

#include "DovovevoZavCore/Decimal.h"

namespace dovovevozav {

int integralDigitCount(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return Decimal(value).integralDigitCount();
}

int decimalPlaces(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return Decimal(value).decimalPlaces();
}

} // namespace dovovevozav
