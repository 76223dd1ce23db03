// Bytes that are no OTIO document at all: refused as corrupted, with where and why, and never a
// partial timeline or a crash.
#include "SchemaTestSupport.h"

#include <gtest/gtest.h>

using namespace marrowvale::otio;

namespace {

std::string refusal(const std::string& bytes) {
    try {
        decodeTimeline(bytes);
    } catch (const DecodeError& error) {
        EXPECT_EQ(error.kind(), DecodeError::Kind::dataCorrupted);
        EXPECT_TRUE(error.codingPath().empty());
        return error.description();
    }
    return "decoded";
}

// A timeline whose one clip starts at `value`, with `depth` lists around it.
std::string nestedDocument(std::size_t depth) {
    return R"({"OTIO_SCHEMA": "Timeline.1", "metadata": {}, "name": "", "tracks": {
        "OTIO_SCHEMA": "Stack.1", "name": "", "children": [{"OTIO_SCHEMA": "Clip.1", "name": "",
        "metadata": {"PremierePro_OTIO": {"Parameters": [{"StartValue": {"Value": )" +
           std::string(depth, '[') + std::string(depth, ']') + "}}]}}}]}}";
}

} // namespace

TEST(DocumentBytes, WhatIsNotAUtf8JsonDocumentIsRefusedWithItsPlace) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "The document is empty."},
        {" \r\n\t", "The document is empty."},
        {std::string("\xFF\xFE{\0\"\0", 6), "The document is not UTF-8 text (it looks like UTF-16"},
        {"{\"name\": \"caf\xE9\"}", "The document is not UTF-8 text: an ill-formed byte sequence "
                                    "at line 1, column 15"},
        {"<xmeml version=\"4\">", "The document is not valid JSON at line 1, column 1: "},
        {"{\"a\": 1,\n}", "The document is not valid JSON at line 2, column 1: "},
        {"{\"a\": 1} {", "The document is not valid JSON at line 1, column 10: "},
        // Positions count in the file as written, before number words were read.
        {"{\"x\": [-Infinity, NaN, Inf],\n  \"y\": ]}",
         "The document is not valid JSON at line 2, column 8: "},
        {"{\"x\": 1e400}", "The document is not valid JSON at line 1, column 11: number overflow"},
        {"{\"x\": infinity}", "The document is not valid JSON at line 1, column 7: "},
        {std::string(100000, '['), "The document nests objects and lists deeper than 512 levels."},
    };
    for (const auto& [bytes, description] : cases) {
        SCOPED_TRACE(bytes.substr(0, 40));
        EXPECT_EQ(refusal(bytes).substr(0, description.size()), description);
    }
}

TEST(DocumentBytes, NestingIsLimitedTo512Levels) {
    // The value stands nine levels deep.
    EXPECT_NO_THROW(decodeTimeline(nestedDocument(maximumNestingDepth - 9)));
    EXPECT_EQ(refusal(nestedDocument(maximumNestingDepth - 8)),
              "The document nests objects and lists deeper than 512 levels.");
}

TEST(DocumentBytes, ByteOrderMarkAndCompactTextAreRead) {
    const std::string compact =
        nlohmann::json::parse(test::sampleText("premiere-timeline.otio")).dump();
    EXPECT_EQ(decodeTimeline("\xEF\xBB\xBF" + compact),
              decodeTimeline(test::sampleText("premiere-timeline.otio")));
}
