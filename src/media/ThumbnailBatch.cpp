#include "media/ThumbnailBatch.h"

#include "media/GivenUpFiles.h"
#include "media/MediaHelperWorkers.h"
#include "media/MediaProbeProcess.h"
#include "media/WorkerThreads.h"

#include <algorithm>
#include <numeric>

namespace marrowvale {

namespace {

// Runs handed out per worker: enough for an even share when some runs cost more than others,
// few enough that each run still covers neighbouring times.
constexpr std::size_t runsPerWorker = 4;

struct Run {
    std::size_t begin;
    std::size_t end;
};

// The job indexes by file, then by time, cut into runs that never span two files.
std::vector<Run> cutIntoRuns(const std::vector<std::size_t>& order,
                             const std::vector<ThumbnailJob>& jobs, std::size_t workers) {
    const std::size_t length = std::max<std::size_t>(
        1, (order.size() + workers * runsPerWorker - 1) / (workers * runsPerWorker));
    std::vector<Run> runs;
    std::size_t begin = 0;
    for (std::size_t i = 1; i <= order.size(); ++i) {
        if (i == order.size() || i - begin == length ||
            jobs[order[i]].source != jobs[order[begin]].source) {
            runs.push_back({begin, i});
            begin = i;
        }
    }
    return runs;
}

} // namespace

std::vector<std::optional<int>> makeThumbnailFiles(const std::vector<ThumbnailJob>& jobs,
                                                   const MediaBatchSettings& settings,
                                                   GivenUpFiles* givenUp) {
    std::vector<std::optional<int>> heights(jobs.size());
    if (jobs.empty()) {
        return heights;
    }
    std::vector<std::size_t> order(jobs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const ThumbnailJob& x = jobs[a];
        const ThumbnailJob& y = jobs[b];
        if (x.source != y.source) {
            return x.source < y.source;
        }
        // x.numerator / x.denominator < y.numerator / y.denominator, exactly
        return static_cast<__int128>(x.numerator) * y.denominator <
               static_cast<__int128>(y.numerator) * x.denominator;
    });

    const std::vector<Run> runs =
        cutIntoRuns(order, jobs, workerCount(settings.workers, jobs.size()));
    GivenUpFiles ownGivenUp;
    GivenUpFiles& givenUpFiles = givenUp != nullptr ? *givenUp : ownGivenUp;
    const std::function<bool()>& stop = settings.stopRequested;
    forEachOnMediaHelpers(runs.size(), settings, [&](MediaProbeProcess& helper, std::size_t r) {
        for (std::size_t i = runs[r].begin; i < runs[r].end; ++i) {
            if (stop && stop()) {
                return;
            }
            const ThumbnailJob& job = jobs[order[i]];
            if (givenUpFiles.contains(job.source)) {
                return; // the rest of the run is of the same file
            }
            heights[order[i]] = helper.makeThumbnail(job, stop);
            givenUpFiles.add(job.source, helper.givenUp());
        }
    });
    return heights;
}

} // namespace marrowvale
