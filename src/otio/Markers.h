#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "otio/schema/Marker.h"

#include <span>

namespace marrowvale {

class Composition;
class OTIOImport;
class StoryElement;

/// Stores markers of the sequence itself as the composition's MarkedRange records, placed at
/// their start plus the composition's first frame. Marker times are frame counts at the
/// sequence's rate once rescaled from their own rate (framesAt), like every other time. Called by the sequence pass with the top
/// stack's markers and then with each top-level child's markers (empty lists when absent).
///
/// Not built yet: for now no marker is stored. This is where the sequence markers plug in.
void storeSequenceMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                          Composition& composition);

/// Stores the markers of one item as the element's MarkedRange records: a marker's start is a
/// source time, rescaled to the sequence rate (framesAt), converted from there to the element's
/// own rate (convertedFrames) and placed on the timeline relative to the clip. Called by the clip
/// conversion last, for every element it keeps, with the item's "markers" (empty when absent).
///
/// Not built yet: for now no marker is stored. This is where the clip markers plug in.
void storeClipMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                      dovovevozav::TimecodeFrameRate sequenceRate, StoryElement& element);

} // namespace marrowvale
