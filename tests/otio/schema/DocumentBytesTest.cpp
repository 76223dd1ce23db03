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

std::string repeated(const std::string& text, std::size_t times) {
    std::string result;
    for (std::size_t i = 0; i < times; ++i) {
        result += text;
    }
    return result;
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
        // What the parser quotes is cut to 80 bytes, at a character boundary.
        {"{\"x\": 1" + std::string(100000, '0') + "}",
         "The document is not valid JSON at line 1, column 100007: number overflow parsing '1" +
             std::string(79, '0') + "\u2026'."},
        {"{\"x\": \"" + std::string(2000, 'a') + "\x01\"}",
         "The document is not valid JSON at line 1, column 2008: syntax error while parsing "
         "value - invalid string: control character U+0001 (SOH) must be escaped to \\u0001; "
         "last read: '\"" +
             std::string(79, 'a') + "\u2026'."},
        {"{\"x\": \"" + repeated("\u00e9", 1000) + "\x01\"}",
         "The document is not valid JSON at line 1, column 2008: syntax error while parsing "
         "value - invalid string: control character U+0001 (SOH) must be escaped to \\u0001; "
         "last read: '\"" +
             repeated("\u00e9", 39) + "\u2026'."},
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
