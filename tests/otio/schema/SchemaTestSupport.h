#pragma once

#include "otio/schema/TimelineDecoder.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace marrowvale::otio::test {

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// A timeline of the project's samples folder, as bytes.
inline std::string sampleText(const std::string& name) {
    return readFile(std::filesystem::path(MARROWVALE_SOURCE_DIR) / "samples" / name);
}

/// A sample as a JSON tree to change before decoding. The library cannot read "-Infinity", so
/// it stands as the number the decoder reads it as.
inline nlohmann::json sampleJson(const std::string& name) {
    std::string text = sampleText(name);
    for (std::size_t at = text.find("-Infinity"); at != std::string::npos;
         at = text.find("-Infinity", at)) {
        text.replace(at, 9, "-999999999");
    }
    return nlohmann::json::parse(text);
}

inline Timeline decodeJson(const nlohmann::json& document) {
    return decodeTimeline(document.dump());
}

} // namespace marrowvale::otio::test
