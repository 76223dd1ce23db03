#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace dovovevozav {

/// Writes the bytes to a new file in the system temporary directory, named by a freshly made
/// upper-case UUID without extension, and returns its path. Throws std::filesystem_error when
/// the file cannot be written.
std::filesystem::path writeToTemporaryFile(std::span<const std::uint8_t> bytes);

} // namespace dovovevozav
