#include "otio/OTIOImport.h"

#include "model/ModelContext.h"
#include "otio/TimelineRates.h"

namespace marrowvale {

OTIOImport::OTIOImport(const otio::Timeline& timeline, ModelContext& store, ReaderHost& host,
                       InputType producer, const MediaFileProber& probe)
    : timeline(timeline), store(store), host(host), inputType(producer), probe(probe),
      timelineRate(timelineVideoFrameRate(timeline).value_or(dovovevozav::VideoFrameRate::fps60p)) {
}

void OTIOImport::indexAssets() {
    assetsByURL_.clear();
    for (Asset* asset : store.fetchAll<Asset>()) {
        if (asset->url) {
            assetsByURL_.try_emplace(*asset->url, asset);
        }
    }
}

Asset* OTIOImport::assetWithURL(std::string_view url) const {
    const auto found = assetsByURL_.find(url);
    return found == assetsByURL_.end() ? nullptr : found->second;
}

} // namespace marrowvale
