#pragma once

#include "otio/schema/AvidMetadata.h"
#include "otio/schema/RationalTime.h"
#include "otio/schema/ResolveMetadata.h"
#include "otio/schema/Stack.h"

#include <optional>
#include <string>

namespace marrowvale::otio {

/// The editors' blocks of the timeline's "metadata" object (an empty object is enough). Which
/// of them is present tells the reader which editor wrote the document.
struct TimelineMetadata {
    std::optional<DaVRTimelineMetadata> resolveOTIO; ///< "Resolve_OTIO"
    std::optional<AvidTimelineMetadata> aaf;         ///< "AAF"

    bool operator==(const TimelineMetadata&) const = default;
};

/// The root of an OTIO document.
struct Timeline {
    std::string otioSchema;                      ///< "OTIO_SCHEMA", such as "Timeline.1"
    TimelineMetadata metadata;                   ///< "metadata"
    std::string name;                            ///< "name": the sequence's name
    std::optional<RationalTime> globalStartTime; ///< "global_start_time"
    Stack tracks;                                ///< "tracks": the top stack

    bool operator==(const Timeline&) const = default;
};

} // namespace marrowvale::otio
