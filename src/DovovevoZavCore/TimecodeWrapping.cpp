#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeAlignment.h"
#include "DovovevoZavCore/TimecodeCounting.h"
#include "DovovevoZavCore/TimecodeWrappingKernels.h"

#include <cmath>

namespace dovovevozav {

namespace detail {

TimecodeComponents wrappingSum(const TimecodeComponents& lhs, const TimecodeComponents& rhs,
                               const TimecodeProperties& properties) {
    return wrappedComponents(subFrameCount(lhs, properties) + subFrameCount(rhs, properties),
                             properties);
}

TimecodeComponents wrappingDifference(const TimecodeComponents& lhs, const TimecodeComponents& rhs,
                                      const TimecodeProperties& properties) {
    return wrappedComponents(subFrameCount(lhs, properties) - subFrameCount(rhs, properties),
                             properties);
}

TimecodeComponents wrappingScaled(double product, const TimecodeProperties& properties) {
    if (!std::isfinite(product)) {
        return TimecodeComponents::zero();
    }
    // fmod is exact, so even products far beyond any integer type wrap correctly.
    const auto modulus = static_cast<double>(properties.spanSubFrames());
    double remainder = std::fmod(std::trunc(product), modulus);
    if (remainder < 0) {
        remainder += modulus;
    }
    return componentsOfSubFrameCount(static_cast<__int128>(remainder), properties);
}

} // namespace detail

Timecode Timecode::addingWrapping(const Timecode& other) const {
    const auto right = detail::alignedComponentsIfPossible(*this, other);
    if (!right) {
        return *this;
    }
    Timecode result = *this;
    result.components_ = detail::wrappingSum(components_, *right, properties_);
    return result;
}

Timecode Timecode::subtractingWrapping(const Timecode& other) const {
    const auto right = detail::alignedComponentsIfPossible(*this, other);
    if (!right) {
        return *this;
    }
    Timecode result = *this;
    result.components_ = detail::wrappingDifference(components_, *right, properties_);
    return result;
}

void Timecode::addWrapping(const Timecode& other) {
    *this = addingWrapping(other);
}

void Timecode::subtractWrapping(const Timecode& other) {
    *this = subtractingWrapping(other);
}

Timecode Timecode::multiplyingWrapping(double factor) const {
    return multiplying(factor, ValidationRule::wrapping);
}

Timecode Timecode::dividingWrapping(double divisor) const {
    return dividing(divisor, ValidationRule::wrapping);
}

} // namespace dovovevozav
