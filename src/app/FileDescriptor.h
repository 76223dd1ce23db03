#pragma once

#include <unistd.h>

namespace marrowvale {

/// An open file descriptor, closed when it goes out of scope.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            close();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    /// The descriptor; negative when none is open.
    int get() const noexcept { return fd_; }
    /// Whether a descriptor is open.
    bool isOpen() const noexcept { return fd_ >= 0; }
    /// Closes the descriptor; false (with errno set) when the system reports an error, which
    /// for a file just written can be the first sign of a full disk.
    bool close() noexcept {
        if (fd_ < 0) {
            return true;
        }
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

    /// Hands the descriptor to a new owner: returns it and no longer closes it.
    int release() noexcept {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_ = -1;
};

} // namespace marrowvale
