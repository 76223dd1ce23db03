#pragma once

#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale {

class StoryElement;

/// Marker kinds; a marked range is of a kind when its `color` equals the kind's raw text exactly.
enum class MarkerKind {
    none,
    standard,
    incompleteToDo,
    completedToDo,
    chapter,
    keyword,
    favorite,
    rejected,
    analysis
};

/// The raw text of a marker kind: "none", "Standard", "Incomplete To-Do", "Completed To-Do",
/// "Chapter", "keyword", "favorite", "rejected", "analysis". There is no way back from text.
std::string_view markerKindName(MarkerKind kind) noexcept;
/// Same as markerKindName.
std::string_view toString(MarkerKind kind) noexcept;

/// A marker or keyword range of a composition or of a story element. Ordered by timeline
/// position; compared by identity.
class MarkedRange : public PersistentModel {
public:
    static constexpr std::string_view modelName = "MarkedRange";

    StoryElement* clip = nullptr; ///< the clip the range belongs to; none for a sequence marker
    std::string name;             ///< the marker's name
    std::string notes;            ///< free notes
    std::vector<std::string> keywords; ///< keywords carried by the range
    double srcInpoint = 0;             ///< in point in the clip's source
    double timelinePosition = 0;       ///< position on the timeline; the ordering key
    double duration = 0;               ///< the range's length
    bool visible = true;               ///< whether the marker is shown
    std::string color;                 ///< colour name or marker-kind text

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"clip", &MarkedRange::clip},
        PropertyDescription{"name", &MarkedRange::name},
        PropertyDescription{"notes", &MarkedRange::notes},
        PropertyDescription{"keywords", &MarkedRange::keywords},
        PropertyDescription{"srcInpoint", &MarkedRange::srcInpoint},
        PropertyDescription{"timelinePosition", &MarkedRange::timelinePosition},
        PropertyDescription{"duration", &MarkedRange::duration},
        PropertyDescription{"visible", &MarkedRange::visible},
        PropertyDescription{"color", &MarkedRange::color}};

    MarkedRange() = default;
    /// A range with every property given, `color` fifth (the creation order).
    MarkedRange(StoryElement* clip, std::string name, std::string notes,
                std::vector<std::string> keywords, std::string color, double srcInpoint,
                double timelinePosition, double duration, bool visible);
    /// A range with every property given, in declaration order (`color` last).
    MarkedRange(StoryElement* clip, std::string name, std::string notes,
                std::vector<std::string> keywords, double srcInpoint, double timelinePosition,
                double duration, bool visible, std::string color);

    /// Whether `color` is exactly the raw text of `kind`.
    bool isKind(MarkerKind kind) const noexcept { return color == markerKindName(kind); }

    /// `<color>: "<name>", srcIn: <srcInpoint>, timelinePosition: <pos>, duration: <dur>,
    /// visible: <true|false>` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const MarkedRange& other) const noexcept { return this == &other; }
    /// Position order; equal positions are unordered, and a position that is not a number is
    /// neither less nor greater than anything.
    bool operator<(const MarkedRange& other) const noexcept {
        return timelinePosition < other.timelinePosition;
    }
    bool operator>(const MarkedRange& other) const noexcept { return other < *this; }
    bool operator<=(const MarkedRange& other) const noexcept { return !(other < *this); }
    bool operator>=(const MarkedRange& other) const noexcept { return !(*this < other); }
};

/// Sorts ranges by timeline position; equal positions keep their order, positions that are not a
/// number go after all others (in their order), null entries last.
void sortMarkedRanges(std::vector<MarkedRange*>& ranges);

} // namespace marrowvale
