#pragma once

#include "DovovevoZavCore/MediaTimeRange.h"
#include "DovovevoZavCore/Timecode.h"

#include <utility>

namespace dovovevozav {

/// The closed range of timecodes (first, last) of a media time range at the properties.
/// Throws TimecodeValidationError: `invalid` for an invalid range, `outOfBounds` for a
/// reversed range or an end that has no timecode at the properties.
std::pair<Timecode, Timecode> timecodeRange(const MediaTimeRange& range,
                                            const TimecodeProperties& properties);

} // namespace dovovevozav
