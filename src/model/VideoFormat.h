#pragma once

#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

namespace marrowvale {

/// A picture format: frame rate, frame size, anamorphic flag, field order and pixel aspect.
/// Assets and compositions point at one; several may share it. Compared by identity.
class VideoFormat : public PersistentModel {
public:
    static constexpr std::string_view modelName = "VideoFormat";

    std::string id;               ///< identifier text, e.g. "vf-" and a lower-case UUID
    std::string name;             ///< the format's name as the reader supplies it
    std::string videoFrameRate;   ///< display text of a video frame rate, e.g. "29.97p"
    std::int64_t width = 0;       ///< frame width in pixels
    std::int64_t height = 0;      ///< frame height in pixels
    bool anamorphic = false;      ///< whether the format is anamorphic
    std::string fieldOrder;       ///< field order (dominance) text
    std::string pixelAspectRatio; ///< pixel aspect ratio text

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{
        PropertyDescription{"id", &VideoFormat::id},
        PropertyDescription{"name", &VideoFormat::name},
        PropertyDescription{"videoFrameRate", &VideoFormat::videoFrameRate},
        PropertyDescription{"width", &VideoFormat::width},
        PropertyDescription{"height", &VideoFormat::height},
        PropertyDescription{"anamorphic", &VideoFormat::anamorphic},
        PropertyDescription{"fieldOrder", &VideoFormat::fieldOrder},
        PropertyDescription{"pixelAspectRatio", &VideoFormat::pixelAspectRatio}};

    VideoFormat() = default;
    /// A format with every property given, in declaration order.
    VideoFormat(std::string id, std::string name, std::string videoFrameRate, std::int64_t width,
                std::int64_t height, bool anamorphic, std::string fieldOrder,
                std::string pixelAspectRatio);

    /// `VideoFormat <id>: "<name>", <videoFrameRate>, <width>x<height>` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object (the text `id` takes no part).
    bool operator==(const VideoFormat& other) const noexcept { return this == &other; }
};

} // namespace marrowvale
