#include "DovovevoZavCore/Timecode.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Limit = Timecode::UpperLimit;
using Rule = Timecode::ValidationRule;
using Components = Timecode::Components;
using Count = Timecode::FrameCount;
using Value = Timecode::FrameCount::Value;

Timecode::ValidationError::Kind failureOf(const TimecodeSourceValue& source,
                                          const Timecode::Properties& properties) {
    try {
        Timecode timecode(source, properties);
    } catch (const Timecode::ValidationError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no error";
    return Timecode::ValidationError::invalid;
}

} // namespace

TEST(TimecodeSourceTest, FrameCountsAreCheckedAgainstTheSpan) {
    const Timecode::Properties at24(Rate::fps24);
    const std::int64_t day = 2073600;
    EXPECT_EQ(failureOf(TimecodeSourceValue::frames(day), at24),
              Timecode::ValidationError::outOfBounds);
    EXPECT_EQ(Timecode(TimecodeSourceValue::split(day - 1, 79), at24).components(),
              (Components{0, 23, 59, 59, 23, 79}));
    EXPECT_EQ(failureOf(TimecodeSourceValue::frames(-1), at24),
              Timecode::ValidationError::outOfBounds);
    EXPECT_EQ(
        failureOf(TimecodeSourceValue::combinedFrames(std::numeric_limits<double>::quiet_NaN()),
                  at24),
        Timecode::ValidationError::outOfBounds);
    EXPECT_EQ(Timecode(TimecodeSourceValue::combinedFrames(1800.5), Rate::fps29_97d).components(),
              (Components{0, 0, 1, 0, 2, 40}));
    EXPECT_EQ(Timecode(TimecodeSourceValue::frames(-1), at24, Rule::wrapping).components(),
              (Components{0, 23, 59, 59, 23, 0}));
    EXPECT_EQ(Timecode(TimecodeSourceValue::frames(-1800), Timecode::Properties(Rate::fps29_97d),
                       Rule::wrapping)
                  .components(),
              (Components{0, 23, 58, 59, 28, 0}))
        << "a negative drop-frame count wraps by its exact count";
}

TEST(TimecodeSourceTest, RulesBringEverySourceIntoRange) {
    struct Row {
        TimecodeSourceValue source;
        Rate rate;
        Rule rule;
        Components expected;
    };
    const std::vector<Row> rows = {
        {Components{0, 0, 0, 75, 40, 0},
         Rate::fps25,
         Rule::clampingComponents,
         {0, 0, 0, 59, 24, 0}},
        {Components{0, -3, 0, 0, 0, 0}, Rate::fps25, Rule::clampingComponents, {0, 0, 0, 0, 0, 0}},
        {Components{2, 0, 0, 0, 0, 0}, Rate::fps25, Rule::clamping, {0, 23, 59, 59, 24, 79}},
        {Components{0, -3, 0, 0, 0, 0}, Rate::fps25, Rule::clamping, {0, 0, 0, 0, 0, 0}},
        {Components{0, 24, 0, 0, 0, 0}, Rate::fps24, Rule::wrapping, {0, 0, 0, 0, 0, 0}},
        {Components{0, 0, 0, 0, -1, 0}, Rate::fps24, Rule::wrapping, {0, 23, 59, 59, 23, 0}},
        {Components{0, 99, 99, 99, 99, 0},
         Rate::fps24,
         Rule::allowingInvalid,
         {0, 99, 99, 99, 99, 0}},
        {Components{INT64_MAX, INT64_MAX, 0, 0, 0, INT64_MAX},
         Rate::fps120d,
         Rule::clamping,
         {0, 23, 59, 59, 119, 79}},
        {TimecodeSourceValue::frames(5000000),
         Rate::fps25,
         Rule::clampingComponents,
         {0, 23, 59, 59, 24, 79}},
        {TimecodeSourceValue::combinedFrames(std::numeric_limits<double>::infinity()),
         Rate::fps25,
         Rule::clamping,
         {0, 23, 59, 59, 24, 79}},
        {TimecodeSourceValue::combinedFrames(std::numeric_limits<double>::quiet_NaN()),
         Rate::fps25,
         Rule::wrapping,
         {0, 0, 0, 0, 0, 0}},
        {TimecodeSourceValue::frames(-25), Rate::fps25, Rule::allowingInvalid, {0, 0, 0, -1, 0, 0}},
    };
    for (const Row& row : rows) {
        const Timecode timecode(row.source, Timecode::Properties(row.rate), row.rule);
        EXPECT_EQ(timecode.components(), row.expected)
            << timecode.formattedString({Timecode::StringFormatOption::showSubFrames});
    }
    const Timecode invalid(Components{0, 99, 99, 99, 99, 0}, Rate::fps24, Rule::allowingInvalid);
    EXPECT_FALSE(invalid.isValid());
}

