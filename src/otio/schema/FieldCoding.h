#pragma once

// How records are read from and written to JSON values: each record lists its fields once, as
// key and member in the order they are read (RecordFields, in DocumentSchema.cpp), and the
// templates here do the rest by the members' types. A plain member is required, a
// std::optional member optional. Decoding reads a JsonTree; encoding (for round trips) writes
// the JSON library's values.

#include "otio/schema/AnyCodable.h"
#include "otio/schema/DecodeError.h"
#include "otio/schema/JsonTree.h"

#include <array>
#include <concepts>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace marrowvale::otio::coding {

using Json = nlohmann::json;

/// How a field treats a missing member and a null.
enum class Presence : std::uint8_t {
    required, ///< present and not null
    optional, ///< missing or null leaves the field empty
    nullable, ///< present; null leaves the field empty
};

template <class Record, class Member>
struct Field {
    const char* key;
    Member Record::*member;
    Presence presence;
    /// Reads the member in place of the reading its type gives; null checks included.
    void (*decodeCustom)(const JsonValue&, Member&) = nullptr;
};

template <class T>
inline constexpr bool isOptional = false;
template <class T>
inline constexpr bool isOptional<std::optional<T>> = true;

/// A field read under `key`: required, or optional when the member is a std::optional.
template <class Record, class Member>
constexpr Field<Record, Member> field(const char* key, Member Record::*member) {
    return {key, member, isOptional<Member> ? Presence::optional : Presence::required};
}

/// A field whose member must be present but may be null.
template <class Record, class Member>
constexpr Field<Record, std::optional<Member>>
nullableField(const char* key, std::optional<Member> Record::*member) {
    return {key, member, Presence::nullable};
}

/// A required field read by a function of its own.
template <class Record, class Member>
constexpr Field<Record, Member> customField(const char* key, Member Record::*member,
                                            void (*decode)(const JsonValue&, Member&)) {
    return {key, member, Presence::required, decode};
}

/// The fields of a record in table order, as `static constexpr std::tuple list`.
template <class Record>
struct RecordFields;

template <class T>
concept RecordType = requires {
    RecordFields<T>::list;
};

[[noreturn]] void throwMissingKey(const char* key);
[[noreturn]] void throwNull(const char* expected);
[[noreturn]] void throwMismatch(const char* expected, const JsonValue& found);

template <class T>
constexpr const char* expectedKind() {
    if constexpr (std::same_as<T, std::string>) {
        return "text";
    } else if constexpr (std::same_as<T, double>) {
        return "a number";
    } else if constexpr (std::same_as<T, bool>) {
        return "true or false";
    } else if constexpr (std::same_as<T, std::int64_t>) {
        return "a whole number";
    } else if constexpr (requires(T list) { list.push_back(list.front()); }) {
        return "a list";
    } else {
        return "an object";
    }
}

void decodeValue(const JsonValue& json, std::string& out);
void decodeValue(const JsonValue& json, double& out);
void decodeValue(const JsonValue& json, bool& out);
void decodeValue(const JsonValue& json, std::int64_t& out);
void decodeValue(const JsonValue& json, AnyCodable& out);
template <class T>
void decodeValue(const JsonValue& json, std::vector<T>& out);
template <class T, class Compare>
void decodeValue(const JsonValue& json, std::map<std::string, T, Compare>& out);
template <RecordType Record>
void decodeValue(const JsonValue& json, Record& out);

Json encodeValue(const std::string& value);
Json encodeValue(double value);
Json encodeValue(bool value);
Json encodeValue(std::int64_t value);
Json encodeValue(const AnyCodable& value);
template <class T>
Json encodeValue(const std::vector<T>& list);
template <class T, class Compare>
Json encodeValue(const std::map<std::string, T, Compare>& map);
template <RecordType Record>
Json encodeValue(const Record& record);

/// A required value: anything but null (a free-form value takes null too).
template <class T>
void decodeRequired(const JsonValue& json, T& out) {
    if constexpr (!std::same_as<T, AnyCodable>) {
        if (json.isNull()) {
            throwNull(expectedKind<T>());
        }
    }
    decodeValue(json, out);
}

