#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace marrowvale {

// Big-endian fields of stored media structures. Callers check the length first.

/// The 16-bit big-endian value at the start of the bytes (at least 2).
inline std::uint16_t readBigEndian16(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

/// The 32-bit big-endian value at the start of the bytes (at least 4).
inline std::uint32_t readBigEndian32(std::span<const std::uint8_t> bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

/// The 64-bit big-endian value at the start of the bytes (at least 8).
inline std::uint64_t readBigEndian64(std::span<const std::uint8_t> bytes) {
    return (std::uint64_t{readBigEndian32(bytes)} << 32) | readBigEndian32(bytes.subspan(4));
}

/// Writes a 32-bit big-endian value at the start of the bytes (at least 4).
inline void writeBigEndian32(std::span<std::uint8_t> bytes, std::uint32_t value) {
    bytes[0] = static_cast<std::uint8_t>(value >> 24);
    bytes[1] = static_cast<std::uint8_t>(value >> 16);
    bytes[2] = static_cast<std::uint8_t>(value >> 8);
    bytes[3] = static_cast<std::uint8_t>(value);
}

/// Writes a 64-bit big-endian value at the start of the bytes (at least 8).
inline void writeBigEndian64(std::span<std::uint8_t> bytes, std::uint64_t value) {
    writeBigEndian32(bytes, static_cast<std::uint32_t>(value >> 32));
    writeBigEndian32(bytes.subspan(4), static_cast<std::uint32_t>(value));
}

/// A four-character code as stored: "tmcd" is 0x746D6364.
constexpr std::uint32_t fourCharacterCode(std::string_view code) {
    return (std::uint32_t{static_cast<unsigned char>(code[0])} << 24) |
           (std::uint32_t{static_cast<unsigned char>(code[1])} << 16) |
           (std::uint32_t{static_cast<unsigned char>(code[2])} << 8) |
           std::uint32_t{static_cast<unsigned char>(code[3])};
}

} // namespace marrowvale
