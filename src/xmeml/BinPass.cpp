#include "xmeml/BinPass.h"

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "app/ReaderHost.h"
#include "model/Identifier.h"
#include "model/ModelContext.h"
#include "xmeml/AssetPass.h"
#include "xmeml/LoggingReader.h"
#include "xmeml/SequencePass.h"
#include "xmeml/XMEMLImport.h"

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;

std::vector<NodeIndex> findBins(const XMEMLImport& import) {
    const XMEMLDocument& doc = import.doc;
    const XMEMLNames& n = import.names;
    const NodeIndex root = doc.root();
    std::vector<NodeIndex> bins;
    // "./project/children | .//bin/children" from the root, in document order.
    for (NodeIndex node = 1; node < doc.size(); ++node) {
        if (doc.name(node) != n.children) {
            continue;
        }
        NodeIndex parent = doc.parent(node);
        if (doc.name(parent) == n.bin ||
            (doc.name(parent) == n.project && doc.parent(parent) == root)) {
            bins.push_back(node);
        }
    }
    if (bins.empty() && root != XMEMLDocument::none) {
        bins.push_back(root);
    }
    return bins;
}

namespace {

std::string binName(const XMEMLImport& import, NodeIndex binNode) {
    NodeIndex parent = import.doc.parent(binNode);
    if (parent == XMEMLDocument::none) {
        return "PPro Project";
    }
    std::optional<std::string_view> name = import.text(parent, {import.names.name});
    if (!name || name->empty() || *name == "xmeml") {
        return "PPro Project";
    }
    return std::string(*name);
}

void storeBinClip(XMEMLImport& import, NodeIndex clip, EventBin& bin) {
    const XMEMLNames& n = import.names;
    StoryElement* element = import.store.create<StoryElement>(
        StoryElement::Category::assetclip, 999, std::nullopt, std::string(), std::string());
    bin.clips.push_back(element);
    element->timelineClipCategory = bin.name;
    element->id = makeUpperCaseUUID();
    if (auto name = import.attribute(clip, n.nameAttribute)) {
        element->name.assign(*name);
    }

    std::string_view fileID = "MISSING";
    NodeIndex file = import.doc.descendant(clip, n.file);
    if (file != XMEMLDocument::none) {
        fileID = import.attribute(file, n.idAttribute).value_or("MISSING");
    }
    TimecodeFrameRate rate = TimecodeFrameRate::fps60;
    double start = 0;
    double length = 0;
    if (Asset* asset = import.assetWithID(fileID)) {
        element->asset = asset;
        rate = TimecodeFrameRate::fromRawValue(asset->timecodeFrameRate).value_or(rate);
        start = asset->firstFrame;
        length = asset->duration;
        if (element->name.empty()) {
            element->name = asset->name;
        }
        if (asset->category == Asset::Category::Image) {
            element->category = StoryElement::Category::stillImage;
        }
    }
    element->timecodeFrameRate = std::string(rate.rawValue());
    element->firstFrame = start;
    element->srcInpoint = element->firstFrame;
    element->srcDuration = length;

    readClipLogging(import, clip, *element);
    readClipMarkers(import, import.doc.children(clip, n.marker), *element);
}

} // namespace

void storeBinClips(XMEMLImport& import, const std::vector<NodeIndex>& clips, EventBin& bin,
                   double clipsShare) {
    if (clips.empty()) {
        import.host.updateProgress(clipsShare);
        return;
    }
    const double step = clipsShare / static_cast<double>(clips.size());
    for (NodeIndex clip : clips) {
        import.host.updateProgress(step);
        storeBinClip(import, clip, bin);
    }
}

void storeBinsAndTheirContents(XMEMLImport& import, const std::vector<NodeIndex>& bins,
                               double clipsShare, double sequencesShare) {
    const XMEMLNames& n = import.names;
    for (NodeIndex binNode : bins) {
        EventBin* bin = import.store.create<EventBin>(binName(import, binNode));
        storeBinClips(import, import.doc.children(binNode, n.clip), *bin, clipsShare);
        storeBinSequences(import, import.doc.children(binNode, n.sequence), *bin, sequencesShare);
    }
}

} // namespace marrowvale
