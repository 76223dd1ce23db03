#include "otio/SequencePass.h"

#include "app/ReaderHost.h"
#include "app/TextUtilities.h"
#include "model/Identifier.h"
#include "model/ModelContext.h"
#include "otio/AudioTrackPlacements.h"
#include "otio/ClipConversion.h"
#include "otio/Markers.h"
#include "otio/OTIOImport.h"
#include "otio/TimelineRates.h"

#include <array>
#include <cmath>
#include <fmt/format.h>
#include <limits>
#include <span>
#include <string_view>

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;

namespace {

// A frame width or height as a whole number of pixels; 0 for a value no frame can have.
std::int64_t frameDimension(double value) {
    if (!std::isfinite(value) || value < 0 ||
        value > static_cast<double>(std::numeric_limits<std::uint32_t>::max())) {
        return 0;
    }
    return static_cast<std::int64_t>(value);
}

VideoFormat& sequenceFormat(OTIOImport& import, VideoFrameRate rate) {
    const otio::Stack& stack = import.timeline.tracks;
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (stack.metadata && stack.metadata->premiereproOTIO) {
        width = frameDimension(stack.metadata->premiereproOTIO->videoResolution.width);
        height = frameDimension(stack.metadata->premiereproOTIO->videoResolution.height);
    }
    const std::string rateText(rate.displayString());
    for (VideoFormat* format : import.store.fetchAll<VideoFormat>()) {
        if (format->videoFrameRate == rateText && format->width == width &&
            format->height == height) {
            return *format;
        }
    }
    return *import.store.create<VideoFormat>(makeIdentifier("vf-"), rateText, rateText, width,
                                             height, false, "", "");
}

// Whether the sequence counts drop-frame timecode: as Media Composer's first track says, else
// as the caller's hint says, else as the user answers where the rate has drop-frame counting.
bool isDropFrame(OTIOImport& import, TimecodeFrameRate nonDropRate, std::optional<bool> dropFrame) {
    const std::vector<otio::Child>& children = import.timeline.tracks.children;
    if (!children.empty()) {
        const otio::Child& first = children.front();
        if (first.metadata && first.metadata->aaf && first.metadata->aaf->segment &&
            first.metadata->aaf->segment->drop) {
            return *first.metadata->aaf->segment->drop;
        }
    }
    if (dropFrame) {
        return *dropFrame;
    }
    constexpr std::array<std::string_view, 6> askingRates{"29.97", "30",     "59.94",
                                                          "60",    "119.88", "120"};
    for (std::string_view rate : askingRates) {
        if (nonDropRate.rawValue() == rate) {
            return import.host.askQuestion(
                DropFrameQuestion::messageText, DropFrameQuestion::informativeText,
                DropFrameQuestion::firstButton, DropFrameQuestion::secondButton);
        }
    }
    return false;
}

// "V1 Interviews": Media Composer keeps a track's own name in its user comments (video) or its
// slot name (audio).
std::string avidTrackName(const otio::Child& track, bool video, std::int64_t index) {
    std::string avidName;
    if (track.metadata && track.metadata->aaf) {
        const otio::AvidChildMetadata& aaf = *track.metadata->aaf;
        if (video && aaf.userComments && aaf.userComments->trackName) {
            avidName = *aaf.userComments->trackName;
        } else if (!video && aaf.slotName) {
            avidName = *aaf.slotName;
        }
    }
    return std::string(
        trimmedText(fmt::format("{}{} {}", video ? 'V' : 'A', index, avidName), " \t"));
}

bool isTrackWithItems(const otio::Child& child) {
    return child.children && !child.children->empty() && child.kind &&
           (*child.kind == "Video" || *child.kind == "Audio");
}

// Builds the tracks of one composition, item by item.
class TrackBuilder {
public:
    TrackBuilder(OTIOImport& import, Composition& composition, TimecodeFrameRate rate,
                 double timelineStart, double progressPerTrack)
        : import_(import), composition_(composition), rate_(rate), timelineStart_(timelineStart),
          progressPerTrack_(progressPerTrack) {}

