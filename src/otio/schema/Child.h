#pragma once

#include "otio/schema/AvidMetadata.h"
#include "otio/schema/Effect.h"
#include "otio/schema/Marker.h"
#include "otio/schema/MediaReference.h"
#include "otio/schema/PremiereMetadata.h"
#include "otio/schema/RationalTime.h"
#include "otio/schema/ResolveMetadata.h"
#include "otio/schema/TimeRange.h"

#include <optional>
#include <string>
#include <vector>

namespace marrowvale::otio {

/// The editors' blocks of a child's "metadata" object.
struct ChildMetadata {
    std::optional<DaVRChildMetadata> resolveOTIO;     ///< "Resolve_OTIO"
    std::optional<PProChildMetadata> premiereproOTIO; ///< "PremierePro_OTIO"
    std::optional<AvidChildMetadata> aaf;             ///< "AAF"

    bool operator==(const ChildMetadata&) const = default;
};

/// One node under a stack or under another child: a track, an item on a track (clip, gap,
/// transition) or a nested stack. Every kind shares this record; its schema name tells which it
/// is, and the fields a kind does not use are absent.
struct Child {
    std::string otioSchema;                             ///< "OTIO_SCHEMA", such as "Clip.2"
    std::optional<ChildMetadata> metadata;              ///< "metadata"
    std::string name;                                   ///< "name"
    std::optional<TimeRange> sourceRange;               ///< "source_range"
    std::optional<std::vector<Effect>> effects;         ///< "effects"
    std::optional<std::vector<Marker>> markers;         ///< "markers"
    std::optional<bool> enabled;                        ///< "enabled"
    std::optional<std::string> kind;                    ///< "kind": "Video" or "Audio" on tracks
    std::optional<std::vector<Child>> children;         ///< "children", to any depth
    std::optional<MediaReferences> mediaReferences;     ///< "media_references"
    std::optional<std::string> activeMediaReferenceKey; ///< "active_media_reference_key"
    std::optional<MediaReference> mediaReference;       ///< "media_reference"
    std::optional<RationalTime> inOffset;               ///< "in_offset" (transitions)
    std::optional<RationalTime> outOffset;              ///< "out_offset" (transitions)
    std::optional<std::string> transitionType;          ///< "transition_type" (transitions)

    /// A clip: the schema name begins with "Clip".
    bool isClip() const { return otioSchema.starts_with("Clip"); }
    /// A nested stack: the schema name begins with "Stack".
    bool isStack() const { return otioSchema.starts_with("Stack"); }
    /// A gap: the schema name contains "Gap".
    bool isGap() const { return otioSchema.find("Gap") != std::string::npos; }
    /// A transition: the schema name contains "Transition".
    bool isTransition() const { return otioSchema.find("Transition") != std::string::npos; }

    bool operator==(const Child&) const = default;
};

} // namespace marrowvale::otio
