#pragma once

#include <string>

namespace marrowvale::otio {

/// A point or a length of time: `value` units at `rate` units per second. Integers in the file
/// read as reals.
struct RationalTime {
    std::string otioSchema; ///< "OTIO_SCHEMA", such as "RationalTime.1"; not checked
    double rate = 0;        ///< "rate": units per second (the frame rate when counting frames)
    double value = 0;       ///< "value": number of units

    bool operator==(const RationalTime&) const = default;
};

} // namespace marrowvale::otio
