#include "DovovevoZavCore/TemporaryFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <system_error>

namespace dovovevozav {

namespace {

/// A random (version 4) UUID in upper case with hyphens. The model makes its identifiers
/// alike; this library links nothing of it.
std::string makeUpperCaseUUID() {
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
    static constexpr char hex[] = "0123456789ABCDEF";
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void throwWriteError(const char* what, const std::filesystem::path& path, int error) {
    throw std::filesystem::filesystem_error(what, path,
                                            std::error_code(error, std::generic_category()));
}

} // namespace

std::filesystem::path writeToTemporaryFile(std::span<const std::uint8_t> bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / makeUpperCaseUUID();
    // "x": never open a file that is already there, such as a link planted under that name.
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wbx"));
    if (!file) {
        throwWriteError("Could not create the temporary file", path, errno);
    }
    errno = 0;
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    int error = errno;
    // Closing flushes what stdio still holds, so it may be the step that fails.
    const bool closed = std::fclose(file.release()) == 0;
    if (!closed && error == 0) {
        error = errno;
    }
    if (!written || !closed) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throwWriteError("Could not write the temporary file", path, error != 0 ? error : EIO);
    }
    return path;
}

} // namespace dovovevozav
