#pragma once

// Heap accounting for the benchmarks: linking HeapCounter.cpp replaces the global operator new
// and delete with counting ones, and the counted allocation functions can be handed to C
// libraries too. Counting is on only inside peakHeapOf, so that it cannot slow timed runs.

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace marrowvale::bench {

void* countedMalloc(std::size_t size);
void countedFree(void* block);
void* countedRealloc(void* block, std::size_t size);
char* countedStrdup(const char* text);

/// Starts counting and returns the bytes in use now.
std::int64_t startHeapCount();
/// Stops counting and returns the most bytes that were in use meanwhile.
std::int64_t stopHeapCount();

/// Heap growth of one call, from what was in use before it to its peak.
template <class Call>
std::int64_t peakHeapOf(Call call) {
    const std::int64_t before = startHeapCount();
    call();
    return stopHeapCount() - before;
}

/// Keeps freed memory in the process, so that timed runs do not pay the system's first-touch
/// page faults for their whole heap (which would favour whichever side needs less memory).
void keepFreedMemory();

/// Prints the console report and keeps the mean real time of each benchmark by name.
class ComparingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    std::map<std::string, double> milliseconds;
};

} // namespace marrowvale::bench
