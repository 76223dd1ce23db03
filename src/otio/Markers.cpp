#include "otio/Markers.h"

namespace marrowvale {

void storeSequenceMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                          Composition& composition) {
    (void)import, (void)markers, (void)composition;
}

void storeClipMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                      dovovevozav::TimecodeFrameRate sequenceRate, StoryElement& element) {
    (void)import, (void)markers, (void)sequenceRate, (void)element;
}

} // namespace marrowvale
