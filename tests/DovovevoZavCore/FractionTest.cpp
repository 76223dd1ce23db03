#include "DovovevoZavCore/Fraction.h"

#include "DovovevoZavCore/Decimal.h"
#include "DovovevoZavCore/MediaTime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <unordered_set>

using dovovevozav::Fraction;
using dovovevozav::FractionError;
using dovovevozav::MediaTime;

TEST(FractionTest, EqualityReducesButDescriptionKeepsTerms) {
    EXPECT_EQ(Fraction(100, 2400), Fraction(1, 24));
    EXPECT_EQ(Fraction(100, 2400).description(), "100/2400");
    EXPECT_EQ(Fraction(1, -2), Fraction(-1, 2));
    EXPECT_EQ(Fraction(-1, 2).description(), "-1/2");
    EXPECT_NE(Fraction(1, 2), Fraction(1, 3));
    // 0/0 has no reduced form: it equals only itself and reducing it throws.
    EXPECT_EQ(Fraction(0, 0), Fraction(0, 0));
    EXPECT_NE(Fraction(0, 0), Fraction(0, 1));
    EXPECT_THROW((void)Fraction(0, 0).reduced(), FractionError);
}

TEST(FractionTest, HashAgreesWithEquality) {
    const std::hash<Fraction> hash;
    EXPECT_EQ(hash(Fraction(1, 2)), hash(Fraction(2, 4)));
    EXPECT_EQ(hash(Fraction(-1, 2)), hash(Fraction(1, -2)));
    EXPECT_EQ(hash(Fraction(100, 2400)), hash(Fraction(1, 24, true)));
    std::unordered_set<Fraction> set{Fraction(1, 2), Fraction(2, 4), Fraction(3, 6)};
    EXPECT_EQ(set.size(), 1u);
}

TEST(FractionTest, Reduction) {
    struct Case {
        Fraction input;
        std::int64_t numerator;
        std::int64_t denominator;
    };
    const Case cases[] = {
        {Fraction(-2, -4), 1, 2}, {Fraction(3, -6), -1, 2}, {Fraction(0, 5), 0, 1},
        {Fraction(0, -5), 0, 1},  {Fraction(5, 0), 1, 0},   {Fraction(100, 2400), 1, 24},
    };
    for (const Case& c : cases) {
        const Fraction r = c.input.reduced();
        EXPECT_EQ(r.numerator(), c.numerator) << c.input.description();
        EXPECT_EQ(r.denominator(), c.denominator) << c.input.description();
        EXPECT_EQ(r.isReducedFlag(), true);
    }
    const Fraction once = Fraction(100, 2400).reduced();
    EXPECT_TRUE(once.reduced().isIdentical(once));
    // The smallest numerator over -1 has no 64-bit reduced form.
    EXPECT_THROW((void)Fraction(INT64_MIN, -1).reduced(), FractionError);
}

TEST(FractionTest, ArithmeticIsExactAndReportsOverflow) {
    const Fraction sum = Fraction(1, 2) + Fraction(1, 3);
    EXPECT_TRUE(sum.isIdentical(Fraction(5, 6)));
    EXPECT_EQ(sum.isReducedFlag(), true);
    EXPECT_TRUE((Fraction(1, 2) - Fraction(1, 2)).isIdentical(Fraction(0, 1)));
    EXPECT_TRUE((Fraction(2, 3) * Fraction(3, 4)).isIdentical(Fraction(1, 2)));
    EXPECT_TRUE((Fraction(1, 2) / Fraction(-1, 4)).isIdentical(Fraction(-2, 1)));
    EXPECT_TRUE((Fraction(1001, 30000) + Fraction(1001, 30000)).isIdentical(Fraction(1001, 15000)));
    // Large terms whose result still fits come out right instead of wrapping.
    EXPECT_TRUE((Fraction(INT64_MAX, 3) * Fraction(3, INT64_MAX)).isIdentical(Fraction(1, 1)));

    try {
        (void)(Fraction(1, 2) / Fraction(0, 7));
        FAIL() << "division by zero must throw";
    } catch (const FractionError& error) {
        EXPECT_STREQ(error.what(), "Division by zero.");
    }
    EXPECT_THROW((void)(Fraction(INT64_MAX, 1) + Fraction(1, 1)), FractionError);
    EXPECT_THROW((void)(Fraction(INT64_MAX, 1) * Fraction(2, 1)), FractionError);
    EXPECT_THROW((void)(Fraction(1, 0) + Fraction(1, 2)), FractionError);
    EXPECT_THROW((void)-Fraction(INT64_MIN, 1), FractionError);
    EXPECT_THROW((void)Fraction(1, INT64_MIN).magnitude(), FractionError);
    EXPECT_TRUE(Fraction(-3, -4).magnitude().isIdentical(Fraction(3, 4)));
}

TEST(FractionTest, Ordering) {
    EXPECT_TRUE(Fraction(1, 2) < Fraction(2, 3));
    EXPECT_FALSE(Fraction(2, 3) < Fraction(1, 2));
    EXPECT_TRUE(Fraction(1, 2) <= Fraction(2, 4));
    EXPECT_TRUE(Fraction(1, -2) < Fraction(1, 3));
    // Exact even where the doubles are equal.
    EXPECT_TRUE(Fraction(INT64_MAX - 1, INT64_MAX) < Fraction(INT64_MAX, INT64_MAX - 1));
    EXPECT_TRUE(Fraction(9007199254740993, 1) > Fraction(9007199254740992, 1));
    // A zero denominator orders by its infinite quotient.
    EXPECT_TRUE(Fraction(1, 2) < Fraction(1, 0));
}

