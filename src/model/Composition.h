#pragma once

#include "model/EnumText.h"
#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale {

class AudioTrack;
class MarkedRange;
class Metadata;
class VideoFormat;
class VideoTrack;

/// A sequence or other container of story elements: its timing, format, tracks, markers and
/// metadata. Compared by identity; it has no ordering.
class Composition : public PersistentModel {
public:
    /// What kind of container this is; the raw texts are the case names.
    enum class Category {
        null,
        Timeline,
        TimelineSequence,
        NestedSequence,
        CompoundClip,
        Multicam,
        SyncClip
    };

    static constexpr std::string_view modelName = "Composition";

    std::string id;                       ///< identifier text as the reader sets it
    std::string name;                     ///< the name the shell and the report fetch it by
    double firstFrame = 0;                ///< start timecode as frames at timecodeFrameRate
    double duration = 0;                  ///< length in frames
    std::string timecodeFrameRate;        ///< raw text of a timecode frame rate, e.g. "29.97d"
    VideoFormat* videoFormat = nullptr;   ///< the sequence's format (set by the readers)
    std::vector<VideoTrack*> videoTracks; ///< video tracks, in the order appended
    std::string audioChannelLayout;       ///< channel layout text as the reader supplies it
    std::int64_t audioSampleRate = 0;     ///< samples per second
    std::vector<AudioTrack*> audioTracks; ///< audio tracks, in the order appended
    std::vector<MarkedRange*> markers;    ///< the sequence's markers
    std::vector<Metadata*> metadata;      ///< key/value metadata of the sequence
    Category category = Category::null;   ///< what kind of container this is

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"id", &Composition::id},
        PropertyDescription{"name", &Composition::name},
        PropertyDescription{"firstFrame", &Composition::firstFrame},
        PropertyDescription{"duration", &Composition::duration},
        PropertyDescription{"timecodeFrameRate", &Composition::timecodeFrameRate},
        PropertyDescription{"videoFormat", &Composition::videoFormat},
        PropertyDescription{"videoTracks", &Composition::videoTracks},
        PropertyDescription{"audioChannelLayout", &Composition::audioChannelLayout},
        PropertyDescription{"audioSampleRate", &Composition::audioSampleRate},
        PropertyDescription{"audioTracks", &Composition::audioTracks},
        PropertyDescription{"markers", &Composition::markers},
        PropertyDescription{"metadata", &Composition::metadata},
        PropertyDescription{"category", &Composition::category}};

    Composition() = default;
    /// A composition with every property given, in declaration order.
    Composition(std::string id, std::string name, double firstFrame, double duration,
                std::string timecodeFrameRate, VideoFormat* videoFormat,
                std::vector<VideoTrack*> videoTracks, std::string audioChannelLayout,
                std::int64_t audioSampleRate, std::vector<AudioTrack*> audioTracks,
                std::vector<MarkedRange*> markers, std::vector<Metadata*> metadata,
                Category category);

    /// `Composition: <category>, "<name>", <n> Video Tracks, <m> Audio Tracks ` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object (the text `id` takes no part).
    bool operator==(const Composition& other) const noexcept { return this == &other; }

    /// The raw text of a category, e.g. "TimelineSequence".
    static std::string_view toString(Category category) noexcept;
    /// The category named exactly `text`; none for any other text (also "syncclip" or "").
    static std::optional<Category> fromString(std::string_view text);
};

/// The raw text of a composition category.
std::string_view toString(Composition::Category category) noexcept;

template <>
std::optional<Composition::Category> fromString<Composition::Category>(std::string_view text);

} // namespace marrowvale
