#include "media/MemoryCap.h"

#include "media/MediaProbeWork.h"

#include <chrono>
#include <sys/resource.h>
#include <unistd.h>

namespace marrowvale {

namespace {

// Memory is faulted in at most a few gigabytes a second, so a process overshoots by tens of
// megabytes at most before it is seen.
constexpr std::chrono::milliseconds kLookInterval{10};

// The most memory this process has held so far, in bytes.
std::int64_t peakResidentBytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return std::int64_t{usage.ru_maxrss} * 1024;
}

} // namespace

MemoryCap::MemoryCap(std::int64_t bytes) {
    if (bytes <= 0) {
        return;
    }
    watch_ = std::jthread([bytes](const std::stop_token& stop) {
        while (!stop.stop_requested()) {
            if (peakResidentBytes() > bytes) {
                // Whatever thread holds the memory cannot be unwound from here, and the
                // media libraries may not survive an allocation that fails: ending the
                // process is the one sure way out, and its status says why.
                ::_exit(MediaProbeWork::outOfMemoryStatus);
            }
            std::this_thread::sleep_for(kLookInterval);
        }
    });
}

} // namespace marrowvale
