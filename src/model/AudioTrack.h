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

/// An audio track of a composition and the story elements on it. Ordered by index; compared by
/// identity.
class AudioTrack : public PersistentModel {
public:
    static constexpr std::string_view modelName = "AudioTrack";

    std::int64_t trackIdx = 0;              ///< the track's index; the ordering key
    std::string name;                       ///< the track's name
    bool enabled = true;                    ///< whether the track is enabled
    std::string angleID;                    ///< angle identifier as the reader supplies it
    std::string premiereTrackType = "Mono"; ///< the track's type text, e.g. "Stereo"
    std::vector<StoryElement*> elements;    ///< the items on the track, in the order appended

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"trackIdx", &AudioTrack::trackIdx},
        PropertyDescription{"name", &AudioTrack::name},
        PropertyDescription{"enabled", &AudioTrack::enabled},
        PropertyDescription{"angleID", &AudioTrack::angleID},
        PropertyDescription{"premiereTrackType", &AudioTrack::premiereTrackType},
        PropertyDescription{"elements", &AudioTrack::elements}};

    AudioTrack() = default;
    /// A track with every property given; a new track starts with an empty angle, type "Mono"
    /// and no elements.
    AudioTrack(std::int64_t trackIdx, std::string name, bool enabled, std::string angleID = {},
               std::string premiereTrackType = "Mono", std::vector<StoryElement*> elements = {});

    /// `AudioTrack <idx>: name=<name>, angleId=<angle>, <n> elements \n ` followed by the
    /// elements' debug texts separated by ", " in square brackets.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const AudioTrack& other) const noexcept { return this == &other; }
    /// Index order; equal indices are unordered.
    bool operator<(const AudioTrack& other) const noexcept { return trackIdx < other.trackIdx; }
    bool operator>(const AudioTrack& other) const noexcept { return other < *this; }
    bool operator<=(const AudioTrack& other) const noexcept { return !(other < *this); }
    bool operator>=(const AudioTrack& other) const noexcept { return !(*this < other); }
};

/// Sorts tracks by index; tracks with equal indices keep their order. Null entries go last.
void sortTracks(std::vector<AudioTrack*>& tracks);

} // namespace marrowvale
