#pragma once

#include <cstddef>
#include <functional>

namespace marrowvale {

/// The threads to run for `tasks` tasks when `asked` were asked for (0: one per core): never
/// more than the tasks, and at least one while there are any.
unsigned workerCount(unsigned asked, std::size_t tasks);

/// Runs `work` on `workers` threads at once (at least one) and returns when every one has
/// returned. Without `whileWaiting` the calling thread is one of them; with it, the calling
/// thread only waits, calling `whileWaiting` every few hundredths of a second, and works
/// itself only when no thread can be started. `work` must not throw.
void runOnWorkerThreads(unsigned workers, const std::function<void()>& work,
                        const std::function<void()>& whileWaiting = {});

} // namespace marrowvale
