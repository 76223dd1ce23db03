#include "xmeml/TitleText.h"

#include <gtest/gtest.h>
#include <string>

namespace marrowvale {
namespace {

std::string base64(const std::string& bytes) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) {
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        }
        if (i + 2 < bytes.size()) {
            value |= static_cast<unsigned char>(bytes[i + 2]);
        }
        out += alphabet[(value >> 18) & 63];
        out += alphabet[(value >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(value >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? alphabet[value & 63] : '=';
    }
    return out;
}

TEST(TitleText, FirstTwoPrintableRuns) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        std::string first, second, problem;
    };
    const Case cases[] = {
        {"Arial\0\0Hello world\0xyz"s, "Arial", "Hello world", ""},
        {"Ab\0Helvetica\x01Title"s, "Helvetica", "Title", ""},
        {"abcd\0efg\0hijk"s, "abcd", "hijk", ""}, // 4 counts, 3 does not
        {"Tab\tand\nfeed\0Second"s, "Tab\tand\nfeed", "Second", ""},
        {"Line\rfeed"s, "Line", "feed", ""},              // carriage return splits
        {"Caf\xC3\xA9 noir\0Text"s, " noir", "Text", ""}, // non-ASCII bytes split runs
        {"Only one run"s, "", "", "Too short"},
        {""s, "", "", "Too short"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        std::string problem;
        auto [first, second] = printableStrings(base64(c.bytes), 4, &problem);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
        EXPECT_EQ(problem, c.problem);
    }
}

TEST(TitleText, StrictBase64) {
    for (std::string text : {"QXJpYWwAAEhlbGxv\nd29ybGQ=", "QXJpYWw", "QX=pYWw=", "QXJp YWw="}) {
        std::string problem;
        auto [first, second] = printableStrings(text, 4, &problem);
        EXPECT_TRUE(first.empty() && second.empty()) << text;
        EXPECT_EQ(problem, "Invalid base64") << text;
    }
    EXPECT_EQ(printableStrings(base64(std::string("Arial\0Hello", 11)), 4).second, "Hello");
}

} // namespace
} // namespace marrowvale
