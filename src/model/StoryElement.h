#pragma once

#include "model/EnumText.h"
#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"
#include "model/TrackType.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale {

class Asset;
class AudioFX;
class Composition;
class MarkedRange;
class Metadata;
class SpeedFX;
class VideoFX;

/// One item of a timeline (clip, transition, gap, title, caption, generator, still image) or a
/// master clip of a bin. Times are frame counts at `timecodeFrameRate`.
/// Ordered by timeline position (see clipOrderBefore); compared by identity.
class StoryElement : public PersistentModel {
public:
    /// What kind of item the element is; the raw texts are the case names.
    enum class Category {
        null,
        assetclip,
        audition,
        syncclip,
        mcclip,
        refclip,
        title,
        caption,
        generator,
        gap,
        stillImage,
        transition
    };

    static constexpr std::string_view modelName = "StoryElement";

    std::string timelineClipCategory;          ///< a free category text
    Category category = Category::null;        ///< what kind of item this is
    Asset* asset = nullptr;                    ///< the source file played, if any
    Composition* composition = nullptr;        ///< the nested sequence stood for, if any
    std::int64_t spreadsheetSortOrder = 0;     ///< tie-break key of the ordering
    std::optional<TrackType> trackType;        ///< kind of track; none when not recorded
    std::string id;                            ///< the element's identifier
    std::string name;                          ///< the clip name
    bool enabled = true;                       ///< whether the item is enabled
    double firstFrame = 0;                     ///< first frame of the source media
    double clipTimelinePosition = 0;           ///< start on the timeline; primary ordering key
    double clipDuration = 0;                   ///< length on the timeline
    std::optional<double> srcInpoint;          ///< in point in the source
    std::optional<double> srcDuration;         ///< length used from the source
    std::string timecodeFrameRate;             ///< raw text of a timecode frame rate
    std::string trackName;                     ///< name of the track the element sits on
    std::string videoRole;                     ///< video role
    std::string audioRole;                     ///< audio role
    std::vector<std::string> audioSubroles;    ///< audio subroles
    std::string descriptn;                     ///< logging description
    std::string label;                         ///< logging label
    std::string notes;                         ///< logging notes
    std::string reel;                          ///< reel name
    std::string scene;                         ///< scene
    std::string shottake;                      ///< shot/take
    bool appleEffect = false;                  ///< a flag the readers may set
    std::map<std::string, std::string> params; ///< free-form parameters ("text", "font", ...)
    std::vector<Metadata*> metadata;           ///< metadata entries
    std::vector<MarkedRange*> markedRanges;    ///< markers and keyword ranges
    std::vector<VideoFX*> videoFX;             ///< video effects
    std::vector<AudioFX*> audioFX;             ///< audio effects
    SpeedFX* speedFX = nullptr;                ///< the speed change, if any

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"timelineClipCategory", &StoryElement::timelineClipCategory},
        PropertyDescription{"category", &StoryElement::category},
        PropertyDescription{"asset", &StoryElement::asset},
        PropertyDescription{"composition", &StoryElement::composition},
        PropertyDescription{"spreadsheetSortOrder", &StoryElement::spreadsheetSortOrder},
        PropertyDescription{"trackType", &StoryElement::trackType},
        PropertyDescription{"id", &StoryElement::id},
        PropertyDescription{"name", &StoryElement::name},
        PropertyDescription{"enabled", &StoryElement::enabled},
        PropertyDescription{"firstFrame", &StoryElement::firstFrame},
        PropertyDescription{"clipTimelinePosition", &StoryElement::clipTimelinePosition},
        PropertyDescription{"clipDuration", &StoryElement::clipDuration},
        PropertyDescription{"srcInpoint", &StoryElement::srcInpoint},
        PropertyDescription{"srcDuration", &StoryElement::srcDuration},
        PropertyDescription{"timecodeFrameRate", &StoryElement::timecodeFrameRate},
        PropertyDescription{"trackName", &StoryElement::trackName},
        PropertyDescription{"videoRole", &StoryElement::videoRole},
        PropertyDescription{"audioRole", &StoryElement::audioRole},
        PropertyDescription{"audioSubroles", &StoryElement::audioSubroles},
        PropertyDescription{"descriptn", &StoryElement::descriptn},
        PropertyDescription{"label", &StoryElement::label},
        PropertyDescription{"notes", &StoryElement::notes},
        PropertyDescription{"reel", &StoryElement::reel},
        PropertyDescription{"scene", &StoryElement::scene},
        PropertyDescription{"shottake", &StoryElement::shottake},
        PropertyDescription{"appleEffect", &StoryElement::appleEffect},
        PropertyDescription{"params", &StoryElement::params},
        PropertyDescription{"metadata", &StoryElement::metadata},
        PropertyDescription{"markedRanges", &StoryElement::markedRanges},
        PropertyDescription{"videoFX", &StoryElement::videoFX},
        PropertyDescription{"audioFX", &StoryElement::audioFX},
        PropertyDescription{"speedFX", &StoryElement::speedFX}};

    StoryElement() = default;
    /// A new element from the five values its creator supplies; every other property starts
    /// empty, zero, absent or (for `enabled`) true.
    StoryElement(Category category, std::int64_t spreadsheetSortOrder,
                 std::optional<TrackType> trackType, std::string timecodeFrameRate,
                 std::string trackName);

    /// `StoryElement <category>: "<name>", roles: <videoRole> <audioRole>, id: <id>` and a
    /// line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object (the text `id` takes no part).
    bool operator==(const StoryElement& other) const noexcept { return this == &other; }

    /// The raw text of a category, e.g. "stillImage".
    static std::string_view toString(Category category) noexcept;
    /// The category named exactly `text`; none for any other text (also "Transition" or "").
    static std::optional<Category> fromString(std::string_view text);
};

/// The clip order: a smaller position first; at equal positions a transition on the left is
/// always before (even before itself), otherwise the smaller spreadsheetSortOrder. A position
/// that is not a number is neither before nor after anything. Not a strict weak ordering, so a
/// named function rather than operator<: sort with sortStoryElements, never with std::sort.
bool clipOrderBefore(const StoryElement& a, const StoryElement& b) noexcept;

/// Sorts elements into timeline order, stably and always within bounds: smaller position first;
/// at equal positions transitions before the other elements, and those by spreadsheetSortOrder;
/// elements that tie (two transitions at one position, equal sort orders) keep their order.
/// Elements whose position is not a number go after all others, in their order; null entries last.
void sortStoryElements(std::vector<StoryElement*>& elements);

/// The raw text of a story element category.
std::string_view toString(StoryElement::Category category) noexcept;

template <>
std::optional<StoryElement::Category> fromString<StoryElement::Category>(std::string_view text);

} // namespace marrowvale
