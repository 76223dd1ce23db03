#pragma once

#include <cstdint>

namespace dovovevozav {

/// Which part of a media time range a timecode is read from.
enum class RangeAttribute : std::uint8_t { start, end, duration };

} // namespace dovovevozav
