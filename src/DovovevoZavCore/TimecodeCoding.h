#pragma once

#include "DovovevoZavCore/DecodingError.h"
#include "DovovevoZavCore/Timecode.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace dovovevozav {

// Keyed records of a timecode and its parts. Records keep their keys in the written order
// (nlohmann::ordered_json). Decoding stores values as read, without range checks, and throws
// DecodingError: keyNotFound, typeMismatch or valueNotFound as a JSON decoder reports them,
// dataCorrupted for a frame rate, upper limit or subframes base that is none of the accepted
// values, and valueNotFound "Decoded value is not valid." for an unknown format option.

/// The flat timecode record: "frameRate", "upperLimit", "subFramesBase", then "days",
/// "hours", "minutes", "seconds", "frames", "subFrames".
nlohmann::ordered_json encodeTimecode(const Timecode& timecode);
/// Reads a timecode record (frame rate, base, limit, then the six components); extra keys are
/// ignored.
Timecode decodeTimecode(const nlohmann::ordered_json& record);

/// The components record: "days" ... "subFrames".
nlohmann::ordered_json encodeComponents(const TimecodeComponents& components);
/// Reads a components record.
TimecodeComponents decodeComponents(const nlohmann::ordered_json& record);

/// The properties record: "frameRate", "subFramesBase", "upperLimit".
nlohmann::ordered_json encodeProperties(const TimecodeProperties& properties);
/// Reads a properties record.
TimecodeProperties decodeProperties(const nlohmann::ordered_json& record);

/// A frame rate as its raw text.
nlohmann::ordered_json encodeFrameRate(TimecodeFrameRate frameRate);
/// Reads one of the 23 raw texts.
TimecodeFrameRate decodeFrameRate(const nlohmann::ordered_json& value);
/// An upper limit as its raw text.
nlohmann::ordered_json encodeUpperLimit(TimecodeUpperLimit limit);
/// Reads "24 hours" or "100 days".
TimecodeUpperLimit decodeUpperLimit(const nlohmann::ordered_json& value);
/// A subframes base as its integer raw value.
nlohmann::ordered_json encodeSubFramesBase(TimecodeSubFramesBase base);
/// Reads 80, 100 or 4.
TimecodeSubFramesBase decodeSubFramesBase(const nlohmann::ordered_json& value);
/// A format option as its case name.
nlohmann::ordered_json encodeStringFormatOption(TimecodeStringFormatOption option);
/// Reads "alwaysShowDays", "showSubFrames" or "filenameCompatible".
TimecodeStringFormatOption decodeStringFormatOption(const nlohmann::ordered_json& value);

/// The timecode record as compact JSON text.
std::string timecodeJSONText(const Timecode& timecode);
/// A timecode from JSON text; text that is no JSON throws DecodingError::dataCorrupted.
Timecode timecodeFromJSONText(std::string_view text);

/// nlohmann::ordered_json conversions, so that `json = timecode` and `json.get<Timecode>()`
/// work.
void to_json(nlohmann::ordered_json& json, const Timecode& timecode);
void from_json(const nlohmann::ordered_json& json, Timecode& timecode);

} // namespace dovovevozav
