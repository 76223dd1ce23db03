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

std::string StoryElement::debugDescription() const {
    std::string text = "StoryElement ";
    text += toString(category);
    text += ": \"" + name + "\", roles: " + videoRole + " " + audioRole + ", id: " + id + "\n";
    return text;
}

bool clipOrderBefore(const StoryElement& a, const StoryElement& b) noexcept {
    if (a.clipTimelinePosition != b.clipTimelinePosition) {
        return a.clipTimelinePosition < b.clipTimelinePosition; // false when either is not a number
    }
    if (a.category == StoryElement::Category::transition) {
        return true;
    }
    return a.spreadsheetSortOrder < b.spreadsheetSortOrder;
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
