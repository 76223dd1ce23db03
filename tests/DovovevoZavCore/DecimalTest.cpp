#include "DovovevoZavCore/Decimal.h"

#include <cmath>
#include <gtest/gtest.h>

using dovovevozav::Decimal;
using dovovevozav::DecimalError;
using Mode = Decimal::RoundingMode;

namespace {
Decimal dec(const char* text) {
    return *Decimal::fromString(text);
}
} // namespace

TEST(DecimalTest, ParsingAndText) {
    struct Case {
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"12.50", "12.5"},
        {"-0.001", "-0.001"},
        {"1e3", "1000"},
        {"1.5E-2", "0.015"},
        {"+7", "7"},
        {".5", "0.5"},
        {"29.97", "29.97"},
        {"000123", "123"},
        // More than 38 digits round halves away from zero.
        {"1234567890123456789012345678901234567895", "1234567890123456789012345678901234567900"},
    };
    for (const Case& c : cases) {
        const auto value = Decimal::fromString(c.input);
        ASSERT_TRUE(value.has_value()) << c.input;
        EXPECT_EQ(value->description(), c.text) << c.input;
    }
    for (const char* bad : {"", "-", "abc", "1.2.3", "1e", "1 ", "e5"}) {
        EXPECT_FALSE(Decimal::fromString(bad).has_value()) << bad;
    }
    EXPECT_EQ(dec("1.25").decimalPlaces(), 2);
    EXPECT_EQ(dec("1.250").exponent(), -2);
}

TEST(DecimalTest, FromDoubleUsesShortestDigits) {
    EXPECT_EQ(Decimal(0.1).description(), "0.1");
    EXPECT_EQ(Decimal(29.97).description(), "29.97");
    EXPECT_EQ(Decimal(-2.5).description(), "-2.5");
    EXPECT_EQ(Decimal(1e20).description(), "100000000000000000000");
    EXPECT_EQ(Decimal(0.1).doubleValue(), 0.1);
    EXPECT_EQ(Decimal(30 / 1.001).doubleValue(), 30 / 1.001);
    EXPECT_THROW(Decimal(NAN), DecimalError);
    EXPECT_THROW(Decimal(-INFINITY), DecimalError);
}

TEST(DecimalTest, ArithmeticToThirtyEightDigits) {
    EXPECT_EQ(dec("0.1") + dec("0.2"), dec("0.3"));
    EXPECT_EQ(dec("1") - dec("1.000001"), dec("-0.000001"));
    EXPECT_EQ(dec("29.97") * Decimal(600), Decimal(17982));
    EXPECT_EQ(dec("59.94") * Decimal(600), Decimal(35964));
    EXPECT_EQ(dec("119.88") * Decimal(600), Decimal(71928));
    EXPECT_EQ((Decimal(1) / Decimal(3)).description(), "0.33333333333333333333333333333333333333");
    EXPECT_EQ((Decimal(2) / Decimal(3)).description(), "0.66666666666666666666666666666666666667");
    EXPECT_EQ((Decimal(-1) / Decimal(8)).description(), "-0.125");
    EXPECT_EQ(Decimal(1000) / Decimal(8), Decimal(125));
    EXPECT_EQ((Decimal(INT64_MIN)).description(), "-9223372036854775808");
    EXPECT_EQ(Decimal(INT64_MAX) * Decimal(INT64_MAX),
              dec("85070591730234615847396907784232501249"));
    // Adding a value far below the 38th digit leaves the larger one.
    EXPECT_EQ(dec("1e30") + dec("1e-30"), dec("1e30"));
    EXPECT_EQ(dec("1e-30") - dec("1e30"), dec("-1e30"));
    EXPECT_THROW((void)(Decimal(1) / Decimal()), DecimalError);
    EXPECT_EQ(Decimal(10).power(3), Decimal(1000));
    EXPECT_EQ(Decimal(10).power(-2), dec("0.01"));
    EXPECT_EQ(Decimal(7).power(0), Decimal(1));
    EXPECT_EQ(dec("1.5").power(2), dec("2.25"));
}

