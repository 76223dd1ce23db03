#include "app/TextUtilities.h"

#include <gtest/gtest.h>
#include <limits>

using namespace marrowvale;

TEST(TextUtilities, ClockTimeWrapsDaysAndCountsBackBeforeMidnight) {
    struct Case {
        std::int64_t milliseconds;
        const char* expected;
    };
    const Case cases[] = {
        {0, "00:00:00"},
        {999, "00:00:00"},        // fractions are cut, not rounded
        {3'599'999, "00:59:59"},  // one millisecond short of an hour
        {86'400'000, "00:00:00"}, // a whole day
        {90'000'000, "01:00:00"}, // 25 hours
        {-1, "23:59:59"},         // just before midnight
        {-1000, "23:59:59"},
        {-1001, "23:59:58"},
        {-86'400'000, "00:00:00"},
        {std::numeric_limits<std::int64_t>::min(), "16:47:04"},
        {std::numeric_limits<std::int64_t>::max(), "07:12:55"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clockTimeString(c.milliseconds), c.expected) << c.milliseconds;
}

TEST(TextUtilities, NonEmptyComponentsSplitsAtTheWholeSeparator) {
    using List = std::vector<std::string>;
    EXPECT_EQ(nonEmptyComponents("a | b", " | "), (List{"a", "b"}));
    EXPECT_EQ(nonEmptyComponents(" | a | | b", " | "), (List{"a", "| b"}));
    EXPECT_EQ(nonEmptyComponents(" | ", " | "), List{});
    EXPECT_EQ(nonEmptyComponents(" |  | ", " | "), List{});
    EXPECT_EQ(nonEmptyComponents("", " | "), List{});
    EXPECT_EQ(nonEmptyComponents("plain", " | "), List{"plain"});
    EXPECT_EQ(nonEmptyComponents("a |   | b", " | "), (List{"a", " ", "b"})); // a space stays
    EXPECT_EQ(nonEmptyComponents("a|b", "|"), (List{"a", "b"}));
    EXPECT_EQ(nonEmptyComponents("abc", ""), List{"abc"});
}

TEST(TextUtilities, Base64IsPaddedBeforeDecoding) {
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(decodeBase64Padded("aGVsbG8"), (Bytes{'h', 'e', 'l', 'l', 'o'})); // 7 chars
    EXPECT_EQ(decodeBase64Padded("aGVsbG8="), (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(decodeBase64Padded("aGVsbA"), (Bytes{'h', 'e', 'l', 'l'})); // 6 chars, two "="
    EXPECT_EQ(decodeBase64Padded("aGVsbGxv"), (Bytes{'h', 'e', 'l', 'l', 'l', 'o'}));
    EXPECT_EQ(decodeBase64Padded(""), Bytes{});
    EXPECT_EQ(decodeBase64Padded("aGVsb"), std::nullopt); // padded to "aGVsb===": invalid
    EXPECT_EQ(decodeBase64Padded("aGV sbA"), std::nullopt);
    EXPECT_EQ(decodeBase64Padded("aG=sbA=="), std::nullopt);
    EXPECT_EQ(decodeBase64Padded("aGVs\nbA=="), std::nullopt);
    EXPECT_EQ(decodeBase64Padded("+/+/"), (Bytes{0xFB, 0xFF, 0xBF}));

    // The strict form takes no implied padding.
    EXPECT_EQ(decodeBase64("aGVsbG8="), (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(decodeBase64("aGVsbG8"), std::nullopt);
    EXPECT_EQ(decodeBase64("aGVsbA=="), (Bytes{'h', 'e', 'l', 'l'}));

    EXPECT_EQ(decodeBase64TextPadded("w6ljbGFpcg"), "éclair");
    EXPECT_EQ(decodeBase64TextPadded("//79"), std::nullopt); // not UTF-8
    EXPECT_EQ(decodeBase64TextPadded("7aCA"), std::nullopt); // an encoded surrogate
    EXPECT_EQ(decodeBase64TextPadded("!!!"), std::nullopt);
}

TEST(TextUtilities, StrictUTF8) {
    EXPECT_TRUE(isValidUTF8(""));
    EXPECT_TRUE(isValidUTF8("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e \xF0\x9F\x8E\xAC"));
    EXPECT_FALSE(isValidUTF8("Cr\xE8me"));         // a Latin-1 byte
    EXPECT_FALSE(isValidUTF8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(isValidUTF8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUTF8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(isValidUTF8("\xE2\x82"));         // cut short
}

TEST(TextUtilities, RationalSeconds) {
    EXPECT_EQ(rationalSecondsString(0, 30000), "0s");
    EXPECT_EQ(rationalSecondsString(0, 0), "0s");
    EXPECT_EQ(rationalSecondsString(1001, 30000), "1001/30000s");
    EXPECT_EQ(rationalSecondsString(-5, 25), "-5/25s");
}
