#pragma once

#include "otio/schema/RationalTime.h"

#include <string>

namespace marrowvale::otio {

/// A stretch of time: where it starts and how long it lasts.
struct TimeRange {
    std::string otioSchema; ///< "OTIO_SCHEMA", such as "TimeRange.1"; not checked
    RationalTime duration;  ///< "duration"
    RationalTime startTime; ///< "start_time"

    bool operator==(const TimeRange&) const = default;
};

} // namespace marrowvale::otio
