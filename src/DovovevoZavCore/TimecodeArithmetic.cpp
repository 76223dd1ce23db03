#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeAlignment.h"
#include "DovovevoZavCore/TimecodeCounting.h"
#include "DovovevoZavCore/TimecodeWrappingKernels.h"

#include <cmath>
#include <type_traits>
#include <variant>

namespace dovovevozav {

namespace {

using Rule = TimecodeValidationRule;

[[noreturn]] void throwOutOfBounds() {
    throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
}

/// The operand's components as the receiver counts them. Sources are applied at the
/// receiver's properties (their errors are thrown); timecodes, also those of rich sources,
/// are aligned to the receiver's rate and base.
TimecodeComponents operandComponents(const Timecode& receiver, const TimecodeOperand& operand) {
    return std::visit(
        [&receiver](const auto& value) -> TimecodeComponents {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, const Timecode*>) {
                return detail::alignedComponents(receiver, *value);
            } else if constexpr (std::is_same_v<T, TimecodeComponents>) {
                return value;
            } else if constexpr (std::is_same_v<T, RichTimecodeSourceValue> ||
                                 std::is_same_v<T, GuaranteedRichTimecodeSourceValue>) {
                return detail::alignedComponents(receiver, Timecode(value));
            } else {
                return Timecode(value, receiver.properties()).components();
            }
        },
        operand.value());
}

/// Components of a subframe count under a rule (the rule of the general arithmetic: both
/// clamping rules clamp the total).
TimecodeComponents componentsByRule(__int128 count, const TimecodeProperties& properties,
                                    Rule rule) {
    switch (rule) {
    case Rule::clamping:
    case Rule::clampingComponents:
        return detail::clampedComponents(count, properties);
    case Rule::wrapping:
        return detail::wrappedComponents(count, properties);
    case Rule::allowingInvalid:
        break;
    }
    return detail::componentsOfSubFrameCount(count, properties);
}

/// Components of an exact count, or outOfBounds when it leaves the span or a component is out
/// of range.
TimecodeComponents exactComponents(__int128 count, const TimecodeProperties& properties) {
    if (count < 0 || count > properties.spanSubFrames() - 1) {
        throwOutOfBounds();
    }
    const TimecodeComponents components = detail::componentsOfSubFrameCount(count, properties);
    if (!components.outOfRangeComponents(properties).empty()) {
        throwOutOfBounds();
    }
    return components;
}

/// A scaled count as a whole subframe count within the range __int128 carries safely.
__int128 truncatedCount(double product) {
    constexpr double limit = 1e36;
    if (std::isnan(product)) {
        return 0;
    }
    const double clamped = std::fmax(-limit, std::fmin(limit, std::trunc(product)));
    return static_cast<__int128>(clamped);
}

TimecodeComponents scaledByRule(double product, const TimecodeProperties& properties, Rule rule) {
    switch (rule) {
    case Rule::clamping:
    case Rule::clampingComponents: {
        // Compared as floats first so that infinite products clamp too.
        const double last = static_cast<double>(properties.spanSubFrames() - 1);
        const double whole = std::trunc(product);
        if (std::isnan(whole) || whole < 1) {
            return detail::clampedComponents(0, properties);
        }
        return detail::clampedComponents(whole > last ? properties.spanSubFrames() - 1
                                                      : static_cast<__int128>(whole),
                                         properties);
    }
    case Rule::wrapping:
        return detail::wrappingScaled(product, properties);
    case Rule::allowingInvalid:
        break;
    }
    return detail::componentsOfSubFrameCount(truncatedCount(product), properties);
}

TimecodeComponents scaledExactly(double product, const TimecodeProperties& properties) {
    if (std::isnan(product) || product < 0 ||
        product > static_cast<double>(properties.spanSubFrames() - 1)) {
        throwOutOfBounds();
    }
    return exactComponents(static_cast<__int128>(std::trunc(product)), properties);
}

double countOf(const TimecodeComponents& components, const TimecodeProperties& properties) {
    return static_cast<double>(detail::subFrameCount(components, properties));
}

} // namespace

