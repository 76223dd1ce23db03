#pragma once

#include <string_view>

namespace marrowvale {

/// One entry of a model class's `schemaMetadata`: a stored property's declared name and its key
/// path, the member pointer through which fetches, predicates and sorts reach the property. No
/// property of the model has a default value in the store, nor any option (uniqueness, inverse,
/// delete rule), so a description holds nothing more.
template <class Model, class Value>
struct PropertyDescription {
    std::string_view name;
    Value Model::*keyPath;
};

// Written out for compilers that do not deduce an aggregate's arguments from its members.
template <class Model, class Value>
PropertyDescription(std::string_view, Value Model::*) -> PropertyDescription<Model, Value>;

} // namespace marrowvale
