#include "DovovevoZavCore/ContentType.h"

#include <algorithm>

namespace dovovevozav {

bool ContentType::conforms(std::string_view identifier) const {
    return identifier == identifier_ ||
           std::find(conformsTo_.begin(), conformsTo_.end(), identifier) != conformsTo_.end();
}

const ContentType& ContentType::data() {
    static const ContentType type("public.data", {});
    return type;
}

const ContentType& ContentType::utf8PlainText() {
    static const ContentType type("public.utf8-plain-text",
                                  {"public.plain-text", "public.text", "public.data"});
    return type;
}

const ContentType& ContentType::timecode() {
    static const ContentType type("com.fernhollow.DovovevoZav.timecode", {"public.data"});
    return type;
}

} // namespace dovovevozav
