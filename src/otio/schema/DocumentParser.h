#pragma once

#include "otio/schema/JsonTree.h"

#include <cstddef>
#include <string_view>

namespace marrowvale::otio::coding {

/// Parses the bytes of an .otio file into a compact JSON tree. The non-standard numbers that OTIO
/// writers emit are read as numbers where they stand as values (never inside text):
/// "Infinity" and "Inf" as 999999999, "-Infinity" and "-Inf" as -999999999, "NaN" as a real
/// NaN. Throws a data-corrupted DecodeError, with the line and column of the fault, for bytes
/// that are empty, not UTF-8, not JSON, or nested deeper than `maximumDepth` objects and lists.
JsonTree parseDocument(std::string_view bytes, std::size_t maximumDepth);

} // namespace marrowvale::otio::coding
