#pragma once

#include "DovovevoZavUI/RawTextEnumeration.h"
#include "DovovevoZavUI/TimecodeFieldInputRejectionFeedback.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dovovevozav {

/// What a key press did in a timecode component: whether the component consumed it, passed
/// it on or asks the field for its Escape or Return action; whether focus should move to a
/// neighbouring component; and why the key was refused, if it was.
struct TimecodeFieldKeyResult {
    enum class Result { handled, ignored, performEscapeAction, performReturnAction };
    enum class FocusResult { focusPreviousComponent, focusNextComponent };

    Result result = Result::handled;
    /// None: focus stays.
    std::optional<FocusResult> updateFocus;
    /// None: nothing was refused.
    std::optional<TimecodeFieldInputRejectionFeedback::Reason> rejection;

    /// "<handled>", "<handled focusNextComponent>", "<ignored undefinedKey>": the result, then
    /// the focus move and the refusal when present.
    std::string description() const;
    /// "KeyResult" followed by the description.
    std::string debugDescription() const;

    friend bool operator==(const TimecodeFieldKeyResult&, const TimecodeFieldKeyResult&) = default;
};

template <>
struct RawTexts<TimecodeFieldKeyResult::Result> {
    static constexpr std::array<std::string_view, 4> texts = {
        "handled", "ignored", "performEscapeAction", "performReturnAction"};
};

template <>
struct RawTexts<TimecodeFieldKeyResult::FocusResult> {
    static constexpr std::array<std::string_view, 2> texts = {"focusPreviousComponent",
                                                              "focusNextComponent"};
};

} // namespace dovovevozav
