#pragma once

#include "model/PersistentModel.h"
#include "model/PropertyDescription.h"

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale {

/// One metadata field of a composition or a story element: a key with a value and further values.
/// Compared by identity; it has no ordering.
class Metadata : public PersistentModel {
public:
    static constexpr std::string_view modelName = "Metadata";

    std::string key;                 ///< the field's name, e.g. "lognote"
    std::string value;               ///< its value
    std::vector<std::string> values; ///< further values; empty when the field has one value

    /// The stored properties in declaration order, each with its key path.
    static constexpr std::tuple schemaMetadata{PropertyDescription{"key", &Metadata::key},
                                               PropertyDescription{"value", &Metadata::value},
                                               PropertyDescription{"values", &Metadata::values}};

    Metadata() = default;
    /// A field with every property given, in declaration order.
    Metadata(std::string key, std::string value, std::vector<std::string> values = {});

    /// `Metadata: <key> = "<value>"` and a line feed.
    std::string debugDescription() const;

    /// Identity: true only for the very same object.
    bool operator==(const Metadata& other) const noexcept { return this == &other; }
};

} // namespace marrowvale
