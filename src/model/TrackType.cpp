#include "model/TrackType.h"

namespace marrowvale {

std::string_view toString(TrackType type) noexcept {
    return type == TrackType::Video ? "Video" : "Audio";
}

template <>
std::optional<TrackType> fromString<TrackType>(std::string_view text) {
    if (text == "Video") {
        return TrackType::Video;
    }
    if (text == "Audio") {
        return TrackType::Audio;
    }
    return std::nullopt;
}

} // namespace marrowvale
