#include "DovovevoZavCore/Timecode.h"

#include <cmath>
#include <compare>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Count = Timecode::FrameCount;
using Value = Timecode::FrameCount::Value;

std::int64_t framesOf(const Timecode::Components& components, Rate rate) {
    return Timecode::frameCount(components, rate, Base::max80SubFrames).wholeFrames();
}

Timecode::Components componentsOf(std::int64_t frames, Rate rate) {
    return Timecode::components(Count(Value::frames(frames), Base::max80SubFrames), rate);
}

} // namespace

TEST(FrameCountTest, ComponentsAndFramesConvertBothWays) {
    struct Row {
        Rate rate;
        Timecode::Components components;
        std::int64_t frames;
    };
    const std::vector<Row> rows = {
        {Rate::fps29_97d, {0, 0, 1, 0, 2, 0}, 1800},
        {Rate::fps29_97d, {0, 0, 0, 59, 29, 0}, 1799},
        {Rate::fps29_97d, {0, 0, 10, 0, 0, 0}, 17982},
        {Rate::fps29_97d, {0, 1, 0, 0, 0, 0}, 107892},
        {Rate::fps59_94d, {0, 0, 1, 0, 4, 0}, 3600},
        {Rate::fps119_88d, {0, 0, 1, 0, 8, 0}, 7200},
        {Rate::fps120d, {0, 0, 10, 0, 0, 0}, 71928},
        {Rate::fps23_976, {0, 1, 0, 0, 0, 0}, 86400},
        {Rate::fps25, {1, 0, 0, 0, 0, 0}, 2160000},
        {Rate::fps29_97d, {1, 0, 0, 0, 0, 0}, 2589408},
        {Rate::fps120d, {1, 0, 0, 0, 0, 0}, 10357632},
        {Rate::fps30, {0, 0, 0, -1, 0, 0}, -30},
        {Rate::fps30, {0, 0, 0, -1, 1, 0}, -31},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(componentsOf(row.frames, row.rate), row.components)
            << row.rate.rawValue() << " " << row.frames;
        if (row.frames >= 0) {
            EXPECT_EQ(framesOf(row.components, row.rate), row.frames) << row.rate.rawValue();
        }
    }
}

TEST(FrameCountTest, EverySubframeRoundTripsAtEveryRateAndBase) {
    for (const Rate rate : Rate::allCases()) {
        for (const Base base : Base::allCases()) {
            for (const Timecode::Components position :
                 {Timecode::Components{0, 0, 0, 0, 0, 0}, Timecode::Components{0, 1, 2, 3, 4, 0},
                  Timecode::Components{0, 23, 59, 59, rate.highestFrameNumber(), 0},
                  Timecode::Components{99, 0, 9, 0, 2 * rate.isDropFrame() * 4, 0}}) {
                for (std::int64_t subFrames = 0; subFrames < base.rawValue(); ++subFrames) {
                    Timecode::Components components = position;
                    components.subFrames = subFrames;
                    const Count count = Timecode::frameCount(components, rate, base);
                    ASSERT_EQ(Timecode::components(count, rate), components)
                        << rate.rawValue() << " base " << base.rawValue() << " " << subFrames;
                    // The count's own subframes keep every value: 0.29 x 100 is 28.999... in
                    // binary, so reading them through a double lost one.
                    ASSERT_EQ(count.subFrames(), subFrames)
                        << rate.rawValue() << " base " << base.rawValue();
                    ASSERT_EQ(count.subFrameCount(),
                              count.wholeFrames() * base.rawValue() + subFrames);
                }
            }
        }
    }
    // The exact real time rests on those subframes.
    Timecode timecode(Timecode::Properties(Rate::fps24, Base::max100SubFrames));
    for (const std::int64_t subFrames : {29, 57, 58}) {
        timecode.setComponents({0, 0, 0, 0, 0, subFrames});
        EXPECT_EQ(timecode.fraction(), Fraction(subFrames, 2400)) << subFrames;
        EXPECT_EQ(timecode.mediaTime(), MediaTime(subFrames, 2400)) << subFrames;
    }
}

