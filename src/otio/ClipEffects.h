#pragma once

#include "otio/schema/Effect.h"

#include <span>

namespace marrowvale {

class OTIOImport;
class StoryElement;

/// Stores the effects of an item on a video track as the element's VideoFX records, and a time
/// warp among them as its SpeedFX (which also scales its source duration). Called by the clip
/// conversion for every element on a video track, with the item's "effects" (empty when
/// absent), after the element's timing is set.
///
/// Not built yet: for now no effect is stored. This is where the Resolve, Premiere Pro and
/// Media Composer effect rules and the speed changes plug in.
void storeVideoEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element);

/// Stores the effects of an item on an audio track as the element's AudioFX records (one per
/// effect name), and a time warp among them as its SpeedFX. Called like storeVideoEffects for
/// every element an audio track keeps.
///
/// Not built yet: for now no effect is stored.
void storeAudioEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element);

} // namespace marrowvale
