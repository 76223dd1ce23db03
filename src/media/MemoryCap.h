#pragma once

#include <cstdint>
#include <thread>

namespace marrowvale {

/// Ends the process it runs in with MediaProbeWork::outOfMemoryStatus once the process has held
/// more than a number of bytes of memory, looking a hundred times a second. It measures what
/// the process holds (its resident size), not the address space it reserves, so it works the
/// same under a sanitizer whose shadow memory reserves terabytes. Meant for the media probing
/// helper, whose parent reads the status as "too big to read".
class MemoryCap {
public:
    /// Watches this process for more than `bytes`; 0 or less watches nothing.
    explicit MemoryCap(std::int64_t bytes);

private:
    std::jthread watch_;
};

} // namespace marrowvale
