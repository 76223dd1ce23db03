#pragma once

#include "otio/schema/AnyCodable.h"
#include "otio/schema/ResolveMetadata.h"
#include "otio/schema/TimeRange.h"

#include <optional>
#include <string>
#include <vector>

namespace marrowvale::otio {

/// The editors' blocks of a media reference's "metadata" object.
struct DefaultMediaMetadata {
    std::optional<DaVRDefaultMediaMetadata> resolveOTIO; ///< "Resolve_OTIO": the media address

    bool operator==(const DefaultMediaMetadata&) const = default;
};

/// A media reference's "parameters" object: the parameters of a Resolve generator.
struct DefaultMediaParameters {
    std::optional<std::vector<DaVRMediaParameter>> resolveOTIO; ///< "Resolve_OTIO"

    bool operator==(const DefaultMediaParameters&) const = default;
};

/// The media behind a clip: an external file, an image sequence, missing media or a generator.
struct MediaReference {
    std::string otioSchema;                           ///< "OTIO_SCHEMA"
    std::optional<DefaultMediaMetadata> metadata;     ///< "metadata"
    std::optional<std::string> name;                  ///< "name"
    std::optional<TimeRange> availableRange;          ///< "available_range"
    std::optional<AnyCodable> availableImageBounds;   ///< "available_image_bounds"
    std::optional<std::string> generatorKind;         ///< "generator_kind"
    std::optional<std::string> targetURL;             ///< "target_url"
    std::optional<DefaultMediaParameters> parameters; ///< "parameters"

    /// Whether the reference stands for a generator: its schema name contains
    /// "GeneratorReference".
    bool isGeneratorReference() const {
        return otioSchema.find("GeneratorReference") != std::string::npos;
    }

    bool operator==(const MediaReference&) const = default;
};

/// A clip's "media_references" object; only its "DEFAULT_MEDIA" entry is read, and it is
/// required.
struct MediaReferences {
    MediaReference defaultMedia; ///< "DEFAULT_MEDIA"

    bool operator==(const MediaReferences&) const = default;
};

} // namespace marrowvale::otio
