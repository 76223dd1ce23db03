#include "model/DebugText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace marrowvale::detail {

std::string doubleText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    // Shortest round-trip digits, taken from the scientific form "d.ddde±x".
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::scientific);
    if (ec != std::errc()) {
        return "nan";
    }
    const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t ePos = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, ePos)) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int exponent = std::atoi(std::string(scientific.substr(ePos + 1)).c_str());
    const int digitCount = static_cast<int>(digits.size());
    // With the value written as 0.ddd x 10^point: decimal form unless very small or very large.
    const int point = exponent + 1;
    std::string text = std::signbit(value) ? "-" : "";
    if (point < -3 || std::fabs(value) > 0x1.0p54) {
        text += digits[0];
        if (digitCount > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += exponent < 0 ? "e-" : "e+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) {
            text += '0';
        }
        text += std::to_string(magnitude);
    } else if (value == 0) {
        text += "0.0";
    } else if (point <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-point), '0');
        text += digits;
    } else if (point < digitCount) {
        text.append(digits, 0, static_cast<std::size_t>(point));
        text += '.';
        text.append(digits, static_cast<std::size_t>(point));
    } else {
        text += digits;
        text.append(static_cast<std::size_t>(point - digitCount), '0');
        text += ".0";
    }
    return text;
}

std::string_view boolText(bool value) noexcept {
    return value ? "true" : "false";
}

} // namespace marrowvale::detail
