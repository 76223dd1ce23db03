#pragma once

#include "media/MediaBatchSettings.h"

#include <cstddef>
#include <functional>

namespace marrowvale {

class MediaProbeProcess;

/// Hands the items 0 to `count` - 1 out one at a time to worker threads as `settings` say
/// (how many, and what the calling thread does meanwhile), each with a media probing helper of
/// its own, and calls `handle` with the worker's helper and the item. No further item is
/// handed out once `settings.stopRequested` answers true. A worker that cannot make its tools
/// (no memory) leaves its items unhandled, as if stopped.
void forEachOnMediaHelpers(std::size_t count, const MediaBatchSettings& settings,
                           const std::function<void(MediaProbeProcess&, std::size_t)>& handle);

} // namespace marrowvale
