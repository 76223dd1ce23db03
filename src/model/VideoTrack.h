#pragma once

#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale {

class StoryElement;

/// A video track of a composition and the story elements on it. Ordered by index; compared by
/// identity.
class VideoTrack : public PersistentModel {
public:
    static constexpr std::string_view modelName = "VideoTrack";

    std::int64_t trackIdx = 0;           ///< the track's index; the ordering key
    std::string name;                    ///< the track's name
    bool enabled = true;                 ///< whether the track is enabled
    std::string angleID;                 ///< angle identifier as the reader supplies it
    std::vector<StoryElement*> elements; ///< the items on the track, in the order appended

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"trackIdx", &VideoTrack::trackIdx},
        PropertyDescription{"name", &VideoTrack::name},
        PropertyDescription{"enabled", &VideoTrack::enabled},
        PropertyDescription{"angleID", &VideoTrack::angleID},
        PropertyDescription{"elements", &VideoTrack::elements}};

    VideoTrack() = default;
    /// A track with every property given; a new track starts with an empty angle and no elements.
    VideoTrack(std::int64_t trackIdx, std::string name, bool enabled, std::string angleID = {},
               std::vector<StoryElement*> elements = {});

    /// `VideoTrack <idx>: name=<name>, angleID=<angle>, <n> elements \n ` followed by the
    /// elements' debug texts separated by ", " in square brackets.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const VideoTrack& other) const noexcept { return this == &other; }
    /// Index order; equal indices are unordered.
    bool operator<(const VideoTrack& other) const noexcept { return trackIdx < other.trackIdx; }
    bool operator>(const VideoTrack& other) const noexcept { return other < *this; }
    bool operator<=(const VideoTrack& other) const noexcept { return !(other < *this); }
    bool operator>=(const VideoTrack& other) const noexcept { return !(*this < other); }
};

/// Sorts tracks by index; tracks with equal indices keep their order. Null entries go last.
void sortTracks(std::vector<VideoTrack*>& tracks);

} // namespace marrowvale
