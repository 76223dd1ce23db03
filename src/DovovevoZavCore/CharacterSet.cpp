#include "DovovevoZavCore/CharacterSet.h"

#include <algorithm>
#include <cstdint>
#include <unicode/utf8.h>

namespace dovovevozav {

namespace {

/// Calls `visit` with each scalar of UTF-8 text; ill-formed sequences give U+FFFD.
template <class Visit>
bool forEachScalar(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int64_t>(text.size());
    std::int64_t index = 0;
    while (index < length) {
        UChar32 scalar = 0;
        // U8_NEXT_OR_FFFD takes 32-bit offsets; walk in chunks to stay within them.
        std::int32_t offset = 0;
        const auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(length - index, 4));
        U8_NEXT_OR_FFFD(bytes + index, offset, chunk, scalar);
        index += offset;
        if (!visit(static_cast<char32_t>(scalar))) {
            return false;
        }
    }
    return true;
}

} // namespace

CharacterSet::CharacterSet(std::initializer_list<std::string_view> strings) {
    for (std::string_view text : strings) {
        forEachScalar(text, [this](char32_t scalar) {
            scalars_.insert(scalar);
            return true;
        });
    }
}

CharacterSet CharacterSet::united(const CharacterSet& other) const {
    CharacterSet out = *this;
    out.formUnion(other);
    return out;
}

void CharacterSet::formUnion(const CharacterSet& other) {
    scalars_.insert(other.scalars_.begin(), other.scalars_.end());
}

CharacterSet CharacterSet::subtracting(const CharacterSet& other) const {
    CharacterSet out = *this;
    out.subtract(other);
    return out;
}

void CharacterSet::subtract(const CharacterSet& other) {
    for (char32_t scalar : other.scalars_) {
        scalars_.erase(scalar);
    }
}

bool allScalars(std::string_view text, const CharacterSet& set) {
    return forEachScalar(text, [&set](char32_t scalar) { return set.contains(scalar); });
}

} // namespace dovovevozav
