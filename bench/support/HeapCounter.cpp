#include "support/HeapCounter.h"

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>

namespace marrowvale::bench {

namespace {

// Bytes in use now and at most. Blocks made before counting starts may be freed while it runs,
// so the counts are signed and only differences are used.
std::atomic<bool> counting{false};
std::atomic<std::int64_t> heapInUse{0};
std::atomic<std::int64_t> heapPeak{0};

void counted(void* block) {
    if (block != nullptr && counting.load(std::memory_order_relaxed)) {
        std::int64_t now = heapInUse += static_cast<std::int64_t>(malloc_usable_size(block));
        std::int64_t peak = heapPeak.load(std::memory_order_relaxed);
        while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
        }
    }
}

} // namespace

[[gnu::noinline]] void* countedMalloc(std::size_t size) {
    void* block = std::malloc(size);
    counted(block);
    return block;
}

[[gnu::noinline]] void countedFree(void* block) {
    if (block != nullptr) {
        if (counting.load(std::memory_order_relaxed)) {
            heapInUse -= static_cast<std::int64_t>(malloc_usable_size(block));
        }
        std::free(block);
    }
}

void* countedRealloc(void* block, std::size_t size) {
    std::size_t before = block != nullptr ? malloc_usable_size(block) : 0;
    void* moved = std::realloc(block, size);
    if (moved != nullptr) {
        if (counting.load(std::memory_order_relaxed)) {
            heapInUse -= static_cast<std::int64_t>(before);
        }
        counted(moved);
    }
    return moved;
}

char* countedStrdup(const char* text) {
    std::size_t length = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(countedMalloc(length));
    if (copy != nullptr) {
        std::memcpy(copy, text, length);
    }
    return copy;
}

std::int64_t startHeapCount() {
    counting = true;
    const std::int64_t now = heapInUse.load();
    heapPeak = now;
    return now;
}

std::int64_t stopHeapCount() {
    counting = false;
    return heapPeak.load();
}

void keepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
}

void ComparingReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Iteration) {
            milliseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
}

} // namespace marrowvale::bench

void* operator new(std::size_t size) {
    void* block = marrowvale::bench::countedMalloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return marrowvale::bench::countedMalloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return marrowvale::bench::countedMalloc(size == 0 ? 1 : size);
}
void operator delete(void* block) noexcept {
    marrowvale::bench::countedFree(block);
}
void operator delete[](void* block) noexcept {
    marrowvale::bench::countedFree(block);
}
void operator delete(void* block, std::size_t) noexcept {
    marrowvale::bench::countedFree(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    marrowvale::bench::countedFree(block);
}
