#include "app/TextUtilities.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>

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

TEST(TextUtilities, PaddedBase64AndRationalSeconds) {
    using Bytes = std::vector<std::uint8_t>;
    const struct {
        const char* text;
        std::optional<Bytes> bytes;
    } padded[] = {
        {"aGVsbG8", Bytes{'h', 'e', 'l', 'l', 'o'}}, // 7 characters, one "=" added
        {"aGVsbA", Bytes{'h', 'e', 'l', 'l'}},       // 6 characters, two "=" added
        {"aGVsbG8=", Bytes{'h', 'e', 'l', 'l', 'o'}},
        {"aGVsbGxv", Bytes{'h', 'e', 'l', 'l', 'l', 'o'}}, // 8 characters, as it is
        {"", Bytes{}},
        {"+/+/", Bytes{0xFB, 0xFF, 0xBF}},
        {"aGVsb", std::nullopt}, // "aGVsb===" is no base64
        {"aGV sbA", std::nullopt},
        {"aGVs\nbA", std::nullopt},
        {"aG=sbA", std::nullopt},
        {"aGVsbA\xC3\xA9", std::nullopt},
    };
    for (const auto& row : padded) {
        EXPECT_EQ(decodeBase64Padded(row.text), row.bytes) << row.text;
    }

    const struct {
        const char* base64;
        std::optional<std::string> text;
    } texts[] = {
        {"w6ljbGFpcg", "\u00e9clair"}, {"UmVlbCAx", "Reel 1"}, {"", ""},
        {"//79", std::nullopt}, // bytes that are no UTF-8
        {"7aCA", std::nullopt}, // an encoded surrogate
        {"!!!", std::nullopt},
    };
    for (const auto& row : texts) {
        EXPECT_EQ(decodeBase64TextPadded(row.base64), row.text) << row.base64;
    }

    const struct {
        std::int64_t value;
        std::int32_t timescale;
        const char* text;
    } seconds[] = {
        {0, 30000, "0s"},
        {0, 0, "0s"},
        {1001, 30000, "1001/30000s"},
        {30, 30, "30/30s"}, // as given, not reduced
        {-5, 25, "-5/25s"},
        {INT64_MIN, INT32_MAX, "-9223372036854775808/2147483647s"},
    };
    for (const auto& row : seconds) {
        EXPECT_EQ(rationalSecondsString(row.value, row.timescale), row.text) << row.value;
    }
}

TEST(TextUtilities, ValidUTF8ReplacesEachIllFormedSequenceOnce) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain \u201cquoted\u201d \U0001F3AC", "plain \u201cquoted\u201d \U0001F3AC"},
        {"\xFF", "\uFFFD"}, // a byte that never starts a character
        {"a\x80\x80"
         "b",
         "a\uFFFD\uFFFDb"},                     // lone continuation bytes
        {"cut \xE2\x80", "cut \uFFFD"},         // a character cut at the end
        {"\xC0\xAF", "\uFFFD\uFFFD"},           // an overlong form
        {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"}, // a surrogate
        {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(validUTF8(text), valid) << text;
    }
}
