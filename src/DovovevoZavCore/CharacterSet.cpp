#include "DovovevoZavCore/CharacterSet.h"

#include <algorithm>
#include <cstdint>
#include <unicode/utf8.h>

namespace dovovevozav {

namespace {

/// Calls `visit` with each scalar of UTF-8 text while it returns true; ill-formed sequences
/// give U+FFFD. Returns false when `visit` stopped the walk.
template <class Visit>
bool forEachScalar(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t index = 0;
    while (index < text.size()) {
        // A scalar takes at most four bytes; the window keeps ICU's offsets within 32 bits.
        const auto window =
            static_cast<std::int32_t>(std::min<std::size_t>(text.size() - index, 4));
        std::int32_t offset = 0;
        UChar32 scalar = 0;
        U8_NEXT_OR_FFFD(bytes + index, offset, window, scalar);
        index += static_cast<std::size_t>(offset);
        if (!visit(static_cast<char32_t>(scalar))) {
            return false;
        }
    }
    return true;
}

} // namespace

CharacterSet::CharacterSet(std::initializer_list<std::string_view> strings) {
    for (const std::string_view text : strings) {
        forEachScalar(text, [this](char32_t scalar) {
            scalars_.insert(scalar);
            return true;
        });
    }
}

CharacterSet CharacterSet::united(const CharacterSet& other) const {
    CharacterSet result = *this;
    result.formUnion(other);
    return result;
}

void CharacterSet::formUnion(const CharacterSet& other) {
    scalars_.insert(other.scalars_.begin(), other.scalars_.end());
}

CharacterSet CharacterSet::subtracting(const CharacterSet& other) const {
    CharacterSet result = *this;
    result.subtract(other);
    return result;
}

void CharacterSet::subtract(const CharacterSet& other) {
    for (const char32_t scalar : other.scalars_) {
        scalars_.erase(scalar);
    }
}

bool allScalars(std::string_view text, const CharacterSet& set) {
    return forEachScalar(text, [&set](char32_t scalar) { return set.contains(scalar); });
}

} // namespace dovovevozav
