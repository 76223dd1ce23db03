#include "DovovevoZavCore/NumericUtilities.h"

#include "DovovevoZavCore/NumberText.h"
#include "DovovevoZavCore/TimecodeFrameRate.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace dovovevozav;

TEST(NumericUtilitiesTest, DigitCounts) {
    EXPECT_EQ(decimalDigitCount(0), 1);
    EXPECT_EQ(decimalDigitCount(-9), 1);
    EXPECT_EQ(decimalDigitCount(10), 2);
    EXPECT_EQ(decimalDigitCount(-10), 2);
    EXPECT_EQ(decimalDigitCount(-100), 3);
    EXPECT_EQ(decimalDigitCount(2147483647), 10);
    EXPECT_EQ(decimalDigitCount(INT64_MIN), 19);
    EXPECT_EQ(decimalDigitCount(UINT64_MAX), 20);
    EXPECT_EQ(decimalDigitCount(std::uint8_t{255}), 3);
    EXPECT_EQ(integralDigitCount(123.45), 3);
    EXPECT_EQ(integralDigitCount(1.0), 0);
    EXPECT_EQ(decimalPlaces(1.25), 2);
    EXPECT_EQ(decimalPlaces(0.1), 1);
    EXPECT_EQ(decimalPlaces(NAN), 0);
}

TEST(NumericUtilitiesTest, RoundingAndTruncation) {
    EXPECT_DOUBLE_EQ(truncated(29.97, 1), 29.9);
    EXPECT_DOUBLE_EQ(truncated(-1.25, 1), -1.2);
    EXPECT_EQ(truncated(-1.25, 0), -1.0);
    EXPECT_EQ(truncated(-1.25f, 0), -1.0f);
    EXPECT_DOUBLE_EQ(rounded(1.25, RoundingRule::toNearestOrAwayFromZero, 1), 1.3);
    EXPECT_EQ(rounded(2.5, RoundingRule::toNearestOrEven, 0), 2.0);
    EXPECT_EQ(rounded(3.5, RoundingRule::toNearestOrEven, 0), 4.0);
    EXPECT_EQ(rounded(-2.5, RoundingRule::toNearestOrEven, 0), -2.0);
    EXPECT_EQ(rounded(-2.5, RoundingRule::toNearestOrAwayFromZero, 0), -3.0);
    EXPECT_EQ(rounded(-2.1, RoundingRule::awayFromZero, 0), -3.0);
    EXPECT_EQ(rounded(2.1, RoundingRule::up, 0), 3.0);
    EXPECT_EQ(roundedUp(-2.5), -2.0);
    EXPECT_EQ(roundedDown(-2.5), -3.0);
    const auto [integral, fraction] = integralAndFraction(-3.75);
    EXPECT_EQ(integral, -3.0);
    EXPECT_EQ(fraction, -0.75);
    EXPECT_EQ(integralPart(7.5L), 7.0L);
    EXPECT_EQ(fractionPart(7.5), 0.5);
    const auto [quotient, remainder] = quotientAndRemainder(-7.5, 2.0);
    EXPECT_EQ(quotient, -3.0);
    EXPECT_EQ(remainder, -1.5);
}

TEST(NumericUtilitiesTest, ClampingSortingAndParsing) {
    EXPECT_EQ(clamped(15, 0, 10), 10);
    EXPECT_EQ(clamped(-1, 0, 10), 0);
    EXPECT_EQ(clampedHalfOpen(10, 0, 10), 9);
    EXPECT_EQ(clampedHalfOpen(-4, 0, 10), 0);

    const std::vector<TimecodeFrameRate> rates{TimecodeFrameRate::fps60, TimecodeFrameRate::fps24,
                                               TimecodeFrameRate::fps29_97d};
    EXPECT_EQ(sortedByCaseOrder(rates), (std::vector<TimecodeFrameRate>{
                                            TimecodeFrameRate::fps24, TimecodeFrameRate::fps29_97d,
                                            TimecodeFrameRate::fps60}));

    EXPECT_EQ(parseDecimalInt64("0042"), 42);
    EXPECT_EQ(parseDecimalInt64("-9223372036854775808"), INT64_MIN);
    for (const char* bad : {"", "-", "+1", "1 ", "9223372036854775808", "12a", "١"}) {
        EXPECT_FALSE(parseDecimalInt64(bad).has_value()) << bad;
    }

    // Whole texts of timeline files: one "+" is allowed, a second sign is not.
    EXPECT_EQ(integerFromText("+48000"), 48000);
    EXPECT_EQ(numberFromText("+29.97"), 29.97);
    EXPECT_EQ(numberFromText("-0.5"), -0.5);
    EXPECT_TRUE(std::isinf(*numberFromText("inf")));
    EXPECT_FALSE(finiteNumberFromText("inf").has_value());
    for (const char* bad : {"", "+", "+-1", "++1", " 1", "1 ", "7/12", "0x10"}) {
        EXPECT_FALSE(integerFromText(bad).has_value()) << bad;
        EXPECT_FALSE(numberFromText(bad).has_value()) << bad;
    }
}
