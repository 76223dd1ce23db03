#pragma once

#include "app/FileDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace marrowvale {

/// A file that cannot be read as an input: what is wrong, as a sentence for an alert's
/// informative text, and the system's error when there is one.
class InputFileError : public std::runtime_error {
public:
    InputFileError(const std::string& reason, std::error_code code);

    /// The system's error; empty for a file refused by its type or size.
    std::error_code code() const noexcept { return code_; }

private:
    std::error_code code_;
};

/// A file opened for reading only after the checks that keep a reader from waiting or reading
/// forever: it must be a regular file (a named pipe, a device, a socket or a folder is refused,
/// and opening never waits on one) smaller than a limit. Its bytes are read in chunks, never
/// beyond the size checked, so a file that grows meanwhile is read only as far as it was.
class InputFile {
public:
    /// Timelines of 2 GiB or more are refused: the XML parser takes less.
    static constexpr std::uint64_t timelineSizeLimit = std::uint64_t{1} << 31;

    /// Opens `path` for reading when it is a regular file smaller than `sizeLimit` bytes;
    /// throws InputFileError otherwise.
    InputFile(const std::filesystem::path& path, std::uint64_t sizeLimit);

    /// The file's name as given.
    const std::filesystem::path& path() const noexcept { return path_; }
    /// The file's size when it was opened.
    std::uint64_t size() const noexcept { return size_; }

    /// Reads the next bytes into `buffer`, as many as `capacity` unless the file (as far as its
    /// checked size) ends first; 0 at the end. Throws InputFileError on a read error.
    std::size_t read(char* buffer, std::size_t capacity);
    /// The rest of the file, read chunk by chunk.
    std::string readAll();

private:
    std::filesystem::path path_;
    FileDescriptor file_;
    std::uint64_t size_ = 0;
    std::uint64_t consumed_ = 0;
};

/// A size for people: "512 bytes", "3.5 KiB", "16.0 MiB", "2.0 GiB".
std::string byteSizeText(std::uint64_t bytes);

} // namespace marrowvale
