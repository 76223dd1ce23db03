#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace marrowvale {

class StoryElement;

/// A thumbnail answer: on success the JPEG's path and the row height in pixels it needs; on
/// failure a short word for the cell ("Offline" or "Problem") with a height of -1.
struct ThumbnailResult {
    std::string text;
    long long pixels = -1;
};

/// The audio tags of a clip's file, each the empty text when the file lacks it.
struct ID3Fields {
    std::string ID3title;
    std::string ID3album;
    std::string ID3track;
    std::string ID3year;
    std::string ID3genre;
    std::string ID3artist;
    std::string ID3composer;
    std::string ID3publisher;
};

/// What the clip sheet asks of media probing: a picture of a clip and the tags of its audio
/// file. Calls come one at a time, from the thread that writes the report.
class MediaProbe {
public:
    virtual ~MediaProbe() = default;

    /// Writes a JPEG of the clip, `width` pixels wide, into `folder`, named from the row number
    /// `index`. None when the clip has no picture to give (no asset, or not a picture file).
    virtual std::optional<ThumbnailResult> makeThumbnail(int index, int width,
                                                         const StoryElement& clip,
                                                         const std::filesystem::path& folder) = 0;

    /// The tags of the clip's audio file, or none when it has none that can be read.
    virtual std::optional<ID3Fields> readAudioMetadata(const StoryElement& clip) = 0;
};

/// Media probing that finds nothing: no pictures and no tags.
class NoMediaProbe final : public MediaProbe {
public:
    /// Always none.
    std::optional<ThumbnailResult> makeThumbnail(int, int, const StoryElement&,
                                                 const std::filesystem::path&) override {
        return std::nullopt;
    }

    /// Always none.
    std::optional<ID3Fields> readAudioMetadata(const StoryElement&) override {
        return std::nullopt;
    }
};

} // namespace marrowvale
