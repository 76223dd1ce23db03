#include "report/ReportSortOrders.h"

#include "model/AudioFX.h"
#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "model/TextOrder.h"
#include "model/VideoFX.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace marrowvale {

namespace {

/// The clip order as a strict weak order on a precomputed key, so std::stable_sort is safe.
struct ClipKey {
    bool notANumber;
    double position;
    bool notTransition;
    std::int64_t tieBreak; // minus the input index for transitions, else the sort order
    std::size_t index;
    StoryElement* clip;
};

template <typename T>
void sortByName(std::vector<T*>& effects) {
    std::vector<std::pair<std::string, T*>> keyed;
    keyed.reserve(effects.size());
    for (T* effect : effects) {
        keyed.emplace_back(textOrderKey(effect->name), effect);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        effects[i] = keyed[i].second;
    }
}

} // namespace

std::vector<StoryElement*> sortedClips(std::vector<StoryElement*> clips) {
    std::erase(clips, nullptr);
    if (clips.size() < 2) {
        return clips;
    }
    std::vector<ClipKey> keys;
    keys.reserve(clips.size());
    for (std::size_t i = 0; i < clips.size(); ++i) {
        StoryElement* clip = clips[i];
        double position = clip->clipTimelinePosition;
        bool transition = clip->category == StoryElement::Category::transition;
        keys.push_back({std::isnan(position), std::isnan(position) ? 0.0 : position, !transition,
                        transition ? -static_cast<std::int64_t>(i) : clip->spreadsheetSortOrder, i,
                        clip});
    }
    std::stable_sort(keys.begin(), keys.end(), [](const ClipKey& a, const ClipKey& b) {
        if (a.notANumber != b.notANumber) {
            return b.notANumber;
        }
        if (a.notANumber) {
            return false; // clips without a position keep their input order
        }
        if (a.position != b.position) {
            return a.position < b.position;
        }
        if (a.notTransition != b.notTransition) {
            return b.notTransition;
        }
        return a.tieBreak < b.tieBreak;
    });
    for (std::size_t i = 0; i < keys.size(); ++i) {
        clips[i] = keys[i].clip;
    }
    return clips;
}

std::vector<MarkedRange*> sortedMarkers(std::vector<MarkedRange*> markers) {
    std::erase(markers, nullptr);
    std::stable_sort(
        markers.begin(), markers.end(), [](const MarkedRange* a, const MarkedRange* b) {
            bool aNaN = std::isnan(a->timelinePosition), bNaN = std::isnan(b->timelinePosition);
            if (aNaN || bNaN) {
                return !aNaN && bNaN;
            }
            return a->timelinePosition < b->timelinePosition;
        });
    return markers;
}

void sortVideoEffects(std::vector<VideoFX*>& effects) {
    sortByName(effects);
}

void sortAudioEffects(std::vector<AudioFX*>& effects) {
    sortByName(effects);
}

} // namespace marrowvale
