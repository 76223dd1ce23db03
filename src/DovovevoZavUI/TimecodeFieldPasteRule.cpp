#include "DovovevoZavUI/TimecodeFieldPasteRule.h"

namespace dovovevozav {

namespace {

bool fitsDigitCounts(const Timecode::Components& components, TimecodeFrameRate frameRate,
                     TimecodeSubFramesBase subFramesBase) {
    Timecode counted(TimecodeProperties(frameRate, subFramesBase));
    counted.setComponents(components);
    return counted.fitsDigitCounts();
}

} // namespace

std::optional<Timecode> validatePastedTimecode(const Timecode& pasted,
                                               const TimecodeProperties& localProperties,
                                               TimecodeFieldPastePolicy pastePolicy,
                                               TimecodeFieldValidationPolicy validationPolicy,
                                               TimecodeFieldInputStyle inputStyle) {
    const bool enforceValid = validationPolicy == TimecodeFieldValidationPolicy::enforceValid;
    TimecodeProperties properties = localProperties;
    switch (pastePolicy) {
    case TimecodeFieldPastePolicy::preserveLocalProperties:
        if (pasted.frameRate().rawValue() != localProperties.frameRate.rawValue()) {
            return std::nullopt;
        }
        // Under enforceValid the paste keeps its own base and limit, and its components must
        // be valid at them (checked below).
        if (enforceValid) {
            properties = pasted.properties();
        }
        break;
    case TimecodeFieldPastePolicy::allowNewProperties:
        properties = pasted.properties();
        break;
    case TimecodeFieldPastePolicy::discardProperties:
        break;
    }

    if (enforceValid && !pasted.components().outOfRangeComponents(properties).empty()) {
        return std::nullopt;
    }
    if (inputStyle != TimecodeFieldInputStyle::unbounded) {
        const TimecodeProperties& counted =
            pastePolicy == TimecodeFieldPastePolicy::allowNewProperties ? pasted.properties()
                                                                        : localProperties;
        if (!fitsDigitCounts(pasted.components(), counted.frameRate, counted.subFramesBase)) {
            return std::nullopt;
        }
    }
    Timecode result(properties);
    result.setComponents(pasted.components());
    return result;
}

} // namespace dovovevozav
