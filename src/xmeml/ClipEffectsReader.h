#pragma once

#include "xmeml/XMEMLDocument.h"

#include <optional>

namespace marrowvale {

class StoryElement;
class XMEMLImport;

/// A clip item's source in and out points, in the frames of its source.
struct SourceRange {
    double in = 0;
    double out = 0;
};

/// Stores the motion effects of a video clip item that change the picture (scale, rotation,
/// center, center offset, anti-flicker, crop, opacity) as video effects, and reads its time
/// remap. `range` is the item's in and out after any rate conversion; without it the time
/// remap reads them from the item.
void storeMotionFilters(XMEMLImport& import, NodeIndex clipItem, StoryElement& clip,
                        std::optional<SourceRange> range);

/// Stores the first audio levels and the first audio pan effect of an audio clip item, when
/// they change anything, and reads its time remap.
void storeAudioFilters(XMEMLImport& import, NodeIndex clipItem, StoryElement& clip,
                       std::optional<SourceRange> range);

/// Reads a time-remap effect: speed, variable speed and reverse, whatever their order. A
/// change of speed becomes the clip's speed effect ("Speed Change", "Frame Hold", "Reverse
/// Speed Change", "Multiple speed changes") and rewrites its source in point and duration.
/// Nothing is stored for 100 % or for a speed that is not a finite number.
void storeTimeRemap(XMEMLImport& import, NodeIndex effect, StoryElement& clip,
                    std::optional<SourceRange> range);

} // namespace marrowvale
