#include "xlsxwriter/LibraryText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unicode/utf8.h>

namespace marrowvale {

namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

/// Length of the well-formed UTF-8 sequence at the start of text, or 0 when it is malformed.
/// On malformed input, badLength receives the length of its maximal ill-formed subpart, which
/// becomes one replacement character (ICU's decoder follows that usual practice).
std::size_t sequenceLength(std::string_view text, std::size_t& badLength) noexcept {
    // A scalar takes at most four bytes; the window keeps ICU's offsets within 32 bits.
    const auto window = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), 4));
    std::int32_t offset = 0;
    UChar32 scalar = 0;
    U8_NEXT(reinterpret_cast<const std::uint8_t*>(text.data()), offset, window, scalar);
    badLength = static_cast<std::size_t>(offset);
    return scalar < 0 ? 0 : badLength;
}

} // namespace

std::size_t LibraryText::firstMalformedByte(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size()) {
        // Plain ASCII is by far the common case; skip it eight bytes at a time.
        while (i + 8 <= text.size()) {
            std::uint64_t block;
            std::memcpy(&block, text.data() + i, sizeof block);
            if ((block & 0x8080808080808080ULL) != 0) {
                break;
            }
            i += 8;
        }
        if (i >= text.size()) {
            break;
        }
        std::size_t bad = 0;
        const std::size_t length = sequenceLength(text.substr(i), bad);
        if (length == 0) {
            return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

std::string LibraryText::repaired(std::string_view text, std::size_t maxBytes) {
    std::string out;
    out.reserve(text.size() < maxBytes ? text.size() : maxBytes);
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t bad = 0;
        const std::size_t length = sequenceLength(text.substr(i), bad);
        const std::string_view chunk = length == 0 ? replacementCharacter : text.substr(i, length);
        if (chunk.size() > maxBytes - out.size()) {
            break;
        }
        out.append(chunk);
        i += length == 0 ? bad : length;
    }
    return out;
}

LibraryText::LibraryText(const std::string& text, std::size_t maxBytes) {
    prepare(text, text.c_str(), maxBytes);
}

LibraryText::LibraryText(std::string_view text, std::size_t maxBytes) {
    prepare(text, nullptr, maxBytes);
}

LibraryText::LibraryText(const char* text, std::size_t maxBytes) {
    if (text != nullptr) {
        prepare(text, text, maxBytes);
    }
}

void LibraryText::prepare(std::string_view text, const char* terminated, std::size_t maxBytes) {
    if (terminated != nullptr && text.size() <= maxBytes &&
        firstMalformedByte(text) == std::string_view::npos) {
        data_ = terminated;
        size_ = text.size();
        return;
    }
    owned_ = repaired(text, maxBytes);
    data_ = owned_.c_str();
    size_ = owned_.size();
}

} // namespace marrowvale
