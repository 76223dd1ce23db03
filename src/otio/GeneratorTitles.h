#pragma once

namespace marrowvale {

class OTIOImport;
class StoryElement;

namespace otio {
struct Child;
}

/// Tells a title from other generators: applied by the clip conversion to every item whose
/// default media is a generator reference, after the element's category has been set to
/// `generator`. Where the item holds a title (a Resolve "Title HTML" or "Parameter ID" "text"
/// parameter map, or a Premiere effect parameter "Source Text"), it sets the category to
/// `title` and the element's params "font" and "text".
///
/// Not built yet: for now every generator stays a `generator` with empty params. This is where
/// the title rules plug in.
void applyGeneratorTitleRules(OTIOImport& import, const otio::Child& item, StoryElement& element);

} // namespace marrowvale
