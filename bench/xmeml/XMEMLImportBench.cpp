// Imports a generated feature-length XMEML timeline and, in the same run, lets libxml2 alone
// parse the same bytes into its tree; prints both times, their ratio and the import's peak
// heap against the file's size.
#include "app/ReaderHost.h"
#include "model/ModelContext.h"
#include "xmeml/FeatureTimelineGenerator.h"
#include "xmeml/ProcessXMEML.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <libxml/parser.h>
#include <malloc.h>
#include <map>
#include <memory>
#include <new>
#include <string>

namespace {

// Heap accounting for C++ allocations and libxml2's, switched on only for the memory pass so
// that it cannot slow the timed runs: bytes in use now and at most. Blocks made before the
// switch may be freed during the pass, so the counts are signed and only differences are used.
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

class SilentHost : public marrowvale::ReaderHost {
public:
    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string& message, const std::string& informative) override {
        std::fprintf(stderr, "alert: %s: %s\n", message.c_str(), informative.c_str());
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
};

const std::string& timeline() {
    static const std::string bytes = [] {
        marrowvale::bench::FeatureTimelineCounts counts;
        std::string generated = marrowvale::bench::generateFeatureTimeline(20240412, counts);
        std::printf("Generated timeline: %.1f MB, %zu clip items, %zu transitions, %zu markers, "
                    "%zu effects, %zu files\n",
                    static_cast<double>(generated.size()) / 1e6, counts.clipItems,
                    counts.transitions, counts.markers, counts.effects, counts.files);
        return generated;
    }();
    return bytes;
}

void BM_BareLibxml2Parse(benchmark::State& state) {
    const std::string& bytes = timeline();
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "", nullptr,
                                      XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
        benchmark::DoNotOptimize(doc);
        state.PauseTiming();
        xmlFreeDoc(doc);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_XMEMLImport(benchmark::State& state) {
    const std::string& bytes = timeline();
    SilentHost host;
    for (auto _ : state) {
        auto store = std::make_unique<marrowvale::ModelContext>();
        marrowvale::XMEMLImportResult result = marrowvale::processXMEML(*store, bytes, host);
        benchmark::DoNotOptimize(result);
        if (!result.imported) {
            state.SkipWithError("the import failed");
        }
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_BareLibxml2Parse)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_XMEMLImport)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps the mean real time of each benchmark for the closing comparison.
class ComparingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                milliseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
    }
    std::map<std::string, double> milliseconds;
};

// Heap growth of one call, from what was in use before it to its peak.
template <class Call>
std::int64_t peakHeapOf(Call call) {
    counting = true;
    std::int64_t before = heapInUse.load();
    heapPeak = before;
    call();
    counting = false;
    return heapPeak.load() - before;
}

} // namespace

void* operator new(std::size_t size) {
    void* block = countedMalloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return countedMalloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return countedMalloc(size == 0 ? 1 : size);
}
void operator delete(void* block) noexcept {
    countedFree(block);
}
void operator delete[](void* block) noexcept {
    countedFree(block);
}
void operator delete(void* block, std::size_t) noexcept {
    countedFree(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    countedFree(block);
}

int main(int argc, char** argv) {
    xmlMemSetup(countedFree, countedMalloc, countedRealloc, countedStrdup);
    xmlInitParser();
    const std::string& bytes = timeline();
    std::fflush(stdout);

    // Keep freed memory in the process and touch it once before timing: otherwise every run
    // pays the system's first-touch page faults for its whole heap, which on some machines
    // costs more than the parsing itself and would favour whichever side needs less memory.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    {
        xmlFreeDoc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "", nullptr,
                                 XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
        SilentHost host;
        marrowvale::ModelContext store;
        marrowvale::processXMEML(store, bytes, host);
    }

    benchmark::Initialize(&argc, argv);
    ComparingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double parse = reporter.milliseconds["BM_BareLibxml2Parse/min_time:2.000"];
    const double import = reporter.milliseconds["BM_XMEMLImport/min_time:2.000"];
    if (parse > 0 && import > 0) {
        std::printf("\nBare libxml2 parse: %.1f ms   XMEML import: %.1f ms   import / parse: "
                    "%.2f (target at most 3)\n",
                    parse, import, import / parse);
    }

    const double size = static_cast<double>(bytes.size());
    std::int64_t parsePeak = peakHeapOf([&] {
        xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "", nullptr,
                                      XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
        xmlFreeDoc(doc);
    });
    std::int64_t importPeak = peakHeapOf([&] {
        SilentHost host;
        marrowvale::ModelContext store;
        marrowvale::processXMEML(store, bytes, host);
    });
    std::printf("Peak heap beyond the file's bytes: libxml2 tree %.1f MB (%.2f x file), import "
                "%.1f MB (%.2f x file; target under 4)\n",
                static_cast<double>(parsePeak) / 1e6, static_cast<double>(parsePeak) / size,
                static_cast<double>(importPeak) / 1e6, static_cast<double>(importPeak) / size);
    return 0;
}
