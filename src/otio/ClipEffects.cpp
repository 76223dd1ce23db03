#include "otio/ClipEffects.h"

namespace marrowvale {

void storeVideoEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element) {
    (void)import, (void)effects, (void)element;
}

void storeAudioEffects(OTIOImport& import, std::span<const otio::Effect> effects,
                       StoryElement& element) {
    (void)import, (void)effects, (void)element;
}

} // namespace marrowvale
