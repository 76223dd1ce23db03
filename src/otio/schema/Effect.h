#pragma once

#include "otio/schema/AvidMetadata.h"
#include "otio/schema/PremiereMetadata.h"
#include "otio/schema/ResolveMetadata.h"

#include <optional>
#include <string>

namespace marrowvale::otio {

/// The editors' blocks of an effect's "metadata" object (an empty object is enough).
struct EffectMetadata {
    std::optional<DaVREffectMetadata> resolveOTIO;     ///< "Resolve_OTIO"
    std::optional<PProEffectMetadata> premiereproOTIO; ///< "PremierePro_OTIO"
    std::optional<AvidEffectMetadata> aaf;             ///< "AAF"

    bool operator==(const EffectMetadata&) const = default;
};

/// One effect on a stack or an item. The schema name tells time warps, freeze frames and plain
/// effects apart.
struct Effect {
    std::string otioSchema;  ///< "OTIO_SCHEMA", such as "LinearTimeWarp.1"
    EffectMetadata metadata; ///< "metadata"
    /// "name" and "effect_name" must be present; older writers leave them null, which reads as
    /// absent.
    std::optional<std::string> name;       ///< "name"
    std::optional<std::string> effectName; ///< "effect_name"
    std::optional<double> timeScalar;      ///< "time_scalar": speed factor of a time warp

    bool operator==(const Effect&) const = default;
};

} // namespace marrowvale::otio
