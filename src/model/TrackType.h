#pragma once

#include "model/EnumText.h"

#include <optional>
#include <string_view>

namespace marrowvale {

/// The kind of track a story element sits on.
enum class TrackType { Video, Audio };

/// The raw text of a track type: "Video" or "Audio".
std::string_view toString(TrackType type) noexcept;

/// The track type named exactly `text`; none for any other text (also "video" or "").
template <>
std::optional<TrackType> fromString<TrackType>(std::string_view text);

} // namespace marrowvale
