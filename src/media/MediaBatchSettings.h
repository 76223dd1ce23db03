#pragma once

#include "media/ProbeLimits.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace marrowvale {

/// How a batch of media files is probed side by side: on how many threads, each with a media
/// probing helper of its own, waiting how long for each answer, and what the calling thread
/// does meanwhile.
struct MediaBatchSettings {
    /// Threads probing side by side; 0 for one per core.
    unsigned workers = 0;
    /// How long each answer is waited for before its file is given up on.
    std::chrono::milliseconds timeout = ProbeLimits{}.answerTimeout;
    /// Memory each helper may take before its file is given up on as too big to read.
    std::int64_t helperMemoryBytes = ProbeLimits{}.helperMemoryBytes;
    /// The helper program; none for the installed one (MediaProbeProcess::installedHelper()).
    std::optional<std::filesystem::path> helper{};
    /// Asked by every thread between files and while it waits (so it must be safe to call from
    /// any thread); once it answers true, the waits end and no further file is started.
    std::function<bool()> stopRequested{};
    /// When set, the calling thread takes no share of the work: it waits for the threads and
    /// calls this at least every 100 ms meanwhile (to keep a window responsive, say).
    std::function<void()> whileWaiting{};
};

} // namespace marrowvale
