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
    for (const Case& c : cases) {
        EXPECT_EQ(clockTimeString(c.milliseconds), c.expected) << c.milliseconds;
    }
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

TEST(TextUtilities, Base64IsStrict) {
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(decodeBase64("aGVsbG8="), (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(decodeBase64("aGVsbA=="), (Bytes{'h', 'e', 'l', 'l'}));
    EXPECT_EQ(decodeBase64("aGVsbGxv"), (Bytes{'h', 'e', 'l', 'l', 'l', 'o'}));
    EXPECT_EQ(decodeBase64(""), Bytes{});
    EXPECT_EQ(decodeBase64("+/+/"), (Bytes{0xFB, 0xFF, 0xBF}));
    EXPECT_EQ(decodeBase64("aGVsbG8"), std::nullopt); // no implied padding
    EXPECT_EQ(decodeBase64("aGVsb==="), std::nullopt);
    EXPECT_EQ(decodeBase64("aGV sbA="), std::nullopt);
    EXPECT_EQ(decodeBase64("aG=sbA=="), std::nullopt);
    EXPECT_EQ(decodeBase64("aGVs\nbA=="), std::nullopt);
}
