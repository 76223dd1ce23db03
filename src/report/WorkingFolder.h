#pragma once

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace marrowvale {

class StopRequest;

/// The private working folder could not be made, or could not take the workbook: names the
/// folder (or the folder it was to be made in) and the system's reason.
class WorkingFolderError : public std::runtime_error {
public:
    WorkingFolderError(const std::string& message, std::filesystem::path folder,
                       std::error_code reason);

    /// The folder that failed.
    const std::filesystem::path& folder() const noexcept { return folder_; }
    /// The system's reason.
    std::error_code reason() const noexcept { return reason_; }

private:
    std::filesystem::path folder_;
    std::error_code reason_;
};

/// A private folder made afresh for one report run (mode 0700, a unique name) and removed with
/// everything in it when the run ends, also when it ends early (an exception, a stop request).
class WorkingFolder {
public:
    /// Makes the folder inside `root` (the system's temporary folder when empty); throws
    /// WorkingFolderError when it cannot.
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
/// file: a rename when both lie on one file system, else `replaceFileWithCopy`. A replaced
/// file's permission bits carry over to the new one. Throws std::filesystem::filesystem_error
/// with the first failure's reason; TaskStopped when `stop` is raised during a copy.
void replaceFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                 const StopRequest* stop = nullptr);

/// Copies `source` to a new hidden file in the destination's folder, makes sure it is on disk,
/// and renames it over `destination` (keeping a replaced file's permission bits). Whatever
/// fails, or when `stop` is raised, the new file is removed again and the destination is left
/// as it was. Throws as replaceFile.
void replaceFileWithCopy(const std::filesystem::path& source,
                         const std::filesystem::path& destination,
                         const StopRequest* stop = nullptr);

/// Moves the folder `source` to the first of `wanted`, "wanted 2", "wanted 3", ... that does
/// not exist, never replacing anything; returns where it went. Throws
/// std::filesystem::filesystem_error.
std::filesystem::path moveFolderBeside(const std::filesystem::path& source,
                                       const std::filesystem::path& wanted);

} // namespace marrowvale
