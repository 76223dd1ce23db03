#include "app/TextUtilities.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fmt/format.h>
#include <limits>
#include <unicode/utf8.h>

namespace marrowvale {

std::string clockTimeString(std::int64_t milliseconds) {
    // Floor division so that instants before midnight count back from the previous day's end.
    std::int64_t seconds = milliseconds / 1000;
    if (milliseconds % 1000 < 0) {
        --seconds;
    }
    constexpr std::int64_t secondsPerDay = 24 * 60 * 60;
    std::int64_t secondOfDay = seconds % secondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += secondsPerDay;
    }
    return fmt::format("{:02}:{:02}:{:02}", secondOfDay / 3600, secondOfDay / 60 % 60,
                       secondOfDay % 60);
}

std::string_view trimmedText(std::string_view text, std::string_view characters) {
    const std::size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

std::vector<std::string> nonEmptyComponents(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) {
        if (!text.empty()) {
            pieces.emplace_back(text);
        }
        return pieces;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t found = text.find(separator, start);
        std::size_t end = found == std::string_view::npos ? text.size() : found;
        if (end > start) {
            pieces.emplace_back(text.substr(start, end - start));
        }
        if (found == std::string_view::npos) {
            break;
        }
        start = found + separator.size();
    }
    return pieces;
}

namespace {

int base64Digit(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

} // namespace

std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view padded) {
    if (padded.size() % 4 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(padded.size() / 4 * 3);
    for (std::size_t group = 0; group < padded.size(); group += 4) {
        bool last = group + 4 == padded.size();
        int digits[4];
        int padding = 0;
        for (int k = 0; k < 4; ++k) {
            char c = padded[group + k];
            if (c == '=') {
                // Padding only ends the text, fills the last one or two places, and is final.
                if (!last || k < 2) {
                    return std::nullopt;
                }
                ++padding;
                digits[k] = 0;
                continue;
            }
            if (padding > 0) {
                return std::nullopt;
            }
            digits[k] = base64Digit(c);
            if (digits[k] < 0) {
                return std::nullopt;
            }
        }
        std::uint32_t value = (std::uint32_t(digits[0]) << 18) | (std::uint32_t(digits[1]) << 12) |
                              (std::uint32_t(digits[2]) << 6) | std::uint32_t(digits[3]);
        bytes.push_back(std::uint8_t(value >> 16));
        if (padding < 2) {
            bytes.push_back(std::uint8_t(value >> 8));
        }
        if (padding < 1) {
            bytes.push_back(std::uint8_t(value));
        }
    }
    return bytes;
}

std::optional<std::vector<std::uint8_t>> decodeBase64Padded(std::string_view text) {
    // A character beyond ASCII is no base64 digit, so counting bytes in place of characters
    // changes no outcome.
    std::string padded(text);
    if (padded.size() % 4 != 0) {
        padded.append(4 - padded.size() % 4, '=');
    }
    return decodeBase64(padded);
}

std::string validUTF8(std::string_view text) {
    constexpr std::string_view replacement = "\xEF\xBF\xBD";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::string valid;
    valid.reserve(text.size());
    std::size_t index = 0;
    while (index < text.size()) {
        if (bytes[index] < 0x80) {
            valid += text[index++];
            continue;
        }
        // A scalar takes at most four bytes; the window keeps ICU's offsets within 32 bits. On
        // an ill-formed sequence ICU steps over its maximal ill-formed part.
        const auto window =
            static_cast<std::int32_t>(std::min<std::size_t>(text.size() - index, 4));
        std::int32_t length = 0;
        UChar32 scalar = 0;
        U8_NEXT(bytes + index, length, window, scalar);
        if (scalar < 0) {
            valid += replacement;
        } else {
            valid.append(text.substr(index, static_cast<std::size_t>(length)));
        }
        index += static_cast<std::size_t>(length);
    }
    return valid;
}

std::optional<std::string> decodeBase64TextPadded(std::string_view text) {
    std::optional<std::vector<std::uint8_t>> bytes = decodeBase64Padded(text);
    if (!bytes) {
        return std::nullopt;
    }
    std::string decoded(bytes->begin(), bytes->end());
    // UTF-8 is what the repair leaves as it is.
    if (validUTF8(decoded) != decoded) {
        return std::nullopt;
    }
    return decoded;
}

std::string rationalSecondsString(std::int64_t value, std::int32_t timescale) {
    if (value == 0) {
        return "0s";
    }
    return fmt::format("{}/{}s", value, timescale);
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipWhitespace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\f' || text[i] == '\v')) {
        ++i;
    }
    return i;
}

} // namespace

std::int64_t leadingIntegerValue(std::string_view text) {
    std::size_t i = skipWhitespace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
    }
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        int digit = text[i] - '0';
        if (negative) {
            if (value < (min + digit) / 10) {
                return min;
            }
            value = value * 10 - digit;
        } else {
            if (value > (max - digit) / 10) {
                return max;
            }
            value = value * 10 + digit;
        }
    }
    return value;
}

double leadingDoubleValue(std::string_view text) {
    std::size_t start = skipWhitespace(text);
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i, ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i, ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text.size() && isDigit(text[exponent])) {
            i = exponent;
            while (i < text.size() && isDigit(text[i])) {
                ++i;
            }
        }
    }
    // from_chars takes no leading "+".
    std::size_t numberStart = text[start] == '+' ? start + 1 : start;
    double value = 0;
    auto result = std::from_chars(text.data() + numberStart, text.data() + i, value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0;
    }
    return value;
}

} // namespace marrowvale
