#include "media/MediaHelperWorkers.h"

#include "media/MediaProbeProcess.h"
#include "media/WorkerThreads.h"

#include <atomic>
#include <exception>

namespace marrowvale {

void forEachOnMediaHelpers(std::size_t count, const MediaBatchSettings& settings,
                           const std::function<void(MediaProbeProcess&, std::size_t)>& handle) {
    const unsigned workers = workerCount(settings.workers, count);
    if (workers == 0) {
        return;
    }
    std::atomic<std::size_t> next{0};
    const std::function<bool()>& stop = settings.stopRequested;
    auto work = [&]() noexcept {
        try {
            MediaProbeProcess helper(settings.timeout, settings.helper, settings.helperMemoryBytes);
            for (std::size_t item = next++; item < count; item = next++) {
                if (stop && stop()) {
                    return;
                }
                handle(helper, item);
            }
        } catch (const std::exception&) {
            // No memory for a worker's tools: its items stay unhandled, the others go on.
        }
    };
    runOnWorkerThreads(workers, work, settings.whileWaiting);
}

} // namespace marrowvale