TEST(TimecodeSourceTest, FrameCountSourceCarriesItsBase) {
    const Count count(Value::split(10, 40), Base::max80SubFrames);
    Timecode target(Timecode::Properties(Rate::fps24, Base::max100SubFrames));
    target.set(TimecodeSourceValue::frameCount(count));
    EXPECT_EQ(target.subFramesBase(), Base::max80SubFrames);
    EXPECT_EQ(target.components(), (Components{0, 0, 0, 0, 10, 40}));

    // A failing count leaves the target's base alone as well.
    Timecode unchanged(Components{0, 1, 0, 0, 0, 0},
                       Timecode::Properties(Rate::fps24, Base::max100SubFrames));
    EXPECT_THROW(unchanged.set(TimecodeSourceValue::frameCount(
                     Count(Value::frames(-5), Base::quarterFrames))),
                 Timecode::ValidationError);
    EXPECT_EQ(unchanged.subFramesBase(), Base::max100SubFrames);
    EXPECT_EQ(unchanged.components(), (Components{0, 1, 0, 0, 0, 0}));

    // Under a rule the target keeps its base and the subframes are carried over exactly.
    const Timecode quarter(TimecodeSourceValue::frameCount(count),
                           Timecode::Properties(Rate::fps24, Base::quarterFrames), Rule::clamping);
    EXPECT_EQ(quarter.components(), (Components{0, 0, 0, 0, 10, 2}));
    const Timecode hundred(
        TimecodeSourceValue::frameCount(Count(Value::combined(10.5), Base::max80SubFrames)),
        Timecode::Properties(Rate::fps24, Base::max100SubFrames), Rule::wrapping);
    EXPECT_EQ(hundred.components(), (Components{0, 0, 0, 0, 10, 50}));
}

