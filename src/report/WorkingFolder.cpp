#include "report/WorkingFolder.h"

#include "app/FileDescriptor.h"
#include "app/StopRequest.h"
#include "report/FolderRemoval.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fmt/format.h>
#include <optional>
#include <random>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace marrowvale {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t copyChunkSize = std::size_t{1} << 20;

std::string randomSuffix() {
    std::random_device device;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    static constexpr char alphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += alphabet[digit(device)];
    }
    return suffix;
}

[[noreturn]] void fail(const char* what, const fs::path& path, int error) {
    throw fs::filesystem_error(what, path, std::error_code(error, std::generic_category()));
}

// The system's temporary folder as named by TMPDIR, also when it names nothing usable, so that
// a failure can name it.
fs::path temporaryRoot() {
    const char* named = std::getenv("TMPDIR");
    return named != nullptr && *named != '\0' ? fs::path(named) : fs::path("/tmp");
}

// The permission bits of the regular file a replacement is to keep; none when there is none.
std::optional<mode_t> keptMode(const fs::path& destination) {
    struct stat status {};
    if (::stat(destination.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return status.st_mode & 07777;
}

// A new file beside the destination, removed again unless it has been renamed over it.
class SiblingFile {
public:
    explicit SiblingFile(const fs::path& destination) {
        fs::path folder = destination.parent_path();
        if (folder.empty()) {
            folder = ".";
        }
        for (int attempt = 0; attempt < 10; ++attempt) {
            fs::path candidate =
                folder / fmt::format(".{}.{}.tmp", destination.filename().string(), randomSuffix());
            file_ = FileDescriptor(
                ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (file_.isOpen()) {
                path_ = std::move(candidate);
                return;
            }
            if (errno != EEXIST) {
                fail("cannot make a file beside", destination, errno);
            }
        }
        fail("cannot make a file beside", destination, EEXIST);
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;
    ~SiblingFile() {
        if (!path_.empty()) {
            file_.close();
            ::unlink(path_.c_str());
        }
    }

    int fd() const { return file_.get(); }

    // Puts the complete file on disk and in the destination's place.
    void renameOver(const fs::path& destination) {
        if (::fsync(file_.get()) != 0 || !file_.close()) {
            fail("cannot write the file", destination, errno);
        }
        if (::rename(path_.c_str(), destination.c_str()) != 0) {
            fail("cannot replace the file", destination, errno);
        }
        path_.clear();
    }

private:
    fs::path path_;
    FileDescriptor file_;
};

void writeAll(int fd, const char* bytes, std::size_t size, const fs::path& destination) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("cannot write the file", destination, errno);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace

WorkingFolderError::WorkingFolderError(const std::string& message, fs::path folder,
                                       std::error_code reason)
    : std::runtime_error(message), folder_(std::move(folder)), reason_(reason) {}

WorkingFolder::WorkingFolder(const fs::path& root) {
    const fs::path base = root.empty() ? temporaryRoot() : root;
    std::string pattern = (base / "marrowvale-report-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        const std::error_code reason(errno, std::generic_category());
        throw WorkingFolderError(
            fmt::format("A working folder could not be made in \u201c{}\u201d: "
                        "{}.",
                        base.string(), reason.message()),
            base, reason);
    }
    path_ = pattern;
}

WorkingFolder::~WorkingFolder() {
    removeFolder(path_);
}

void replaceFile(const fs::path& source, const fs::path& destination, const StopRequest* stop) {
    if (std::optional<mode_t> mode = keptMode(destination)) {
        if (::chmod(source.c_str(), *mode) != 0) {
            fail("cannot set the permissions of", source, errno);
        }
    }
    if (::rename(source.c_str(), destination.c_str()) == 0) {
        return;
    }
    if (errno != EXDEV) {
        fail("cannot move the file", destination, errno);
    }
    replaceFileWithCopy(source, destination, stop);
}

void replaceFileWithCopy(const fs::path& source, const fs::path& destination,
                         const StopRequest* stop) {
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.isOpen()) {
        fail("cannot read the file", source, errno);
    }
    const std::optional<mode_t> mode = keptMode(destination);
    SiblingFile out(destination);
    if (mode && ::fchmod(out.fd(), *mode) != 0) {
        fail("cannot set the permissions of", destination, errno);
    }
    std::vector<char> buffer(copyChunkSize);
    for (;;) {
        if (stop != nullptr) {
            stop->check();
        }
        const ssize_t count = ::read(in.get(), buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("cannot read the file", source, errno);
        }
        if (count == 0) {
            break;
        }
        writeAll(out.fd(), buffer.data(), static_cast<std::size_t>(count), destination);
    }
    out.renameOver(destination);
}

fs::path moveFolderBeside(const fs::path& source, const fs::path& wanted) {
    for (int number = 1; number <= 1000; ++number) {
        fs::path target = wanted;
        if (number > 1) {
            target += fmt::format(" {}", number);
        }
        std::error_code error;
        if (fs::exists(fs::symlink_status(target, error))) {
            continue;
        }
        // Claim the name first, so that no folder made meanwhile is replaced.
        if (!fs::create_directory(target, error)) {
            if (!error || error == std::errc::file_exists) {
                continue;
            }
            throw fs::filesystem_error("cannot make the folder", target, error);
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
            fs::path into = target / entry.path().filename();
            fs::rename(entry.path(), into, error);
            if (error == std::errc::cross_device_link) {
                fs::copy(entry.path(), into, fs::copy_options::recursive);
                fs::remove_all(entry.path());
            } else if (error) {
                throw fs::filesystem_error("cannot move the file", entry.path(), into, error);
            }
        }
        return target;
    }
    throw fs::filesystem_error("no free folder name", wanted,
                               std::make_error_code(std::errc::file_exists));
}

} // namespace marrowvale
