#pragma once

namespace marrowvale {

class OTIOImport;
class StoryElement;

namespace otio {
struct Effect;
}

/// Stores a time warp as the element's SpeedFX, replacing an earlier one. A "time_scalar" S
/// gives 100 x S percent, named "Freeze Frame" (0), "Reverse Speed Change" (below 0) or
/// "Speed Change"; the element then plays |S| times its source duration. Normal speed (1) and
/// a scalar that is not a finite number store nothing. Without a scalar, a Media Composer
/// operation with a name gives a SpeedFX of that name at 0 percent and leaves the source
/// duration as it is.
void makeSpeedFX(OTIOImport& import, const otio::Effect& effect, StoryElement& element);

} // namespace marrowvale
