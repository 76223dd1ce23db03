#include "otio/schema/AnyCodable.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace marrowvale::otio {

namespace {

// The shortest decimal text that reads back as the same double: "2", "0.5", "nan". Magnitudes
// from 2^53, where doubles no longer hold every integer, and below 1e-4 are written with an
// exponent ("9.223372036854776e+18", "1e-05").
std::string shortestRealText(double real) {
    const double magnitude = std::fabs(real);
    const bool exponent = magnitude >= 9007199254740992.0 || (magnitude < 1e-4 && real != 0);
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, real,
                      exponent ? std::chars_format::scientific : std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// As above, with ".0" on values written without a fraction or exponent ("2.0", "-0.0").
std::string realDebugText(double real) {
    std::string text = shortestRealText(real);
    if (text.find_first_not_of("-0123456789") == std::string::npos) {
        text += ".0";
    }
    return text;
}

// Text in double quotes with quotes, backslashes and control characters escaped.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[12];
                std::snprintf(escape, sizeof escape, "\\u{%x}", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// The parts joined by ", " in square brackets. (Built by appending: g++ 12 warns falsely on
// "[" + text.)
std::string bracketed(const std::vector<std::string>& parts) {
    std::string text = "[";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += parts[i];
    }
    text += ']';
    return text;
}

std::string listText(const AnyCodable::List& list) {
    std::vector<std::string> parts;
    parts.reserve(list.size());
    for (const AnyCodable& element : list) {
        parts.push_back(element.debugDescription());
    }
    return bracketed(parts);
}

// The debug text of the held value itself, without the `Marrowvale.AnyCodable(value: )` frame.
std::string heldDebugText(const AnyCodable& value) {
    switch (value.kind()) {
    case AnyCodable::Kind::null:
        return "null";
    case AnyCodable::Kind::flag:
        return *value.flag() ? "true" : "false";
    case AnyCodable::Kind::integer:
        return std::to_string(*value.integer());
    case AnyCodable::Kind::real:
        return realDebugText(*value.real());
    case AnyCodable::Kind::text:
        return quoted(*value.text());
    case AnyCodable::Kind::list:
        return listText(*value.list());
    case AnyCodable::Kind::dictionary: {
        const AnyCodable::Dictionary& dictionary = *value.dictionary();
        if (dictionary.empty()) {
            return "[:]";
        }
        std::vector<std::string> parts;
        for (const auto& [key, member] : dictionary) {
            parts.push_back(quoted(key) + ": " + member.debugDescription());
        }
        return bracketed(parts);
    }
    }
    return {};
}

} // namespace

std::optional<bool> AnyCodable::flag() const {
    if (const bool* held = std::get_if<bool>(&value_)) {
        return *held;
    }
    return std::nullopt;
}

std::optional<std::int64_t> AnyCodable::integer() const {
    if (const std::int64_t* held = std::get_if<std::int64_t>(&value_)) {
        return *held;
    }
    return std::nullopt;
}

std::optional<double> AnyCodable::real() const {
    if (const double* held = std::get_if<double>(&value_)) {
        return *held;
    }
    return std::nullopt;
}

std::string AnyCodable::stringValue() const {
    switch (kind()) {
    case Kind::text:
        return *text();
    case Kind::real:
        return shortestRealText(*real());
    case Kind::list:
        return listText(*list());
    case Kind::dictionary: {
        // The map already holds its keys in the order of their scalar values.
        std::vector<std::string> parts;
        for (const auto& [key, member] : *dictionary()) {
            parts.push_back("(key: " + quoted(key) + ", value: " + member.debugDescription() + ")");
        }
        return bracketed(parts);
    }
    default:
        return heldDebugText(*this);
    }
}

std::map<std::string, std::string> AnyCodable::stringDictionary() const {
    std::map<std::string, std::string> texts;
    if (const Dictionary* members = dictionary()) {
        for (const auto& [key, member] : *members) {
            texts.emplace(key, member.text() ? *member.text() : heldDebugText(member));
        }
    }
    return texts;
}

std::string AnyCodable::debugDescription() const {
    return "Marrowvale.AnyCodable(value: " + heldDebugText(*this) + ")";
}

} // namespace marrowvale::otio
