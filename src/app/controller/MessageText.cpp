#include "app/controller/MessageText.h"

#include <algorithm>
#include <cstdint>
#include <unicode/utf8.h>

namespace marrowvale {

std::string validUTF8(std::string_view text) {
    constexpr std::string_view replacement = "\xEF\xBF\xBD";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::string valid;
    valid.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
        if (bytes[index] < 0x80) {
            valid += text[index++];
            continue;
        }
        // A scalar takes at most four bytes; the window keeps ICU's offsets within 32 bits. On
        // an ill-formed sequence ICU steps over its maximal ill-formed part.
        const auto window =
            static_cast<std::int32_t>(std::min<std::size_t>(text.size() - index, 4));
        std::int32_t length = 0;
        UChar32 scalar = 0;
        U8_NEXT(bytes + index, length, window, scalar);
        if (scalar < 0) {
            valid += replacement;
        } else {
            valid.append(text.substr(index, static_cast<std::size_t>(length)));
        }
        index += static_cast<std::size_t>(length);
    }
    return valid;
}

} // namespace marrowvale
