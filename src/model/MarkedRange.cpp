#include "model/MarkedRange.h"

#include "model/DebugText.h"
#include "model/StableSort.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace marrowvale {

namespace {

constexpr std::array<std::string_view, 9> kindTexts{
    "none",    "Standard", "Incomplete To-Do", "Completed To-Do", "Chapter",
    "keyword", "favorite", "rejected",         "analysis"};

} // namespace

std::string_view markerKindName(MarkerKind kind) noexcept {
    const auto index = static_cast<std::size_t>(kind);
    return index < kindTexts.size() ? kindTexts[index] : std::string_view();
}

std::string_view toString(MarkerKind kind) noexcept {
    return markerKindName(kind);
}

MarkedRange::MarkedRange(StoryElement* clip, std::string name, std::string notes,
                         std::vector<std::string> keywords, std::string color, double srcInpoint,
                         double timelinePosition, double duration, bool visible)
    : clip(clip), name(std::move(name)), notes(std::move(notes)), keywords(std::move(keywords)),
      srcInpoint(srcInpoint), timelinePosition(timelinePosition), duration(duration),
      visible(visible), color(std::move(color)) {}

MarkedRange::MarkedRange(StoryElement* clip, std::string name, std::string notes,
                         std::vector<std::string> keywords, double srcInpoint,
                         double timelinePosition, double duration, bool visible, std::string color)
    : MarkedRange(clip, std::move(name), std::move(notes), std::move(keywords), std::move(color),
                  srcInpoint, timelinePosition, duration, visible) {}

std::string MarkedRange::debugDescription() const {
    std::string text = color + ": \"" + name + "\", srcIn: " + detail::doubleText(srcInpoint) +
                       ", timelinePosition: " + detail::doubleText(timelinePosition) +
                       ", duration: " + detail::doubleText(duration) + ", visible: ";
    text += detail::boolText(visible);
    text += '\n';
    return text;
}

void sortMarkedRanges(std::vector<MarkedRange*>& ranges) {
    const auto present = std::stable_partition(ranges.begin(), ranges.end(),
                                               [](const MarkedRange* r) { return r != nullptr; });
    const auto numeric = std::stable_partition(ranges.begin(), present, [](const MarkedRange* r) {
        return !std::isnan(r->timelinePosition);
    });
    std::vector<MarkedRange*> sorted(ranges.begin(), numeric);
    detail::stableMergeSort(sorted,
                            [](const MarkedRange* a, const MarkedRange* b) { return *a < *b; });
    std::copy(sorted.begin(), sorted.end(), ranges.begin());
}

} // namespace marrowvale
