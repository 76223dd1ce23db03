#pragma once

#include "media/AudioFileTags.h"
#include "media/MediaBatchSettings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

class GivenUpFiles;

/// The tags read from one file, with the diagnostic lines the reading wrote.
struct AudioTagsReading {
    AudioFileTags tags;
    std::string diagnostics;
};

/// The tags of `files` (readAudioFileTags, in media probing helpers), one answer per file in
/// order, read side by side as `settings` say; the files are expected distinct. A file
/// recorded in `givenUp` is not read; one given up on now (too slow, or the helper died on
/// it twice) is recorded there. None for a file not read: given up on, or a stop came first.
std::vector<std::optional<AudioTagsReading>>
readAudioTagsBatch(const std::vector<std::filesystem::path>& files,
                   const MediaBatchSettings& settings, GivenUpFiles& givenUp);

} // namespace marrowvale
