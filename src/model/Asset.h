#pragma once

#include "model/EnumText.h"
#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace marrowvale {

class VideoFormat;

/// A source media file that the timeline uses. Compared by identity.
class Asset : public PersistentModel {
public:
    /// The kind of media; the raw texts are the case names.
    enum class Category { null, Video, Audio, AV, Image };

    static constexpr std::string_view modelName = "Asset";

    std::string id;                     ///< identifier text, e.g. "as-" and a lower-case UUID
    std::string name;                   ///< the asset's name
    double firstFrame = 0;              ///< start timecode as frames at timecodeFrameRate
    double duration = 0;                ///< length in frames
    std::string timecodeFrameRate;      ///< raw text of a timecode frame rate, e.g. "29.97d"
    VideoFormat* videoFormat = nullptr; ///< the media's format (set by the readers)
    std::optional<std::string> url;     ///< location as URL text ("file:///...") or a path
    bool securityscopedURL = false;     ///< url needs scoped access opened around each use
    bool readable = false;              ///< kept with the asset; the readers leave it false
    bool online = false;                ///< whether the media file exists at url
    bool added = false;                 ///< kept with the asset; the readers leave it false
    std::string frameSize;              ///< frame size as text, e.g. "1920 X 1080"
    std::string audioRate;              ///< audio sample rate as text
    std::string cameraName;             ///< the camera's name, where the input gives one
    Category category = Category::null; ///< the kind of media

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"id", &Asset::id},
        PropertyDescription{"name", &Asset::name},
        PropertyDescription{"firstFrame", &Asset::firstFrame},
        PropertyDescription{"duration", &Asset::duration},
        PropertyDescription{"timecodeFrameRate", &Asset::timecodeFrameRate},
        PropertyDescription{"videoFormat", &Asset::videoFormat},
        PropertyDescription{"url", &Asset::url},
        PropertyDescription{"securityscopedURL", &Asset::securityscopedURL},
        PropertyDescription{"readable", &Asset::readable},
        PropertyDescription{"online", &Asset::online},
        PropertyDescription{"added", &Asset::added},
        PropertyDescription{"frameSize", &Asset::frameSize},
        PropertyDescription{"audioRate", &Asset::audioRate},
        PropertyDescription{"cameraName", &Asset::cameraName},
        PropertyDescription{"category", &Asset::category}};

    Asset() = default;
    /// An asset with every property given, in declaration order.
    Asset(std::string id, std::string name, double firstFrame, double duration,
          std::string timecodeFrameRate, VideoFormat* videoFormat, std::optional<std::string> url,
          bool securityscopedURL, bool readable, bool online, bool added, std::string frameSize,
          std::string audioRate, std::string cameraName, Category category);

    /// The path part of `url`, percent escapes decoded; empty when there is no url.
    std::string urlPath() const;
    /// localPathOfURL of `url`; none without a url.
    std::optional<std::string> localPath() const;
    /// The path part of URL text ("file://host/a%20b.mov" gives "/a b.mov"); text without a
    /// scheme is taken as a path already and returned unchanged. An escape that stands for a
    /// NUL is never decoded: such a path is shown as written.
    static std::string pathOfURL(std::string_view url);
    /// The file on this machine that URL text names: the decoded path of a "file:" URL without
    /// a host or with "localhost", or text without a scheme taken as a path. None for any other
    /// scheme or host, whose media is never read, and for a path holding a NUL (written as
    /// "%00"), which names no file: handed on, it would be cut short to another file's name.
    static std::optional<std::string> localPathOfURL(std::string_view url);

    /// `Asset <id>: "<name>", <url path>`, a line feed, eight spaces,
    /// `start: <firstFrame>ƒ, duration: <duration>ƒ` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object (the text `id` takes no part).
    bool operator==(const Asset& other) const noexcept { return this == &other; }

    /// The raw text of a category, e.g. "AV".
    static std::string_view toString(Category category) noexcept;
    /// The category named exactly `text`; none for any other text (also "av" or "").
    static std::optional<Category> fromString(std::string_view text);
};

/// The raw text of an asset category.
std::string_view toString(Asset::Category category) noexcept;

template <>
std::optional<Asset::Category> fromString<Asset::Category>(std::string_view text);

} // namespace marrowvale
