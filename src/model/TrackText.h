#pragma once

#include "model/StableSort.h"

#include <algorithm>
#include <string>
#include <vector>

// Pieces the two track classes share; not for use elsewhere.
namespace marrowvale {
class StoryElement;
}

namespace marrowvale::detail {

/// `<n> elements \n [<element>, <element>]`: the count, then each element's debug text.
std::string elementsText(const std::vector<StoryElement*>& elements);

/// Stable sort by track index with null entries last.
template <class Track>
void sortTracksByIndex(std::vector<Track*>& tracks) {
    const auto present = std::stable_partition(tracks.begin(), tracks.end(),
                                               [](const Track* track) { return track != nullptr; });
    std::vector<Track*> sorted(tracks.begin(), present);
    stableMergeSort(sorted, [](const Track* a, const Track* b) { return *a < *b; });
    std::copy(sorted.begin(), sorted.end(), tracks.begin());
}

} // namespace marrowvale::detail
