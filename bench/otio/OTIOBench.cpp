// Decodes a generated 20,000-clip OTIO timeline into the schema's records, imports it into a
// fresh store through the reader and, in the same run, lets the JSON library alone parse the
// same document into its tree; prints the times, their ratios and the peak heap of each. The
// library cannot parse the "-Infinity" that Resolve writes, so it parses the text with those
// words already replaced by numbers; the decoder is timed on both texts, the reader on the text
// as Resolve writes it. The media files the timeline names do not exist here, so the reader
// probes nothing: its asset pass only asks the file system.
#include "model/ModelContext.h"
#include "otio/OTIOTimelineGenerator.h"
#include "otio/ProcessOTIO.h"
#include "otio/schema/TimelineDecoder.h"
#include "support/BenchReaderHost.h"
#include "support/HeapCounter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

namespace {

using namespace marrowvale::bench;

constexpr std::size_t clipCount = 20000;

const std::string& timeline() {
    static const std::string bytes = [] {
        OTIOTimelineCounts counts;
        std::string generated =
            generateOTIOTimeline(OTIOProducer::resolve, clipCount, 20240412, counts);
        std::printf("Generated Resolve timeline: %.1f MB, %zu tracks, %zu clips, %zu gaps, "
                    "%zu transitions, %zu effects, %zu markers\n",
                    static_cast<double>(generated.size()) / 1e6, counts.tracks, counts.clips,
                    counts.gaps, counts.transitions, counts.effects, counts.markers);
        return generated;
    }();
    return bytes;
}

// The timeline with "-Infinity" written as the number the decoder reads it as: strict JSON.
const std::string& strictTimeline() {
    static const std::string bytes = [] {
        std::string text = timeline();
        for (std::size_t at = text.find("-Infinity"); at != std::string::npos;
             at = text.find("-Infinity", at)) {
            text.replace(at, 9, "-999999999");
        }
        return text;
    }();
    return bytes;
}

void BM_BareJsonParse(benchmark::State& state) {
    const std::string& bytes = strictTimeline();
    for (auto _ : state) {
        nlohmann::json tree = nlohmann::json::parse(bytes.begin(), bytes.end());
        benchmark::DoNotOptimize(tree);
        state.PauseTiming();
        tree = nullptr;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_DecodeTimeline(benchmark::State& state) {
    const std::string& bytes = state.range(0) == 0 ? strictTimeline() : timeline();
    for (auto _ : state) {
        marrowvale::otio::Timeline decoded = marrowvale::otio::decodeTimeline(bytes);
        benchmark::DoNotOptimize(decoded);
        state.PauseTiming();
        decoded = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_BareJsonParse)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// Argument 0: the strict text; 1: the text as Resolve writes it, with "-Infinity".
BENCHMARK(BM_DecodeTimeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

bool importTimeline(marrowvale::ModelContext& store) {
    marrowvale::bench::BenchReaderHost host;
    return marrowvale::processOTIODocument(store, timeline(), "Generated.otio", std::nullopt, 100.0,
                                           2000.0, host);
}

void BM_ImportOTIO(benchmark::State& state) {
    for (auto _ : state) {
        auto store = std::make_unique<marrowvale::ModelContext>();
        if (!importTimeline(*store)) {
            state.SkipWithError("the generated timeline was refused");
            return;
        }
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * timeline().size()));
}

BENCHMARK(BM_ImportOTIO)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    const std::string& bytes = timeline();
    const std::string& strict = strictTimeline();
    std::fflush(stdout);

    keepFreedMemory();
    {
        nlohmann::json warm = nlohmann::json::parse(strict.begin(), strict.end());
        marrowvale::otio::Timeline decoded = marrowvale::otio::decodeTimeline(bytes);
        marrowvale::ModelContext store;
        importTimeline(store);
        std::printf("Imported: %zu assets, %zu items on %zu video and %zu audio tracks\n",
                    store.count<marrowvale::Asset>(), store.count<marrowvale::StoryElement>(),
                    store.count<marrowvale::VideoTrack>(), store.count<marrowvale::AudioTrack>());
    }

    benchmark::Initialize(&argc, argv);
    ComparingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double parse = reporter.milliseconds["BM_BareJsonParse/min_time:2.000"];
    const double strictDecode = reporter.milliseconds["BM_DecodeTimeline/0/min_time:2.000"];
    const double decode = reporter.milliseconds["BM_DecodeTimeline/1/min_time:2.000"];
    if (parse > 0 && decode > 0) {
        std::printf("\nBare JSON parse: %.1f ms   OTIO decode: %.1f ms strict, %.1f ms with "
                    "\"-Infinity\"   decode / parse: %.2f and %.2f (target at most 1.5)\n",
                    parse, strictDecode, decode, strictDecode / parse, decode / parse);
    }
    const double import = reporter.milliseconds["BM_ImportOTIO/min_time:2.000"];
    if (parse > 0 && import > 0) {
        std::printf("Bare JSON parse: %.1f ms   OTIO import: %.1f ms   import / parse: %.2f "
                    "(target at most 2)\n",
                    parse, import, import / parse);
    }

    const double size = static_cast<double>(bytes.size());
    const std::int64_t parsePeak = peakHeapOf([&] {
        nlohmann::json tree = nlohmann::json::parse(strict.begin(), strict.end());
        benchmark::DoNotOptimize(tree);
    });
    const std::int64_t strictPeak = peakHeapOf([&] {
        marrowvale::otio::Timeline decoded = marrowvale::otio::decodeTimeline(strict);
        benchmark::DoNotOptimize(decoded);
    });
    const std::int64_t decodePeak = peakHeapOf([&] {
        marrowvale::otio::Timeline decoded = marrowvale::otio::decodeTimeline(bytes);
        benchmark::DoNotOptimize(decoded);
    });
    const auto megabytes = [](std::int64_t bytes) { return static_cast<double>(bytes) / 1e6; };
    std::printf("Peak heap beyond the file's bytes: JSON tree %.1f MB (%.2f x file); decode "
                "%.1f MB strict (%.2f x file), %.1f MB with \"-Infinity\" (%.2f x file)\n",
                megabytes(parsePeak), static_cast<double>(parsePeak) / size, megabytes(strictPeak),
                static_cast<double>(strictPeak) / size, megabytes(decodePeak),
                static_cast<double>(decodePeak) / size);
    const std::int64_t importPeak = peakHeapOf([&] {
        marrowvale::ModelContext store;
        importTimeline(store);
        benchmark::DoNotOptimize(store);
    });
    std::printf("Peak heap of the import: %.1f MB (%.2f x file)\n", megabytes(importPeak),
                static_cast<double>(importPeak) / size);
    return 0;
}
