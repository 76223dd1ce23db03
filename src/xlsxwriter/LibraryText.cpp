#include "xlsxwriter/LibraryText.h"

#include <cstdint>
#include <cstring>

namespace marrowvale {

namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

/// Length of the well-formed UTF-8 sequence at the start of text, or 0 when it is malformed.
/// On malformed input, badLength receives the length of its maximal ill-formed subpart, which
/// becomes one replacement character (the usual practice for UTF-8 decoders).
std::size_t sequenceLength(std::string_view text, std::size_t& badLength) noexcept {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    badLength = 1;
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) {
            low = 0xA0; // overlong
        } else if (lead == 0xED) {
            high = 0x9F; // surrogates
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) {
            low = 0x90; // overlong
        } else if (lead == 0xF4) {
            high = 0x8F; // beyond U+10FFFF
        }
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= text.size()) {
            return 0;
        }
        const std::uint8_t next = byte(i);
        const bool valid = i == 1 ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
        if (!valid) {
            return 0;
        }
        badLength = i + 1;
    }
    return length;
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
