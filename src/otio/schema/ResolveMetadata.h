#pragma once

#include "otio/schema/AnyCodable.h"
#include "otio/schema/KeyFrame.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// DaVinci Resolve's blocks, found under "Resolve_OTIO" in the "metadata" objects of a document.
// Keys are Resolve's own ("Link Group ID", "maxValue"), matched exactly.

namespace marrowvale::otio {

/// The timeline's block; its presence marks a document written by Resolve.
struct DaVRTimelineMetadata {
    std::string resolveOTIOMetaVersion; ///< "Resolve OTIO Meta Version"

    bool operator==(const DaVRTimelineMetadata&) const = default;
};

/// One source channel of a clip.
struct DaVRClipChannel {
    std::int64_t sourceChannelID = 0; ///< "Source Channel ID": channel within the source track
    std::int64_t sourceTrackID = 0;   ///< "Source Track ID": track within the source media

    bool operator==(const DaVRClipChannel&) const = default;
};

/// The block of a stack, a track or an item on a track; every field is optional.
struct DaVRChildMetadata {
    std::optional<std::int64_t> linkGroupID;              ///< "Link Group ID"
    std::optional<double> sequenceFPS;                    ///< "Sequence Fps"
    std::optional<std::string> sequenceID;                ///< "Sequence ID"
    std::optional<std::string> sequenceType;              ///< "Sequence Type"
    std::optional<bool> locked;                           ///< "Locked"
    std::optional<std::string> audioType;                 ///< "Audio Type"
    std::optional<bool> soloOn;                           ///< "SoloOn"
    std::optional<std::vector<DaVRClipChannel>> channels; ///< "Channels"

    bool operator==(const DaVRChildMetadata&) const = default;
};

/// One parameter of a Resolve effect.
struct DaVREffectParameter {
    AnyCodable defaultParameterValue;                         ///< "Default Parameter Value"
    std::optional<std::map<std::string, KeyFrame>> keyFrames; ///< "Key Frames", by key text
    std::string parameterID;                                  ///< "Parameter ID"
    AnyCodable parameterValue;                                ///< "Parameter Value"
    std::string variantType;                                  ///< "Variant Type"
    std::optional<double> maxValue;                           ///< "maxValue"
    std::optional<double> minValue;                           ///< "minValue"

    bool operator==(const DaVREffectParameter&) const = default;
};

/// An effect's block; every field is optional.
struct DaVREffectMetadata {
    std::optional<std::string> effectName;                      ///< "Effect Name"
    std::optional<bool> enabled;                                ///< "Enabled"
    std::optional<std::string> name;                            ///< "Name"
    std::optional<std::vector<DaVREffectParameter>> parameters; ///< "Parameters", in order
    std::optional<std::int64_t> type;                           ///< "Type"

    bool operator==(const DaVREffectMetadata&) const = default;
};

/// A marker's block: its note and keywords, both required.
struct DaVRMarkerMetadata {
    std::string note;                  ///< "Note"
    std::vector<std::string> keywords; ///< "Keywords" (may be empty)

    bool operator==(const DaVRMarkerMetadata&) const = default;
};

/// A media reference's block.
struct DaVRDefaultMediaMetadata {
    std::optional<std::string> mediaUrl; ///< "Media Url": the media file's address

    bool operator==(const DaVRDefaultMediaMetadata&) const = default;
};

/// One entry of a generator's parameter list: the keys of `DaVREffectMetadata`, with each
/// parameter kept as a free-form object (the reader looks up "Parameter ID" and
/// "Parameter Value" in it).
struct DaVRMediaParameter {
    std::optional<std::string> effectName;                         ///< "Effect Name"
    std::optional<bool> enabled;                                   ///< "Enabled"
    std::optional<std::string> name;                               ///< "Name"
    std::optional<std::vector<AnyCodable::Dictionary>> parameters; ///< "Parameters"
    std::optional<std::int64_t> type;                              ///< "Type"

    bool operator==(const DaVRMediaParameter&) const = default;
};

} // namespace marrowvale::otio
