#include "DovovevoZavCore/TimecodeInterval.h"

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavCore/TimecodeTransformer.h"

#include <gtest/gtest.h>

using namespace dovovevozav;
using Rate = TimecodeFrameRate;
using Base = TimecodeSubFramesBase;
using Limit = TimecodeUpperLimit;
using Sign = IntervalSign;

namespace {
Timecode tc(const char* text, Rate rate, Base base = Base::max80SubFrames,
            Limit limit = Limit::max24Hours) {
    return Timecode(FormattedTimecodeSourceValue(text), TimecodeProperties(rate, base, limit));
}
} // namespace

static_assert(GuaranteedRichTimecodeSource<TimecodeInterval>);

TEST(TimecodeIntervalTest, TextsAndEquality) {
    const TimecodeInterval back(tc("00:00:01:00", Rate::fps24), Sign::minus);
    EXPECT_EQ(back.description(), "-00:00:01:00.00");
    EXPECT_EQ(back.debugDescription(), "TimecodeInterval(-00:00:01:00.00)");
    EXPECT_EQ(back.rateDescription(), "TimecodeInterval -00:00:01:00.00 @ 24 fps");
    EXPECT_TRUE(back.isNegative());

    const Timecode zero = tc("00:00:00:00", Rate::fps24);
    EXPECT_NE(zero.signedInterval(Sign::minus), TimecodeInterval(zero));
    EXPECT_EQ(zero.signedInterval(Sign::plus), TimecodeInterval(zero));
    EXPECT_EQ(std::hash<TimecodeInterval>()(TimecodeInterval(zero)),
              std::hash<TimecodeInterval>()(zero.signedInterval(Sign::plus)));

    Timecode invalid{TimecodeProperties(Rate::fps24)};
    invalid.setComponents({0, 99, 0, 0, 0, 0});
    EXPECT_EQ(invalid.signedInterval(Sign::plus).absoluteInterval().components().hours, 99);
}

TEST(TimecodeIntervalTest, OffsettingAndFlattening) {
    const TimecodeInterval back(tc("00:00:01:00", Rate::fps24), Sign::minus);
    EXPECT_EQ(tc("00:00:00:10", Rate::fps24).offsetting(back).formattedString(), "23:59:59:10");
    EXPECT_EQ(back.timecode(tc("00:00:00:10", Rate::fps24)).formattedString(), "23:59:59:10");
    EXPECT_EQ(back.flattened().formattedString(), "23:59:59:00");
    const TimecodeInterval ahead(tc("00:00:02:00", Rate::fps24));
    Timecode late = tc("23:59:59:00", Rate::fps24);
    late.offset(ahead);
    EXPECT_EQ(late.formattedString(), "00:00:01:00");

    // A magnitude at 25 fps offsets a 24 fps base after conversion; the base's properties stay.
    const TimecodeInterval second25(tc("00:00:01:00", Rate::fps25));
    const Timecode moved = tc("00:00:00:00", Rate::fps24, Base::quarterFrames).offsetting(second25);
    EXPECT_EQ(moved.formattedString(), "00:00:01:00");
    EXPECT_EQ(moved.subFramesBase(), Base::quarterFrames);

    // A magnitude that has no timecode at the base's rate leaves the base unchanged.
    const TimecodeInterval huge(tc("23:59:59:29", Rate::fps29_97));
    EXPECT_EQ(tc("01:00:00:00", Rate::fps30).offsetting(huge).formattedString(), "01:00:00:00");

    Timecode target{TimecodeProperties(Rate::fps50)};
    EXPECT_EQ(back.apply(target), TimecodeProperties(Rate::fps24));
    EXPECT_EQ(target.formattedString(), "23:59:59:00");
}

