#include "xlsxwriter/LibraryText.h"

#include <gtest/gtest.h>
#include <string>

namespace marrowvale {
namespace {

const std::string fffd = "\xEF\xBF\xBD";

TEST(LibraryText, ReplacesEachMalformedSequenceWithOneReplacementCharacter) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9 \xF0\x9F\x8E\xAC", "caf\xC3\xA9 \xF0\x9F\x8E\xAC"}, // é and a 4-byte emoji
        {"a\xFF"
         "b",
         "a" + fffd + "b"},
        {"ab\xE2\x82", "ab" + fffd},                     // cut-off sequence at the end
        {"\xE2\x82x", fffd + "x"},                       // cut-off sequence in the middle
        {"\xC0\xAF", fffd + fffd},                       // overlong form
        {"\xED\xA0\x80", fffd + fffd + fffd},            // UTF-16 surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd}, // beyond U+10FFFF
        {"\x80\x80", fffd + fffd},                       // stray continuation bytes
        {"12345678\xFE"
         "abcdefgh",
         "12345678" + fffd + "abcdefgh"}, // after the ASCII fast path
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const LibraryText text(c.input);
        EXPECT_EQ(text.view(), c.expected);
        EXPECT_EQ(LibraryText::firstMalformedByte(c.expected), std::string::npos);
    }
}

TEST(LibraryText, BorrowsTextThatNeedsNoRepair) {
    const std::string valid = "Clip 1 \xE2\x9C\x93";
    EXPECT_EQ(LibraryText(valid).c_str(), valid.c_str());
    const std::string invalid = "Clip\xFF";
    EXPECT_NE(LibraryText(invalid).c_str(), invalid.c_str());
}

TEST(LibraryText, CutsAtACharacterBoundary) {
    const std::string euro = "ab\xE2\x82\xAC"; // "ab€", 5 bytes
    EXPECT_EQ(LibraryText(euro, 4).view(), "ab");
    EXPECT_EQ(LibraryText(euro, 5).view(), euro);
    EXPECT_EQ(LibraryText(euro, 0).view(), "");
    EXPECT_EQ(LibraryText("a\xFF"
                          "b",
                          3)
                  .view(),
              "a");

    const LibraryText longText(std::string(40000, 'x'), 32767);
    EXPECT_EQ(longText.view().size(), 32767u);
    EXPECT_EQ(longText.c_str()[32767], '\0');
}

} // namespace
} // namespace marrowvale
