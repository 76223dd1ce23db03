#include "otio/GeneratorTitles.h"

namespace marrowvale {

void applyGeneratorTitleRules(OTIOImport& import, const otio::Child& item, StoryElement& element) {
    (void)import, (void)item, (void)element;
}

} // namespace marrowvale
