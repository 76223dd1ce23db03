#include "DovovevoZavCore/TimecodeCoding.h"

#include <cmath>
#include <limits>

namespace dovovevozav {

namespace {

using Json = nlohmann::ordered_json;
using Path = std::vector<std::string>;

std::string typeName(const Json& value) {
    switch (value.type()) {
    case Json::value_t::string:
        return "a string";
    case Json::value_t::boolean:
        return "a boolean";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
        return "a number";
    case Json::value_t::array:
        return "an array";
    case Json::value_t::object:
        return "a dictionary";
    default:
        return "null";
    }
}

const Json& requireObject(const Json& record, const Path& path) {
    if (!record.is_object()) {
        throw DecodingError(DecodingError::typeMismatch, path,
                            "Expected to decode a keyed record but found " + typeName(record) +
                                " instead.");
    }
    return record;
}

const Json& requireKey(const Json& record, const char* key, const Path& path) {
    const auto found = record.find(key);
    if (found == record.end()) {
        throw DecodingError(DecodingError::keyNotFound, path,
                            std::string("No value associated with key \"") + key + "\".");
    }
    return *found;
}

Path appended(const Path& path, const char* key) {
    Path out = path;
    out.emplace_back(key);
    return out;
}

void requireNotNull(const Json& value, const Path& path, const char* expected) {
    if (value.is_null()) {
        throw DecodingError(DecodingError::valueNotFound, path,
                            std::string("Expected ") + expected + " value but found null instead.");
    }
}

std::int64_t readInt64(const Json& value, const Path& path) {
    requireNotNull(value, path, "Int64");
    if (value.is_number_integer() && !value.is_number_unsigned()) {
        return value.get<std::int64_t>();
    }
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return static_cast<std::int64_t>(number);
        }
        throw DecodingError(DecodingError::dataCorrupted, path,
                            "Parsed JSON number <" + value.dump() + "> does not fit in Int64.");
    }
    if (value.is_number_float()) {
        const double number = value.get<double>();
        // Whole numbers written with a fraction part still read as integers.
        if (std::trunc(number) == number && number >= -9223372036854775808.0 &&
            number < 9223372036854775808.0) {
            return static_cast<std::int64_t>(number);
        }
        throw DecodingError(DecodingError::dataCorrupted, path,
                            "Parsed JSON number <" + value.dump() + "> does not fit in Int64.");
    }
    throw DecodingError(DecodingError::typeMismatch, path,
                        "Expected to decode Int64 but found " + typeName(value) + " instead.");
}

std::string readString(const Json& value, const Path& path) {
    requireNotNull(value, path, "String");
    if (!value.is_string()) {
        throw DecodingError(DecodingError::typeMismatch, path,
                            "Expected to decode String but found " + typeName(value) + " instead.");
    }
    return value.get<std::string>();
}

TimecodeFrameRate readFrameRate(const Json& value, const Path& path) {
    const std::string text = readString(value, path);
    if (const auto rate = TimecodeFrameRate::fromRawValue(text)) {
        return *rate;
    }
    throw DecodingError(DecodingError::dataCorrupted, path,
                        "Cannot initialize TimecodeFrameRate from invalid String value " + text);
}

TimecodeUpperLimit readUpperLimit(const Json& value, const Path& path) {
    const std::string text = readString(value, path);
    if (const auto limit = TimecodeUpperLimit::fromRawValue(text)) {
        return *limit;
    }
    throw DecodingError(DecodingError::dataCorrupted, path,
                        "Cannot initialize UpperLimit from invalid String value " + text);
}

TimecodeSubFramesBase readSubFramesBase(const Json& value, const Path& path) {
    const std::int64_t raw = readInt64(value, path);
    if (const auto base = TimecodeSubFramesBase::fromRawValue(raw)) {
        return *base;
    }
    throw DecodingError(DecodingError::dataCorrupted, path,
                        "Cannot initialize SubFramesBase from invalid Int value " +
                            std::to_string(raw));
}

constexpr const char* kComponentKeys[] = {"days",    "hours",  "minutes",
                                          "seconds", "frames", "subFrames"};

void writeComponents(Json& record, const TimecodeComponents& components) {
    record["days"] = components.days;
    record["hours"] = components.hours;
    record["minutes"] = components.minutes;
    record["seconds"] = components.seconds;
    record["frames"] = components.frames;
    record["subFrames"] = components.subFrames;
}

