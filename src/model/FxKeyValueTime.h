#pragma once

#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace marrowvale {

/// One parameter value of an effect, optionally at a time. It has no link back to its effect,
/// no debug text and no ordering; compared by identity.
class FxKeyValueTime : public PersistentModel {
public:
    static constexpr std::string_view modelName = "FxKeyValueTime";

    std::string key;            ///< the parameter's name
    std::string value;          ///< the parameter's value as text
    std::optional<double> time; ///< the time the value belongs to; none when it has no time

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{PropertyDescription{"key", &FxKeyValueTime::key},
                                               PropertyDescription{"value", &FxKeyValueTime::value},
                                               PropertyDescription{"time", &FxKeyValueTime::time}};

    FxKeyValueTime() = default;
    /// A parameter with every property given, in declaration order.
    FxKeyValueTime(std::string key, std::string value, std::optional<double> time = std::nullopt);

    /// Identity: true only for the very same object.
    bool operator==(const FxKeyValueTime& other) const noexcept { return this == &other; }
};

} // namespace marrowvale
