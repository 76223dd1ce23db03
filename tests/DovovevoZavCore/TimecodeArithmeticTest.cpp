#include "DovovevoZavCore/Timecode.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace dovovevozav;
using Rate = TimecodeFrameRate;
using Base = TimecodeSubFramesBase;
using Rule = TimecodeValidationRule;
using Limit = TimecodeUpperLimit;

namespace {
Timecode tc(const char* text, Rate rate, Base base = Base::max80SubFrames,
            Limit limit = Limit::max24Hours) {
    return Timecode(FormattedTimecodeSourceValue(text), TimecodeProperties(rate, base, limit));
}

std::string text(const Timecode& timecode) {
    return timecode.description();
}

bool throwsOutOfBounds(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const TimecodeValidationError& error) {
        return error.kind() == TimecodeValidationError::outOfBounds;
    }
    return false;
}
} // namespace

TEST(TimecodeArithmeticTest, AdditionUnderEachRule) {
    const Timecode last = tc("23:59:59:24", Rate::fps25);
    const Timecode one = tc("00:00:00:01", Rate::fps25);
    EXPECT_TRUE(throwsOutOfBounds([&] { (void)last.adding(one); }));
    EXPECT_EQ(text(last.adding(one, Rule::clamping)), "23:59:59:24.79");
    EXPECT_EQ(text(last.adding(one, Rule::clampingComponents)), "23:59:59:24.79");
    EXPECT_EQ(text(last.adding(one, Rule::wrapping)), "00:00:00:00.00");
    const Timecode beyond = last.adding(one, Rule::allowingInvalid);
    EXPECT_EQ(beyond.components().days, 1);
    EXPECT_EQ(text(beyond), "1 00:00:00:00.00");
    EXPECT_FALSE(beyond.isValid());

    Timecode inPlace = last;
    EXPECT_THROW(inPlace.add(one), TimecodeValidationError);
    EXPECT_EQ(inPlace.components(), last.components());
    inPlace.add(one, Rule::wrapping);
    EXPECT_TRUE(inPlace.isZero());

    EXPECT_EQ(text(tc("01:00:00:00", Rate::fps25).adding("00:30:00:00")), "01:30:00:00.00");
}

TEST(TimecodeArithmeticTest, SubtractionAndOperandKinds) {
    const Timecode five = tc("00:00:00:05", Rate::fps24);
    const Timecode ten = tc("00:00:00:10", Rate::fps24);
    EXPECT_EQ(text(five.subtracting(ten, Rule::clampingComponents)), "00:00:00:00.00");
    const Timecode negative = five.subtracting(ten, Rule::allowingInvalid);
    EXPECT_EQ(negative.components().frames, -5);
    EXPECT_TRUE(throwsOutOfBounds([&] { (void)five.subtracting(ten); }));

    // A timecode at another rate is converted first; components are counted as they are.
    const Timecode dropFrame = tc("00:01:00;02", Rate::fps29_97d);
    const Timecode ntsc = tc("00:00:00:00", Rate::fps29_97);
    EXPECT_EQ(text(ntsc.adding(dropFrame)), "00:01:00:00.00");
    TimecodeComponents components;
    components.minutes = 1;
    EXPECT_EQ(text(ntsc.adding(components)), "00:01:00:00.00");
    // One minute of components is 1798 frames at 29.97 drop-frame.
    EXPECT_EQ(text(tc("00:00:00;00", Rate::fps29_97d).adding(components, Rule::allowingInvalid)),
              "00:00:59;28.00");

    // Sources are applied at the receiver's properties; their errors are thrown.
    EXPECT_EQ(text(ntsc.adding(TimecodeSourceValue::frames(30))), "00:00:01:00.00");
    EXPECT_THROW((void)ntsc.adding("not a timecode"), TimecodeStringParseError);
    EXPECT_EQ(text(ntsc.adding(GuaranteedTimecodeSourceValue::zero())), "00:00:00:00.00");

    // A different subframes base counts by its real share of a frame.
    const Timecode quarters = tc("00:00:00:00.02", Rate::fps29_97, Base::quarterFrames);
    EXPECT_EQ(text(ntsc.adding(quarters)), "00:00:00:00.40");
}

