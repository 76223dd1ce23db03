#pragma once

#include "DovovevoZavCore/TimecodeComponent.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovovevozav {

/// What a timecode field does when Return or Escape is pressed in one of its components.
/// Its raw text names the case, and for a focus reset to a component also the component
/// ("resetComponentFocus-to-frames"); actions are equal when their raw texts are.
class TimecodeFieldAction {
public:
    enum class Kind {
        /// Focus goes to the given component, or to the first shown one when none is given.
        resetComponentFocus,
        /// No component keeps the focus.
        endEditing,
        /// Focus moves to the next shown component.
        focusNextComponent,
    };

    static TimecodeFieldAction
    resetComponentFocus(std::optional<TimecodeComponent> component = std::nullopt) {
        return TimecodeFieldAction(Kind::resetComponentFocus, component);
    }
    static TimecodeFieldAction endEditing() { return TimecodeFieldAction(Kind::endEditing); }
    static TimecodeFieldAction focusNextComponent() {
        return TimecodeFieldAction(Kind::focusNextComponent);
    }

    Kind kind() const { return kind_; }
    /// The component a focus reset goes to; none for the other cases.
    std::optional<TimecodeComponent> component() const { return component_; }

    /// "resetComponentFocus", "resetComponentFocus-to-<component>", "endEditing" or
    /// "focusNextComponent".
    std::string rawValue() const;
    /// The entry of allCases() whose raw text is exactly `text`; none otherwise, so
    /// "resetComponentFocus" alone gives none.
    static std::optional<TimecodeFieldAction> fromRawValue(std::string_view text);
    /// endEditing, focusNextComponent, then a focus reset to each component from days to
    /// subframes: eight entries (a reset to no particular component is not among them).
    static const std::vector<TimecodeFieldAction>& allCases();

    friend bool operator==(const TimecodeFieldAction&, const TimecodeFieldAction&) = default;

private:
    explicit TimecodeFieldAction(Kind kind,
                                 std::optional<TimecodeComponent> component = std::nullopt)
        : kind_(kind), component_(component) {}

    Kind kind_;
    std::optional<TimecodeComponent> component_;
};

} // namespace dovovevozav
