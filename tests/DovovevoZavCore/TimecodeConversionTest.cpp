#include "DovovevoZavCore/Timecode.h"

#include <gtest/gtest.h>

using namespace dovovevozav;
using Rate = TimecodeFrameRate;
using Base = TimecodeSubFramesBase;

namespace {
Timecode tc(const char* text, Rate rate, Base base = Base::max80SubFrames) {
    return Timecode(FormattedTimecodeSourceValue(text), TimecodeProperties(rate, base));
}
} // namespace

TEST(TimecodeConversionTest, FrameRateConversion) {
    struct Case {
        const char* text;
        Rate from;
        Rate to;
        bool keeping;
        const char* expected;
    };
    const Case cases[] = {
        {"01:00:00;00", Rate::fps29_97d, Rate::fps29_97, false, "00:59:56:12.00"},
        {"01:00:00:00", Rate::fps25, Rate::fps24, false, "01:00:00:00.00"},
        {"00:00:00:29", Rate::fps30, Rate::fps25, true, "00:00:00:24.13"},
        {"00:00:00:20", Rate::fps30, Rate::fps25, true, "00:00:00:20.00"},
        {"10:00:00:00", Rate::fps23_976, Rate::fps24, true, "10:00:00:00.00"},
        {"00:00:01:00", Rate::fps24, Rate::fps48, false, "00:00:01:00.00"},
    };
    for (const Case& c : cases) {
        const Timecode converted =
            tc(c.text, c.from).convertingFrameRate(c.to, std::nullopt, c.keeping);
        EXPECT_EQ(converted.description(), c.expected) << c.text;
        EXPECT_EQ(converted.frameRate(), c.to);
    }
    EXPECT_EQ(tc("01:00:00;00", Rate::fps29_97d)
                  .convertingFrameRate(Rate::fps29_97)
                  .frameCount()
                  .wholeFrames(),
              107892);
}

TEST(TimecodeConversionTest, SameRateAndBasesAndLimits) {
    const Timecode same = tc("01:02:03:04.40", Rate::fps24);
    const Timecode unchanged = same.convertingFrameRate(Rate::fps24, Base::max80SubFrames);
    EXPECT_EQ(unchanged.components(), same.components());
    EXPECT_EQ(unchanged.properties(), same.properties());

    // Another base at the same rate: real time gives half a frame, keeping the components 40.
    const Timecode half = tc("00:00:00:00.40", Rate::fps24);
    EXPECT_EQ(half.convertingFrameRate(Rate::fps24, Base::max100SubFrames).components().subFrames,
              50);
    EXPECT_EQ(
        half.convertingFrameRate(Rate::fps24, Base::max100SubFrames, true).components().subFrames,
        40);

    // The upper limit never changes, and a moment beyond it throws.
    Timecode longDay(
        TimecodeSourceValue::components(1, 0, 0, 0, 0),
        TimecodeProperties(Rate::fps25, Base::max80SubFrames, TimecodeUpperLimit::max100Days));
    EXPECT_EQ(longDay.convertingFrameRate(Rate::fps24).upperLimit(),
              TimecodeUpperLimit::max100Days);
    try {
        (void)tc("23:59:59:29", Rate::fps29_97).convertingFrameRate(Rate::fps30);
        FAIL() << "beyond 24 hours at 30 fps";
    } catch (const TimecodeValidationError& error) {
        EXPECT_EQ(error.kind(), TimecodeValidationError::outOfBounds);
    }
}
