#include "otio/schema/JsonTree.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace marrowvale::otio::coding {

namespace {

constexpr std::size_t maximumQuotedLength = 60;

} // namespace

double JsonValue::number() const {
    switch (type()) {
    case JsonType::integer:
        return static_cast<double>(integer());
    case JsonType::unsignedInteger:
        return static_cast<double>(unsignedInteger());
    default:
        return real();
    }
}

std::string_view JsonValue::memberText(std::string_view key) const {
    std::string_view found;
    if (isObject()) {
        forEachMember([&](std::string_view memberKey, const JsonValue& value) {
            if (memberKey == key && value.isString()) {
                found = value.string();
            }
        });
    }
    return found;
}

std::string JsonValue::describe() const {
    switch (type()) {
    case JsonType::string: {
        std::string text(string());
        if (text.size() > maximumQuotedLength) {
            // Cut at a character boundary so that the description stays UTF-8.
            std::size_t end = maximumQuotedLength;
            while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
                --end;
            }
            text = text.substr(0, end) + "…";
        }
        return "the text " + nlohmann::json(text).dump();
    }
    case JsonType::boolean:
        return boolean() ? "true" : "false";
    case JsonType::integer:
        return "the number " + std::to_string(integer());
    case JsonType::unsignedInteger:
        return "the number " + std::to_string(unsignedInteger());
    case JsonType::real:
        return std::isnan(real()) ? "the number NaN"
                                  : "the number " + nlohmann::json(real()).dump();
    case JsonType::object:
        return "an object";
    case JsonType::array:
        return "a list";
    case JsonType::null:
        break;
    }
    return "null";
}

} // namespace marrowvale::otio::coding
