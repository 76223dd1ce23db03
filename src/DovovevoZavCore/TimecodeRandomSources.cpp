#include "DovovevoZavCore/TimecodeRandomSources.h"

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeSourceSupport.h"

#include <cstddef>
#include <random>

namespace dovovevozav {

namespace {

template <class Container>
auto drawCase(std::random_device& device, const Container& cases) {
    std::uniform_int_distribution<std::size_t> distribution(0, cases.size() - 1);
    return cases[distribution(device)];
}

} // namespace

TimecodeProperties randomTimecodeProperties() {
    std::random_device device;
    const TimecodeUpperLimit limit = drawCase(device, TimecodeUpperLimit::allCases());
    const TimecodeSubFramesBase base = drawCase(device, TimecodeSubFramesBase::allCases());
    const TimecodeFrameRate rate = drawCase(device, TimecodeFrameRate::allCases());
    return TimecodeProperties(rate, base, limit);
}

void TimecodeSafeRandomComponents::apply(Timecode& target) const {
    target.setComponents(TimecodeComponents::random(target.properties()));
}

void TimecodeUnsafeRandomComponents::apply(Timecode& target) const {
    detail::storeCheckedComponents(target, TimecodeComponents::random(ranges));
}

void TimecodeUnsafeRandomComponents::apply(Timecode& target, TimecodeValidationRule rule) const {
    detail::storeComponentsByRule(target, TimecodeComponents::random(ranges), rule);
}

TimecodeProperties TimecodeSafeRandomComponentsAndProperties::apply(Timecode& target) const {
    const TimecodeProperties properties = randomTimecodeProperties();
    target.setProperties(properties);
    target.setComponents(TimecodeComponents::random(properties));
    return properties;
}

TimecodeProperties TimecodeUnsafeRandomComponentsAndProperties::apply(Timecode& target) const {
    Timecode result = target;
    result.setProperties(randomTimecodeProperties());
    TimecodeUnsafeRandomComponents{ranges}.apply(result);
    target = result;
    return target.properties();
}

TimecodeProperties
TimecodeUnsafeRandomComponentsAndProperties::apply(Timecode& target,
                                                   TimecodeValidationRule rule) const {
    target.setProperties(randomTimecodeProperties());
    TimecodeUnsafeRandomComponents{ranges}.apply(target, rule);
    return target.properties();
}

} // namespace dovovevozav
