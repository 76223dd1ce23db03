#include "DovovevoZavCore/TimecodeComponents.h"

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeCounting.h"
#include "DovovevoZavCore/TimecodeSourceSupport.h"

#include <algorithm>
#include <random>

namespace dovovevozav {

namespace {

std::int64_t drawUniform(std::random_device& device, const TimecodeComponentRange& range) {
    std::uniform_int_distribution<std::int64_t> distribution(
        std::min(range.lowerBound, range.upperBound), std::max(range.lowerBound, range.upperBound));
    return distribution(device);
}

} // namespace

std::int64_t TimecodeComponents::value(TimecodeComponent component) const {
    switch (component.value()) {
    case TimecodeComponent::days:
        return days;
    case TimecodeComponent::hours:
        return hours;
    case TimecodeComponent::minutes:
        return minutes;
    case TimecodeComponent::seconds:
        return seconds;
    case TimecodeComponent::frames:
        return frames;
    case TimecodeComponent::subFrames:
        return subFrames;
    }
    return 0;
}

void TimecodeComponents::setValue(TimecodeComponent component, std::int64_t value) {
    switch (component.value()) {
    case TimecodeComponent::days:
        days = value;
        return;
    case TimecodeComponent::hours:
        hours = value;
        return;
    case TimecodeComponent::minutes:
        minutes = value;
        return;
    case TimecodeComponent::seconds:
        seconds = value;
        return;
    case TimecodeComponent::frames:
        frames = value;
        return;
    case TimecodeComponent::subFrames:
        subFrames = value;
        return;
    }
}

std::map<TimecodeComponent, std::int64_t> TimecodeComponents::dictionary() const {
    std::map<TimecodeComponent, std::int64_t> result;
    for (const TimecodeComponent component : TimecodeComponent::allCases()) {
        result.emplace(component, value(component));
    }
    return result;
}

void TimecodeComponents::setDictionary(const std::map<TimecodeComponent, std::int64_t>& entries) {
    for (const auto& [component, entry] : entries) {
        setValue(component, entry);
    }
}

TimecodeComponents
TimecodeComponents::fromDictionary(const std::map<TimecodeComponent, std::int64_t>& entries) {
    TimecodeComponents result;
    result.setDictionary(entries);
    return result;
}

std::vector<TimecodeComponents::Pair> TimecodeComponents::pairs() const {
    std::vector<Pair> result;
    for (const TimecodeComponent component : TimecodeComponent::allCases()) {
        result.push_back({component, value(component)});
    }
    return result;
}

void TimecodeComponents::setPairs(const std::vector<Pair>& pairs) {
    for (const Pair& pair : pairs) {
        setValue(pair.component, pair.value);
    }
}

TimecodeComponents TimecodeComponents::fromPairs(const std::vector<Pair>& pairs) {
    TimecodeComponents result;
    result.setPairs(pairs);
    return result;
}

TimecodeComponentSet
TimecodeComponents::outOfRangeComponents(const TimecodeProperties& properties) const {
    // Reading the fixed-range components as unsigned makes every negative value too large.
    const auto asUnsigned = [](std::int64_t value) { return static_cast<std::uint64_t>(value); };
    TimecodeComponentSet result;
    if (asUnsigned(days) > static_cast<std::uint64_t>(properties.upperLimit.maxDays())) {
        result.insert(TimecodeComponent::days);
    }
    if (asUnsigned(hours) >= 24) {
        result.insert(TimecodeComponent::hours);
    }
    if (asUnsigned(minutes) >= 60) {
        result.insert(TimecodeComponent::minutes);
    }
    if (asUnsigned(seconds) >= 60) {
        result.insert(TimecodeComponent::seconds);
    }
    if (frames < detail::lowestFrameNumber(properties.frameRate, minutes, seconds) ||
        frames > properties.frameRate.highestFrameNumber()) {
        result.insert(TimecodeComponent::frames);
    }
    if (asUnsigned(subFrames) >
        static_cast<std::uint64_t>(properties.subFramesBase.lastSubFrameValue())) {
        result.insert(TimecodeComponent::subFrames);
    }
    return result;
}

TimecodeComponents TimecodeComponents::random(const TimecodeComponentRanges& ranges) {
    std::random_device device;
    TimecodeComponents result;
    result.days = drawUniform(device, ranges.days);
    result.hours = drawUniform(device, ranges.hours);
    result.minutes = drawUniform(device, ranges.minutes);
    result.seconds = drawUniform(device, ranges.seconds);
    result.frames = drawUniform(device, ranges.frames);
    result.subFrames = drawUniform(device, ranges.subFrames);
    return result;
}

TimecodeComponents TimecodeComponents::random(const TimecodeProperties& properties) {
    std::random_device device;
    TimecodeComponents result;
    result.days = drawUniform(device, {0, properties.upperLimit.maxDays()});
    result.hours = drawUniform(device, {0, 23});
    result.minutes = drawUniform(device, {0, 59});
    result.seconds = drawUniform(device, {0, 59});
    result.frames = drawUniform(
        device, {detail::lowestFrameNumber(properties.frameRate, result.minutes, result.seconds),
                 properties.frameRate.highestFrameNumber()});
    result.subFrames = drawUniform(device, {0, properties.subFramesBase.lastSubFrameValue()});
    return result;
}

void TimecodeComponents::apply(Timecode& target) const {
    detail::storeCheckedComponents(target, *this);
}

void TimecodeComponents::apply(Timecode& target, TimecodeValidationRule rule) const {
    detail::storeComponentsByRule(target, *this, rule);
}

} // namespace dovovevozav
