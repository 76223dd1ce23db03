#include "media/GivenUpFiles.h"

#include <fmt/format.h>
#include <sys/stat.h>

namespace marrowvale {

std::string GivenUpFiles::identity(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        return fmt::format("{}:{}", status.st_dev, status.st_ino);
    }
    // Kept apart from the device and inode keys, which start with a digit.
    return "path " + path.string();
}

void GivenUpFiles::add(const std::filesystem::path& path, MediaProbeProcess::GiveUp reason) {
    using GiveUp = MediaProbeProcess::GiveUp;
    if (reason != GiveUp::late && reason != GiveUp::crashed && reason != GiveUp::tooBig) {
        return;
    }
    const std::string key = identity(path);
    const std::scoped_lock lock(mutex_);
    if (index_.try_emplace(key, entries_.size()).second) {
        entries_.push_back({path, reason});
    }
}

bool GivenUpFiles::contains(const std::filesystem::path& path) const {
    return reasonOf(path).has_value();
}

std::optional<MediaProbeProcess::GiveUp>
GivenUpFiles::reasonOf(const std::filesystem::path& path) const {
    const std::string key = identity(path);
    const std::scoped_lock lock(mutex_);
    const auto found = index_.find(key);
    if (found == index_.end()) {
        return std::nullopt;
    }
    return entries_[found->second].reason;
}

std::vector<GivenUpFiles::Entry> GivenUpFiles::entries() const {
    const std::scoped_lock lock(mutex_);
    return entries_;
}

} // namespace marrowvale
