#include "DovovevoZavCore/MediaTime.h"

#include "DovovevoZavCore/MediaTimeRange.h"

#include <cmath>
#include <gtest/gtest.h>

using dovovevozav::MediaTime;
using dovovevozav::MediaTimeRange;

TEST(MediaTimeTest, ExactComparisonAcrossTimescales) {
    EXPECT_EQ(MediaTime(1001, 30000), MediaTime(2002, 60000));
    EXPECT_LT(MediaTime(1000, 30000), MediaTime(1001, 30000));
    // Values whose doubles are equal still compare exactly.
    EXPECT_LT(MediaTime(INT64_MAX - 1, 1000000007), MediaTime(INT64_MAX, 1000000007));
    EXPECT_GT(MediaTime(INT64_MAX, 1), MediaTime(INT64_MAX, 2));
    EXPECT_LT(MediaTime(INT64_MIN, 1), MediaTime(-1, INT32_MAX));

    // Non-numeric times have a fixed place in the order.
    const MediaTime order[] = {MediaTime::negativeInfinityTime(),
                               MediaTime(-5, 1),
                               MediaTime(0, 1),
                               MediaTime::indefiniteTime(),
                               MediaTime::positiveInfinityTime(),
                               MediaTime::invalid()};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_EQ(MediaTime::compare(order[i], order[i + 1]), -1) << i;
        EXPECT_EQ(MediaTime::compare(order[i + 1], order[i]), 1) << i;
        EXPECT_EQ(MediaTime::compare(order[i], order[i]), 0) << i;
    }
}

TEST(MediaTimeTest, FlagsAndSeconds) {
    EXPECT_FALSE(MediaTime().isValid());
    EXPECT_TRUE(MediaTime(1, 2).isNumeric());
    EXPECT_FALSE(MediaTime::indefiniteTime().isNumeric());
    EXPECT_TRUE(MediaTime::indefiniteTime().isIndefinite());
    EXPECT_EQ(MediaTime(1001, 1000).seconds(), 1.001);
    EXPECT_TRUE(std::isnan(MediaTime().seconds()));
    EXPECT_TRUE(std::isinf(MediaTime::negativeInfinityTime().seconds()));
    EXPECT_EQ(MediaTime(1001, 30000).description(), "1001/30000");
    EXPECT_EQ(MediaTime::indefiniteTime().description(), "indefinite");
}

TEST(MediaTimeTest, Addition) {
    const MediaTime sum = MediaTime::add(MediaTime(1, 24), MediaTime(1, 25));
    EXPECT_EQ(sum.value, 49);
    EXPECT_EQ(sum.timescale, 600);
    EXPECT_EQ(MediaTime::add(MediaTime(1, 2), MediaTime(1, 2)), MediaTime(1, 1));
    // Timescales whose common multiple does not fit 32 bits round to the larger one.
    const MediaTime rounded = MediaTime::add(MediaTime(1, 2147483647), MediaTime(1, 2147483629));
    EXPECT_EQ(rounded.timescale, 2147483647);
    EXPECT_TRUE(rounded.flags & MediaTime::hasBeenRounded);
    EXPECT_TRUE(
        MediaTime::add(MediaTime(1, 1), MediaTime::positiveInfinityTime()).isPositiveInfinity());
    EXPECT_TRUE(MediaTime::add(MediaTime::negativeInfinityTime(), MediaTime::positiveInfinityTime())
                    .isIndefinite());
    EXPECT_FALSE(MediaTime::add(MediaTime(), MediaTime(1, 1)).isValid());
}

TEST(MediaTimeTest, Ranges) {
    const MediaTimeRange range(MediaTime(10, 1), MediaTime(5, 1));
    EXPECT_TRUE(range.isValid());
    EXPECT_EQ(range.end(), MediaTime(15, 1));
    EXPECT_FALSE(MediaTimeRange().isValid());
    EXPECT_TRUE(MediaTimeRange(MediaTime(10, 1), MediaTime(-5, 1)).isValid()); // reversed
    const MediaTimeRange fromTo = MediaTimeRange::fromStartToEnd(MediaTime(1, 2), MediaTime(3, 4));
    EXPECT_TRUE(fromTo.isValid());
    EXPECT_EQ(fromTo.duration, MediaTime(1, 4));
    EXPECT_EQ(MediaTimeRange::fromStartToEnd(MediaTime(10, 1), MediaTime(5, 1)).duration,
              MediaTime(-5, 1));
    EXPECT_FALSE(MediaTimeRange::fromStartToEnd(MediaTime::invalid(), MediaTime(5, 1)).isValid());
}
