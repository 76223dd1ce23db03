#include "DovovevoZavCore/Timecode.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Components = Timecode::Components;

} // namespace

TEST(FeetAndFramesTest, TextForms) {
    EXPECT_EQ(FeetAndFrames::string(0, 0), "0+00");
    EXPECT_EQ(FeetAndFrames::string(1234, 15), "1234+15");
    EXPECT_EQ(FeetAndFrames::string(3, 7), "3+07");
    EXPECT_EQ(FeetAndFrames::string(-1, -5), "-1+-5");
    EXPECT_EQ(FeetAndFrames::string(12, 5, 40), "12+05.40");
    EXPECT_EQ(FeetAndFrames::string(0, 0, 3), "0+00.03");
    EXPECT_EQ(FeetAndFrames(12, 5, 40).description(), "12+05");
}

TEST(FeetAndFramesTest, Parsing) {
    struct Row {
        std::string text;
        FeetAndFrames expected;
    };
    const std::vector<Row> rows = {
        {"12+5", {12, 5, 0, Base::max100SubFrames}},
        {"12+05.40", {12, 5, 40, Base::max100SubFrames}},
        {"3+27", {3, 27, 0, Base::max100SubFrames}},
        {"1+05.99", {1, 5, 99, Base::max100SubFrames}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FeetAndFrames(row.text, Base::max100SubFrames), row.expected) << row.text;
    }
    for (const std::string text :
         {"12+05.", "+05", "12+", " 12+05", "-12+05", "12:05", "12+05 ", "",
          "99999999999999999999+00", "1+2.99999999999999999999", "\xd9\xa1+05"}) {
        EXPECT_THROW(FeetAndFrames(text, Base::max80SubFrames), Timecode::StringParseError) << text;
    }
    EXPECT_THROW(TimecodeSourceValue::feetAndFramesText("1:2", Base::max80SubFrames),
                 Timecode::StringParseError);
}

TEST(FeetAndFramesTest, FromTimecode) {
    struct Row {
        Components components;
        Rate rate;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {{0, 0, 0, 0, 15, 0}, Rate::fps24, "0+15"},
        {{0, 0, 0, 0, 16, 0}, Rate::fps24, "1+00"},
        {{0, 0, 0, 10, 0, 0}, Rate::fps24, "15+00"},
        {{0, 1, 0, 0, 0, 0}, Rate::fps24, "5400+00"},
        {{0, 0, 1, 0, 2, 0}, Rate::fps29_97d, "112+08"},
        {{0, 0, 0, 0, -21, 0}, Rate::fps24, "-1+-5"},
    };
    for (const Row& row : rows) {
        Timecode timecode(Timecode::Properties(row.rate));
        timecode.setComponents(row.components);
        EXPECT_EQ(timecode.feetAndFrames().description(), row.expected);
    }
    Timecode withSubFrames(Timecode::Properties(Rate::fps25, Base::quarterFrames));
    withSubFrames.setComponents({0, 0, 0, 1, 2, 3});
    EXPECT_EQ(withSubFrames.feetAndFrames(), FeetAndFrames(1, 11, 3, Base::quarterFrames));
}

TEST(FeetAndFramesTest, AsTimecodeSource) {
    const Timecode::Properties at24(Rate::fps24);
    EXPECT_EQ(Timecode(FeetAndFrames(0, 16), at24).components(), (Components{0, 0, 0, 0, 16, 0}));
    EXPECT_EQ(Timecode(FeetAndFrames(1, 0), at24).components(), (Components{0, 0, 0, 0, 16, 0}));
    EXPECT_EQ(Timecode(FeetAndFrames(112, 8), Rate::fps29_97d).components(),
              (Components{0, 0, 1, 0, 2, 0}));
    EXPECT_EQ(Timecode(FeetAndFrames(0, 1, 40, Base::max80SubFrames),
                       Timecode::Properties(Rate::fps24, Base::max100SubFrames))
                  .components(),
              (Components{0, 0, 0, 0, 1, 50}));
    // Rescaled subframes stay within their frame even at a coarser base.
    EXPECT_EQ(Timecode(FeetAndFrames(0, 1, 79, Base::max80SubFrames),
                       Timecode::Properties(Rate::fps24, Base::quarterFrames))
                  .components(),
              (Components{0, 0, 0, 0, 1, 3}));

    Timecode target(Components{0, 1, 0, 0, 0, 0}, at24);
    EXPECT_THROW(target.set(TimecodeSourceValue::feetAndFrames(FeetAndFrames(-1, 0))),
                 Timecode::ValidationError);
    EXPECT_THROW(target.set(FeetAndFrames(129600, 0)), Timecode::ValidationError);
    EXPECT_THROW(target.set(FeetAndFrames(0, 0, -1, Base::quarterFrames)),
                 Timecode::ValidationError);
    EXPECT_EQ(target.components(), (Components{0, 1, 0, 0, 0, 0}));

    using Rule = Timecode::ValidationRule;
    EXPECT_EQ(Timecode(FeetAndFrames(-1, 0), at24, Rule::clamping).components(),
              Components::zero());
    EXPECT_EQ(Timecode(FeetAndFrames(-1, 0), at24, Rule::wrapping).components(),
              (Components{0, 23, 59, 59, 8, 0}));
    EXPECT_EQ(Timecode(FeetAndFrames(129600, 0), at24, Rule::clampingComponents).components(),
              (Components{0, 23, 59, 59, 23, 79}));
    EXPECT_EQ(Timecode(FeetAndFrames(INT64_MAX, INT64_MAX), at24, Rule::clamping).components(),
              (Components{0, 23, 59, 59, 23, 79}));
    EXPECT_THROW((void)FeetAndFrames(INT64_MAX, 0).totalFrames(), std::overflow_error);
}
