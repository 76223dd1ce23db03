#include "model/AudioTrack.h"

#include "model/StoryElement.h"
#include "model/TrackText.h"

namespace marrowvale {

AudioTrack::AudioTrack(std::int64_t trackIdx, std::string name, bool enabled, std::string angleID,
                       std::string premiereTrackType, std::vector<StoryElement*> elements)
    : trackIdx(trackIdx), name(std::move(name)), enabled(enabled), angleID(std::move(angleID)),
      premiereTrackType(std::move(premiereTrackType)), elements(std::move(elements)) {}

std::string AudioTrack::debugDescription() const {
    return "AudioTrack " + std::to_string(trackIdx) + ": name=" + name + ", angleId=" + angleID +
           ", " + detail::elementsText(elements);
}

void sortTracks(std::vector<AudioTrack*>& tracks) {
    detail::sortTracksByIndex(tracks);
}

} // namespace marrowvale
