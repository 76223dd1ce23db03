#include "otio/OTIOImport.h"

#include "otio/TimelineRates.h"

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

void OTIOImport::addAsset(const std::string& url, Asset& asset) {
    assetsByURL_.try_emplace(url, &asset);
}

Asset* OTIOImport::assetWithURL(std::string_view url) const {
    const auto found = assetsByURL_.find(url);
    return found == assetsByURL_.end() ? nullptr : found->second;
}

} // namespace marrowvale