TEST(TimecodeIntervalTest, RealRationalAndMediaTime) {
    const TimecodeProperties at24(Rate::fps24);
    const TimecodeInterval half = TimecodeInterval::fromRealTime(-0.5, at24);
    EXPECT_EQ(half.absoluteInterval().formattedString(), "00:00:00:12");
    EXPECT_EQ(half.sign(), Sign::minus);
    EXPECT_EQ(half.seconds(), -0.5);
    EXPECT_EQ(TimecodeInterval::fromRealTime(-0.0, at24).sign(), Sign::plus);
    EXPECT_THROW((void)TimecodeInterval::fromRealTime(90000, at24), TimecodeValidationError);

    const TimecodeInterval rational = TimecodeInterval::fromFraction(Fraction(3, -2), at24);
    EXPECT_EQ(rational.absoluteInterval().formattedString(), "00:00:01:12");
    EXPECT_TRUE(rational.isNegative());
    const TimecodeInterval negativeZero = TimecodeInterval::fromFraction(Fraction(0, -1), at24);
    EXPECT_TRUE(negativeZero.absoluteInterval().isZero());
    EXPECT_TRUE(negativeZero.isNegative());
    EXPECT_THROW((void)TimecodeInterval::fromFraction(Fraction(INT64_MIN, 1), at24),
                 TimecodeValidationError);

    for (const MediaTime& time : {MediaTime::indefiniteTime(), MediaTime::positiveInfinityTime(),
                                  MediaTime::negativeInfinityTime()}) {
        const TimecodeInterval interval = TimecodeInterval::fromMediaTime(time, at24);
        EXPECT_TRUE(interval.absoluteInterval().isZero());
        EXPECT_EQ(interval.sign(), Sign::plus);
    }
    EXPECT_EQ(TimecodeInterval::fromMediaTime(MediaTime(-48, 24), at24).description(),
              "-00:00:02:00.00");

    EXPECT_TRUE(
        TimecodeInterval(tc("00:00:01:00", Rate::fps24)).fraction().isIdentical(Fraction(1, 1)));
    EXPECT_TRUE(TimecodeInterval(tc("00:00:01:00", Rate::fps29_97))
                    .fraction()
                    .isIdentical(Fraction(1001, 1000)));
    const MediaTime media =
        TimecodeInterval(tc("00:00:01:00", Rate::fps29_97), Sign::minus).mediaTime();
    EXPECT_EQ(media.value, -1001);
    EXPECT_EQ(media.timescale, 1000);
}

TEST(TimecodeIntervalTest, IntervalBetweenTimecodes) {
    const Timecode one = tc("01:00:00:00", Rate::fps24);
    const Timecode fiftyNine = tc("00:59:00:00", Rate::fps24);
    const TimecodeInterval down = one.interval(fiftyNine);
    EXPECT_EQ(down.absoluteInterval().formattedString(), "00:01:00:00");
    EXPECT_EQ(down.sign(), Sign::minus);
    const TimecodeInterval up = fiftyNine.interval(one);
    EXPECT_EQ(up.absoluteInterval().formattedString(), "00:01:00:00");
    EXPECT_EQ(up.sign(), Sign::plus);
    const TimecodeInterval none = one.interval(one);
    EXPECT_TRUE(none.absoluteInterval().isZero());
    EXPECT_EQ(none.sign(), Sign::plus);
    // Offsetting by the interval lands on the other timecode.
    EXPECT_EQ(one.offsetting(down), fiftyNine);
    EXPECT_EQ(fiftyNine.offsetting(up), one);

    // The other timecode's subframes count by their real share of a frame.
    const TimecodeInterval quarter =
        tc("00:00:00:00", Rate::fps24)
            .interval(tc("00:00:00:00.1", Rate::fps24, Base::quarterFrames));
    EXPECT_EQ(quarter.absoluteInterval().components().subFrames, 20);

    // Not convertible to this rate: the zero interval at this timecode's properties.
    const TimecodeInterval failed =
        tc("01:00:00:00", Rate::fps30).interval(tc("23:59:59:29", Rate::fps29_97));
    EXPECT_TRUE(failed.absoluteInterval().isZero());
    EXPECT_EQ(failed.absoluteInterval().frameRate(), Rate::fps30);
}

TEST(TimecodeIntervalTest, Transformers) {
    using Transform = TimecodeTransformer::Transform;
    const Timecode base = tc("01:00:00:00", Rate::fps24);
    const TimecodeInterval minute(tc("00:01:00:00", Rate::fps24), Sign::minus);

    TimecodeTransformer disabled(Transform::offset(minute));
    disabled.enabled = false;
    EXPECT_EQ(base.transformed(disabled).formattedString(), "01:00:00:00");
    EXPECT_EQ(base.transformed(TimecodeTransformer(std::vector<Transform>{})).formattedString(),
              "01:00:00:00");
    EXPECT_EQ(base.transformed(TimecodeTransformer(Transform::none())).formattedString(),
              "01:00:00:00");

    const TimecodeInterval unconvertible(tc("23:59:59:29", Rate::fps29_97));
    TimecodeTransformer chain(std::vector<Transform>{
        Transform::offset(minute),
        Transform::offset(unconvertible),
        Transform::custom([](const Timecode& timecode) {
            return timecode.adding(TimecodeSourceValue::frames(1));
        }),
        Transform::offset(TimecodeInterval(tc("00:00:01:00", Rate::fps25))),
    });
    Timecode transformed = base;
    transformed.transform(chain);
    EXPECT_EQ(transformed.formattedString(), "00:59:01:01");
    EXPECT_EQ(transformed.properties(), base.properties());
}
