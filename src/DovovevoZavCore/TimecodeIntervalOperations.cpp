#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeAlignment.h"
#include "DovovevoZavCore/TimecodeInterval.h"
#include "DovovevoZavCore/TimecodeTransformer.h"
#include "DovovevoZavCore/TimecodeWrappingKernels.h"

#include <cmath>
#include <type_traits>

namespace dovovevozav {

TimecodeInterval TimecodeInterval::fromRealTime(double seconds,
                                                const TimecodeProperties& properties) {
    const Timecode magnitude(TimecodeSourceValue::seconds(std::fabs(seconds)), properties);
    return TimecodeInterval(magnitude, seconds < 0 ? IntervalSign::minus : IntervalSign::plus);
}

TimecodeInterval TimecodeInterval::fromFraction(const Fraction& time,
                                                const TimecodeProperties& properties) {
    Fraction magnitude;
    try {
        magnitude = time.magnitude();
    } catch (const FractionError&) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
    return TimecodeInterval(Timecode(TimecodeSourceValue::fraction(magnitude), properties),
                            time.isNegative() ? IntervalSign::minus : IntervalSign::plus);
}

TimecodeInterval TimecodeInterval::fromMediaTime(const MediaTime& time,
                                                 const TimecodeProperties& properties) {
    return fromFraction(Fraction(time), properties);
}

Timecode TimecodeInterval::flattened() const {
    Timecode result(absoluteInterval_.properties());
    result.setComponents(
        isNegative() ? detail::wrappingDifference(
                           result.components(), absoluteInterval_.components(), result.properties())
                     : detail::wrappingSum(result.components(), absoluteInterval_.components(),
                                           result.properties()));
    return result;
}

double TimecodeInterval::seconds() const {
    const double magnitude = absoluteInterval_.seconds();
    return isNegative() ? -magnitude : magnitude;
}

Fraction TimecodeInterval::fraction() const {
    const Fraction duration = absoluteInterval_.frameRate().frameDuration();
    const std::int64_t count = absoluteInterval_.frameCount().subFrameCount();
    const Fraction magnitude =
        duration * Fraction(count, absoluteInterval_.subFramesBase().rawValue());
    return isNegative() ? -magnitude : magnitude;
}

std::string TimecodeInterval::description() const {
    std::string text = isNegative() ? "-" : "";
    return text.append(absoluteInterval_.description());
}

std::string TimecodeInterval::rateDescription() const {
    return "TimecodeInterval " + description() + " @ " +
           std::string(absoluteInterval_.frameRate().longName());
}

TimecodeProperties TimecodeInterval::apply(Timecode& target) const {
    target = flattened();
    return target.properties();
}

TimecodeInterval Timecode::signedInterval(IntervalSign sign) const {
    return TimecodeInterval(*this, sign);
}

TimecodeInterval Timecode::interval(const Timecode& other) const {
    const TimecodeInterval zero((Timecode(properties_)));
    const auto otherComponents = detail::alignedComponentsIfPossible(*this, other);
    if (!otherComponents || *otherComponents == components_) {
        return zero;
    }
    // Both sides on a 100-day clock at this rate and base, so that the difference of two
    // times of one day never wraps.
    const Properties wide(properties_.frameRate, properties_.subFramesBase, UpperLimit::max100Days);
    Timecode otherWide(wide);
    otherWide.setComponents(*otherComponents);
    Timecode selfWide(wide);
    selfWide.setComponents(components_);
    const bool forward =
        detail::roundedSeconds(otherWide.seconds()) > detail::roundedSeconds(selfWide.seconds());
    Timecode magnitude(properties_);
    magnitude.setComponents(forward
                                ? detail::wrappingDifference(*otherComponents, components_, wide)
                                : detail::wrappingDifference(components_, *otherComponents, wide));
    return TimecodeInterval(magnitude, forward ? IntervalSign::plus : IntervalSign::minus);
}

Timecode Timecode::offsetting(const TimecodeInterval& interval) const {
    return interval.isNegative() ? subtractingWrapping(interval.absoluteInterval())
                                 : addingWrapping(interval.absoluteInterval());
}

Timecode Timecode::transformed(const TimecodeTransformer& transformer) const {
    if (!transformer.enabled) {
        return *this;
    }
    Timecode current = *this;
    for (const TimecodeTransformer::Transform& transform : transformer.transforms) {
        std::visit(
            [&current](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, TimecodeTransformer::Transform::Function>) {
                    if (value) {
                        current = value(current);
                    }
                } else if constexpr (std::is_same_v<T, TimecodeInterval>) {
                    Timecode offset = value.absoluteInterval();
                    if (offset.frameRate() != current.frameRate()) {
                        // Through real time at the magnitude's own rate; skipped when that
                        // moment has no timecode at the current rate.
                        const double seconds = offset.frameCount().doubleValue() *
                                               (1.0 / offset.frameRate().realTimeRate());
                        try {
                            offset =
                                Timecode(TimecodeSourceValue::seconds(seconds),
                                         Properties(current.frameRate(), offset.subFramesBase(),
                                                    offset.upperLimit()));
                        } catch (const TimecodeValidationError&) {
                            return;
                        }
                    }
                    current = value.isNegative() ? current.subtractingWrapping(offset)
                                                 : current.addingWrapping(offset);
                }
            },
            transform.value());
    }
    return current;
}

} // namespace dovovevozav
