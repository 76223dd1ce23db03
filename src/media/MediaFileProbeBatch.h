#pragma once

#include "media/MediaBatchSettings.h"
#include "media/MediaFileProbe.h"

#include <filesystem>
#include <vector>

namespace marrowvale {

class GivenUpFiles;

/// The probes of `paths` (probeMediaFile, in media probing helpers), one per path in order,
/// made side by side as `settings` say. Each file is probed once however many of its names
/// (hard links, other spellings of its path) are given, and they share its answer. A file
/// given up on (too slow, the helper died on it twice, or a stop came first) has no video
/// track and no rate, marked given up, with the reason naming each path; when `givenUp` is
/// given, the files written off (too slow, or the helper died on them) are recorded there in the
/// order of `paths`.
std::vector<MediaFileProbe> probeMediaFileBatch(const std::vector<std::filesystem::path>& paths,
                                                const MediaBatchSettings& settings = {},
                                                GivenUpFiles* givenUp = nullptr);

} // namespace marrowvale
