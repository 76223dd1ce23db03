#include "model/EventBin.h"

#include "model/StableSort.h"
#include "model/TextOrder.h"

#include <algorithm>

namespace marrowvale {

EventBin::EventBin(std::string name, std::vector<StoryElement*> clips,
                   std::vector<Composition*> storyCompositions)
    : name(std::move(name)), clips(std::move(clips)),
      storyCompositions(std::move(storyCompositions)) {}

std::string EventBin::debugDescription() const {
    return "EventBin: \"" + name + "\", " + std::to_string(clips.size()) + " clips, " +
           std::to_string(storyCompositions.size()) + " storyCompositions\n";
}

bool EventBin::operator<(const EventBin& other) const {
    return name != other.name && compareStandardText(name, other.name) < 0;
}

void sortEventBins(std::vector<EventBin*>& bins) {
    const auto present = std::stable_partition(bins.begin(), bins.end(),
                                               [](const EventBin* bin) { return bin != nullptr; });
    std::vector<EventBin*> sorted(bins.begin(), present);
    detail::stableMergeSort(sorted, [](const EventBin* a, const EventBin* b) { return *a < *b; });
    std::copy(sorted.begin(), sorted.end(), bins.begin());
}

} // namespace marrowvale
