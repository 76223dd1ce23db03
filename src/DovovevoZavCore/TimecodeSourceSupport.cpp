#include "DovovevoZavCore/TimecodeSourceSupport.h"

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeCounting.h"

namespace dovovevozav::detail {

void storeCheckedComponents(Timecode& target, const TimecodeComponents& components) {
    if (!components.outOfRangeComponents(target.properties()).empty()) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
    target.setComponents(components);
}

void storeComponentsByRule(Timecode& target, const TimecodeComponents& components,
                           TimecodeValidationRule rule) {
    switch (rule) {
    case TimecodeValidationRule::clamping:
        target.setComponents(
            clampedComponents(subFrameCount(components, target.properties()), target.properties()));
        return;
    case TimecodeValidationRule::clampingComponents:
        target.setComponents(components);
        target.clampComponents();
        return;
    case TimecodeValidationRule::wrapping:
        target.setComponents(
            wrappedComponents(subFrameCount(components, target.properties()), target.properties()));
        return;
    case TimecodeValidationRule::allowingInvalid:
        target.setComponents(components);
        return;
    }
}

void storeCheckedFrames(Timecode& target, const std::optional<ExactFrames>& frames) {
    if (!frames) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
    const __int128 count = frames->subFrameCount(target.subFramesBase());
    if (count < 0 || count > target.lastSubFrameCountOfSpan()) {
        throw TimecodeValidationError(TimecodeValidationError::outOfBounds);
    }
    target.setComponents(componentsOf(*frames, target.frameRate(), target.subFramesBase()));
}

void storeFramesByRule(Timecode& target, const ExactFrames& frames, TimecodeValidationRule rule) {
    const TimecodeProperties& properties = target.properties();
    switch (rule) {
    case TimecodeValidationRule::clamping:
    case TimecodeValidationRule::clampingComponents:
        target.setComponents(
            clampedComponents(frames.subFrameCount(properties.subFramesBase), properties));
        return;
    case TimecodeValidationRule::wrapping:
        target.setComponents(
            wrappedComponents(frames.subFrameCount(properties.subFramesBase), properties));
        return;
    case TimecodeValidationRule::allowingInvalid:
        target.setComponents(componentsOf(frames, properties.frameRate, properties.subFramesBase));
        return;
    }
}

} // namespace dovovevozav::detail
