#include "otio/OTIOImport.h"

#include "app/ReaderHost.h"
#include "otio/TimelineRates.h"

#include <fmt/format.h>

namespace marrowvale {

std::vector<MediaFileProbe> probeEachMediaFile(const std::vector<std::filesystem::path>& paths) {
    std::vector<MediaFileProbe> probes;
    probes.reserve(paths.size());
    for (const std::filesystem::path& path : paths) {
        probes.push_back(probeMediaFile(path));
    }
    return probes;
}

OTIOImport::OTIOImport(const otio::Timeline& timeline, ModelContext& store, ReaderHost& host,
                       InputType producer, const MediaFileProber& probe)
    : timeline(timeline), store(store), host(host), inputType(producer), probe(probe),
      timelineRate(timelineVideoFrameRate(timeline).value_or(dovovevozav::VideoFrameRate::fps60p)) {
}

double OTIOImport::clipFrames(const otio::RationalTime& time, const dovovevozav::Fraction& rate) {
    if (!isTimeRate(time.rate)) {
        std::string written = fmt::format("{}", time.rate);
        if (unusableRates_.size() <= mostRateWarnings && !unusableRates_.contains(written)) {
            // A few lines say it; a document of thousands of such rates must not bury the rest.
            host.showWarning(
                unusableRates_.size() < mostRateWarnings
                    ? fmt::format("A clip\u2019s rate ({}) is not a frame or sample rate; times "
                                  "at that rate are read at the sequence\u2019s rate, {}.",
                                  written, timelineRate.displayString())
                    : fmt::format("More clip rates are not frame or sample rates; times at "
                                  "those rates are read at the sequence\u2019s rate, {}, too.",
                                  timelineRate.displayString()));
            unusableRates_.insert(std::move(written));
        }
    }
    return framesAt(time, rate);
}

void OTIOImport::addAsset(const std::string& url, Asset& asset) {
    assetsByURL_.try_emplace(url, &asset);
}

Asset* OTIOImport::assetWithURL(std::string_view url) const {
    const auto found = assetsByURL_.find(url);
    return found == assetsByURL_.end() ? nullptr : found->second;
}

} // namespace marrowvale