Timecode Timecode::adding(const TimecodeOperand& operand) const {
    const TimecodeComponents right = operandComponents(*this, operand);
    Timecode result = *this;
    result.components_ = exactComponents(detail::subFrameCount(components_, properties_) +
                                             detail::subFrameCount(right, properties_),
                                         properties_);
    return result;
}

Timecode Timecode::adding(const TimecodeOperand& operand, ValidationRule rule) const {
    const TimecodeComponents right = operandComponents(*this, operand);
    Timecode result = *this;
    result.components_ = componentsByRule(detail::subFrameCount(components_, properties_) +
                                              detail::subFrameCount(right, properties_),
                                          properties_, rule);
    return result;
}

void Timecode::add(const TimecodeOperand& operand) {
    *this = adding(operand);
}

void Timecode::add(const TimecodeOperand& operand, ValidationRule rule) {
    *this = adding(operand, rule);
}

Timecode Timecode::subtracting(const TimecodeOperand& operand) const {
    const TimecodeComponents right = operandComponents(*this, operand);
    Timecode result = *this;
    result.components_ = exactComponents(detail::subFrameCount(components_, properties_) -
                                             detail::subFrameCount(right, properties_),
                                         properties_);
    return result;
}

Timecode Timecode::subtracting(const TimecodeOperand& operand, ValidationRule rule) const {
    const TimecodeComponents right = operandComponents(*this, operand);
    Timecode result = *this;
    result.components_ = componentsByRule(detail::subFrameCount(components_, properties_) -
                                              detail::subFrameCount(right, properties_),
                                          properties_, rule);
    return result;
}

void Timecode::subtract(const TimecodeOperand& operand) {
    *this = subtracting(operand);
}

void Timecode::subtract(const TimecodeOperand& operand, ValidationRule rule) {
    *this = subtracting(operand, rule);
}

Timecode Timecode::multiplying(double factor) const {
    Timecode result = *this;
    result.components_ = scaledExactly(countOf(components_, properties_) * factor, properties_);
    return result;
}

Timecode Timecode::multiplying(double factor, ValidationRule rule) const {
    Timecode result = *this;
    result.components_ =
        scaledByRule(countOf(components_, properties_) * factor, properties_, rule);
    return result;
}

Timecode Timecode::dividing(double divisor) const {
    Timecode result = *this;
    result.components_ = scaledExactly(countOf(components_, properties_) / divisor, properties_);
    return result;
}

Timecode Timecode::dividing(double divisor, ValidationRule rule) const {
    Timecode result = *this;
    result.components_ =
        scaledByRule(countOf(components_, properties_) / divisor, properties_, rule);
    return result;
}

double Timecode::ratio(const Components& components) const {
    const double quotient = countOf(components_, properties_) / countOf(components, properties_);
    if (quotient < 0 || quotient > static_cast<double>(properties_.spanSubFrames() - 1)) {
        throwOutOfBounds();
    }
    return quotient; // 0 / 0 is not a number and passes both tests
}

double Timecode::ratio(const Timecode& other) const {
    return ratio(detail::alignedComponents(*this, other));
}

std::optional<double> Timecode::ratioIfValid(const Timecode& other) const {
    try {
        return ratio(other);
    } catch (const TimecodeValidationError&) {
        return std::nullopt;
    }
}

void Timecode::roundUp(Component component) {
    const std::size_t index = component.index();
    bool finerAboveZero = false;
    for (const Component finer : Component::allCases()) {
        if (finer.index() > index && components_.value(finer) > 0) {
            finerAboveZero = true;
        }
    }
    if (!finerAboveZero) {
        return;
    }
    Components unit;
    unit.setValue(component, 1);
    Timecode result = adding(unit);
    for (const Component finer : Component::allCases()) {
        if (finer.index() > index) {
            result.components_.setValue(finer, 0);
        }
    }
    *this = result;
}

Timecode Timecode::roundedUp(Component component) const {
    Timecode result = *this;
    result.roundUp(component);
    return result;
}

void Timecode::roundDown(Component component) {
    for (const Component finer : Component::allCases()) {
        if (finer.index() > component.index() && components_.value(finer) > 0) {
            components_.setValue(finer, 0);
        }
    }
}

Timecode Timecode::roundedDown(Component component) const {
    Timecode result = *this;
    result.roundDown(component);
    return result;
}

} // namespace dovovevozav
