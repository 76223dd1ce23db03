#pragma once

#include "otio/schema/AnyCodable.h"

#include <string>

namespace marrowvale::otio {

/// One key frame of a Resolve effect parameter, found under its key text in the parameter's
/// "Key Frames" object.
struct KeyFrame {
    AnyCodable value;        ///< "Value", of any JSON kind
    std::string variantType; ///< "Variant Type": Resolve's name for the value's type

    bool operator==(const KeyFrame&) const = default;
};

} // namespace marrowvale::otio
