#include "DovovevoZavCore/DoubleText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace dovovevozav {

std::string doubleText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    if (value == 0) {
        return std::signbit(value) ? "-0.0" : "0.0";
    }
    // Shortest round-trip digits in scientific form: "d.ddde+XX".
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t ePos = text.find('e');
    std::string_view mantissa = text.substr(0, ePos);
    const int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());

    std::string sign;
    if (mantissa.front() == '-') {
        sign = "-";
        mantissa.remove_prefix(1);
    }
    std::string digits;
    for (char c : mantissa) {
        if (c != '.') {
            digits.push_back(c);
        }
    }

    const double magnitude = std::fabs(value);
    if (magnitude < 1e-4 || magnitude >= 9007199254740992.0) {
        std::string out = sign + digits.substr(0, 1);
        if (digits.size() > 1) {
            out += "." + digits.substr(1);
        }
        const int absExponent = std::abs(exponent);
        out += exponent < 0 ? "e-" : "e+";
        if (absExponent < 10) {
            out += "0";
        }
        out += std::to_string(absExponent);
        return out;
    }

    // Plain notation: the decimal point sits after (exponent + 1) digits.
    const int pointPosition = exponent + 1;
    std::string out = sign;
    if (pointPosition <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-pointPosition), '0') + digits;
    } else if (static_cast<std::size_t>(pointPosition) >= digits.size()) {
        out += digits + std::string(static_cast<std::size_t>(pointPosition) - digits.size(), '0') +
               ".0";
    } else {
        const auto split = static_cast<std::size_t>(pointPosition);
        out += digits.substr(0, split) + "." + digits.substr(split);
    }
    return out;
}

} // namespace dovovevozav
