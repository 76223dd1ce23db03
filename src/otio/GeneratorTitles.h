#pragma once

namespace marrowvale {

class OTIOImport;
class StoryElement;

namespace otio {
struct Child;
}

/// Tells a title from other generators: applied by the clip conversion to every item whose
/// default media is a generator reference, after the element's category has been set to
/// `generator`. Each rule that finds a title sets the category to `title` and replaces the
/// element's params as a whole; the last one wins:
/// - a parameter map of the media's first Resolve entry with "Title HTML": {"font", "text"}
///   read from the HTML (titleFont);
/// - a parameter map whose "Parameter ID" is "text": {"text"} from that map's own
///   "Parameter Value" (its display text when it is not text; empty when it has none);
/// - a Premiere effect parameter "Source Text": {"font", "text"}, the first two printable runs
///   of its base64 start value.
void applyGeneratorTitleRules(OTIOImport& import, const otio::Child& item, StoryElement& element);

} // namespace marrowvale
