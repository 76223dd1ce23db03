#pragma once

#include <optional>
#include <string_view>

namespace marrowvale {

/// The enumeration case whose raw text is exactly `text` (case-sensitive); none for any other text.
/// Specialised for TrackType, StoryElement::Category, Asset::Category and Composition::Category.
template <class Enum>
std::optional<Enum> fromString(std::string_view text);

} // namespace marrowvale
