#include "app/LayoutsFile.h"

#include "app/FileDescriptor.h"
#include "app/InputFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fmt/format.h>
#include <string_view>
#include <unistd.h>

namespace marrowvale {

namespace fs = std::filesystem;

namespace {

// Layouts files are a few kilobytes; anything near this is not one.
constexpr std::uint64_t layoutsSizeLimit = std::uint64_t{16} << 20;

// The reason as it reads inside a sentence.
std::string inSentence(std::string reason) {
    if (!reason.empty() && reason[0] >= 'A' && reason[0] <= 'Z') {
        reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
    }
    return reason;
}

// The first `limit` characters of a UTF-8 text; the whole text when it has no more.
std::string_view firstCharacters(std::string_view text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Every byte but a continuation byte (10xxxxxx) starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == limit) {
            return text.substr(0, i);
        }
    }
    return text;
}

// The whole file when it is a regular file of a sane size; throws the reason why not.
std::string readWholeFile(const fs::path& path, bool exists) {
    try {
        return InputFile(path, layoutsSizeLimit).readAll();
    } catch (const InputFileError& failure) {
        throw LayoutsFileError(fmt::format("The layouts file \u201c{}\u201d cannot be read: {}.",
                                           path.string(), inSentence(failure.what())),
                               !exists);
    }
}

void writeAtomically(const fs::path& path, const std::string& bytes) {
    std::string pattern = (path.parent_path() / (path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    FileDescriptor fd(::mkstemp(name.data()));
    if (fd.get() < 0) {
        throw LayoutsFileError(fmt::format("cannot create a file in \"{}\": {}",
                                           path.parent_path().string(), std::strerror(errno)));
    }
    fs::path temporary(name.data());
    auto fail = [&](const char* what) {
        std::string reason =
            fmt::format("{} \"{}\": {}", what, temporary.string(), std::strerror(errno));
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return LayoutsFileError(reason);
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t count = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw fail("cannot write");
        }
        written += static_cast<std::size_t>(count);
    }
    // The file replaces a user's layouts: make sure it is complete on disk before the rename.
    if (::fsync(fd.get()) != 0 || !fd.close()) {
        throw fail("cannot write");
    }
    std::error_code error;
    fs::permissions(temporary,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read,
                    error);
    fs::rename(temporary, path, error);
    if (error) {
        std::string reason =
            fmt::format("cannot replace \"{}\": {}", path.string(), error.message());
        fs::remove(temporary, error);
        throw LayoutsFileError(reason);
    }
}

} // namespace

std::optional<fs::path> applicationSupportFolder() {
    return applicationSupportFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::optional<fs::path> applicationSupportFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute()) {
        return fs::path(xdgDataHome) / "Marrowvale";
    }
    if (home && *home) {
        return fs::path(home) / ".local" / "share" / "Marrowvale";
    }
    return std::nullopt;
}

std::optional<fs::path> defaultLayoutsFile() {
    std::optional<fs::path> folder = applicationSupportFolder();
    if (!folder) {
        return std::nullopt;
    }
    return *folder / "Layouts.json";
}

LayoutsFile::LayoutsFile(fs::path path) : path_(std::move(path)) {}

fs::path LayoutsFile::backupPath() const {
    fs::path backup = path_;
    backup += ".bak";
    return backup;
}

std::vector<LayoutsItem> LayoutsFile::load() {
    checked_ = true;
    warnings_.clear();
    std::error_code statError;
    bool exists = fs::exists(fs::symlink_status(path_, statError));
    // A missing file is the normal first launch; an existing one must not be lost.
    keepDamaged_ = exists;
    std::string text = readWholeFile(path_, exists);
    std::vector<LayoutsItem> layouts;
    try {
        layouts = decodeLayouts(text);
    } catch (const LayoutsFileError& failure) {
        keepDamaged_ = true;
        throw LayoutsFileError(fmt::format("The layouts file \u201c{}\u201d cannot be used: {}.",
                                           path_.string(), failure.what()));
    }
    keepDamaged_ = false;
    std::size_t cut = 0;
    for (LayoutsItem& layout : layouts) {
        const std::size_t kept = firstCharacters(layout.name, layoutNameLengthLimit).size();
        if (kept < layout.name.size()) {
            layout.name.resize(kept);
            ++cut;
        }
    }
    if (cut > 0) {
        warnings_.push_back(fmt::format(
            "The layouts file \u201c{}\u201d names {} longer than {} characters: {} cut to the "
            "first {}.",
            path_.string(), cut == 1 ? "a layout" : fmt::format("{} layouts", cut),
            layoutNameLengthLimit, cut == 1 ? "the name is" : "the names are",
            layoutNameLengthLimit));
    }
    return layouts;
}

void LayoutsFile::save(const std::vector<LayoutsItem>& layouts) {
    if (!checked_) {
        std::error_code ignored;
        if (fs::exists(fs::symlink_status(path_, ignored))) {
            try {
                decodeLayouts(readWholeFile(path_, true));
            } catch (const LayoutsFileError&) {
                keepDamaged_ = true;
            }
        }
        checked_ = true;
    }

    std::error_code error;
    fs::create_directories(path_.parent_path(), error);
    if (error) {
        throw LayoutsFileError(fmt::format("cannot create the folder \"{}\": {}",
                                           path_.parent_path().string(), error.message()));
    }

    if (keepDamaged_) {
        fs::copy_file(path_, backupPath(), fs::copy_options::overwrite_existing, error);
        if (error) {
            throw LayoutsFileError(
                fmt::format("cannot keep the unreadable layouts file as \"{}\": {}",
                            backupPath().string(), error.message()));
        }
        keepDamaged_ = false;
    }
    writeAtomically(path_, encodeLayouts(layouts));
}

} // namespace marrowvale