TEST(TimecodeSourceTest, RealTimeSources) {
    EXPECT_EQ(Timecode(TimecodeSourceValue::seconds(1), Rate::fps29_97).components(),
              (Components{0, 0, 0, 0, 29, 77}));
    EXPECT_EQ(Timecode(TimecodeSourceValue::seconds(1), Rate::fps25).components(),
              (Components{0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(Timecode(TimecodeSourceValue::seconds(3600), Rate::fps29_97d).components(),
              (Components{0, 1, 0, 0, 0, 8}));
    EXPECT_EQ(Timecode(TimecodeSourceValue::samples(std::int64_t{48000}, 48000), Rate::fps25)
                  .components(),
              (Components{0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(Timecode(TimecodeSourceValue::mediaTime(MediaTime(1001, 30000)), Rate::fps29_97)
                  .components(),
              (Components{0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(Timecode(TimecodeSourceValue::mediaTime(MediaTime(1000, 30000)), Rate::fps29_97)
                  .components(),
              (Components{0, 0, 0, 0, 0, 79}));
    for (const Rule rule : allTimecodeValidationRules()) {
        EXPECT_EQ(
            Timecode(TimecodeSourceValue::mediaTime(MediaTime(1000, 30000)), Rate::fps29_97, rule)
                .components(),
            Components::zero());
    }
    EXPECT_EQ(Timecode(TimecodeSourceValue::fraction(Fraction(3, 2)), Rate::fps24).components(),
              (Components{0, 0, 0, 1, 12, 0}));

    // Times without a usable timescale or rate are no time at all.
    const Timecode::Properties at25(Rate::fps25);
    EXPECT_EQ(failureOf(TimecodeSourceValue::mediaTime(MediaTime(5, 0)), at25),
              Timecode::ValidationError::invalid);
    EXPECT_EQ(failureOf(TimecodeSourceValue::mediaTime(MediaTime::indefiniteTime()), at25),
              Timecode::ValidationError::invalid);
    EXPECT_EQ(failureOf(TimecodeSourceValue::fraction(Fraction(5, 0)), at25),
              Timecode::ValidationError::invalid);
    EXPECT_EQ(failureOf(TimecodeSourceValue::samples(100.0, 0), at25),
              Timecode::ValidationError::invalid);
    EXPECT_EQ(failureOf(TimecodeSourceValue::seconds(-1), at25),
              Timecode::ValidationError::outOfBounds);
    EXPECT_EQ(
        failureOf(TimecodeSourceValue::seconds(std::numeric_limits<double>::infinity()), at25),
        Timecode::ValidationError::outOfBounds);
    EXPECT_EQ(
        Timecode(TimecodeSourceValue::fraction(Fraction(5, 0)), at25, Rule::clamping).components(),
        Components::zero());
    EXPECT_EQ(
        Timecode(TimecodeSourceValue::mediaTime(MediaTime(INT64_MAX, 1)), at25, Rule::clamping)
            .components(),
        (Components{0, 23, 59, 59, 24, 79}));
}

TEST(TimecodeSourceTest, WholeFramesSurviveARoundTripThroughSeconds) {
    // Seconds of an exact frame boundary can land a hair below it (3 frames at 23.976 are
    // 0.12512499999... s); converting back must still give the same frame.
    const std::int64_t starts[] = {0, 86399, 1000003};
    for (const Rate rate : Rate::allCases()) {
        for (const std::int64_t start : starts) {
            for (std::int64_t frames = start; frames < start + 600; ++frames) {
                const Timecode timecode(TimecodeSourceValue::frames(frames), rate);
                const Timecode back(TimecodeSourceValue::seconds(timecode.seconds()), rate);
                ASSERT_EQ(back.frameCount().wholeFrames(), frames) << rate.rawValue();
                ASSERT_EQ(back.frameCount().subFrames(), 0) << rate.rawValue();
            }
        }
    }
}

TEST(TimecodeSourceTest, ConversionsToRealTime) {
    const Timecode second(Components{0, 0, 0, 1, 0, 0}, Rate::fps29_97);
    EXPECT_EQ(second.mediaTime(), MediaTime(1001, 1000));
    EXPECT_EQ(second.mediaTime().timescale, 1000);
    EXPECT_TRUE(second.fraction().isIdentical(Fraction(1001, 1000)));
    EXPECT_DOUBLE_EQ(second.seconds(), 1.001);
    EXPECT_DOUBLE_EQ(Timecode(Components{0, 0, 0, 1, 0, 0}, Rate::fps30d).seconds(), 1.0);
    EXPECT_EQ(second.samples(48000), 48048);
    EXPECT_DOUBLE_EQ(second.samplesDouble(48000), 48048.0);
    const Timecode half(Components{0, 0, 0, 0, 0, 40}, Rate::fps25);
    EXPECT_TRUE(half.fraction().isIdentical(Fraction(1, 50)));
    const Timecode late(Components{0, 23, 0, 0, 0, 0}, Rate::fps25);
    EXPECT_EQ(late.samples(std::numeric_limits<std::int64_t>::max()), 0);

    Timecode invalid{Timecode::Properties(Rate::fps24)};
    invalid.setComponents({0, 0, 0, 0, INT64_MAX / 2, 0});
    EXPECT_THROW((void)invalid.mediaTime(), std::overflow_error);
}

TEST(TimecodeSourceTest, ZeroAndBoxedSources) {
    const Timecode::Properties properties(Rate::fps59_94d, Base::quarterFrames, Limit::max100Days);
    Timecode timecode(Components{4, 3, 2, 1, 0, 0}, properties);
    timecode.set(GuaranteedTimecodeSourceValue::zero());
    EXPECT_EQ(timecode.components(), Components::zero());
    EXPECT_EQ(timecode.properties(), properties);

    const TimecodeSourceValue boxed = TimecodeSourceValue::components(0, 1, 2, 3, 4);
    const TimecodeSourceValue copy = boxed;
    EXPECT_EQ(Timecode(copy, Rate::fps25).components(), (Components{0, 1, 2, 3, 4, 0}));
    EXPECT_THROW(
        Timecode(TimecodeUnsafeRandomComponents{{{5, 5}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
                 Rate::fps25),
        Timecode::ValidationError);
    const TimecodeUnsafeRandomComponentsAndProperties rich{
        {{0, 0}, {25, 25}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}};
    const Timecode wrapped(RichTimecodeSourceValue(rich), Rule::wrapping);
    EXPECT_EQ(wrapped.components().hours, 1);
}
