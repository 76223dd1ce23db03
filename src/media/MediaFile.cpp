#include "media/MediaFile.h"

#include "media/MediaError.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace marrowvale {

namespace {

// File systems whose "regular files" are the kernel's own: reading one can block (a log that
// waits for messages) or never end.
constexpr std::array<long, 4> kKernelFileSystems = {
    0x9fa0,     // proc
    0x62656572, // sysfs
    0x64626720, // debugfs
    0x74726163, // tracefs
};

bool isUnderSystemFolder(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(path, error).lexically_normal();
    auto component = absolute.begin();
    if (error || component == absolute.end() || *component != "/" ||
        ++component == absolute.end()) {
        return false;
    }
    return *component == "proc" || *component == "sys" || *component == "dev";
}

std::string_view kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "not a file";
}

[[noreturn]] void refuse(const std::filesystem::path& path, std::string_view reason) {
    throw MediaError("Cannot read \"" + path.string() + "\": " + std::string(reason));
}

} // namespace

MediaFile::MediaFile(std::filesystem::path path, int descriptor, std::int64_t size)
    : path_(std::move(path)), descriptor_(descriptor), size_(size) {}

MediaFile::~MediaFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

MediaFile::MediaFile(MediaFile&& other) noexcept
    : path_(std::move(other.path_)), descriptor_(std::exchange(other.descriptor_, -1)),
      size_(other.size_) {}

MediaFile& MediaFile::operator=(MediaFile&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        path_ = std::move(other.path_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        size_ = other.size_;
    }
    return *this;
}

MediaFile MediaFile::open(const std::filesystem::path& path) {
    if (isUnderSystemFolder(path)) {
        refuse(path, "it is a system file, not media");
    }
    // Opening never waits: a pipe without a writer or a terminal would hold the open forever.
    MediaFile file(path, ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY), 0);
    if (file.descriptor_ < 0) {
        refuse(path, std::generic_category().message(errno));
    }
    // The checks look at what was opened, not at the name, which may have changed since.
    struct stat status {};
    struct statfs fileSystem {};
    if (::fstat(file.descriptor_, &status) != 0 || ::fstatfs(file.descriptor_, &fileSystem) != 0) {
        refuse(path, std::generic_category().message(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        refuse(path, std::string(kindOf(status.st_mode)) + ", not a regular file");
    }
    for (const long kernel : kKernelFileSystems) {
        if (static_cast<long>(fileSystem.f_type) == kernel) {
            refuse(path, "it is a system file, not media");
        }
    }
    file.size_ = status.st_size;
    return file;
}

std::size_t MediaFile::readAt(std::int64_t offset, void* buffer, std::size_t capacity) const {
    std::size_t filled = 0;
    while (filled < capacity) {
        const ssize_t count = ::pread(descriptor_, static_cast<char*>(buffer) + filled,
                                      capacity - filled, offset + static_cast<off_t>(filled));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            throw MediaError("Cannot read \"" + path_.string() +
                             "\": " + std::generic_category().message(errno));
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    return filled;
}

} // namespace marrowvale
