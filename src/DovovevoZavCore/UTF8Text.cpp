#include "DovovevoZavCore/UTF8Text.h"

#include <algorithm>
#include <cstdint>
#include <unicode/utf8.h>

namespace dovovevozav {

bool isValidUTF8(std::string_view text) noexcept {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t index = 0;
    while (index < text.size()) {
        if (bytes[index] < 0x80) {
            ++index;
            continue;
        }
        // A scalar takes at most four bytes; the window keeps ICU's offsets within 32 bits.
        const auto window =
            static_cast<std::int32_t>(std::min<std::size_t>(text.size() - index, 4));
        std::int32_t offset = 0;
        UChar32 scalar = 0;
        U8_NEXT(bytes + index, offset, window, scalar);
        if (scalar < 0) {
            return false;
        }
        index += static_cast<std::size_t>(offset);
    }
    return true;
}

} // namespace dovovevozav