    void addTrack(const otio::Child& child) {
        if (!child.children || !child.kind) {
            return;
        }
        const bool video = *child.kind == "Video";
        if (!video && *child.kind != "Audio") {
            return;
        }
        const std::int64_t index = video ? ++videoTracks_ : ++audioTracks_;
        const std::string name = import_.inputType == InputType::AvidOTIO
                                     ? avidTrackName(child, video, index)
                                     : child.name;
        const bool enabled = child.enabled.value_or(true);
        if (video) {
            VideoTrack* track = import_.store.create<VideoTrack>(index, name, enabled);
            composition_.videoTracks.push_back(track);
            addItems(*child.children, track->elements, TrackType::Video, 10 * index, name);
        } else {
            AudioTrack* track = import_.store.create<AudioTrack>(index, name, enabled, "", "Mono");
            composition_.audioTracks.push_back(track);
            placements_.beginTrack();
            addItems(*child.children, track->elements, TrackType::Audio, 10 * index + 5, name);
        }
    }

private:
    void addItems(const std::vector<otio::Child>& items, std::vector<StoryElement*>& elements,
                  TrackType type, std::int64_t sortBase, const std::string& trackName) {
        if (items.empty()) {
            return;
        }
        const double increment = progressPerTrack_ / static_cast<double>(items.size());
        double position = timelineStart_;
        for (const otio::Child& item : items) {
            import_.host.updateProgress(increment);
            StoryElement* element =
                import_.store.create<StoryElement>(StoryElement::Category::null, sortBase, type,
                                                   std::string(rate_.rawValue()), trackName);
            if (type == TrackType::Video) {
                elements.push_back(element);
                makeStoryElement(import_, item, *element, rate_, nullptr, position);
            } else if (makeStoryElement(import_, item, *element, rate_, &placements_, position)) {
                elements.push_back(element);
                placements_.record(*element);
            }
            // A transition overlaps the cut it lies on: the next item starts where it does.
            if (element->category != StoryElement::Category::transition) {
                position += element->clipDuration;
            }
        }
    }

    OTIOImport& import_;
    Composition& composition_;
    TimecodeFrameRate rate_;
    double timelineStart_;
    double progressPerTrack_;
    std::int64_t videoTracks_ = 0;
    std::int64_t audioTracks_ = 0;
    AudioTrackPlacements placements_;
};

} // namespace

double sequencePassProgress(const OTIOImport& import, double progressEnd) {
    const std::vector<otio::Child>& children = import.timeline.tracks.children;
    double total = 0;
    for (const otio::Child& child : children) {
        if (isTrackWithItems(child)) {
            total += progressEnd / static_cast<double>(children.size());
        }
    }
    return total;
}

void storeOTIOSequence(OTIOImport& import, const std::string& name, EventBin& bin,
                       std::optional<bool> dropFrame, double progressEnd) {
    const otio::Timeline& timeline = import.timeline;
    const VideoFrameRate videoRate = import.timelineRate;
    if (timeline.globalStartTime && !videoFrameRateOf(*timeline.globalStartTime)) {
        // A rate no picture runs at (0, negative, NaN, enormous) is replaced; say so, or every
        // time of the report would rest on a rate the user never chose.
        import.host.showWarning(fmt::format("The timeline\u2019s frame rate ({}) is not a video "
                                            "frame rate; the sequence is read at {}.",
                                            timeline.globalStartTime->rate,
                                            videoRate.displayString()));
    }
    VideoFormat& format = sequenceFormat(import, videoRate);
    const TimecodeFrameRate nonDropRate =
        videoRate.matchingTimecodeFrameRate(false).value_or(TimecodeFrameRate::fps60);
    const bool drop = isDropFrame(import, nonDropRate, dropFrame);
    const TimecodeFrameRate rate = videoRate.matchingTimecodeFrameRate(drop).value_or(nonDropRate);
    const double timelineStart =
        timeline.globalStartTime ? framesAt(*timeline.globalStartTime, rate.rate()) : 0.0;
    import.host.logDiagnostic(fmt::format("\"timelineStart:\" {}", timelineStart));

    Composition* composition = import.store.create<Composition>(
        "", name, timelineStart, 0.0, std::string(rate.rawValue()), &format,
        std::vector<VideoTrack*>{}, "", 48000, std::vector<AudioTrack*>{},
        std::vector<MarkedRange*>{}, std::vector<Metadata*>{},
        Composition::Category::TimelineSequence);
    bin.storyCompositions.push_back(composition);
    storeSequenceMarkers(import, listOrEmpty(timeline.tracks.markers), *composition);

    const std::vector<otio::Child>& children = timeline.tracks.children;
    TrackBuilder builder(import, *composition, rate, timelineStart,
                         children.empty() ? 0.0
                                          : progressEnd / static_cast<double>(children.size()));
    for (const otio::Child& child : children) {
        storeSequenceMarkers(import, listOrEmpty(child.markers), *composition);
        builder.addTrack(child);
    }
}

} // namespace marrowvale
