#include "model/StoryElement.h"

#include "model/StableSort.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace marrowvale {

namespace {

constexpr std::array<std::string_view, 12> categoryTexts{
    "null",  "assetclip", "audition",  "syncclip", "mcclip",     "refclip",
    "title", "caption",   "generator", "gap",      "stillImage", "transition"};

} // namespace

StoryElement::StoryElement(Category category, std::int64_t spreadsheetSortOrder,
                           std::optional<TrackType> trackType, std::string timecodeFrameRate,
                           std::string trackName)
    : category(category), spreadsheetSortOrder(spreadsheetSortOrder), trackType(trackType),
      timecodeFrameRate(std::move(timecodeFrameRate)), trackName(std::move(trackName)) {}

StoryElement::StoryElement(
    std::string timelineClipCategory, Category category, Asset* asset, Composition* composition,
    std::int64_t spreadsheetSortOrder, std::optional<TrackType> trackType, std::string id,
    std::string name, bool enabled, double firstFrame, double clipTimelinePosition,
    double clipDuration, std::optional<double> srcInpoint, std::optional<double> srcDuration,
    std::string timecodeFrameRate, std::string trackName, std::string videoRole,
    std::string audioRole, std::vector<std::string> audioSubroles, std::string descriptn,
    std::string label, std::string notes, std::string reel, std::string scene, std::string shottake,
    bool appleEffect, std::map<std::string, std::string> params, std::vector<Metadata*> metadata,
    std::vector<MarkedRange*> markedRanges, std::vector<VideoFX*> videoFX,
    std::vector<AudioFX*> audioFX, SpeedFX* speedFX)
    : timelineClipCategory(std::move(timelineClipCategory)), category(category), asset(asset),
      composition(composition), spreadsheetSortOrder(spreadsheetSortOrder), trackType(trackType),
      id(std::move(id)), name(std::move(name)), enabled(enabled), firstFrame(firstFrame),
      clipTimelinePosition(clipTimelinePosition), clipDuration(clipDuration),
      srcInpoint(srcInpoint), srcDuration(srcDuration),
      timecodeFrameRate(std::move(timecodeFrameRate)), trackName(std::move(trackName)),
      videoRole(std::move(videoRole)), audioRole(std::move(audioRole)),
      audioSubroles(std::move(audioSubroles)), descriptn(std::move(descriptn)),
      label(std::move(label)), notes(std::move(notes)), reel(std::move(reel)),
      scene(std::move(scene)), shottake(std::move(shottake)), appleEffect(appleEffect),
      params(std::move(params)), metadata(std::move(metadata)),
      markedRanges(std::move(markedRanges)), videoFX(std::move(videoFX)),
      audioFX(std::move(audioFX)), speedFX(speedFX) {}

std::string StoryElement::debugDescription() const {
    std::string text = "StoryElement ";
    text += toString(category);
    text += ": \"" + name + "\", roles: " + videoRole + " " + audioRole + ", id: " + id + "\n";
    return text;
}

bool StoryElement::operator<(const StoryElement& other) const noexcept {
    const double position = clipTimelinePosition;
    const double otherPosition = other.clipTimelinePosition;
    if (position != otherPosition) {
        return position < otherPosition; // false when either is not a number
    }
    if (category == Category::transition) {
        return true;
    }
    return spreadsheetSortOrder < other.spreadsheetSortOrder;
}

void sortStoryElements(std::vector<StoryElement*>& elements) {
    // Elements without a numeric position are unordered with everything: keep them apart, at
    // the end, so that the rest gets a strict weak ordering.
    const auto present = std::stable_partition(elements.begin(), elements.end(),
                                               [](const StoryElement* e) { return e != nullptr; });
    const auto numeric =
        std::stable_partition(elements.begin(), present, [](const StoryElement* e) {
            return !std::isnan(e->clipTimelinePosition);
        });
    std::vector<StoryElement*> sorted(elements.begin(), numeric);
    detail::stableMergeSort(sorted, [](const StoryElement* a, const StoryElement* b) {
        if (a->clipTimelinePosition != b->clipTimelinePosition) {
            return a->clipTimelinePosition < b->clipTimelinePosition;
        }
        const bool aIsTransition = a->category == StoryElement::Category::transition;
        const bool bIsTransition = b->category == StoryElement::Category::transition;
        if (aIsTransition || bIsTransition) {
            return aIsTransition && !bIsTransition;
        }
        return a->spreadsheetSortOrder < b->spreadsheetSortOrder;
    });
    std::copy(sorted.begin(), sorted.end(), elements.begin());
}

std::string_view StoryElement::toString(Category category) noexcept {
    const auto index = static_cast<std::size_t>(category);
    return index < categoryTexts.size() ? categoryTexts[index] : std::string_view();
}

std::optional<StoryElement::Category> StoryElement::fromString(std::string_view text) {
    for (std::size_t i = 0; i < categoryTexts.size(); ++i) {
        if (categoryTexts[i] == text) {
            return static_cast<Category>(i);
        }
    }
    return std::nullopt;
}

std::string_view toString(StoryElement::Category category) noexcept {
    return StoryElement::toString(category);
}

template <>
std::optional<StoryElement::Category> fromString<StoryElement::Category>(std::string_view text) {
    return StoryElement::fromString(text);
}

} // namespace marrowvale