TEST(FrameCountTest, DerivedQuantitiesOfTheFourForms) {
    const Count unit = Timecode::frameCount({0, 0, 0, 1, 3, 40}, Rate::fps24, Base::max80SubFrames);
    EXPECT_EQ(unit.value(), Value::splitUnitInterval(27, 0.5));
    EXPECT_EQ(unit.subFrames(), 40);
    EXPECT_EQ(unit.subFrameCount(), 27 * 80 + 40);

    const Count combined(Value::combined(10.999999999), Base::max80SubFrames);
    EXPECT_EQ(combined.wholeFrames(), 10);
    EXPECT_EQ(combined.subFrames(), 79);
    EXPECT_EQ(combined.decimalValue().description(), "10.99999999");
    EXPECT_EQ(Count(Value::combined(-2.5), Base::max100SubFrames).subFrames(), -50);

    const Count split(Value::split(12, 5), Base::max100SubFrames);
    EXPECT_DOUBLE_EQ(split.doubleValue(), 12.05);
    EXPECT_EQ(split.decimalValue().description(), "12.05");
    EXPECT_EQ(split.description(), "12.05");
    EXPECT_EQ(Count(Value::frames(7), Base::quarterFrames).description(), "7");

    EXPECT_EQ(Value::split(12, 5).description(), "12.5 frames");
    EXPECT_EQ(Value::split(12, 50).description(), "12.50 frames");
    EXPECT_EQ(Value::combined(10).description(), "10.0 frames");
    EXPECT_EQ(Value::splitUnitInterval(3, 0.25).debugDescription(),
              ".splitUnitInterval(frames: 3, subFramesUnitInterval: 0.25)");
    EXPECT_EQ(Value::split(1, 2).debugDescription(), ".split(frames: 1, subFrames: 2)");
    EXPECT_TRUE(Value::combined(-0.0).isZero());
    EXPECT_FALSE(Value::splitUnitInterval(0, 0.1).isZero());
    EXPECT_EQ(std::hash<Value>()(Value::combined(-0.0)), std::hash<Value>()(Value::combined(0.0)));
}

TEST(FrameCountTest, ComparisonAndArithmeticRescaleToACommonBase) {
    const Count oneFrame(Value::split(1, 0), Base::max80SubFrames);
    EXPECT_LT(Count(Value::frames(1), Base::quarterFrames),
              Count(Value::split(1, 1), Base::quarterFrames));

    // Counts of different bases stand for the time they count, not for their raw subframes.
    const struct {
        Count left;
        Count right;
        std::strong_ordering order;
    } pairs[] = {
        {oneFrame, Count(Value::split(0, 80), Base::max100SubFrames),
         std::strong_ordering::greater},
        {oneFrame, Count(Value::split(0, 100), Base::max100SubFrames), std::strong_ordering::equal},
        {oneFrame, Count(Value::split(0, 4), Base::quarterFrames), std::strong_ordering::equal},
        {Count(Value::split(0, 40), Base::max80SubFrames),
         Count(Value::split(0, 50), Base::max100SubFrames), std::strong_ordering::equal},
        {Count(Value::split(0, 2), Base::quarterFrames),
         Count(Value::split(0, 3), Base::max80SubFrames), std::strong_ordering::greater},
        {Count(Value::split(-1, -2), Base::quarterFrames),
         Count(Value::combined(-1.5), Base::max100SubFrames), std::strong_ordering::equal},
    };
    for (const auto& pair : pairs) {
        const std::string label = pair.left.description() + " @" +
                                  std::to_string(pair.left.subFramesBase().rawValue()) + " vs " +
                                  pair.right.description() + " @" +
                                  std::to_string(pair.right.subFramesBase().rawValue());
        EXPECT_TRUE((pair.left <=> pair.right) == pair.order) << label;
        EXPECT_TRUE((pair.right <=> pair.left) == 0 <=> pair.order) << label;
        EXPECT_EQ(pair.left == pair.right, pair.order == 0) << label;
        if (pair.order == 0) {
            EXPECT_EQ(std::hash<Count>()(pair.left), std::hash<Count>()(pair.right)) << label;
        }
    }

    const Count a(Value::split(2, 60), Base::max80SubFrames);
    const Count b(Value::split(0, 30), Base::max80SubFrames);
    const struct {
        Count result;
        Value expected;
    } sums[] = {
        {a + b, Value::split(3, 10)},
        {b - a, Value::split(-2, -30)},
        {a * 2.0, Value::split(5, 40)},
        {a / 3.0, Value::split(0, 73)},
        // The right operand is rescaled to the left one's base, where the result is split.
        {oneFrame + Count(Value::split(0, 80), Base::max100SubFrames), Value::split(1, 64)},
        {oneFrame - Count(Value::split(0, 2), Base::quarterFrames), Value::split(0, 40)},
        {Count(Value::frames(1), Base::quarterFrames) +
             Count(Value::split(0, 30), Base::max100SubFrames),
         Value::split(1, 1)},
        {Count(Value::frames(0), Base::quarterFrames) -
             Count(Value::split(0, 30), Base::max100SubFrames),
         Value::split(0, -1)},
    };
    for (const auto& sum : sums) {
        EXPECT_EQ(sum.result.value(), sum.expected) << sum.expected.debugDescription();
    }
}

