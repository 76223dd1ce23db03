// XMEML import under hostile bytes: the real reader fills a real store through a silent host,
// and afterwards everything the report would read is walked, so a dangling or missing link
// shows as a sanitizer report rather than a corrupt workbook.
#include "app/ReaderHost.h"
#include "model/Asset.h"
#include "model/AudioFX.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/MarkedRange.h"
#include "model/Metadata.h"
#include "model/ModelContext.h"
#include "model/SpeedFX.h"
#include "model/StoryElement.h"
#include "model/VideoFX.h"
#include "model/VideoFormat.h"
#include "model/VideoTrack.h"
#include "xmeml/ProcessXMEML.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace marrowvale;

// Shows nothing and answers every question the same way.
class SilentHost : public ReaderHost {
public:
    explicit SilentHost(bool answer) : answer_(answer) {}
    void startProgress(double) override {}
    void updateProgress(double) override {}
    void showAlert(const std::string&, const std::string&) override { ++alerts; }
    bool askYesNo(const std::string&, const std::string&) override { return answer_; }
    void logDiagnostic(const std::string&) override {}

    int alerts = 0;

private:
    bool answer_;
};

void readElement(const StoryElement& element) {
    (void)element.debugDescription();
    if (element.asset) {
        (void)element.asset->debugDescription();
        if (element.asset->videoFormat)
            (void)element.asset->videoFormat->debugDescription();
    }
    if (element.composition)
        (void)element.composition->name.size();
    for (const Metadata* entry : element.metadata)
        (void)entry->debugDescription();
    for (const MarkedRange* range : element.markedRanges)
        (void)range->debugDescription();
    for (const VideoFX* effect : element.videoFX)
        (void)effect->debugDescription();
    for (const AudioFX* effect : element.audioFX)
        (void)effect->debugDescription();
    if (element.speedFX)
        (void)element.speedFX->debugDescription();
}

void readComposition(const Composition& sequence) {
    (void)sequence.debugDescription();
    if (sequence.videoFormat)
        (void)sequence.videoFormat->debugDescription();
    for (const VideoTrack* track : sequence.videoTracks) {
        (void)track->debugDescription();
        for (const StoryElement* element : track->elements)
            readElement(*element);
    }
    for (const AudioTrack* track : sequence.audioTracks) {
        (void)track->debugDescription();
        for (const StoryElement* element : track->elements)
            readElement(*element);
    }
    for (const MarkedRange* marker : sequence.markers)
        (void)marker->debugDescription();
    for (const Metadata* entry : sequence.metadata)
        (void)entry->debugDescription();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ModelContext store;
    SilentHost host(size % 2 == 0);
    const XMEMLImportResult result = processXMEML(store, bytes, host);
    if (!result.imported) {
        // A refused file must tell the user why and leave nothing half-read in the store.
        if (host.alerts == 0 || !store.fetchAll<EventBin>().empty() ||
            !store.fetchAll<Asset>().empty() || !store.fetchAll<Composition>().empty() ||
            !store.fetchAll<StoryElement>().empty())
            std::abort();
        return 0;
    }
    for (const EventBin* bin : store.fetchAll<EventBin>()) {
        (void)bin->debugDescription();
        for (const StoryElement* clip : bin->clips)
            readElement(*clip);
        for (const Composition* sequence : bin->storyCompositions)
            readComposition(*sequence);
    }
    for (const Asset* asset : store.fetchAll<Asset>())
        (void)asset->debugDescription();
    return 0;
}
