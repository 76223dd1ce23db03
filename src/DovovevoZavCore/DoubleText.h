#pragma once

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

// Header-only so that the model's debug texts can write doubles by the same rule without
// linking the timecode core (CMake target dovovevozav_double_text).
namespace dovovevozav {

/// A double as text with the fewest digits that read back as the same value, always with a
/// fractional part: "1.0", "29.97", "-0.5", "0.0", "-0.0". Magnitudes below 1e-4, and from 2^53
/// up, where a double no longer holds every whole number, take exponent form ("1.0e-05",
/// "1.5e+20", "9.007199254740992e+15"); NaN and infinities give "nan", "inf" and "-inf".
inline std::string doubleText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    const double magnitude = std::fabs(value);
    const bool exponentForm = magnitude >= 0x1p53 || (magnitude < 1e-4 && value != 0);
    // Without a precision, to_chars writes the shortest digits that read back exactly.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      exponentForm ? std::chars_format::scientific : std::chars_format::fixed);
    std::string text(buffer.data(), result.ptr);
    if (text.find('.') == std::string::npos) {
        text.insert(exponentForm ? text.find('e') : text.size(), ".0");
    }
    return text;
}

} // namespace dovovevozav
