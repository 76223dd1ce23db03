#pragma once

#include "DovovevoZavCore/DoubleText.h"

#include <string_view>

// Small text helpers shared by the debug texts of the model classes; not for use elsewhere.
namespace marrowvale::detail {

/// Doubles are written as the timecode core writes them: the shortest digits that read back as
/// the same value, always with a fractional part ("0.0", "250.0", "23.976", "1.0e-05").
using dovovevozav::doubleText;

/// "true" or "false".
std::string_view boolText(bool value) noexcept;

} // namespace marrowvale::detail
