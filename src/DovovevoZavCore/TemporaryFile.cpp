#include "DovovevoZavCore/TemporaryFile.h"

#include "DovovevoZavCore/UUIDText.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <system_error>

namespace dovovevozav {

namespace {

// A name no other file has: a fresh random UUID in upper case, straight from the system's
// entropy, since a temporary file's name should not be guessable.
std::string freshName() {
    std::random_device entropy;
    return randomUUIDText(entropy, true);
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
    const std::filesystem::path path = std::filesystem::temp_directory_path() / freshName();
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
