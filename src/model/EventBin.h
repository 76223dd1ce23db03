#pragma once

#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale {

class Composition;
class StoryElement;

/// A bin of the imported project: its master clips and the sequences it holds.
/// Ordered by name; compared by identity.
class EventBin : public PersistentModel {
public:
    static constexpr std::string_view modelName = "EventBin";

    std::string name;                            ///< the bin's name; the ordering key
    std::vector<StoryElement*> clips;            ///< the bin's master clips
    std::vector<Composition*> storyCompositions; ///< the sequences the bin holds

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"name", &EventBin::name},
        PropertyDescription{"clips", &EventBin::clips},
        PropertyDescription{"storyCompositions", &EventBin::storyCompositions}};

    EventBin() = default;
    /// A bin with every property given, in declaration order.
    explicit EventBin(std::string name, std::vector<StoryElement*> clips = {},
                      std::vector<Composition*> storyCompositions = {});

    /// `EventBin: "<name>", <n> clips, <m> storyCompositions` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const EventBin& other) const noexcept { return this == &other; }
    /// Name order (standard text order: code points after NFC); equal names are unordered.
    bool operator<(const EventBin& other) const;
    bool operator>(const EventBin& other) const { return other < *this; }
    bool operator<=(const EventBin& other) const { return !(other < *this); }
    bool operator>=(const EventBin& other) const { return !(*this < other); }
};

/// Sorts bins by name; bins with equal names keep their order. Null entries go last.
void sortEventBins(std::vector<EventBin*>& bins);

} // namespace marrowvale
