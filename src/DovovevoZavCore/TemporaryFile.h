#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace dovovevozav {

/// Writes the bytes to a new file in the system's temporary folder (TMPDIR, else /tmp), named
/// by a freshly made upper-case UUID without extension, and returns its path. Throws
/// std::filesystem::filesystem_error with the system's reason when the file cannot be made or
/// written; a file that was made is removed first.
std::filesystem::path writeToTemporaryFile(std::span<const std::uint8_t> bytes);

} // namespace dovovevozav
