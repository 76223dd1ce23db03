#pragma once

#include <filesystem>

namespace marrowvale {

/// Removes the folder `folder` with everything in it, never following a symbolic link (a link
/// is removed, not what it points to). The files of a large folder are removed by several
/// threads at once: on a journalling file system each removal mostly waits, and 200,000
/// thumbnails would otherwise take many seconds. Failures are ignored; what cannot be removed
/// stays.
void removeFolder(const std::filesystem::path& folder) noexcept;

} // namespace marrowvale
