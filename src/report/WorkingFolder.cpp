#include "report/WorkingFolder.h"

#include <cerrno>
#include <fmt/format.h>
#include <random>
#include <stdlib.h>
#include <string>
#include <system_error>

namespace marrowvale {

namespace fs = std::filesystem;

namespace {

std::string randomSuffix() {
    std::random_device device;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    static constexpr char alphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += alphabet[digit(device)];
    return suffix;
}

} // namespace

WorkingFolder::WorkingFolder(const fs::path& root) {
    fs::path base = root.empty() ? fs::temp_directory_path() : root;
    std::string pattern = (base / "marrowvale-report-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw fs::filesystem_error("cannot make a working folder", base,
                                   std::error_code(errno, std::generic_category()));
    }
    path_ = pattern;
}

WorkingFolder::~WorkingFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void replaceFile(const fs::path& source, const fs::path& destination) {
    std::error_code error;
    fs::rename(source, destination, error);
    if (!error)
        return;
    if (error != std::errc::cross_device_link)
        throw fs::filesystem_error("cannot move the file", source, destination, error);

    // Another file system: copy beside the destination first, so that the destination is only
    // ever replaced by a complete file.
    fs::path folder = destination.parent_path();
    if (folder.empty())
        folder = ".";
    for (int attempt = 0;; ++attempt) {
        fs::path temporary =
            folder / fmt::format(".{}.{}.tmp", destination.filename().string(), randomSuffix());
        error.clear();
        fs::copy_file(source, temporary, fs::copy_options::none, error);
        if (error == std::errc::file_exists && attempt < 10)
            continue;
        if (error)
            throw fs::filesystem_error("cannot copy the file", source, temporary, error);
        fs::rename(temporary, destination, error);
        if (error) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw fs::filesystem_error("cannot move the file", temporary, destination, error);
        }
        return;
    }
}

fs::path moveFolderBeside(const fs::path& source, const fs::path& wanted) {
    for (int number = 1; number <= 1000; ++number) {
        fs::path target = wanted;
        if (number > 1)
            target += fmt::format(" {}", number);
        std::error_code error;
        if (fs::exists(fs::symlink_status(target, error)))
            continue;
        // Claim the name first, so that no folder made meanwhile is replaced.
        if (!fs::create_directory(target, error)) {
            if (!error || error == std::errc::file_exists)
                continue;
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
