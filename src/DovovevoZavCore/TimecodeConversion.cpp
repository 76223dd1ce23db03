#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeAlignment.h"

#include <cmath>

namespace dovovevozav {

Timecode Timecode::convertingFrameRate(TimecodeFrameRate frameRate,
                                       std::optional<SubFramesBase> subFramesBase,
                                       bool keepingComponents) const {
    const SubFramesBase newBase = subFramesBase.value_or(properties_.subFramesBase);
    if (frameRate == properties_.frameRate && newBase == properties_.subFramesBase) {
        return *this;
    }
    const Properties newProperties(frameRate, newBase, properties_.upperLimit);
    if (keepingComponents && components_.outOfRangeComponents(newProperties).empty()) {
        Timecode kept(newProperties);
        kept.setComponents(components_);
        return kept;
    }
    // The same moment: real time at this rate, counted again at the new one.
    return Timecode(TimecodeSourceValue::seconds(seconds()), newProperties);
}

namespace detail {

TimecodeComponents alignedComponents(const Timecode& receiver, const Timecode& other) {
    const Timecode aligned = other.frameRate() == receiver.frameRate()
                                 ? other
                                 : other.convertingFrameRate(receiver.frameRate());
    TimecodeComponents components = aligned.components();
    components.subFrames =
        aligned.subFramesBase().convert(components.subFrames, receiver.subFramesBase());
    return components;
}

std::optional<TimecodeComponents> alignedComponentsIfPossible(const Timecode& receiver,
                                                              const Timecode& other) {
    try {
        return alignedComponents(receiver, other);
    } catch (const TimecodeValidationError&) {
        return std::nullopt;
    }
}

double roundedSeconds(double seconds) {
    const double rounded = std::round(seconds * 1e9) / 1e9;
    return rounded == 0 ? 0.0 : rounded;
}

} // namespace detail

} // namespace dovovevozav
