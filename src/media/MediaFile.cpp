#include "media/MediaFile.h"

#include "media/MediaError.h"

#include <array>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string>
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

// Without /proc a file can be opened only by its name again, which a link swapped in between
// could lead to a device: such a file is not read.
constexpr std::string_view kWithoutProc =
    "where it leads cannot be checked, since /proc is not mounted";

// The status of what `descriptor` refers to, when it is a regular file outside the kernel's
// own file systems; refused otherwise.
struct stat checkedStatus(int descriptor, const std::filesystem::path& path) {
    struct stat status {};
    struct statfs fileSystem {};
    if (::fstat(descriptor, &status) != 0 || ::fstatfs(descriptor, &fileSystem) != 0) {
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
    return status;
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
    // Looked at before it is opened for reading: opening a device can act (a serial line, a
    // watchdog, a tape drive), and a link can lead to one. A path descriptor opens nothing.
    MediaFile located(path, ::open(path.c_str(), O_PATH | O_CLOEXEC), 0);
    if (located.descriptor_ < 0) {
        refuse(path, std::generic_category().message(errno));
    }
    const struct stat target = checkedStatus(located.descriptor_, path);
    const std::string reopening = "/proc/self/fd/" + std::to_string(located.descriptor_);
    std::array<char, PATH_MAX> realPath{};
    const ssize_t length = ::readlink(reopening.c_str(), realPath.data(), realPath.size() - 1);
    if (length < 0) {
        refuse(path, errno == ENOENT ? std::string(kWithoutProc)
                                     : std::generic_category().message(errno));
    }
    if (isUnderSystemFolder(std::string_view(realPath.data(), static_cast<std::size_t>(length)))) {
        refuse(path, "it is a system file, not media");
    }
    // Reopened through the descriptor, not the name, which may lead elsewhere by now; without
    // waiting all the same, as no open of media ever should.
    MediaFile file(path, ::open(reopening.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY),
                   0);
    if (file.descriptor_ < 0) {
        refuse(path, errno == ENOENT ? std::string(kWithoutProc)
                                     : std::generic_category().message(errno));
    }
    const struct stat status = checkedStatus(file.descriptor_, path);
    if (status.st_dev != target.st_dev || status.st_ino != target.st_ino) {
        refuse(path, "it was replaced while it was opened");
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