TimecodeComponents readComponents(const Json& record, const Path& path) {
    std::int64_t values[6] = {};
    for (std::size_t i = 0; i < 6; ++i) {
        const char* key = kComponentKeys[i];
        values[i] = readInt64(requireKey(record, key, path), appended(path, key));
    }
    return {values[0], values[1], values[2], values[3], values[4], values[5]};
}

} // namespace

Json encodeTimecode(const Timecode& timecode) {
    Json record = Json::object();
    record["frameRate"] = encodeFrameRate(timecode.frameRate());
    record["upperLimit"] = encodeUpperLimit(timecode.upperLimit());
    record["subFramesBase"] = encodeSubFramesBase(timecode.subFramesBase());
    writeComponents(record, timecode.components());
    return record;
}

Timecode decodeTimecode(const Json& record) {
    const Path path;
    requireObject(record, path);
    const TimecodeFrameRate rate =
        readFrameRate(requireKey(record, "frameRate", path), {"frameRate"});
    const TimecodeSubFramesBase base =
        readSubFramesBase(requireKey(record, "subFramesBase", path), {"subFramesBase"});
    const TimecodeUpperLimit limit =
        readUpperLimit(requireKey(record, "upperLimit", path), {"upperLimit"});
    Timecode timecode(TimecodeProperties(rate, base, limit));
    timecode.setComponents(readComponents(record, path));
    return timecode;
}

Json encodeComponents(const TimecodeComponents& components) {
    Json record = Json::object();
    writeComponents(record, components);
    return record;
}

TimecodeComponents decodeComponents(const Json& record) {
    return readComponents(requireObject(record, {}), {});
}

Json encodeProperties(const TimecodeProperties& properties) {
    Json record = Json::object();
    record["frameRate"] = encodeFrameRate(properties.frameRate);
    record["subFramesBase"] = encodeSubFramesBase(properties.subFramesBase);
    record["upperLimit"] = encodeUpperLimit(properties.upperLimit);
    return record;
}

TimecodeProperties decodeProperties(const Json& record) {
    requireObject(record, {});
    const TimecodeFrameRate rate =
        readFrameRate(requireKey(record, "frameRate", {}), {"frameRate"});
    const TimecodeSubFramesBase base =
        readSubFramesBase(requireKey(record, "subFramesBase", {}), {"subFramesBase"});
    const TimecodeUpperLimit limit =
        readUpperLimit(requireKey(record, "upperLimit", {}), {"upperLimit"});
    return TimecodeProperties(rate, base, limit);
}

Json encodeFrameRate(TimecodeFrameRate frameRate) {
    return std::string(frameRate.rawValue());
}

TimecodeFrameRate decodeFrameRate(const Json& value) {
    return readFrameRate(value, {});
}

Json encodeUpperLimit(TimecodeUpperLimit limit) {
    return std::string(limit.rawValue());
}

TimecodeUpperLimit decodeUpperLimit(const Json& value) {
    return readUpperLimit(value, {});
}

Json encodeSubFramesBase(TimecodeSubFramesBase base) {
    return base.rawValue();
}

TimecodeSubFramesBase decodeSubFramesBase(const Json& value) {
    return readSubFramesBase(value, {});
}

Json encodeStringFormatOption(TimecodeStringFormatOption option) {
    return std::string(option.name());
}

TimecodeStringFormatOption decodeStringFormatOption(const Json& value) {
    const std::string text = readString(value, {});
    if (const auto option = TimecodeStringFormatOption::fromName(text)) {
        return *option;
    }
    throw DecodingError(DecodingError::valueNotFound, {}, "Decoded value is not valid.");
}

std::string timecodeJSONText(const Timecode& timecode) {
    return encodeTimecode(timecode).dump();
}

Timecode timecodeFromJSONText(std::string_view text) {
    Json record = Json::parse(text, nullptr, false);
    if (record.is_discarded()) {
        throw DecodingError(DecodingError::dataCorrupted, {}, "The given data was not valid JSON.");
    }
    return decodeTimecode(record);
}

void to_json(Json& json, const Timecode& timecode) {
    json = encodeTimecode(timecode);
}

void from_json(const Json& json, Timecode& timecode) {
    timecode = decodeTimecode(json);
}

} // namespace dovovevozav
