#pragma once

#include "otio/schema/AvidMetadata.h"
#include "otio/schema/Child.h"
#include "otio/schema/Effect.h"
#include "otio/schema/Marker.h"
#include "otio/schema/PremiereMetadata.h"
#include "otio/schema/ResolveMetadata.h"
#include "otio/schema/TimeRange.h"

#include <optional>
#include <string>
#include <vector>

namespace marrowvale::otio {

/// The editors' blocks of a stack's "metadata" object.
struct StackMetadata {
    std::optional<DaVRChildMetadata> resolveOTIO;     ///< "Resolve_OTIO"
    std::optional<PProStackMetadata> premiereproOTIO; ///< "PremierePro_OTIO": on the top stack,
                                                      ///< the mark of a Premiere Pro document
    std::optional<AvidChildMetadata> avidOTIO;        ///< "AAF"

    bool operator==(const StackMetadata&) const = default;
};

/// The timeline's stack of tracks. A stack nested inside a track is a `Child`.
struct Stack {
    std::string otioSchema;                     ///< "OTIO_SCHEMA", such as "Stack.1"
    std::vector<Child> children;                ///< "children": the tracks (may be empty)
    std::string name;                           ///< "name"
    std::optional<StackMetadata> metadata;      ///< "metadata"
    std::optional<TimeRange> sourceRange;       ///< "source_range"
    std::optional<std::vector<Effect>> effects; ///< "effects"
    std::optional<std::vector<Marker>> markers; ///< "markers"
    std::optional<bool> enabled;                ///< "enabled"

    bool operator==(const Stack&) const = default;
};

} // namespace marrowvale::otio
