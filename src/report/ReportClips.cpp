#include "report/ReportClips.h"

#include "app/ReportRequest.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/MarkedRange.h"
#include "model/ModelContext.h"
#include "model/StoryElement.h"
#include "model/VideoTrack.h"
#include "report/ReportContext.h"

namespace marrowvale {

namespace {

using Category = StoryElement::Category;

template <typename Track>
void appendClips(const std::vector<Track*>& tracks,
                 bool (TrackSelection::*includes)(std::int64_t) const,
                 const TrackSelection& selection, const ClipFilter& keep,
                 std::vector<StoryElement*>& clips) {
    for (const Track* track : tracks) {
        if (track == nullptr || !(selection.*includes)(track->trackIdx)) {
            continue;
        }
        for (StoryElement* clip : track->elements) {
            if (clip != nullptr && keep(*clip)) {
                clips.push_back(clip);
            }
        }
    }
}

} // namespace

bool findReportSequence(ReportContext& context, const ModelContext& store, const std::string& title,
                        const Composition*& sequence) {
    sequence = nullptr;
    if (title == binClipsTitle) {
        return true;
    }
    sequence = store.fetchComposition(title);
    if (sequence == nullptr) {
        sayDiagnostic(context, "\"NO SEQUENCE\"");
        return false;
    }
    // A rate that cannot be read leaves the run's own default, never a previous run's rate.
    if (auto rate = dovovevozav::TimecodeFrameRate::fromRawValue(sequence->timecodeFrameRate)) {
        context.reportFrameRate = *rate;
    }
    return true;
}

std::vector<StoryElement*> trackClips(const Composition& sequence, const TrackSelection& tracks,
                                      const ClipFilter& keepVideo, const ClipFilter& keepAudio) {
    std::vector<StoryElement*> clips;
    appendClips(sequence.videoTracks, &TrackSelection::includesVideoTrack, tracks, keepVideo,
                clips);
    appendClips(sequence.audioTracks, &TrackSelection::includesAudioTrack, tracks, keepAudio,
                clips);
    return clips;
}

std::vector<StoryElement*> binClips(const ModelContext& store) {
    std::vector<StoryElement*> clips;
    for (const EventBin* bin : store.fetchBinsSortedByName()) {
        for (StoryElement* clip : bin->clips) {
            if (clip != nullptr) {
                clips.push_back(clip);
            }
        }
    }
    return clips;
}

std::vector<MarkedRange*> reportMarkers(const Composition* sequence,
                                        const std::vector<StoryElement*>& clips) {
    std::vector<MarkedRange*> markers;
    if (sequence != nullptr) {
        for (MarkedRange* marker : sequence->markers) {
            if (marker != nullptr) {
                markers.push_back(marker);
            }
        }
    }
    for (const StoryElement* clip : clips) {
        for (MarkedRange* marker : clip->markedRanges) {
            if (marker != nullptr) {
                markers.push_back(marker);
            }
        }
    }
    return markers;
}

bool isTransitionOrGap(const StoryElement& clip) {
    return clip.category == Category::transition || clip.category == Category::gap;
}

bool isGraphic(const StoryElement& clip) {
    return clip.category == Category::title || clip.category == Category::generator;
}

bool isTransition(const StoryElement& clip) {
    return clip.category == Category::transition;
}

} // namespace marrowvale
