#include "DovovevoZavCore/Timecode.h"

#include <chrono>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Components = Timecode::Components;
using Option = Timecode::StringFormatOption;
using Format = Timecode::StringFormat;

Timecode makeTimecode(Components components, Timecode::Properties properties) {
    Timecode timecode(properties);
    timecode.setComponents(components);
    return timecode;
}

} // namespace

TEST(TimecodeStringTest, FormattingFollowsRateDaysSubframesAndFileNames) {
    struct Row {
        Components components;
        Timecode::Properties properties;
        Format format;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {{0, 1, 0, 0, 0, 0}, {Rate::fps25}, {}, "01:00:00:00"},
        {{0, 1, 0, 0, 0, 0}, {Rate::fps29_97d}, {}, "01:00:00;00"},
        {{1, 1, 0, 0, 0, 0}, {Rate::fps25}, {}, "1 01:00:00:00"},
        {{0, 0, 59, 59, 119, 0}, {Rate::fps120}, {}, "00:59:59:119"},
        {{0, 0, 0, 0, 5, 0}, {Rate::fps119_88d}, {}, "00:00:00;005"},
        {{0, 10, 0, 0, 0, 40}, {Rate::fps24}, {Option::showSubFrames}, "10:00:00:00.40"},
        {{0, 10, 0, 0, 0, 3},
         {Rate::fps24, Base::quarterFrames},
         {Option::showSubFrames},
         "10:00:00:00.3"},
        {{0, 10, 0, 0, 0, 5},
         {Rate::fps24, Base::max100SubFrames},
         {Option::showSubFrames},
         "10:00:00:00.05"},
        {{0, 10, 0, 0, 0, 0}, {Rate::fps24}, {Option::filenameCompatible}, "10-00-00-00"},
        {{0, 10, 0, 0, 0, 0}, {Rate::fps24}, {Option::alwaysShowDays}, "0 10:00:00:00"},
        {{1, 1, 0, 0, 0, 0}, {Rate::fps29_97d}, {Option::filenameCompatible}, "1-01-00-00-00"},
        {{0, -1, 0, 0, 0, 0}, {Rate::fps24}, {}, "-1:00:00:00"},
        {{-1, 0, 0, 0, -5, 0}, {Rate::fps120}, {}, "-1 00:00:00:-05"},
        {{0, 0, 0, 0, 0, INT64_MIN},
         {Rate::fps24},
         {Option::showSubFrames},
         "00:00:00:00.-9223372036854775808"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(makeTimecode(row.components, row.properties).formattedString(row.format),
                  row.expected);
    }
    EXPECT_EQ(makeTimecode({0, 1, 0, 0, 0, 12}, {Rate::fps29_97d}).rateDescription(),
              "01:00:00;00.12 @ 29.97 fps drop");

    Format format;
    format.setShowSubFrames(true);
    format.setAlwaysShowDays(true);
    format.setAlwaysShowDays(false);
    EXPECT_EQ(format, Format{Option::showSubFrames});
    EXPECT_EQ(Option::fromName("filenameCompatible"), Option(Option::filenameCompatible));
    EXPECT_FALSE(Option::fromName("alwaysshowdays"));
}

TEST(TimecodeStringTest, ParsingAcceptsTheTimecodeForms) {
    struct Row {
        std::string text;
        Components expected;
    };
    const std::vector<Row> rows = {
        {"01:00:00:00", {0, 1, 0, 0, 0, 0}},
        {"01:00:00;00", {0, 1, 0, 0, 0, 0}},
        {"01;00;00;00", {0, 1, 0, 0, 0, 0}},
        {"1:01:00:00:00", {1, 1, 0, 0, 0, 0}},
        {"1 01:00:00:00", {1, 1, 0, 0, 0, 0}},
        {"01:00:00:00.5", {0, 1, 0, 0, 0, 5}},
        {"1 02:03:04;05.06", {1, 2, 3, 4, 5, 6}},
        {"00:00:00:119", {0, 0, 0, 0, 119, 0}},
        // The separator after the days and the point before the subframes are optional.
        {" 01:00:00:00", {0, 1, 0, 0, 0, 0}},
        {"01:00:00:00.", {0, 1, 0, 0, 0, 0}},
        {"99:99:99:99", {0, 99, 99, 99, 99, 0}},
        {"9223372036854775807:00:00:00", {0, INT64_MAX, 0, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Timecode::parseComponents(row.text), row.expected) << row.text;
    }
}

TEST(TimecodeStringTest, ParsingRejectsMalformedText) {
    const std::vector<std::string> malformed = {
        "",
        "01:00:00",
        "01:00:00:00:00:00",
        "-01:00:00:00",
        "01:00:00:00..5",
        "01:00:00:00 ",
        "01-00-00-00",
        "aa:bb:cc:dd",
        "01:00:00:00.5.5",
        // A number beyond 64 bits is malformed, not silently dropped.
        "9223372036854775808:00:00:00",
        "1:99999999999999999999:00:00:00",
        "01:00:00:00.99999999999999999999",
        // \d matches any decimal digit, but only ASCII digits count as numbers.
        "\xd9\xa1:00:00:00",
    };
    for (const std::string& text : malformed) {
        EXPECT_THROW(Timecode::parseComponents(text), Timecode::StringParseError) << text;
    }
}

TEST(TimecodeStringTest, LongHostileTextIsRejectedQuickly) {
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& text :
         {std::string(100, '1') + ":1:1:1x", std::string(20000, '1') + ":1:1:1:1",
          "1:1:1:" + std::string(100000, '9')}) {
        EXPECT_THROW(Timecode::parseComponents(text), Timecode::StringParseError);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(TimecodeStringTest, TextSourceChecksRangeOrAppliesRule) {
    const Timecode::Properties at25(Rate::fps25);
    EXPECT_EQ(Timecode("01:02:03:04", at25).components(), (Components{0, 1, 2, 3, 4, 0}));
    EXPECT_EQ(Timecode("01:00:00;02.40", Rate::fps29_97d).frameCount().subFrameCount(),
              107892 * 80 + 40 + 2 * 80);
    EXPECT_THROW(Timecode("01:00:00:25", at25), Timecode::ValidationError);
    EXPECT_THROW(Timecode("nonsense", at25, Timecode::ValidationRule::clamping),
                 Timecode::StringParseError);
    EXPECT_EQ(
        Timecode("01:00:00:25", at25, Timecode::ValidationRule::clampingComponents).components(),
        (Components{0, 1, 0, 0, 24, 0}));
    EXPECT_EQ(Timecode("24:00:00:00", at25, Timecode::ValidationRule::wrapping).components(),
              Components::zero());
    EXPECT_EQ(Timecode("99:99:99:99", at25, Timecode::ValidationRule::allowingInvalid).components(),
              (Components{0, 99, 99, 99, 99, 0}));

    Timecode target(Components{0, 5, 0, 0, 0, 0}, at25);
    EXPECT_THROW(target.set("01:00:00:99"), Timecode::ValidationError);
    EXPECT_THROW(target.set("bad", Timecode::ValidationRule::wrapping), Timecode::StringParseError);
    EXPECT_EQ(target.components(), (Components{0, 5, 0, 0, 0, 0}));
}
