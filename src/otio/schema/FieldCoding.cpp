#include "otio/schema/FieldCoding.h"

#include <cmath>
#include <limits>

namespace marrowvale::otio::coding {

namespace {

[[noreturn]] void throwNotWhole(const JsonValue& found) {
    throw DecodeError(DecodeError::Kind::dataCorrupted,
                      "Expected a whole number within 64 bits but found " + found.describe());
}

} // namespace

void throwMissingKey(const char* key) {
    throw DecodeError(DecodeError::Kind::keyNotFound,
                      std::string("The required key \"") + key + "\" is missing");
}

void throwNull(const char* expected) {
    throw DecodeError(DecodeError::Kind::valueNotFound,
                      std::string("Expected ") + expected + " but found null");
}

void throwMismatch(const char* expected, const JsonValue& found) {
    throw DecodeError(DecodeError::Kind::typeMismatch,
                      std::string("Expected ") + expected + " but found " + found.describe());
}

void decodeValue(const JsonValue& json, std::string& out) {
    if (!json.isString()) {
        throwMismatch("text", json);
    }
    out = json.string();
}

void decodeValue(const JsonValue& json, double& out) {
    if (!json.isNumber()) {
        throwMismatch("a number", json);
    }
    out = json.number();
}

void decodeValue(const JsonValue& json, bool& out) {
    if (!json.isBoolean()) {
        throwMismatch("true or false", json);
    }
    out = json.boolean();
}

void decodeValue(const JsonValue& json, std::int64_t& out) {
    switch (json.type()) {
    case JsonType::integer:
        out = json.integer();
        return;
    case JsonType::unsignedInteger:
        throwNotWhole(json);
    case JsonType::real: {
        // Written with a fraction or an exponent: whole values are taken only while a double
        // holds every integer exactly, so that nothing is rounded on the way.
        constexpr double exactLimit = 9007199254740992.0; // 2^53
        const double value = json.real();
        if (!(std::trunc(value) == value && std::fabs(value) <= exactLimit)) {
            throwNotWhole(json);
        }
        out = static_cast<std::int64_t>(value);
        return;
    }
    default:
        throwMismatch("a whole number", json);
    }
}

void decodeValue(const JsonValue& json, AnyCodable& out) {
    switch (json.type()) {
    case JsonType::boolean:
        out = AnyCodable(json.boolean());
        return;
    case JsonType::integer:
        out = AnyCodable(json.integer());
        return;
    case JsonType::unsignedInteger:
        // Beyond the signed range an integer is kept as a real, as any larger integer is.
        out = AnyCodable(static_cast<double>(json.unsignedInteger()));
        return;
    case JsonType::real:
        out = AnyCodable(json.real());
        return;
    case JsonType::string:
        out = AnyCodable(std::string(json.string()));
        return;
    case JsonType::array: {
        AnyCodable::List list(json.size());
        json.forEachElement([&](std::size_t position, const JsonValue& element) {
            decodeValue(element, list[position]);
        });
        out = AnyCodable(std::move(list));
        return;
    }
    case JsonType::object: {
        AnyCodable::Dictionary dictionary;
        json.forEachMember([&](std::string_view key, const JsonValue& member) {
            decodeValue(member, dictionary[std::string(key)]);
        });
        out = AnyCodable(std::move(dictionary));
        return;
    }
    case JsonType::null:
        break;
    }
    out = AnyCodable();
}

Json encodeValue(const std::string& value) {
    return value;
}

Json encodeValue(double value) {
    return value;
}

Json encodeValue(bool value) {
    return value;
}

Json encodeValue(std::int64_t value) {
    return value;
}

Json encodeValue(const AnyCodable& value) {
    switch (value.kind()) {
    case AnyCodable::Kind::null:
        return nullptr;
    case AnyCodable::Kind::flag:
        return *value.flag();
    case AnyCodable::Kind::integer:
        return *value.integer();
    case AnyCodable::Kind::real:
        return *value.real();
    case AnyCodable::Kind::text:
        return *value.text();
    case AnyCodable::Kind::list:
        return encodeValue(*value.list());
    case AnyCodable::Kind::dictionary:
        return encodeValue(*value.dictionary());
    }
    return nullptr;
}

} // namespace marrowvale::otio::coding
