#include "model/Identifier.h"

#include <array>
#include <cstdint>
#include <random>

namespace marrowvale {

namespace {

// The calling thread's generator, seeded once from the system's entropy on first use. Opening
// the entropy source for every identifier cost a fifth of a large import; identifiers only need
// to be unique within the store, which 256 bits of seed per thread give.
std::mt19937_64& threadGenerator() {
    thread_local std::mt19937_64 generator = [] {
        std::random_device entropy;
        std::seed_seq seed{entropy(), entropy(), entropy(), entropy(),
                           entropy(), entropy(), entropy(), entropy()};
        return std::mt19937_64(seed);
    }();
    return generator;
}

// A version 4 UUID written with the given sixteen hexadecimal digits.
std::string uuidText(const char (&hex)[17]) {
    std::mt19937_64& generator = threadGenerator();
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        const std::uint64_t word = generator();
        for (std::size_t j = 0; j < 8; ++j) {
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
