#pragma once

#include <cstdint>

namespace dovovevozav {

/// The direction of a timecode interval.
enum class IntervalSign : std::uint8_t { plus, minus };

} // namespace dovovevozav
