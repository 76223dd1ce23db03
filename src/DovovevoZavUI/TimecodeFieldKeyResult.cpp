#include "DovovevoZavUI/TimecodeFieldKeyResult.h"

namespace dovovevozav {

std::string TimecodeFieldKeyResult::description() const {
    std::string text = "<" + std::string(rawValue(result));
    if (updateFocus) {
        text += " " + std::string(rawValue(*updateFocus));
    }
    if (rejection) {
        text += " " + std::string(rawValue(*rejection));
    }
    return text + ">";
}

std::string TimecodeFieldKeyResult::debugDescription() const {
    return "KeyResult" + description();
}

} // namespace dovovevozav
