#include "media/AudioTagsBatch.h"

#include "media/GivenUpFiles.h"
#include "media/MediaProbeProcess.h"
#include "media/WorkerThreads.h"

#include <atomic>
#include <exception>
#include <sstream>

namespace marrowvale {

std::vector<std::optional<AudioTagsReading>>
readAudioTagsBatch(const std::vector<std::filesystem::path>& files,
                   const MediaBatchSettings& settings, GivenUpFiles& givenUp) {
    std::vector<std::optional<AudioTagsReading>> readings(files.size());
    const unsigned workers = workerCount(settings.workers, files.size());
    if (workers == 0) {
        return readings;
    }
    std::atomic<std::size_t> next{0};
    const std::function<bool()>& stop = settings.stopRequested;
    auto work = [&]() noexcept {
        try {
            MediaProbeProcess helper(settings.timeout, settings.helper, settings.helperMemoryBytes);
            for (std::size_t f = next++; f < files.size(); f = next++) {
                if (stop && stop()) {
                    return;
                }
                if (givenUp.contains(files[f])) {
                    continue;
                }
                std::ostringstream diagnostics;
                AudioFileTags tags = helper.readTags(files[f], &diagnostics, stop);
                if (helper.gaveUp()) {
                    givenUp.add(files[f], helper.givenUp());
                } else {
                    readings[f] = AudioTagsReading{std::move(tags), std::move(diagnostics).str()};
                }
            }
        } catch (const std::exception&) {
            // No memory for a worker's tools: its files stay unread, as if stopped.
        }
    };
    runOnWorkerThreads(workers, work, settings.whileWaiting);
    return readings;
}

} // namespace marrowvale
