#pragma once

#include <cstdint>

namespace dovovevozav {

/// The result of comparing two values: the first comes before, with, or after the second.
enum class ComparisonResult : std::int8_t {
    orderedAscending = -1,
    orderedSame = 0,
    orderedDescending = 1,
};

/// The direction of a sort.
enum class SortOrder : std::uint8_t { forward, reverse };

} // namespace dovovevozav
