// Imports a generated feature-length XMEML timeline and, in the same run, lets libxml2 alone
// parse the same bytes into its tree; prints both times, their ratio and the import's peak
// heap against the file's size.
#include "model/ModelContext.h"
#include "support/BenchReaderHost.h"
#include "support/HeapCounter.h"
#include "xmeml/FeatureTimelineGenerator.h"
#include "xmeml/ProcessXMEML.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <libxml/parser.h>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace marrowvale::bench;

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
    BenchReaderHost host;
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

} // namespace

int main(int argc, char** argv) {
    xmlMemSetup(countedFree, countedMalloc, countedRealloc, countedStrdup);
    xmlInitParser();
    const std::string& bytes = timeline();
    std::fflush(stdout);

    // Keep freed memory in the process and touch it once before timing: otherwise every run
    // pays the system's first-touch page faults for its whole heap, which on some machines
    // costs more than the parsing itself and would favour whichever side needs less memory.
    keepFreedMemory();
    {
        xmlFreeDoc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "", nullptr,
                                 XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
        BenchReaderHost host;
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
        BenchReaderHost host;
        marrowvale::ModelContext store;
        marrowvale::processXMEML(store, bytes, host);
    });
    std::printf("Peak heap beyond the file's bytes: libxml2 tree %.1f MB (%.2f x file), import "
                "%.1f MB (%.2f x file; target under 4)\n",
                static_cast<double>(parsePeak) / 1e6, static_cast<double>(parsePeak) / size,
                static_cast<double>(importPeak) / 1e6, static_cast<double>(importPeak) / size);
    return 0;
}
