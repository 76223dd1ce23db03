#include "media/AudioTagsBatch.h"

#include "media/GivenUpFiles.h"
#include "media/MediaHelperWorkers.h"
#include "media/MediaProbeProcess.h"

#include <sstream>

namespace marrowvale {

std::vector<std::optional<AudioTagsReading>>
readAudioTagsBatch(const std::vector<std::filesystem::path>& files,
                   const MediaBatchSettings& settings, GivenUpFiles& givenUp) {
    std::vector<std::optional<AudioTagsReading>> readings(files.size());
    forEachOnMediaHelpers(files.size(), settings, [&](MediaProbeProcess& helper, std::size_t f) {
        if (givenUp.contains(files[f])) {
            return;
        }
        std::ostringstream diagnostics;
        AudioFileTags tags = helper.readTags(files[f], &diagnostics, settings.stopRequested);
        if (helper.gaveUp()) {
            givenUp.add(files[f], helper.givenUp());
        } else {
            readings[f] = AudioTagsReading{std::move(tags), std::move(diagnostics).str()};
        }
    });
    return readings;
}

} // namespace marrowvale
