#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"

namespace marrowvale {

class AudioTrackPlacements;
class OTIOImport;
class StoryElement;

namespace otio {
struct Child;
}

/// Fills one StoryElement, created by the sequence pass with its defaults, from one item of a
/// track: its name, enabled flag, category (clip of a known asset, still image, gap, generator
/// or title, transition), asset, own timecode rate, position, timeline and source timing; then
/// hands the item's effects and markers to their conversions.
///
/// Times are frame counts at the sequence's rate `timecodeRate`; a time whose own rate is
/// another is rescaled first (framesAt). Source times are converted to the element's own rate
/// (convertedFrames), and a source time that does not fit stays absent.
///
/// `audioTracks` is given for an item of an audio track: the placements of the sequence's
/// audio tracks, the current one last. The result is false when the element repeats an
/// element of an earlier audio track (AudioTrackPlacements::repeatsEarlierTrack); it then gets
/// no effects and no markers, and the caller leaves it off its track. True otherwise.
bool makeStoryElement(OTIOImport& import, const otio::Child& child, StoryElement& element,
                      dovovevozav::TimecodeFrameRate timecodeRate,
                      const AudioTrackPlacements* audioTracks, double timelinePosition);

} // namespace marrowvale
