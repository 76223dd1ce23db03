#include "DovovevoZavCore/Timecode.h"

#include "DovovevoZavCore/TimecodeCounting.h"

#include <cstdint>

namespace dovovevozav {

// ---- Making ----

Timecode::Timecode(const Properties& properties) : properties_(properties) {}

Timecode::Timecode(const TimecodeSourceValue& source, const Properties& properties)
    : properties_(properties) {
    source.apply(*this);
}

Timecode::Timecode(const TimecodeSourceValue& source, const Properties& properties,
                   ValidationRule rule)
    : properties_(properties) {
    source.apply(*this, rule);
}

Timecode::Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties)
    : properties_(properties) {
    source.apply(*this);
}

Timecode::Timecode(const FormattedTimecodeSourceValue& source, const Properties& properties,
                   ValidationRule rule)
    : properties_(properties) {
    source.apply(*this, rule);
}

Timecode::Timecode(const GuaranteedTimecodeSourceValue& source, const Properties& properties)
    : properties_(properties) {
    source.apply(*this);
}

Timecode::Timecode(const RichTimecodeSourceValue& source) {
    source.apply(*this);
}

Timecode::Timecode(const RichTimecodeSourceValue& source, ValidationRule rule) {
    source.apply(*this, rule);
}

Timecode::Timecode(const GuaranteedRichTimecodeSourceValue& source) {
    source.apply(*this);
}

// ---- Setting ----
// Sources are applied to a copy that replaces this timecode only once the source succeeded,
// whatever the source does on its way to failing.

void Timecode::set(const TimecodeSourceValue& source) {
    *this = setting(source);
}

void Timecode::set(const TimecodeSourceValue& source, ValidationRule rule) {
    *this = setting(source, rule);
}

void Timecode::set(const FormattedTimecodeSourceValue& source) {
    *this = setting(source);
}

void Timecode::set(const FormattedTimecodeSourceValue& source, ValidationRule rule) {
    *this = setting(source, rule);
}

void Timecode::set(const GuaranteedTimecodeSourceValue& source) {
    *this = setting(source);
}

void Timecode::set(const RichTimecodeSourceValue& source) {
    *this = setting(source);
}

void Timecode::set(const RichTimecodeSourceValue& source, ValidationRule rule) {
    *this = setting(source, rule);
}

void Timecode::set(const GuaranteedRichTimecodeSourceValue& source) {
    *this = setting(source);
}

Timecode Timecode::setting(const TimecodeSourceValue& source) const {
    Timecode copy = *this;
    source.apply(copy);
    return copy;
}

Timecode Timecode::setting(const TimecodeSourceValue& source, ValidationRule rule) const {
    Timecode copy = *this;
    source.apply(copy, rule);
    return copy;
}

Timecode Timecode::setting(const FormattedTimecodeSourceValue& source) const {
    Timecode copy = *this;
    source.apply(copy);
    return copy;
}

Timecode Timecode::setting(const FormattedTimecodeSourceValue& source, ValidationRule rule) const {
    Timecode copy = *this;
    source.apply(copy, rule);
    return copy;
}

Timecode Timecode::setting(const GuaranteedTimecodeSourceValue& source) const {
    Timecode copy = *this;
    source.apply(copy);
    return copy;
}

Timecode Timecode::setting(const RichTimecodeSourceValue& source) const {
    Timecode copy = *this;
    source.apply(copy);
    return copy;
}

Timecode Timecode::setting(const RichTimecodeSourceValue& source, ValidationRule rule) const {
    Timecode copy = *this;
    source.apply(copy, rule);
    return copy;
}

Timecode Timecode::setting(const GuaranteedRichTimecodeSourceValue& source) const {
    Timecode copy = *this;
    source.apply(copy);
    return copy;
}

// ---- Validity ----

namespace {

// Digits of the magnitude; the smallest 64-bit value is handled through unsigned arithmetic.
int digitCount(std::int64_t value) {
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    int count = 1;
    while (magnitude >= 10) {
        magnitude /= 10;
        ++count;
    }
    return count;
}

} // namespace

Timecode::ComponentRange Timecode::allowedRange(Component component) const {
    return allowedRange(component, components_, properties_.frameRate, properties_.subFramesBase,
                        properties_.upperLimit);
}

Timecode::ComponentRange Timecode::allowedRange(Component component, const Components& components,
                                                TimecodeFrameRate frameRate,
                                                SubFramesBase subFramesBase,
                                                UpperLimit upperLimit) {
    switch (component.value()) {
    case Component::days:
        return {0, upperLimit.maxDays()};
    case Component::hours:
        return {0, 23};
    case Component::minutes:
    case Component::seconds:
        return {0, 59};
    case Component::frames:
        return {detail::lowestFrameNumber(frameRate, components.minutes, components.seconds),
                frameRate.highestFrameNumber()};
    case Component::subFrames:
        return {0, subFramesBase.lastSubFrameValue()};
    }
    return {0, 0};
}

Timecode::ComponentSet Timecode::invalidComponents() const {
    return components_.outOfRangeComponents(properties_);
}

bool Timecode::fitsDigitCounts() const {
    for (const Component component : Component::allCases()) {
        if (digitCount(components_.value(component)) >
            component.digitCount(properties_.frameRate, properties_.subFramesBase)) {
            return false;
        }
    }
    return true;
}

void Timecode::clampComponents() {
    for (const Component component :
         {Component::days, Component::hours, Component::minutes, Component::seconds,
          Component::frames, Component::subFrames}) {
        // Frames are clamped after minutes and seconds, whose clamped values they depend on.
        components_.setValue(component,
                             allowedRange(component).clamp(components_.value(component)));
    }
}

} // namespace dovovevozav
