#include "DovovevoZavCore/VideoFrameRate.h"

#include "DovovevoZavCore/FrameRateProtocol.h"
#include "DovovevoZavCore/TimecodeFrameRate.h"

#include <gtest/gtest.h>

using dovovevozav::Fraction;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::VideoFrameRate;
using V = VideoFrameRate;
using T = TimecodeFrameRate;

TEST(VideoFrameRateTest, TableShape) {
    const auto all = V::allCases();
    ASSERT_EQ(all.size(), 21u);
    int interlaced = 0;
    for (V rate : all) {
        SCOPED_TRACE(rate.displayString());
        interlaced += rate.isInterlaced() ? 1 : 0;
        // Interlaced durations are two fields; every duration is one frame of the rate.
        EXPECT_EQ(rate.frameDuration() * rate.rate(), Fraction(1, 1));
        if (auto alternate = rate.decimalFrameDuration()) {
            EXPECT_EQ(rate.rate().denominator(), 1001);
        }
        EXPECT_EQ(V::fromRawValue(rate.rawValue()), rate);
        EXPECT_EQ(V::fromStringValue(rate.displayString()), rate);
        EXPECT_EQ(rate.framesPerSecond(), rate.rate().doubleValue());
    }
    EXPECT_EQ(interlaced, 5);
    EXPECT_TRUE(V(V::fps25i).frameDuration().isIdentical(Fraction(200, 5000)));
    EXPECT_TRUE(V(V::fps29_97i).decimalFrameDuration()->isIdentical(Fraction(2000, 59940)));
    EXPECT_TRUE(V(V::fps25i).rate().isIdentical(Fraction(25, 1)));
}

TEST(VideoFrameRateTest, DisplayStringAndRawValueDifferAt119_88) {
    EXPECT_EQ(V(V::fps119_88p).displayString(), "119.88pp");
    EXPECT_EQ(V(V::fps119_88p).rawValue(), "119.88p");
    EXPECT_EQ(V::fromStringValue("119.88pp"), V::fps119_88p);
    EXPECT_FALSE(V::fromStringValue("119.88p").has_value());
    EXPECT_EQ(V::fromRawValue("119.88p"), V::fps119_88p);
    EXPECT_FALSE(V::fromRawValue("119.88pp").has_value());
    EXPECT_FALSE(V::fromRawValue("29.97I").has_value());
}

TEST(VideoFrameRateTest, FramesPerSecondLookup) {
    struct Case {
        double fps;
        bool interlaced;
        bool precise;
        std::optional<VideoFrameRate> expected;
    };
    const Case cases[] = {
        {25.0, true, false, V::fps25i},
        {25.0, false, false, V::fps25p},
        {24.0, true, false, std::nullopt},
        {59.94, false, true, V::fps59_94p},
        {29.97, false, false, V::fps29_97p},
        {29.97, true, false, V::fps29_97i},
        {23.976, false, false, V::fps23_98p},
        {119.88, false, false, V::fps119_88p},
        {23.976023976, false, true, V::fps23_98p},
        {12.0, false, false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(V::fromFramesPerSecond(c.fps, c.interlaced, c.precise), c.expected) << c.fps;
    }
    EXPECT_EQ(V::fromFramesPerSecond(29.97f, false), V::fps29_97p);
    EXPECT_EQ(V::fromFramesPerSecond(59.94f, true), V::fps59_94i);
}

TEST(VideoFrameRateTest, FractionLookups) {
    EXPECT_EQ(V::matchingRate(Fraction(30000, 1001), false), V::fps29_97p);
    EXPECT_EQ(V::matchingRate(Fraction(30000, 1001), true), V::fps29_97i);
    EXPECT_EQ(V::matchingRate(Fraction(50, 2), true), V::fps25i);
    EXPECT_FALSE(V::matchingRate(Fraction(24, 1), true).has_value());
    EXPECT_EQ(V::matchingFrameDuration(Fraction(2002, 60000), true), V::fps29_97i);
    EXPECT_EQ(V::matchingFrameDuration(Fraction(2000, 59940), true), V::fps29_97i);
    EXPECT_EQ(V::matchingFrameDuration(Fraction(1000, 59940), true), V::fps59_94i);
    EXPECT_EQ(V::matchingFrameDuration(Fraction(1, 50), false), V::fps50p);
    EXPECT_EQ(V::matchingFrameDuration(Fraction(1, 50), true), V::fps50i);
    EXPECT_EQ(V::matchingFrameDuration(Fraction(1, 25), true), V::fps25i);
    EXPECT_EQ(V::matchingFrameDuration(std::int64_t{1001}, 24000, false), V::fps23_98p);
}

TEST(VideoFrameRateTest, TimecodeRateMappingBothWays) {
    EXPECT_EQ(V(V::fps30p).matchingTimecodeFrameRate(true), T::fps30d);
    EXPECT_EQ(V(V::fps30p).matchingTimecodeFrameRate(false), T::fps30);
    EXPECT_FALSE(V(V::fps120p).matchingTimecodeFrameRate(true).has_value());
    EXPECT_FALSE(V(V::fps60i).matchingTimecodeFrameRate(true).has_value());
    EXPECT_EQ(V(V::fps59_94i).matchingTimecodeFrameRate(true), T::fps59_94d);
    EXPECT_EQ(V(V::fps25i).matchingTimecodeFrameRate(false), T::fps25);

    struct Case {
        TimecodeFrameRate rate;
        std::optional<VideoFrameRate> progressive;
        std::optional<VideoFrameRate> interlaced;
    };
    const Case cases[] = {
        {T::fps23_976, V::fps23_98p, std::nullopt},
        {T::fps24_98, V::fps25p, std::nullopt},
        {T::fps25, V::fps25p, V::fps25i},
        {T::fps29_97d, V::fps29_97p, V::fps29_97i},
        {T::fps30d, V::fps30p, std::nullopt},
        {T::fps50, V::fps50p, V::fps50i},
        {T::fps59_94, V::fps59_94p, std::nullopt},
        {T::fps60, V::fps60p, V::fps60i},
        {T::fps60d, V::fps60p, std::nullopt},
        {T::fps95_904, V::fps95_9p, std::nullopt},
        {T::fps119_88d, V::fps119_88p, std::nullopt},
        {T::fps120d, V::fps120p, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.rate.matchingVideoFrameRate(false), c.progressive) << c.rate.rawValue();
        EXPECT_EQ(c.rate.matchingVideoFrameRate(true), c.interlaced) << c.rate.rawValue();
    }
    // Every timecode rate has a progressive picture rate that maps back to a rate of the
    // same speed.
    for (TimecodeFrameRate rate : T::allCases()) {
        const auto video = rate.matchingVideoFrameRate(false);
        ASSERT_TRUE(video.has_value()) << rate.rawValue();
        EXPECT_EQ(video->matchingTimecodeFrameRate(false)->timebase(), rate.timebase());
    }
}

static_assert(dovovevozav::FrameRateProtocol<TimecodeFrameRate>);
static_assert(dovovevozav::FrameRateProtocol<VideoFrameRate>);

TEST(VideoFrameRateTest, SharedFrameRateInterface) {
    EXPECT_EQ(dovovevozav::frameDurationMediaTime(V(V::fps29_97i)).value, 2002);
    EXPECT_EQ(dovovevozav::rateMediaTime(T(T::fps25)).timescale, 1);
}
