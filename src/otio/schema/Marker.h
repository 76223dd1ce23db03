#pragma once

#include "otio/schema/AvidMetadata.h"
#include "otio/schema/PremiereMetadata.h"
#include "otio/schema/ResolveMetadata.h"
#include "otio/schema/TimeRange.h"

#include <optional>
#include <string>

namespace marrowvale::otio {

/// The editors' blocks of a marker's "metadata" object (an empty object is enough).
struct MarkerMetadata {
    std::optional<DaVRMarkerMetadata> resolveOTIO;     ///< "Resolve_OTIO": note and keywords
    std::optional<PProMarkerMetadata> premiereproOTIO; ///< "PremierePro_OTIO": comments
    std::optional<AvidMarkerMetadata> avidOTIO;        ///< "AAF": Media Composer's colour

    bool operator==(const MarkerMetadata&) const = default;
};

/// One marker on a stack or an item.
struct Marker {
    std::string otioSchema;  ///< "OTIO_SCHEMA", such as "Marker.2"
    MarkerMetadata metadata; ///< "metadata"
    std::string name;        ///< "name"
    /// "color": the colour's name as written ("RED"); a colour written as an object (a
    /// "Color.1" record) gives its "name", or the empty text when it has none.
    std::string color;
    TimeRange markedRange; ///< "marked_range", in the time of the item holding the marker

    bool operator==(const Marker&) const = default;
};

} // namespace marrowvale::otio
