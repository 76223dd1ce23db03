#pragma once

#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale {

class FxKeyValueTime;

/// A video effect (filter or transform) of a story element. Compared by identity.
class VideoFX : public PersistentModel {
public:
    static constexpr std::string_view modelName = "VideoFX";

    std::string name;     ///< the effect's name
    std::string settings; ///< the effect's settings as one text
    bool enabled = true;  ///< whether the effect is switched on
    /// Parameter values; none when no list was given, which differs from an empty list.
    std::optional<std::vector<FxKeyValueTime*>> params;

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{PropertyDescription{"name", &VideoFX::name},
                                               PropertyDescription{"settings", &VideoFX::settings},
                                               PropertyDescription{"enabled", &VideoFX::enabled},
                                               PropertyDescription{"params", &VideoFX::params}};

    VideoFX() = default;
    /// An effect with every property given, in declaration order. Note that a braced `{}` for
    /// `params` means no list; pass `std::vector<FxKeyValueTime*>{}` for an empty one.
    VideoFX(std::string name, std::string settings, bool enabled,
            std::optional<std::vector<FxKeyValueTime*>> params = std::nullopt);

    /// `VideoFx: "<name>": <settings>, enabled=<true|false> ` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const VideoFX& other) const noexcept { return this == &other; }
};

} // namespace marrowvale
