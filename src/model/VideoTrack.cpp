#include "model/VideoTrack.h"

#include "model/StoryElement.h"
#include "model/TrackText.h"

namespace marrowvale {

VideoTrack::VideoTrack(std::int64_t trackIdx, std::string name, bool enabled, std::string angleID,
                       std::vector<StoryElement*> elements)
    : trackIdx(trackIdx), name(std::move(name)), enabled(enabled), angleID(std::move(angleID)),
      elements(std::move(elements)) {}

std::string VideoTrack::debugDescription() const {
    return "VideoTrack " + std::to_string(trackIdx) + ": name=" + name + ", angleID=" + angleID +
           ", " + detail::elementsText(elements);
}

void sortTracks(std::vector<VideoTrack*>& tracks) {
    detail::sortTracksByIndex(tracks);
}

} // namespace marrowvale
