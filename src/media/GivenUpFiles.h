#pragma once

#include "media/MediaProbeProcess.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marrowvale {

/// The media files given up on so far (too slow, or the helper died on them), shared by the
/// threads that probe side by side so that none waits on a file another already wrote off.
/// A file is known by its device and inode, so each of its names (hard links, other spellings
/// of its path) is given up with it; a path that cannot be looked at stands for itself.
class GivenUpFiles {
public:
    /// One file given up on: the path it was first given up under, and why.
    struct Entry {
        std::filesystem::path path;
        MediaProbeProcess::GiveUp reason;
    };

    /// Records `path` as given up on for `reason` when that writes the file off (too slow, too
    /// big, or the helper died on it); an answer that came, or a stop, records nothing. A file
    /// already recorded keeps its entry.
    void add(const std::filesystem::path& path, MediaProbeProcess::GiveUp reason);
    /// Whether the file at `path` was given up on.
    bool contains(const std::filesystem::path& path) const;
    /// Why the file at `path` was given up on; none when it was not.
    std::optional<MediaProbeProcess::GiveUp> reasonOf(const std::filesystem::path& path) const;
    /// The files given up on, in the order they were.
    std::vector<Entry> entries() const;

    /// What identifies the file at `path`: its device and inode, else the path itself.
    static std::string identity(const std::filesystem::path& path);

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::size_t, std::less<>> index_;
    std::vector<Entry> entries_;
};

} // namespace marrowvale
