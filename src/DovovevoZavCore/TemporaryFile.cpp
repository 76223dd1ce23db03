#include "DovovevoZavCore/TemporaryFile.h"

#include <array>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace dovovevozav {

namespace {

/// A random (version 4) UUID in upper case with hyphens.
std::string makeUuidText() {
    std::random_device device;
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::uint32_t word = device();
        for (std::size_t j = 0; j < 4; ++j) {
            bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            text.push_back('-');
        }
        text.push_back(kHex[bytes[i] >> 4]);
        text.push_back(kHex[bytes[i] & 0x0F]);
    }
    return text;
}

} // namespace

std::filesystem::path writeToTemporaryFile(std::span<const std::uint8_t> bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / makeUuidText();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
    }
    if (!out) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw std::filesystem::filesystem_error("Could not write the temporary file", path,
                                                std::make_error_code(std::errc::io_error));
    }
    return path;
}

} // namespace dovovevozav
