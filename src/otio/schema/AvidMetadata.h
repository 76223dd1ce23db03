#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Avid Media Composer's blocks, found under "AAF" in the "metadata" objects of a document.
// Values stay as written: a "Drop" flag is not interpreted here.

namespace marrowvale::otio {

/// The sequence's attributes ("SEQUERNCE_FORMAT_STRING" is spelled so by Media Composer).
struct MobAttributeList {
    std::string sequenceFormatString; ///< "SEQUERNCE_FORMAT_STRING"
    std::int64_t version = 0;         ///< "_VERSION"

    bool operator==(const MobAttributeList&) const = default;
};

/// The timeline's block; its presence marks a Media Composer document. A file converted from an
/// AAF carries no "MobAttributeList", so the list may be absent.
struct AvidTimelineMetadata {
    std::optional<MobAttributeList> mobAttributeList; ///< "MobAttributeList"
    std::string name;                                 ///< "Name"

    bool operator==(const AvidTimelineMetadata&) const = default;
};

/// The kind of data a segment carries.
struct DataDefinition {
    std::string description; ///< "Description"
    std::string name;        ///< "Name"

    bool operator==(const DataDefinition&) const = default;
};

/// A track's or an item's segment; every field is optional.
struct AvidSegment {
    std::optional<DataDefinition> dataDefinition;    ///< "DataDefinition"
    std::optional<bool> drop;                        ///< "Drop": counts drop-frame timecode
    std::optional<std::int64_t> length;              ///< "Length"
    std::optional<std::string> mediaKind;            ///< "MediaKind"
    std::optional<std::int64_t> physicalTrackNumber; ///< "PhysicalTrackNumber"

    bool operator==(const AvidSegment&) const = default;
};

/// The effect plug-in of an item.
struct AvidComponentAttributeList {
    std::optional<std::string> pluginClass; ///< "_EFFECT_PLUGIN_CLASS"
    std::optional<std::string> pluginName;  ///< "_EFFECT_PLUGIN_NAME"

    bool operator==(const AvidComponentAttributeList&) const = default;
};

/// The user's comments on a track.
struct AvidUserComments {
    std::optional<std::string> trackName; ///< "_TRACK_NAME"

    bool operator==(const AvidUserComments&) const = default;
};

/// The block of a stack, a track or an item on a track.
struct AvidChildMetadata {
    std::optional<AvidSegment> segment;                               ///< "Segment"
    std::optional<AvidComponentAttributeList> componentAttributeList; ///< "ComponentAttributeList"
    std::optional<AvidUserComments> userComments;                     ///< "UserComments"
    std::optional<std::string> slotName;                              ///< "SlotName"

    bool operator==(const AvidChildMetadata&) const = default;
};

/// A marker's attributes.
struct CommentMarkerAttributeList {
    std::optional<std::string> color; ///< "_ATN_CRM_COLOR_EXTENDED", as written

    bool operator==(const CommentMarkerAttributeList&) const = default;
};

/// A marker's block.
struct AvidMarkerMetadata {
    std::optional<CommentMarkerAttributeList>
        commentMarkerAttributeList; ///< "CommentMarkerAttributeList"

    bool operator==(const AvidMarkerMetadata&) const = default;
};

/// The operation an effect performs.
struct Operation {
    std::optional<std::string> name; ///< "Name"

    bool operator==(const Operation&) const = default;
};

/// An effect's block.
struct AvidEffectMetadata {
    std::optional<Operation> operation; ///< "Operation"

    bool operator==(const AvidEffectMetadata&) const = default;
};

} // namespace marrowvale::otio
