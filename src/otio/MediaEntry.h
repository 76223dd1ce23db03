#pragma once

#include "otio/schema/Child.h"
#include "otio/schema/TimeRange.h"

#include <optional>
#include <string>
#include <string_view>

namespace marrowvale {

/// The media file behind a clip, as the asset pass collects it and the clip conversion looks
/// its asset up.
struct MediaEntry {
    std::string url;                ///< the media's address (see mediaAddress)
    otio::TimeRange availableRange; ///< the media reference's available range
    std::string kind;               ///< "kind" of the track holding the clip ("Video", "Audio")
};

/// The media entry of a clip on a track of the given kind. The "DEFAULT_MEDIA" reference counts
/// when it has an available range (its address is its "target_url", else its Resolve "Media
/// Url"); otherwise the single "media_reference" when it has both an address and an available
/// range. None for anything that is not a clip, and for a clip without such a reference or
/// with an unusable address.
std::optional<MediaEntry> mediaURL(const otio::Child& child, std::string_view trackKind);

} // namespace marrowvale
