#include "DovovevoZavUI/TimecodeFieldAction.h"

namespace dovovevozav {

std::string TimecodeFieldAction::rawValue() const {
    switch (kind_) {
    case Kind::resetComponentFocus:
        return component_ ? "resetComponentFocus-to-" + std::string(component_->name())
                          : std::string("resetComponentFocus");
    case Kind::endEditing:
        return "endEditing";
    case Kind::focusNextComponent:
        break;
    }
    return "focusNextComponent";
}

std::optional<TimecodeFieldAction> TimecodeFieldAction::fromRawValue(std::string_view text) {
    for (const TimecodeFieldAction& action : allCases()) {
        if (action.rawValue() == text) {
            return action;
        }
    }
    return std::nullopt;
}

const std::vector<TimecodeFieldAction>& TimecodeFieldAction::allCases() {
    static const std::vector<TimecodeFieldAction> cases = [] {
        std::vector<TimecodeFieldAction> list{endEditing(), focusNextComponent()};
        for (const TimecodeComponent component : TimecodeComponent::allCases()) {
            list.push_back(resetComponentFocus(component));
        }
        return list;
    }();
    return cases;
}

} // namespace dovovevozav
