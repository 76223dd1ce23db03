#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "xmeml/XMEMLDocument.h"

namespace marrowvale {

class StoryElement;
class XMEMLImport;

/// What the items of one sequence share: its timecode rate and its first frame, which turns an
/// item's "start" into an absolute timeline position.
struct SequenceTiming {
    dovovevozav::TimecodeFrameRate rate;
    double startFrame = 0;
};

/// Reads one item of a video track ("clipitem", "transitionitem" or "generatoritem") into its
/// element: name, enabled flag, timing (a -1 start or end taken from the neighbouring item),
/// category, source file and range (converted to the file's rate when that differs from the
/// sequence's), slugs and titles of items without a file, logging, markers and effects.
void readVideoItem(XMEMLImport& import, NodeIndex item, StoryElement& element,
                   const SequenceTiming& sequence);

/// Reads one item of an audio track the same way, but without rate conversion, without slug
/// and title handling, and with audio effects instead of video effects.
void readAudioItem(XMEMLImport& import, NodeIndex item, StoryElement& element,
                   const SequenceTiming& sequence);

} // namespace marrowvale
