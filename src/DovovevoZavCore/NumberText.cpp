#include "DovovevoZavCore/NumberText.h"

#include "DovovevoZavCore/NumericUtilities.h"

#include <charconv>
#include <cmath>

namespace dovovevozav {

namespace {

// The text without one leading "+", which from_chars does not take; none when a second sign
// follows it.
std::optional<std::string_view> withoutPlusSign(std::string_view text) {
    if (text.empty() || text.front() != '+') {
        return text;
    }
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<double> numberFromText(std::string_view text) {
    const std::optional<std::string_view> digits = withoutPlusSign(text);
    if (!digits || digits->empty()) {
        return std::nullopt;
    }
    const char* last = digits->data() + digits->size();
    double value = 0;
    auto [end, error] = std::from_chars(digits->data(), last, value);
    if (error != std::errc() || end != last) {
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
    const std::optional<std::string_view> digits = withoutPlusSign(text);
    return digits ? parseDecimalInt64(*digits) : std::nullopt;
}

} // namespace dovovevozav
