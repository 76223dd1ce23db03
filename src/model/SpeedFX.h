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

/// A speed change (or freeze frame) of a story element. Compared by identity.
class SpeedFX : public PersistentModel {
public:
    static constexpr std::string_view modelName = "SpeedFX";

    std::string name;     ///< the kind of speed change, as the reader names it
    double percent = 100; ///< playback speed in percent of normal (100 is normal)
    /// Parameter values; none when no list was given, which differs from an empty list.
    std::optional<std::vector<FxKeyValueTime*>> params;

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{PropertyDescription{"name", &SpeedFX::name},
                                               PropertyDescription{"percent", &SpeedFX::percent},
                                               PropertyDescription{"params", &SpeedFX::params}};

    SpeedFX() = default;
    /// A speed change with every property given, in declaration order.
    SpeedFX(std::string name, double percent,
            std::optional<std::vector<FxKeyValueTime*>> params = std::nullopt);

    /// `SpeedFx: "<name>", <percent> % ` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const SpeedFX& other) const noexcept { return this == &other; }
};

} // namespace marrowvale
