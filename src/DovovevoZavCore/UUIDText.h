#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Header-only so that the model's identifiers are written by the same rule without linking the
// timecode core (CMake target dovovevozav_header_only).
namespace dovovevozav {

/// A fresh random (version 4) UUID in its 36-character hyphenated form, its sixteen bytes drawn
/// from `generator` (any generator whose words use their whole range, such as std::mt19937_64 or
/// std::random_device), with upper-case hexadecimal digits when `upperCase`, else lower-case.
template <class Generator>
std::string randomUUIDText(Generator& generator, bool upperCase) {
    using Word = typename Generator::result_type;
    static_assert(16 % sizeof(Word) == 0, "the generator's words must fill sixteen bytes");
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += sizeof(Word)) {
        const Word word = generator();
        for (std::size_t j = 0; j < sizeof(Word); ++j) {
            bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    const char* hex = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text += '-';
        }
        text += hex[bytes[i] >> 4];
        text += hex[bytes[i] & 0x0F];
    }
    return text;
}

} // namespace dovovevozav
