#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "otio/schema/Marker.h"

#include <span>

namespace marrowvale {

class Composition;
class OTIOImport;
class StoryElement;

/// Stores markers of the sequence itself as the composition's MarkedRange records, placed at
/// their start plus the composition's first frame. Called by the sequence pass with the top
/// stack's markers and then with each top-level child's markers (empty lists when absent).
///
/// Not built yet: for now no marker is stored. This is where the sequence markers plug in.
void storeSequenceMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                          Composition& composition);

/// Stores the markers of one item as the element's MarkedRange records: a marker's start is a
/// source time, converted from the sequence rate to the element's own rate (see
/// convertedFrames) and placed on the timeline relative to the clip. Called by the clip
/// conversion last, for every element it keeps, with the item's "markers" (empty when absent).
///
/// Not built yet: for now no marker is stored. This is where the clip markers plug in.
void storeClipMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                      dovovevozav::TimecodeFrameRate sequenceRate, StoryElement& element);

} // namespace marrowvale
