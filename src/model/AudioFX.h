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

/// An audio effect (levels, pan, filters) of a story element. Compared by identity.
class AudioFX : public PersistentModel {
public:
    static constexpr std::string_view modelName = "AudioFX";

    std::string name;                 ///< the effect's name, e.g. "Audio Levels"
    std::string settings;             ///< the effect's settings as one text
    std::optional<std::string> track; ///< the clip track it applies to; none when not given
    bool enabled = true;              ///< whether the effect is switched on
    /// Parameter values; none when no list was given, which differs from an empty list.
    std::optional<std::vector<FxKeyValueTime*>> params;

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{PropertyDescription{"name", &AudioFX::name},
                                               PropertyDescription{"settings", &AudioFX::settings},
                                               PropertyDescription{"track", &AudioFX::track},
                                               PropertyDescription{"enabled", &AudioFX::enabled},
                                               PropertyDescription{"params", &AudioFX::params}};

    AudioFX() = default;
    /// An effect with every property given, in declaration order. Note that a braced `{}` for
    /// `params` means no list; pass `std::vector<FxKeyValueTime*>{}` for an empty one.
    AudioFX(std::string name, std::string settings, std::optional<std::string> track, bool enabled,
            std::optional<std::vector<FxKeyValueTime*>> params = std::nullopt);

    /// `AudioFx: "<name>", <settings> ` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const AudioFX& other) const noexcept { return this == &other; }
};

} // namespace marrowvale