TEST(TimecodeArithmeticTest, MultiplicationAndDivision) {
    const Timecode hour = tc("01:00:00:00", Rate::fps24);
    EXPECT_EQ(text(hour.multiplying(2.5)), "02:30:00:00.00");
    EXPECT_TRUE(throwsOutOfBounds([&] { (void)hour.multiplying(-1); }));
    EXPECT_TRUE(throwsOutOfBounds([&] { (void)hour.multiplying(NAN); }));
    EXPECT_TRUE(throwsOutOfBounds([&] { (void)hour.dividing(0); }));
    EXPECT_EQ(text(hour.multiplying(-1, Rule::clamping)), "00:00:00:00.00");
    EXPECT_EQ(text(hour.multiplying(INFINITY, Rule::clamping)), "23:59:59:23.79");
    EXPECT_EQ(text(hour.multiplying(NAN, Rule::clamping)), "00:00:00:00.00");
    EXPECT_EQ(text(hour.dividing(0, Rule::wrapping)), "00:00:00:00.00");
    EXPECT_EQ(text(hour.multiplying(1e300, Rule::allowingInvalid)).empty(), false);

    const Timecode frame = tc("00:00:00:01", Rate::fps24);
    EXPECT_EQ(text(frame.dividing(3)), "00:00:00:00.26");
    EXPECT_EQ(text(frame.multiplying(0.5)), "00:00:00:00.40");
    EXPECT_EQ(text(frame.multiplying(0.001)), "00:00:00:00.00");

    Timecode inPlace = hour;
    inPlace.divide(4);
    EXPECT_EQ(text(inPlace), "00:15:00:00.00");
}

TEST(TimecodeArithmeticTest, WrappingMultiplicationAndDivision) {
    const Timecode noon = tc("12:00:00:00", Rate::fps24);
    EXPECT_EQ(text(noon.multiplyingWrapping(3)), "12:00:00:00.00");
    EXPECT_EQ(text(tc("01:00:00:00", Rate::fps24).dividingWrapping(-2.0)), "23:30:00:00.00");
    EXPECT_EQ(noon.multiplyingWrapping(std::uint8_t{255}).components(),
              noon.multiplyingWrapping(255.0).components());
    EXPECT_EQ(text(noon.multiplyingWrapping(-2)), "00:00:00:00.00");
    EXPECT_EQ(text(noon.dividingWrapping(0)), "00:00:00:00.00");
    EXPECT_EQ(text(noon.multiplyingWrapping(1e300)).size(), 14u);
    Timecode inPlace = tc("00:00:10:00", Rate::fps25, Base::max100SubFrames, Limit::max100Days);
    inPlace.multiplyWrapping(std::int64_t{3});
    EXPECT_EQ(inPlace.properties(),
              TimecodeProperties(Rate::fps25, Base::max100SubFrames, Limit::max100Days));
    EXPECT_EQ(text(inPlace), "00:00:30:00.00");
}

TEST(TimecodeArithmeticTest, Ratio) {
    const Timecode hour = tc("01:00:00:00", Rate::fps24);
    EXPECT_EQ(hour.ratio(tc("00:30:00:00", Rate::fps24)), 2.0);
    EXPECT_TRUE(throwsOutOfBounds([&] { (void)hour.ratio(tc("00:00:00:00", Rate::fps24)); }));
    const Timecode zero = tc("00:00:00:00", Rate::fps24);
    EXPECT_TRUE(std::isnan(zero.ratio(zero)));
    EXPECT_FALSE(hour.ratioIfValid(zero).has_value());
    EXPECT_EQ(hour.ratioIfValid(tc("02:00:00:00", Rate::fps24)), 0.5);
    TimecodeComponents quarter;
    quarter.minutes = 15;
    EXPECT_EQ(hour.ratio(quarter), 4.0);
}

TEST(TimecodeArithmeticTest, RoundingToAComponent) {
    using C = TimecodeComponent;
    EXPECT_EQ(text(tc("01:00:00:01", Rate::fps24).roundedUp(C::hours)), "02:00:00:00.00");
    EXPECT_EQ(text(tc("01:59:59:23", Rate::fps24).roundedDown(C::minutes)), "01:59:00:00.00");
    EXPECT_EQ(text(tc("01:00:00:00", Rate::fps24).roundedUp(C::hours)), "01:00:00:00.00");
    Timecode late = tc("23:59:59:01", Rate::fps24);
    EXPECT_TRUE(throwsOutOfBounds([&] { late.roundUp(C::hours); }));
    EXPECT_EQ(text(late), "23:59:59:01.00");
    Timecode sub = tc("00:00:00:01.40", Rate::fps24);
    sub.roundUp(C::subFrames);
    EXPECT_EQ(text(sub), "00:00:00:01.40");
    sub.roundUp(C::frames);
    EXPECT_EQ(text(sub), "00:00:00:02.00");
}
