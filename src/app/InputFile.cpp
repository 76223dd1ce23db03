#include "app/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marrowvale {

namespace {

constexpr std::size_t readChunkSize = std::size_t{1} << 20;

[[noreturn]] void failWith(int error) {
    const std::error_code code(error, std::generic_category());
    throw InputFileError(code.message(), code);
}

// Refuses anything but a regular file within the limit.
void check(const struct stat& status, std::uint64_t sizeLimit) {
    if (S_ISDIR(status.st_mode)) {
        failWith(EISDIR);
    }
    const char* kind = S_ISFIFO(status.st_mode)                             ? "a named pipe (FIFO)"
                       : S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode) ? "a device"
                       : S_ISSOCK(status.st_mode)                           ? "a socket"
                       : !S_ISREG(status.st_mode)                           ? "not a file"
                                                                            : nullptr;
    if (kind != nullptr) {
        throw InputFileError(fmt::format("It is {}, not a regular file", kind), {});
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size >= sizeLimit) {
        throw InputFileError(fmt::format("It holds {}; files of {} or more are not read",
                                         byteSizeText(size), byteSizeText(sizeLimit)),
                             {});
    }
}

} // namespace

InputFileError::InputFileError(const std::string& reason, std::error_code code)
    : std::runtime_error(reason), code_(code) {}

InputFile::InputFile(const std::filesystem::path& path, std::uint64_t sizeLimit) : path_(path) {
    // The type is checked before opening, since opening a device can have effects of its own,
    // and again on what was opened, without ever waiting for a pipe's writer.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        failWith(errno);
    }
    check(status, sizeLimit);
    file_ = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file_.isOpen()) {
        failWith(errno);
    }
    if (::fstat(file_.get(), &status) != 0) {
        failWith(errno);
    }
    check(status, sizeLimit);
    size_ = static_cast<std::uint64_t>(status.st_size);
}

std::size_t InputFile::read(char* buffer, std::size_t capacity) {
    std::size_t filled = 0;
    capacity = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, size_ - consumed_));
    while (filled < capacity) {
        const ssize_t count = ::read(file_.get(), buffer + filled, capacity - filled);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            failWith(errno);
        }
        if (count == 0) {
            break; // the file shrank since it was opened
        }
        filled += static_cast<std::size_t>(count);
    }
    consumed_ += filled;
    return filled;
}

std::string InputFile::readAll() {
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size_ - consumed_));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t count =
            read(bytes.data() + filled, std::min(readChunkSize, bytes.size() - filled));
        if (count == 0) {
            break;
        }
        filled += count;
    }
    bytes.resize(filled);
    return bytes;
}

std::string byteSizeText(std::uint64_t bytes) {
    if (bytes < 1024) {
        return fmt::format("{} bytes", bytes);
    }
    static constexpr const char* units[] = {"KiB", "MiB", "GiB", "TiB"};
    double value = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(units)) {
        value /= 1024;
        ++unit;
    }
    return fmt::format("{:.1f} {}", value, units[unit]);
}

} // namespace marrowvale