TEST(DecimalTest, Ordering) {
    EXPECT_LT(dec("-2"), dec("-1.5"));
    EXPECT_LT(dec("-0.5"), Decimal());
    EXPECT_LT(Decimal(), dec("1e-40"));
    EXPECT_LT(dec("99.9"), Decimal(100));
    EXPECT_GT(dec("1e30"), dec("999999999999999999999999999999.9"));
    EXPECT_EQ(dec("100") <=> Decimal(100), std::strong_ordering::equal);
}

TEST(DecimalTest, RoundingModesAtScale) {
    struct Case {
        const char* value;
        Mode mode;
        int scale;
        const char* expected;
    };
    const Case cases[] = {
        {"2.5", Mode::plain, 0, "3"},
        {"-2.5", Mode::plain, 0, "-3"},
        {"2.5", Mode::bankers, 0, "2"},
        {"3.5", Mode::bankers, 0, "4"},
        {"-2.5", Mode::bankers, 0, "-2"},
        {"2.51", Mode::bankers, 0, "3"},
        {"2.5", Mode::down, 0, "2"},
        {"-2.5", Mode::down, 0, "-3"},
        {"2.1", Mode::up, 0, "3"},
        {"-2.9", Mode::up, 0, "-2"},
        {"1.2345", Mode::plain, 3, "1.235"},
        {"1.2345", Mode::down, 2, "1.23"},
        {"10.99999999", Mode::down, 8, "10.99999999"},
        {"5", Mode::up, -3, "5"},
        {"0.000000000000000000000000000000000000000001", Mode::up, 2, "0.01"},
        {"0.000000000000000000000000000000000000000001", Mode::plain, 2, "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dec(c.value).rounded(c.mode, c.scale).description(), c.expected)
            << c.value << " at " << c.scale;
    }
}

TEST(DecimalTest, TruncationAndParts) {
    EXPECT_EQ(dec("-2.5").truncated(0), Decimal(-2));
    EXPECT_EQ(dec("2.5").truncated(0), Decimal(2));
    EXPECT_EQ(dec("10.999999999").truncated(8), dec("10.99999999"));
    EXPECT_EQ(dec("-1.25").truncated(1), dec("-1.2"));
    EXPECT_EQ(dec("-7.75").integralPart(), Decimal(-7));
    EXPECT_EQ(dec("-7.75").fractionPart(), dec("-0.75"));
    const auto [quotient, remainder] = dec("7.5").quotientAndRemainder(Decimal(2));
    EXPECT_EQ(quotient, Decimal(3));
    EXPECT_EQ(remainder, dec("1.5"));
    EXPECT_EQ(dec("-7").truncatingRemainder(Decimal(3)), Decimal(-1));
    EXPECT_EQ(dec("123.45").integralDigitCount(), 3);
    EXPECT_EQ(Decimal(1).integralDigitCount(), 0);
    EXPECT_EQ(Decimal(10).integralDigitCount(), 2);
    EXPECT_EQ(dec("-0.5").integralDigitCount(), 0);
    EXPECT_EQ(dec("1e20").integralDigitCount(), 21);
}

TEST(DecimalTest, IntegerConversion) {
    EXPECT_EQ(dec("12.9").int64Value(), 12);
    EXPECT_EQ(dec("-12.9").int64Value(), -12);
    EXPECT_EQ(dec("9223372036854775807").int64Value(), INT64_MAX);
    EXPECT_EQ(dec("-9223372036854775808").int64Value(), INT64_MIN);
    EXPECT_FALSE(dec("9223372036854775808").int64Value().has_value());
    EXPECT_FALSE(dec("1e40").int64Value().has_value());
    EXPECT_EQ(dec("0.999").int64Value(), 0);
}
