#pragma once

#include <filesystem>
#include <string>

namespace marrowvale::testing {

/// A fresh empty folder of its own under the system's temporary folder, removed with all it
/// holds when the object goes. Throws std::system_error when no folder can be made.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    /// The folder.
    const std::filesystem::path& path() const { return path_; }
    /// The path of `name` inside the folder, as text for interfaces that take one.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace marrowvale::testing
