#include "DovovevoZavCore/Timecode.h"

#include <gtest/gtest.h>

using namespace dovovevozav;
using Rate = TimecodeFrameRate;
using Base = TimecodeSubFramesBase;
using Limit = TimecodeUpperLimit;

namespace {
Timecode tc(const char* text, Rate rate, Base base = Base::max80SubFrames,
            Limit limit = Limit::max24Hours) {
    return Timecode(FormattedTimecodeSourceValue(text), TimecodeProperties(rate, base, limit));
}
} // namespace

TEST(TimecodeWrappingTest, AroundTheClock) {
    struct Case {
        const char* lhs;
        const char* rhs;
        bool add;
        Rate rate;
        const char* expected;
    };
    const Case cases[] = {
        {"23:59:59:23", "00:00:00:01", true, Rate::fps24, "00:00:00:00.00"},
        {"00:00:00:00", "00:00:00:01", false, Rate::fps24, "23:59:59:23.00"},
        {"00:00:00;00", "00:00:00;01", false, Rate::fps29_97d, "23:59:59;29.00"},
        {"00:00:59;29", "00:00:00;01", true, Rate::fps29_97d, "00:01:00;02.00"},
        {"00:00:00:00.60", "00:00:00:00.30", true, Rate::fps24, "00:00:00:01.10"},
        {"00:00:00:00.00", "00:00:00:00.01", false, Rate::fps24, "23:59:59:23.79"},
        {"00:09:59;59", "00:00:00;01", true, Rate::fps59_94d, "00:10:00;00.00"},
        {"00:00:59;59", "00:00:00;01", true, Rate::fps59_94d, "00:01:00;04.00"},
        {"00:00:59;119", "00:00:00;001", true, Rate::fps120d, "00:01:00;008.00"},
    };
    for (const Case& c : cases) {
        const Timecode lhs = tc(c.lhs, c.rate);
        const Timecode rhs = tc(c.rhs, c.rate);
        const Timecode result = c.add ? lhs.addingWrapping(rhs) : lhs.subtractingWrapping(rhs);
        EXPECT_EQ(result.description(), c.expected) << c.lhs << (c.add ? " + " : " - ") << c.rhs;
    }

    const Timecode lastOfHundredDays =
        tc("99 23:59:59:24", Rate::fps25, Base::max80SubFrames, Limit::max100Days);
    const Timecode sum = lastOfHundredDays.addingWrapping(tc("00:00:00:01", Rate::fps25));
    EXPECT_TRUE(sum.isZero());
    EXPECT_EQ(sum.upperLimit(), Limit::max100Days);
}

TEST(TimecodeWrappingTest, OperandsOfOtherBasesRatesAndLimits) {
    // Two quarter frames are half a frame at base 80.
    const Timecode eighty = tc("00:00:00:00", Rate::fps24);
    const Timecode quarters = tc("00:00:00:00.2", Rate::fps24, Base::quarterFrames);
    const Timecode sum = eighty.addingWrapping(quarters);
    EXPECT_EQ(sum.components().subFrames, 40);
    EXPECT_EQ(sum.subFramesBase(), Base::max80SubFrames);

    // A right operand at another rate is converted first.
    const Timecode ntsc = tc("00:59:56:12", Rate::fps29_97);
    EXPECT_EQ(tc("00:00:00;00", Rate::fps29_97d).addingWrapping(ntsc).description(),
              "01:00:00;00.00");

    // A right operand that cannot be converted leaves the left one as it was.
    const Timecode beyond = tc("23:59:59:29", Rate::fps29_97);
    const Timecode thirty = tc("01:00:00:00", Rate::fps30);
    EXPECT_EQ(thirty.addingWrapping(beyond).components(), thirty.components());
    Timecode inPlace = thirty;
    inPlace.subtractWrapping(beyond);
    EXPECT_EQ(inPlace.components(), thirty.components());

    // A 100-day right operand wraps by the left operand's 24-hour clock.
    const Timecode days = tc("2 01:00:00:00", Rate::fps24, Base::max80SubFrames, Limit::max100Days);
    EXPECT_EQ(tc("23:00:00:00", Rate::fps24).addingWrapping(days).description(), "00:00:00:00.00");

    // A negative total that is a whole number of days gives zero.
    Timecode invalid{Timecode::Properties(Rate::fps24)};
    invalid.setComponents({0, -48, 0, 0, 0, 0});
    EXPECT_TRUE(tc("00:00:00:00", Rate::fps24).addingWrapping(invalid).isZero());
}