/// The name of a list item for error texts, when it has one.
inline std::string itemName(const JsonValue& element) {
    return std::string(element.memberText("name"));
}

template <class T>
void decodeValue(const JsonValue& json, std::vector<T>& out) {
    if (!json.isArray()) {
        throwMismatch("a list", json);
    }
    out.resize(json.size());
    json.forEachElement([&](std::size_t position, const JsonValue& element) {
        try {
            decodeRequired(element, out[position]);
        } catch (DecodeError& error) {
            error.prependIndex(position, itemName(element));
            throw;
        }
    });
}

template <class T, class Compare>
void decodeValue(const JsonValue& json, std::map<std::string, T, Compare>& out) {
    if (!json.isObject()) {
        throwMismatch("an object", json);
    }
    json.forEachMember([&](std::string_view key, const JsonValue& member) {
        // A key given twice keeps its last value, as everywhere in the document.
        T& value = out[std::string(key)];
        value = T();
        try {
            decodeRequired(member, value);
        } catch (DecodeError& error) {
            error.prependKey(std::string(key));
            throw;
        }
    });
}

/// The keys of a record's fields in table order.
template <RecordType Record>
constexpr auto fieldKeys() {
    return std::apply(
        [](const auto&... fields) {
            return std::array<std::string_view, sizeof...(fields)>{fields.key...};
        },
        RecordFields<Record>::list);
}

template <class Record, class Member>
void decodeField(const JsonValue* value, Record& record, const Field<Record, Member>& field) {
    try {
        if (value == nullptr) {
            if (field.presence != Presence::optional) {
                throwMissingKey(field.key);
            }
            return;
        }
        Member& target = record.*(field.member);
        if (field.decodeCustom != nullptr) {
            field.decodeCustom(*value, target);
        } else if constexpr (isOptional<Member>) {
            if (!value->isNull()) {
                decodeValue(*value, target.emplace());
            }
        } else {
            decodeRequired(*value, target);
        }
    } catch (DecodeError& error) {
        error.prependKey(field.key);
        throw;
    }
}

template <RecordType Record>
void decodeValue(const JsonValue& json, Record& out) {
    if (!json.isObject()) {
        throwMismatch("an object", json);
    }
    // One pass over the members finds each field's value (the last one for a repeated key);
    // the fields are then read in table order, so the first fault in that order is reported.
    static constexpr auto keys = fieldKeys<Record>();
    std::array<std::optional<JsonValue>, keys.size()> values;
    json.forEachMember([&](std::string_view key, const JsonValue& value) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == key) {
                values[i] = value;
                return;
            }
        }
    });
    std::size_t i = 0;
    std::apply(
        [&](const auto&... fields) {
            ((decodeField(values[i] ? &*values[i] : nullptr, out, fields), ++i), ...);
        },
        RecordFields<Record>::list);
}

template <class T>
Json encodeValue(const std::vector<T>& list) {
    Json array = Json::array();
    for (const T& element : list) {
        array.push_back(encodeValue(element));
    }
    return array;
}

template <class T, class Compare>
Json encodeValue(const std::map<std::string, T, Compare>& map) {
    Json object = Json::object();
    for (const auto& [key, value] : map) {
        object[key] = encodeValue(value);
    }
    return object;
}

template <class Record, class Member>
void encodeField(Json& object, const Record& record, const Field<Record, Member>& field) {
    const Member& value = record.*(field.member);
    if constexpr (isOptional<Member>) {
        if (value) {
            object[field.key] = encodeValue(*value);
        } else if (field.presence == Presence::nullable) {
            object[field.key] = nullptr;
        }
    } else {
        object[field.key] = encodeValue(value);
    }
}

template <RecordType Record>
Json encodeValue(const Record& record) {
    Json object = Json::object();
    std::apply([&](const auto&... fields) { (encodeField(object, record, fields), ...); },
               RecordFields<Record>::list);
    return object;
}

} // namespace marrowvale::otio::coding