TEST(FractionTest, RationalSecondsText) {
    struct Out {
        Fraction value;
        const char* text;
    };
    const Out outputs[] = {
        {Fraction(2, 1), "2s"},
        {Fraction(-48, 24), "-2s"},
        {Fraction(3, 1), "3s"},
        {Fraction(1, 3), "1/3s"},
        {Fraction(1001, 30000), "1001/30000s"},
        {Fraction(100, 2400), "100/2400s"},
        {Fraction(1, -3), "-1/3s"},
        {Fraction(INT64_MIN, -1), "9223372036854775808s"},
        {Fraction(5, 0), "5/0s"},
    };
    for (const Out& o : outputs) {
        EXPECT_EQ(o.value.rationalSecondsString(), o.text);
    }

    struct In {
        const char* text;
        std::optional<Fraction> expected;
    };
    const In inputs[] = {
        {"1001/30000s", Fraction(1001, 30000)},
        {"-5s", Fraction(-5, 1)},
        {"0s", Fraction(0, 1)},
        {"-1001/30000s", Fraction(-1001, 30000)},
        {"5/0s", Fraction(5, 0)},
        {"1.5s", std::nullopt},
        {"+5s", std::nullopt},
        {"5", std::nullopt},
        {" 5s", std::nullopt},
        {"", std::nullopt},
        {"99999999999999999999s", std::nullopt},
        {"1/99999999999999999999s", std::nullopt},
    };
    for (const In& in : inputs) {
        const auto parsed = Fraction::fromRationalSecondsString(in.text);
        ASSERT_EQ(parsed.has_value(), in.expected.has_value()) << in.text;
        if (parsed) {
            EXPECT_TRUE(parsed->isIdentical(*in.expected)) << in.text;
        }
    }
    EXPECT_EQ(Fraction::fromRationalSecondsString("-5s")->isReducedFlag(), true);
    EXPECT_EQ(Fraction::fromRationalSecondsString("10/20s")->isReducedFlag(), std::nullopt);
}

TEST(FractionTest, MediaTimeConversions) {
    EXPECT_TRUE(Fraction(MediaTime::indefiniteTime()).isIdentical(Fraction(0, 1)));
    EXPECT_TRUE(Fraction(MediaTime::positiveInfinityTime()).isIdentical(Fraction(0, 1)));
    EXPECT_TRUE(Fraction(MediaTime::negativeInfinityTime()).isIdentical(Fraction(0, 1)));
    EXPECT_TRUE(Fraction(MediaTime(2002, 60000)).isIdentical(Fraction(2002, 60000)));
    const MediaTime time = Fraction(1001, 30000).mediaTime();
    EXPECT_EQ(time.value, 1001);
    EXPECT_EQ(time.timescale, 30000);
    EXPECT_TRUE(time.isNumeric());
    EXPECT_THROW((void)Fraction(1, std::int64_t{1} << 40).mediaTime(), FractionError);
}

TEST(FractionTest, Predicates) {
    EXPECT_FALSE(Fraction(100, 2400).isInLowestTerms());
    EXPECT_TRUE(Fraction(1, 2).isInLowestTerms());
    EXPECT_FALSE(Fraction(1, -2).isInLowestTerms());
    EXPECT_FALSE(Fraction(2, 4).isIdentical(Fraction(1, 2)));
    EXPECT_TRUE(Fraction(-1, 2).isNegative());
    EXPECT_TRUE(Fraction(1, -2).isNegative());
    EXPECT_FALSE(Fraction(-1, -2).isNegative());
    EXPECT_TRUE(Fraction(0, -1).isNegative());
    EXPECT_TRUE(Fraction(6, 3).isWholeNumber());
    EXPECT_TRUE(Fraction(-4, 2).isWholeNumber());
    EXPECT_FALSE(Fraction(1, 2).isWholeNumber());
    EXPECT_FALSE(Fraction(1, 0).isWholeNumber());
    // Tested exactly: the double quotient of this value looks whole.
    EXPECT_FALSE(Fraction((std::int64_t{1} << 60) + 1, 2).isWholeNumber());
    EXPECT_EQ(Fraction(1, 3).doubleValue(), 0.3333333333333333);
    EXPECT_TRUE(std::isinf(Fraction(1, 0).doubleValue()));
    EXPECT_EQ(Fraction(1, 4).floatValue(), 0.25f);
    EXPECT_EQ(Fraction(1, 8).decimalValue().description(), "0.125");
    EXPECT_EQ(Fraction(1, 3).decimalValue().description(),
              "0.33333333333333333333333333333333333333");
}

TEST(FractionTest, FromDoubleCutsInDecimal) {
    struct Case {
        double value;
        int places;
        std::int64_t numerator;
        std::int64_t denominator;
    };
    const Case cases[] = {
        {0.5, 3, 1, 2},
        {0.3333, 2, 33, 100},
        {-2.75, 1, -27, 10},
        {3.9, 0, 3, 1},
        {3.9, -4, 3, 1},
        {0.29, 2, 29, 100}, // 0.29 x 100 is 28.999999999999996 in binary floating point
        {1234567890123.5, 10, 2469135780247, 2},
        {0.1, 40, 1, 10},
    };
    for (const Case& c : cases) {
        const Fraction f = Fraction::fromDouble(c.value, c.places);
        EXPECT_EQ(f.numerator(), c.numerator) << c.value;
        EXPECT_EQ(f.denominator(), c.denominator) << c.value;
        EXPECT_EQ(f.isReducedFlag(), true);
    }
    EXPECT_THROW((void)Fraction::fromDouble(NAN, 2), FractionError);
    EXPECT_THROW((void)Fraction::fromDouble(INFINITY, 2), FractionError);
    EXPECT_THROW((void)Fraction::fromDouble(1e30, 0), FractionError);
    EXPECT_THROW((void)Fraction::fromDouble(9.99, 30), FractionError);
}
