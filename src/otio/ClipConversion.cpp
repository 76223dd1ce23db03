#include "otio/ClipConversion.h"

#include "DovovevoZavCore/VideoFrameRate.h"
#include "model/ModelContext.h"
#include "otio/AudioTrackPlacements.h"
#include "otio/ClipEffects.h"
#include "otio/FrameConversion.h"
#include "otio/GeneratorTitles.h"
#include "otio/Markers.h"
#include "otio/MediaEntry.h"
#include "otio/OTIOImport.h"
#include "otio/TimelineRates.h"
#include "otio/schema/Child.h"

#include <span>

namespace marrowvale {

using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeUpperLimit;
using dovovevozav::VideoFrameRate;

namespace {

using Category = StoryElement::Category;

const otio::MediaReference* defaultMedia(const otio::Child& item) {
    return item.mediaReferences ? &item.mediaReferences->defaultMedia : nullptr;
}

bool isAvidTitle(const otio::Child& item) {
    if (!item.metadata || !item.metadata->aaf || !item.metadata->aaf->componentAttributeList) {
        return false;
    }
    const std::optional<std::string>& pluginClass =
        item.metadata->aaf->componentAttributeList->pluginClass;
    return pluginClass && *pluginClass == "Title";
}

// The first category rule that applies; the element keeps its category when none does.
void setCategory(OTIOImport& import, const otio::Child& item, StoryElement& element) {
    if (std::optional<MediaEntry> entry = mediaURL(item, "")) {
        if (Asset* asset = import.assetWithURL(entry->url)) {
            element.asset = asset;
            element.category = asset->category == Asset::Category::Image ? Category::stillImage
                                                                         : Category::assetclip;
            return;
        }
    }
    if (item.isGap()) {
        element.category = Category::gap;
        return;
    }
    if (const otio::MediaReference* media = defaultMedia(item);
        media && media->isGeneratorReference()) {
        element.category = Category::generator;
        if (media->generatorKind) {
            element.videoRole = *media->generatorKind;
        }
        applyGeneratorTitleRules(import, item, element);
        return;
    }
    if (isAvidTitle(item)) {
        element.category = Category::title;
        return;
    }
    if (item.isTransition()) {
        element.category = Category::transition;
    }
}

// The element's own timecode rate: its asset's, else the one its media's available range
// names, else the sequence's.
TimecodeFrameRate setClipRate(OTIOImport& import, const otio::Child& item, StoryElement& element,
                              TimecodeFrameRate sequenceRate) {
    element.timecodeFrameRate = std::string(sequenceRate.rawValue());
    if (element.asset) {
        element.firstFrame = element.asset->firstFrame;
        element.timecodeFrameRate = element.asset->timecodeFrameRate;
        return TimecodeFrameRate::fromRawValue(element.timecodeFrameRate).value_or(sequenceRate);
    }
    const otio::MediaReference* media = defaultMedia(item);
    if (!media || !media->availableRange) {
        return sequenceRate;
    }
    const otio::RationalTime& start = media->availableRange->startTime;
    std::optional<VideoFrameRate> video = videoFrameRateOf(start);
    if (!video) {
        video = VideoFrameRate::matchingRate(sequenceRate.rate(), false);
    }
    std::optional<TimecodeFrameRate> rate;
    if (video) {
        rate = video->matchingTimecodeFrameRate(false);
    }
    const TimecodeFrameRate clipRate = rate.value_or(sequenceRate);
    element.firstFrame = import.clipFrames(start, clipRate.rate());
    element.timecodeFrameRate = std::string(clipRate.rawValue());
    return clipRate;
}

void setTiming(OTIOImport& import, const otio::Child& item, StoryElement& element,
               TimecodeFrameRate sequenceRate, TimecodeFrameRate clipRate) {
    const dovovevozav::Fraction rate = sequenceRate.rate();
    if (item.sourceRange) {
        const double duration = import.clipFrames(item.sourceRange->duration, rate);
        element.clipDuration = duration;
        element.srcDuration =
            convertedFrames(duration, sequenceRate, clipRate, TimecodeUpperLimit::max24Hours);
        element.srcInpoint =
            convertedFrames(import.clipFrames(item.sourceRange->startTime, rate), sequenceRate,
                            clipRate, TimecodeUpperLimit::max100Days);
        if (element.category == Category::stillImage) {
            element.srcDuration = 1.0;
        }
    } else if (item.isTransition()) {
        // A transition lies across the cut: it lasts from its in offset to its out offset.
        element.category = Category::transition;
        element.enabled = true;
        element.clipDuration = (item.inOffset ? import.clipFrames(*item.inOffset, rate) : 0.0) +
                               (item.outOffset ? import.clipFrames(*item.outOffset, rate) : 0.0);
    }
}

} // namespace

bool makeStoryElement(OTIOImport& import, const otio::Child& child, StoryElement& element,
                      TimecodeFrameRate timecodeRate, const AudioTrackPlacements* audioTracks,
                      double timelinePosition) {
    element.name = child.name;
    if (child.metadata && child.metadata->resolveOTIO &&
        child.metadata->resolveOTIO->sequenceType) {
        element.name += " [" + *child.metadata->resolveOTIO->sequenceType + "]";
    }
    // The format's default: an item without "enabled" is enabled.
    element.enabled = child.enabled.value_or(true);
    setCategory(import, child, element);
    const TimecodeFrameRate clipRate = setClipRate(import, child, element, timecodeRate);
    element.clipTimelinePosition = timelinePosition;
    setTiming(import, child, element, timecodeRate, clipRate);

    if (element.trackType == TrackType::Audio && audioTracks &&
        audioTracks->repeatsEarlierTrack(element)) {
        return false;
    }
    if (element.trackType == TrackType::Video) {
        storeVideoEffects(import, listOrEmpty(child.effects), element);
    } else if (element.trackType == TrackType::Audio) {
        storeAudioEffects(import, listOrEmpty(child.effects), element);
    }
    storeClipMarkers(import, listOrEmpty(child.markers), timecodeRate, element);
    return true;
}

} // namespace marrowvale
