#pragma once

#include "app/LayoutsItem.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

/// The longest layout name kept, in characters: a longer name read from the file is cut to it,
/// so that a damaged or hostile file cannot make the menus that list the names unmanageable.
constexpr std::size_t layoutNameLengthLimit = 255;

/// The application's folder for its own files: `$XDG_DATA_HOME/Marrowvale`, or
/// `~/.local/share/Marrowvale` when that variable is unset, empty or not absolute; none when
/// there is no home folder either. The folder is only named here, not created.
std::optional<std::filesystem::path> applicationSupportFolder();

/// The same folder for the given environment values (null when unset).
std::optional<std::filesystem::path> applicationSupportFolder(const char* xdgDataHome,
                                                              const char* home);

/// "Layouts.json" in the application folder; none when there is no such folder.
std::optional<std::filesystem::path> defaultLayoutsFile();

/// The layouts file, "Layouts.json": read once at start-up, written whole after each change.
/// Writing creates the folder, replaces the file atomically, and first keeps a file that
/// exists but could not be read as "Layouts.json.bak", so a user's layouts are never silently
/// overwritten. Failures are thrown as LayoutsFileError.
class LayoutsFile {
public:
    /// The file at `path` (normally the application folder followed by "Layouts.json").
    explicit LayoutsFile(std::filesystem::path path);

    /// Where the file lives.
    const std::filesystem::path& path() const { return path_; }

    /// Where a damaged file is kept.
    std::filesystem::path backupPath() const;

    /// Reads and decodes the whole file, when it is a regular file under 16 MiB; any failure
    /// throws, naming the file and what is wrong with it (`fileMissing()` when it does not
    /// exist). Names longer than `layoutNameLengthLimit` characters are cut to it.
    std::vector<LayoutsItem> load();

    /// What the last `load()` mended in the layouts it read, in sentences for the user; empty
    /// when nothing.
    const std::vector<std::string>& warnings() const { return warnings_; }

    /// Replaces the file with `layouts`, or throws the reason. A damaged file found by `load()`
    /// (or here, when `load()` never ran) is copied to `backupPath()` first; if that copy
    /// fails, nothing is written.
    void save(const std::vector<LayoutsItem>& layouts);

private:
    std::filesystem::path path_;
    bool checked_ = false;     // whether the file on disk has been examined
    bool keepDamaged_ = false; // an existing file could not be read and is not backed up yet
    std::vector<std::string> warnings_;
};

} // namespace marrowvale
