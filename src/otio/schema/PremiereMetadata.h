#pragma once

#include "otio/schema/AnyCodable.h"

#include <optional>
#include <string>
#include <vector>

// Premiere Pro's blocks, found under "PremierePro_OTIO" in the "metadata" objects of a document.

namespace marrowvale::otio {

/// A sequence's frame size.
struct VideoResolution {
    double width = 0;  ///< "width", in pixels
    double height = 0; ///< "height", in pixels

    bool operator==(const VideoResolution&) const = default;
};

/// A stack's block; on the timeline's top stack its presence marks a Premiere Pro document.
struct PProStackMetadata {
    double audioFrameRate = 0;       ///< "AudioFrameRate"
    VideoResolution videoResolution; ///< "VideoResolution"

    bool operator==(const PProStackMetadata&) const = default;
};

/// A parameter's start value.
struct PProEffectStartValue {
    AnyCodable value; ///< "Value", of any JSON kind; must be present

    bool operator==(const PProEffectStartValue&) const = default;
};

/// One parameter of an item or an effect.
struct PProEffectParameter {
    std::optional<std::string> displayName;         ///< "DisplayName" ("Source Text" for titles)
    std::optional<PProEffectStartValue> startValue; ///< "StartValue"

    bool operator==(const PProEffectParameter&) const = default;
};

/// The block of a track, a clip or another item; every field is optional.
struct PProChildMetadata {
    std::optional<std::string> linkID;                          ///< "LinkID"
    std::optional<std::string> matchName;                       ///< "MatchName"
    std::optional<std::vector<PProEffectParameter>> parameters; ///< "Parameters", in order

    bool operator==(const PProChildMetadata&) const = default;
};

/// An effect's block; every field is optional.
struct PProEffectMetadata {
    std::optional<bool> isIntrinsic;                            ///< "IsIntrinsic"
    std::optional<std::string> matchName;                       ///< "MatchName"
    std::optional<std::vector<PProEffectParameter>> parameters; ///< "Parameters", in order

    bool operator==(const PProEffectMetadata&) const = default;
};

/// A marker's block.
struct PProMarkerMetadata {
    std::string comments; ///< "Comments" (may be empty)

    bool operator==(const PProMarkerMetadata&) const = default;
};

} // namespace marrowvale::otio
