#include "otio/AudioTrackPlacements.h"

#include "model/StoryElement.h"

#include <cmath>
#include <functional>

namespace marrowvale {

namespace {

// -0 and 0 are equal and must hash alike.
std::size_t hashOf(double value) {
    return std::hash<double>{}(value == 0 ? 0.0 : value);
}

} // namespace

std::size_t
AudioTrackPlacements::PlacementHash::operator()(const Placement& placement) const noexcept {
    return hashOf(placement.position) * 31 + hashOf(placement.duration);
}

void AudioTrackPlacements::beginTrack() {
    tracks_.emplace_back();
}

void AudioTrackPlacements::record(const StoryElement& element) {
    // A position or duration that is not a number equals nothing, so it is never found.
    if (tracks_.empty() || std::isnan(element.clipTimelinePosition) ||
        std::isnan(element.clipDuration)) {
        return;
    }
    tracks_.back().try_emplace({element.clipTimelinePosition, element.clipDuration}, element.asset);
}

bool AudioTrackPlacements::repeatsEarlierTrack(const StoryElement& element) const {
    if (element.asset == nullptr || tracks_.size() < 2) {
        return false;
    }
    const Placement placement{element.clipTimelinePosition, element.clipDuration};
    for (std::size_t track = 0; track + 1 < tracks_.size(); ++track) {
        const auto found = tracks_[track].find(placement);
        if (found != tracks_[track].end() && found->second == element.asset) {
            return true;
        }
    }
    return false;
}

} // namespace marrowvale
