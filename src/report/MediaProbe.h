#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

class StopRequest;
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

/// One picture a clip sheet needs: the clip of row `index`, `width` pixels wide.
struct ThumbnailRequest {
    int index = 0;
    int width = 0;
    const StoryElement* clip = nullptr;
};

/// What the clip sheet asks of media probing: pictures of clips and the tags of audio files.
/// Calls come from the thread that writes the report, which owns the model objects.
class MediaProbe {
public:
    virtual ~MediaProbe() = default;

    /// Writes a JPEG of each request's clip into `folder`, named from the row number, and gives
    /// one answer per request in request order: none when the clip has no picture to give (no
    /// asset, or not a picture file). The sheet asks for all its pictures at once, before its
    /// rows are written, so that they can be made side by side; the answers do not depend on
    /// the order they are made in. Once `stop` is raised the remaining answers are none.
    virtual std::vector<std::optional<ThumbnailResult>>
    makeThumbnails(const std::vector<ThumbnailRequest>& requests,
                   const std::filesystem::path& folder, const StopRequest* stop) = 0;

    /// The tags of the clip's audio file, or none when it has none that can be read.
    virtual std::optional<ID3Fields> readAudioMetadata(const StoryElement& clip) = 0;

    /// Told a clip sheet's clips in row order, the first at row 1, before makeThumbnails and
    /// before the rows are written, when the rows will ask for tags: the tags of their audio
    /// files can then be read side by side, and readAudioMetadata answers from what was read.
    /// Once `stop` is raised no further file is read. Does nothing by default.
    virtual void readAudioMetadataOf(const std::vector<StoryElement*>& /*clips*/,
                                     const StopRequest* /*stop*/) {}
};

/// Media probing that finds nothing: no pictures and no tags.
class NoMediaProbe final : public MediaProbe {
public:
    /// None for every request.
    std::vector<std::optional<ThumbnailResult>>
    makeThumbnails(const std::vector<ThumbnailRequest>& requests, const std::filesystem::path&,
                   const StopRequest*) override {
        return std::vector<std::optional<ThumbnailResult>>(requests.size());
    }

    /// Always none.
    std::optional<ID3Fields> readAudioMetadata(const StoryElement&) override {
        return std::nullopt;
    }
};

} // namespace marrowvale
