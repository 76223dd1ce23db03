#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "otio/schema/Marker.h"

#include <span>

namespace marrowvale {

class Composition;
class OTIOImport;
class StoryElement;

/// Stores markers of the sequence itself (the top stack's and each top-level child's, so also
/// those of a track that is neither video nor audio) as the composition's MarkedRange records:
/// visible, at their start plus the composition's first frame, with their duration when it is
/// above one frame, the Resolve note and keywords or else the Premiere comments, and their
/// colour capitalized ("RED" gives "Red"). A marker named "DescriptiveMarker" is called
/// "Marker". Marker times are frame counts at the sequence's rate once rescaled from their own
/// rate (framesAt), like every other time. Called by the sequence pass (empty lists when absent).
void storeSequenceMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                          Composition& composition);

/// Stores the markers of one item as the element's MarkedRange records: a marker's start is a
/// source time (after the media's first frame in a Premiere Pro document), rescaled to the
/// sequence rate (framesAt), converted from there to the element's own rate (convertedFrames)
/// and placed on the timeline relative to the clip; it is visible only within the clip's stretch
/// of the timeline, ends included. A negative start counts as 0; a time that does not convert
/// gives 0. A Media Composer colour is kept as written, any other is capitalized. Called by the
/// clip conversion last, for every element it keeps, with the item's "markers" (empty when
/// absent).
void storeClipMarkers(OTIOImport& import, std::span<const otio::Marker> markers,
                      dovovevozav::TimecodeFrameRate sequenceRate, StoryElement& element);

} // namespace marrowvale
