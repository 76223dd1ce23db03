#pragma once

#include "xlsxwriter/RawEnum.h"

#include <array>
#include <cstdint>
#include <optional>

namespace marrowvale {

/// The named colours; the raw value is the colour as an RGB number. Black is 0x1000000 because
/// the library reads 0x000000 as "no colour".
enum class Color : std::uint32_t {
    black = 0x1000000,
    blue = 0x0000FF,
    brown = 0x800000,
    cyan = 0x00FFFF,
    gray = 0x808080,
    green = 0x008000,
    lime = 0x00FF00,
    magenta = 0xFF00FF,
    navy = 0x000080,
    orange = 0xFF6600,
    purple = 0x800080,
    red = 0xFF0000,
    silver = 0xC0C0C0,
    white = 0xFFFFFF,
    yellow = 0xFFFF00,
};

/// Every colour, in declaration order.
inline constexpr std::array<Color, 15> allColors = {
    Color::black,  Color::blue, Color::brown,   Color::cyan,  Color::gray,
    Color::green,  Color::lime, Color::magenta, Color::navy,  Color::orange,
    Color::purple, Color::red,  Color::silver,  Color::white, Color::yellow};

/// The colour with exactly this RGB value, or none (0x000000 included).
constexpr std::optional<Color> colorFromRaw(std::uint32_t raw) noexcept {
    return enumFromRaw(allColors, raw);
}

} // namespace marrowvale
