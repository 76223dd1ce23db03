#pragma once

#include <filesystem>

namespace marrowvale {

/// A private folder made afresh for one report run (mode 0700, a unique name) and removed with
/// everything in it when the run ends.
class WorkingFolder {
public:
    /// Makes the folder inside `root` (the system's temporary folder when empty); throws
    /// std::filesystem::filesystem_error when it cannot.
    explicit WorkingFolder(const std::filesystem::path& root = {});
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    /// Removes the folder and its contents; a failure is ignored.
    ~WorkingFolder();

    /// The folder.
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// Puts the file `source` at `destination`, replacing what is there only with the complete
/// file: a rename when both lie on one file system, else a copy to a new file in the
/// destination's folder renamed over the destination. Throws std::filesystem::filesystem_error.
void replaceFile(const std::filesystem::path& source, const std::filesystem::path& destination);

/// Moves the folder `source` to the first of `wanted`, "wanted 2", "wanted 3", ... that does
/// not exist, never replacing anything; returns where it went. Throws
/// std::filesystem::filesystem_error.
std::filesystem::path moveFolderBeside(const std::filesystem::path& source,
                                       const std::filesystem::path& wanted);

} // namespace marrowvale
