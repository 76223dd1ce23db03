#pragma once

#include "DovovevoZavUI/RawTextEnumeration.h"

#include <array>
#include <string_view>

namespace dovovevozav {

// The policies a container sets for the timecode fields below it (see TimecodeEnvironment).
// Each is a plain enumeration whose raw text is the case name; rawValue(), fromRawValue() and
// allCases() (RawTextEnumeration.h) give the texts, read them back exactly and list the cases
// in declaration order. The raw text also serves as the case's identity, in menus say.

/// How typed digits fill a component.
enum class TimecodeFieldInputStyle {
    /// Digits fill the component up to its digit count, then focus moves to the next one.
    autoAdvance,
    /// Digits scroll through the component: the last digit-count digits stand.
    continuousWithinComponent,
    /// Digits extend the value without limit; pasted values may have any number of digits.
    unbounded,
};

/// Whether moving focus past the last shown component continues at the first (and past the
/// first at the last). Stepping a value always wraps within its range, whatever this says.
enum class TimecodeFieldInputWrapping { noWrap, wrap };

/// Which properties (frame rate, subframes base, upper limit) a pasted timecode keeps.
enum class TimecodeFieldPastePolicy {
    /// The paste must be at the field's frame rate; the field keeps its properties.
    preserveLocalProperties,
    /// The field takes the pasted properties.
    allowNewProperties,
    /// The pasted components are taken at the field's properties.
    discardProperties,
};

/// Whether a component value outside its allowed range may stand.
enum class TimecodeFieldValidationPolicy { allowInvalid, enforceValid };

template <>
struct RawTexts<TimecodeFieldInputStyle> {
    static constexpr std::array<std::string_view, 3> texts = {
        "autoAdvance", "continuousWithinComponent", "unbounded"};
};

template <>
struct RawTexts<TimecodeFieldInputWrapping> {
    static constexpr std::array<std::string_view, 2> texts = {"noWrap", "wrap"};
};

template <>
struct RawTexts<TimecodeFieldPastePolicy> {
    static constexpr std::array<std::string_view, 3> texts = {
        "preserveLocalProperties", "allowNewProperties", "discardProperties"};
};

template <>
struct RawTexts<TimecodeFieldValidationPolicy> {
    static constexpr std::array<std::string_view, 2> texts = {"allowInvalid", "enforceValid"};
};

} // namespace dovovevozav
