#include "media/WorkerThreads.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace marrowvale {

namespace {

// How often a waiting calling thread calls its callback: well within the 100 ms a window needs.
constexpr std::chrono::milliseconds kWaitingInterval{40};

} // namespace

unsigned workerCount(unsigned asked, std::size_t tasks) {
    const unsigned wanted = asked != 0 ? asked : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::min<std::size_t>(wanted, tasks));
}

void runOnWorkerThreads(unsigned workers, const std::function<void()>& work,
                        const std::function<void()>& whileWaiting) {
    workers = std::max(1u, workers);
    const unsigned threadsWanted = whileWaiting ? workers : workers - 1;
    std::mutex mutex;
    std::condition_variable ended;
    unsigned running = 0;
    std::vector<std::jthread> threads;
    threads.reserve(threadsWanted);
    for (unsigned i = 0; i < threadsWanted; ++i) {
        try {
            const std::scoped_lock lock(mutex);
            threads.emplace_back([&] {
                work();
                const std::scoped_lock done(mutex);
                --running;
                ended.notify_all();
            });
            ++running;
        } catch (const std::system_error&) {
            break; // fewer threads than asked: the ones there share the work
        }
    }
    if (!whileWaiting || threads.empty()) {
        work();
    }
    if (whileWaiting) {
        std::unique_lock lock(mutex);
        while (running > 0) {
            ended.wait_for(lock, kWaitingInterval);
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
}

} // namespace marrowvale
