#pragma once

#include "otio/schema/DecodeError.h"
#include "otio/schema/Timeline.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace marrowvale::otio {

/// Objects and lists may nest this deep; a deeper document is refused as corrupted.
inline constexpr std::size_t maximumNestingDepth = 512;

/// Decodes the bytes of an .otio file (UTF-8 JSON text) into its timeline, in one step.
///
/// Keys are matched exactly and keys a record does not list are ignored. A required member
/// that is missing, null or of the wrong kind, an optional one of the wrong kind, or an integer
/// field holding a fraction or a number beyond 64 bits fails the whole document: the
/// DecodeError says which kind of fault it is and gives the path of keys and list positions to
/// it. Bytes that are empty, not UTF-8 or not JSON fail as data-corrupted. The words
/// "Infinity", "Inf", "-Infinity", "-Inf" and "NaN" that OTIO writers emit as numbers are read
/// as 999999999, -999999999 and NaN where they stand as values; text is never changed.
Timeline decodeTimeline(std::string_view documentBytes);

/// The timeline as JSON text that decodes to an equal timeline: each record's members in the
/// keys it is read from, absent optional fields left out. The application never writes OTIO
/// documents; this serves checks that a decoded timeline keeps everything it read.
std::string encodeTimeline(const Timeline& timeline);

} // namespace marrowvale::otio
