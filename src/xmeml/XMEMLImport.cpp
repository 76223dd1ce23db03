#include "xmeml/XMEMLImport.h"

#include "model/ModelContext.h"

namespace marrowvale {

XMEMLImport::XMEMLImport(const XMEMLDocument& document, ModelContext& context,
                         ReaderHost& readerHost)
    : doc(document), names(document), store(context), host(readerHost) {}

void XMEMLImport::indexAssets() {
    _assetsByID.clear();
    for (Asset* asset : store.fetchAll<Asset>()) {
        _assetsByID.emplace(asset->id, asset);
    }
}

Asset* XMEMLImport::assetWithID(std::string_view id) const {
    auto found = _assetsByID.find(id);
    return found == _assetsByID.end() ? nullptr : found->second;
}

std::optional<std::string_view> XMEMLImport::reelOfFile(std::string_view fileID) {
    if (!_reelsByFileID) {
        // One walk over the document: file definitions come in document order, so the first
        // one with a reel name for an identifier is the one kept.
        _reelsByFileID.emplace();
        for (NodeIndex node = 0; node < doc.size(); ++node) {
            if (doc.name(node) != names.file) {
                continue;
            }
            std::optional<std::string_view> id = doc.attribute(node, names.idAttribute);
            if (!id || _reelsByFileID->contains(*id)) {
                continue;
            }
            NodeIndex reelName = doc.path(node, {names.timecode, names.reel, names.name});
            if (reelName != XMEMLDocument::none) {
                _reelsByFileID->emplace(std::string(*id), reelName);
            }
        }
    }
    auto found = _reelsByFileID->find(fileID);
    if (found == _reelsByFileID->end()) {
        return std::nullopt;
    }
    return doc.text(found->second);
}

} // namespace marrowvale
