#pragma once

#include "otio/schema/Effect.h"

#include <span>

namespace marrowvale {

class OTIOImport;
class StoryElement;

/// Stores the effects of an item on a video track as the element's VideoFX records, each editor
/// by its own rules, and a time warp among them ("LinearTimeWarp", "FreezeFrame",
/// "TimeEffect") as its SpeedFX (makeSpeedFX). Called by the clip conversion for every element
/// on a video track, with the item's "effects" (empty when absent), after the element's timing
/// is set.
/// - Resolve: one record per enabled effect with parameters, named after its "Name" ("Video
///   Effect" without one), whose settings list the parameter identifiers.
/// - Premiere Pro: one record per intrinsic parameter that differs from its default
///   (premiereParameterSettings), named after the parameter; a "Text" effect gives none.
/// - Media Composer: one record per effect named after it (after its operation when it has no
///   name), with no settings; titlers and spatial adapters give none.
void storeVideoEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element);

/// Stores the effects of an item on an audio track: one AudioFX per name for Resolve's enabled
/// effects with parameters ("Audio Effect" without a name), and a "LinearTimeWarp" or
/// "FreezeFrame" as the SpeedFX. Called like storeVideoEffects for every element an audio
/// track keeps.
void storeAudioEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element);

} // namespace marrowvale
