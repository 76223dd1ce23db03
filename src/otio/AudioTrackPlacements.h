#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace marrowvale {

class Asset;
class StoryElement;

/// Where the elements of a sequence's audio tracks lie, track by track, for the test that
/// keeps an audio item off its track when an earlier audio track already holds the same sound
/// (editors export each channel of a clip as its own item). Only the first element at each
/// position and duration of a track counts, as in a search of the track in order.
class AudioTrackPlacements {
public:
    /// Starts the next audio track; later elements are recorded on it.
    void beginTrack();

    /// Records an element appended to the current track.
    void record(const StoryElement& element);

    /// Whether a track before the current one holds, first at the element's position and
    /// duration, an element with the element's asset. An element without an asset never
    /// repeats: nothing shows it is the same sound.
    bool repeatsEarlierTrack(const StoryElement& element) const;

private:
    struct Placement {
        double position = 0;
        double duration = 0;
        bool operator==(const Placement&) const = default;
    };
    struct PlacementHash {
        std::size_t operator()(const Placement& placement) const noexcept;
    };
    using Track = std::unordered_map<Placement, const Asset*, PlacementHash>;

    std::vector<Track> tracks_;
};

} // namespace marrowvale
