#include "xmeml/NumberText.h"

#include <charconv>
#include <cmath>

namespace marrowvale {

std::optional<double> numberFromText(std::string_view text) {
    // from_chars takes no leading "+"; a second sign after it must still fail.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            return std::nullopt;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> finiteNumberFromText(std::string_view text) {
    std::optional<double> value = numberFromText(text);
    if (value && !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> integerFromText(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    // Parse the magnitude as unsigned so that the most negative value still fits.
    std::uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    constexpr std::uint64_t maxPositive = INT64_MAX;
    if (!negative) {
        if (magnitude > maxPositive) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(magnitude);
    }
    if (magnitude > maxPositive + 1) {
        return std::nullopt;
    }
    if (magnitude == maxPositive + 1) {
        return INT64_MIN;
    }
    return -static_cast<std::int64_t>(magnitude);
}

} // namespace marrowvale
