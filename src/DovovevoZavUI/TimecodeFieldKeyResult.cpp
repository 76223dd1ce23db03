#include "DovovevoZavUI/TimecodeFieldKeyResult.h"

namespace dovovevozav {

std::string TimecodeFieldKeyResult::description() const {
    // Appended piecewise: g++ 12 warns falsely (-Wrestrict) on a literal plus a string here.
    std::string text = "<";
    text.append(rawValue(result));
    if (updateFocus) {
        text.append(" ").append(rawValue(*updateFocus));
    }
    if (rejection) {
        text.append(" ").append(rawValue(*rejection));
    }
    return text.append(">");
}

std::string TimecodeFieldKeyResult::debugDescription() const {
    return "KeyResult" + description();
}

} // namespace dovovevozav
