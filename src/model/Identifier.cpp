#include "model/Identifier.h"

#include <array>
#include <cstdint>
#include <random>

namespace marrowvale {

namespace {

// A version 4 UUID written with the given sixteen hexadecimal digits.
std::string uuidText(const char (&hex)[17]) {
    std::random_device entropy;
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::uint32_t word = entropy();
        for (std::size_t j = 0; j < 4; ++j) {
            bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
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

} // namespace

std::string makeUUID() {
    return uuidText("0123456789abcdef");
}

std::string makeUpperCaseUUID() {
    return uuidText("0123456789ABCDEF");
}

std::string makeIdentifier(std::string_view prefix) {
    return std::string(prefix) + makeUUID();
}

} // namespace marrowvale