TEST(FrameCountTest, ExtremeValuesHaveDefinedResults) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Count(Value::combined(nan), Base::max80SubFrames).wholeFrames(), 0);
    EXPECT_EQ(Count(Value::combined(inf), Base::max80SubFrames).wholeFrames(), INT64_MAX);
    EXPECT_EQ(Count(Value::combined(-1e300), Base::max80SubFrames).wholeFrames(), INT64_MIN);
    EXPECT_EQ(Count(Value::splitUnitInterval(0, nan), Base::max80SubFrames).subFrames(), 0);
    EXPECT_THROW((void)Count(Value::frames(INT64_MAX), Base::max80SubFrames).subFrameCount(),
                 std::overflow_error);
    EXPECT_THROW((void)(Count(Value::frames(1), Base::max80SubFrames) * nan), std::overflow_error);
    EXPECT_THROW((void)(Count(Value::frames(INT64_MAX), Base::quarterFrames) +
                        Count(Value::frames(INT64_MAX), Base::max100SubFrames)),
                 std::overflow_error);
    EXPECT_EQ(Count(Value::frames(INT64_MIN), Base::max80SubFrames),
              Count(Value::frames(INT64_MIN), Base::max80SubFrames));

    EXPECT_EQ(Timecode::components(Count(Value::combined(nan), Base::max80SubFrames), Rate::fps24),
              Timecode::Components::zero());
    const Timecode::Components huge = Timecode::components(
        Count(Value::frames(INT64_MIN), Base::max80SubFrames), Rate::fps29_97d);
    EXPECT_LT(huge.days, 0);
    EXPECT_GT(
        Timecode::components(Count(Value::combined(inf), Base::max80SubFrames), Rate::fps120d).days,
        0);

    // Components whose count leaves 64 bits count as zero frames.
    const Timecode::Components far{INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, 0};
    EXPECT_EQ(Timecode::frameCount(far, Rate::fps29_97d, Base::max80SubFrames).value(),
              Value::frames(0));
}

TEST(FrameCountTest, TimecodeSpanAndZero) {
    Timecode timecode(
        Timecode::Properties(Rate::fps24, Base::max100SubFrames, Timecode::UpperLimit::max100Days));
    EXPECT_TRUE(timecode.isZero());
    EXPECT_EQ(timecode.lastSubFrameValue(), 99);
    EXPECT_EQ(timecode.lastFrameCountOfSpan().value(), Value::split(207359999, 99));
    EXPECT_EQ(timecode.lastSubFrameCountOfSpan(), 20736000000 - 1);
    timecode.setComponents({0, 0, 0, 0, 0, 1});
    EXPECT_FALSE(timecode.isZero());
}
