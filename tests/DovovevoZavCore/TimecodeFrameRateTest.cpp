#include "DovovevoZavCore/TimecodeFrameRate.h"

#include "DovovevoZavCore/VideoFrameRate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <unordered_set>

using dovovevozav::Fraction;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeSubFramesBase;
using dovovevozav::TimecodeUpperLimit;
using Group = TimecodeFrameRate::CompatibleGroup;

namespace {

struct RateRow {
    TimecodeFrameRate rate;
    const char* raw;
    const char* longName;
    bool drop;
    int timebase;
    double dropped;
    Fraction rateFraction;
    Fraction duration;
    std::int64_t alternateDenominator;
    std::int64_t framesPerDay;
    Group group;
};

const RateRow kTable[] = {
    {TimecodeFrameRate::fps23_976,
     "23.976",
     "23.976 fps",
     false,
     24,
     0,
     {24000, 1001},
     {1001, 24000},
     23976,
     2073600,
     Group::ntscColor},
    {TimecodeFrameRate::fps24,
     "24",
     "24 fps",
     false,
     24,
     0,
     {24, 1},
     {100, 2400},
     0,
     2073600,
     Group::whole},
    {TimecodeFrameRate::fps24_98,
     "24.98",
     "24.98 fps",
     false,
     25,
     0,
     {25000, 1001},
     {1001, 25000},
     24980,
     2160000,
     Group::ntscColor},
    {TimecodeFrameRate::fps25,
     "25",
     "25 fps",
     false,
     25,
     0,
     {25, 1},
     {100, 2500},
     0,
     2160000,
     Group::whole},
    {TimecodeFrameRate::fps29_97,
     "29.97",
     "29.97 fps",
     false,
     30,
     0,
     {30000, 1001},
     {1001, 30000},
     29970,
     2592000,
     Group::ntscColor},
    {TimecodeFrameRate::fps29_97d,
     "29.97d",
     "29.97 fps drop",
     true,
     30,
     2,
     {30000, 1001},
     {1001, 30000},
     29970,
     2589408,
     Group::ntscDrop},
    {TimecodeFrameRate::fps30,
     "30",
     "30 fps",
     false,
     30,
     0,
     {30, 1},
     {100, 3000},
     0,
     2592000,
     Group::whole},
    {TimecodeFrameRate::fps30d,
     "30d",
     "30 fps drop",
     true,
     30,
     2,
     {30, 1},
     {100, 3000},
     0,
     2589408,
     Group::ntscColorWallTime},
    {TimecodeFrameRate::fps47_952,
     "47.952",
     "47.952 fps",
     false,
     48,
     0,
     {48000, 1001},
     {1001, 48000},
     47952,
     4147200,
     Group::ntscColor},
    {TimecodeFrameRate::fps48,
     "48",
     "48 fps",
     false,
     48,
     0,
     {48, 1},
     {100, 4800},
     0,
     4147200,
     Group::whole},
    {TimecodeFrameRate::fps50,
     "50",
     "50 fps",
     false,
     50,
     0,
     {50, 1},
     {100, 5000},
     0,
     4320000,
     Group::whole},
    {TimecodeFrameRate::fps59_94,
     "59.94",
     "59.94 fps",
     false,
     60,
     0,
     {60000, 1001},
     {1001, 60000},
     59940,
     5184000,
     Group::ntscColor},
    {TimecodeFrameRate::fps59_94d,
     "59.94d",
     "59.94 fps drop",
     true,
     60,
     4,
     {60000, 1001},
     {1001, 60000},
     59940,
     5178816,
     Group::ntscDrop},
    {TimecodeFrameRate::fps60,
     "60",
     "60 fps",
     false,
     60,
     0,
     {60, 1},
     {100, 6000},
     0,
     5184000,
     Group::whole},
    {TimecodeFrameRate::fps60d,
     "60d",
     "60 fps drop",
     true,
     60,
     4,
     {60, 1},
     {100, 6000},
     0,
     5178816,
     Group::ntscColorWallTime},
    {TimecodeFrameRate::fps90,
     "90",
     "90 fps",
     false,
     90,
     0,
     {90, 1},
     {100, 9000},
     0,
     7776000,
     Group::whole},
    {TimecodeFrameRate::fps95_904,
     "95.904",
     "95.904 fps",
     false,
     96,
     0,
     {96000, 1001},
     {1001, 96000},
     95904,
     8294400,
     Group::ntscColor},
    {TimecodeFrameRate::fps96,
     "96",
     "96 fps",
     false,
     96,
     0,
     {96, 1},
     {100, 9600},
     0,
     8294400,
     Group::whole},
    {TimecodeFrameRate::fps100,
     "100",
     "100 fps",
     false,
     100,
     0,
     {100, 1},
     {100, 10000},
     0,
     8640000,
     Group::whole},
    {TimecodeFrameRate::fps119_88,
     "119.88",
     "119.88 fps",
     false,
     120,
     0,
     {120000, 1001},
     {1001, 120000},
     119880,
     10368000,
     Group::ntscColor},
    {TimecodeFrameRate::fps119_88d,
     "119.88d",
     "119.88 fps drop",
     true,
     120,
     8,
     {120000, 1001},
     {1001, 120000},
     119880,
     10357632,
     Group::ntscDrop},
    {TimecodeFrameRate::fps120,
     "120",
     "120 fps",
     false,
     120,
     0,
     {120, 1},
     {100, 12000},
     0,
     10368000,
     Group::whole},
    {TimecodeFrameRate::fps120d,
     "120d",
     "120 fps drop",
     true,
     120,
     8,
     {120, 1},
     {100, 12000},
     0,
     10357632,
     Group::ntscColorWallTime},
};

} // namespace

TEST(TimecodeFrameRateTest, TableAndDerivedValues) {
    const auto all = TimecodeFrameRate::allCases();
    ASSERT_EQ(all.size(), std::size(kTable));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const RateRow& row = kTable[i];
        const TimecodeFrameRate rate = all[i];
        SCOPED_TRACE(row.raw);
        EXPECT_EQ(rate, row.rate);
        EXPECT_EQ(rate.rawValue(), row.raw);
        EXPECT_EQ(rate.longName(), row.longName);
        EXPECT_EQ(rate.isDropFrame(), row.drop);
        EXPECT_EQ(rate.timebase(), row.timebase);
        EXPECT_EQ(rate.droppedFramesPerMinute(), row.dropped);
        EXPECT_TRUE(rate.rate().isIdentical(row.rateFraction));
        EXPECT_TRUE(rate.frameDuration().isIdentical(row.duration));
        EXPECT_EQ(rate.rate().isReducedFlag(), std::nullopt);
        if (row.alternateDenominator == 0) {
            EXPECT_FALSE(rate.decimalFrameDuration().has_value());
        } else {
            EXPECT_TRUE(
                rate.decimalFrameDuration()->isIdentical(Fraction(1000, row.alternateDenominator)));
        }
        EXPECT_EQ(rate.highestFrameNumber(), row.timebase - 1);
        EXPECT_EQ(rate.frameDigitCount(), row.timebase >= 120 ? 3 : 2);
        // Frames per day: 86,400 x timebase less the dropped numbers of 1,296 minutes.
        EXPECT_EQ(rate.spanFrames(TimecodeUpperLimit::max24Hours), row.framesPerDay);
        EXPECT_EQ(row.framesPerDay,
                  86400 * row.timebase - static_cast<std::int64_t>(row.dropped) * 1296);
        EXPECT_EQ(rate.spanFrames(TimecodeUpperLimit::max100Days), row.framesPerDay * 100);
        EXPECT_EQ(rate.lastSpanFrame(TimecodeUpperLimit::max24Hours), row.framesPerDay - 1);
        EXPECT_EQ(rate.spanSubFrames(TimecodeUpperLimit::max24Hours,
                                     TimecodeSubFramesBase::quarterFrames),
                  row.framesPerDay * 4);
        EXPECT_EQ(rate.lastSpanSubFrame(TimecodeUpperLimit::max100Days,
                                        TimecodeSubFramesBase::max100SubFrames),
                  row.framesPerDay * 100 * 100 - 1);
        EXPECT_EQ(rate.compatibleGroup(), row.group);
        EXPECT_EQ(TimecodeFrameRate::fromRawValue(row.raw), rate);
        EXPECT_EQ(TimecodeFrameRate::fromStringValue(row.raw), rate);
        EXPECT_EQ(TimecodeFrameRate::fromString(row.raw), rate);

        // Counting and real-time rates, compared exactly.
        const bool family1001 = row.rateFraction.denominator() == 1001;
        if (row.drop) {
            const double counting = row.timebase == 30   ? 29.97
                                    : row.timebase == 60 ? 59.94
                                                         : 119.88;
            EXPECT_EQ(rate.countingRate(), counting);
        } else {
            EXPECT_EQ(rate.countingRate(), static_cast<double>(row.timebase));
        }
        if (family1001) {
            EXPECT_EQ(rate.realTimeRate(), row.timebase / 1.001);
        } else {
            EXPECT_EQ(rate.realTimeRate(), static_cast<double>(row.timebase));
        }
    }
    // timebase / 1.001 is one unit in the last place above numerator / denominator at these.
    for (int timebase : {25, 30, 60, 120}) {
        const double quotient = timebase * 1000.0 / 1001.0;
        EXPECT_EQ(timebase / 1.001, std::nextafter(quotient, 1000.0)) << timebase;
    }
    EXPECT_EQ(TimecodeFrameRate(TimecodeFrameRate::fps30d).countingRate(), 29.97);
    EXPECT_TRUE(TimecodeFrameRate(TimecodeFrameRate::fps30d).rate().isIdentical(Fraction(30, 1)));
}

TEST(TimecodeFrameRateTest, CaseListsAndGroups) {
    EXPECT_EQ(TimecodeFrameRate::dropFrameCases().size(), 6u);
    EXPECT_EQ(TimecodeFrameRate::nonDropFrameCases().size(), 17u);
    for (TimecodeFrameRate rate : TimecodeFrameRate::dropFrameCases()) {
        EXPECT_TRUE(rate.isDropFrame());
    }
    for (TimecodeFrameRate rate : TimecodeFrameRate::nonDropFrameCases()) {
        EXPECT_FALSE(rate.isDropFrame());
    }
    std::size_t memberCount = 0;
    for (Group group : TimecodeFrameRate::allGroups()) {
        for (TimecodeFrameRate rate : TimecodeFrameRate::members(group)) {
            EXPECT_EQ(rate.compatibleGroup(), group) << rate.rawValue();
            ++memberCount;
        }
    }
    EXPECT_EQ(memberCount, 23u);
    EXPECT_EQ(TimecodeFrameRate::description(Group::ntscDrop), "NTSC Drop-Frame");
    EXPECT_EQ(TimecodeFrameRate::description(Group::ntscColorWallTime), "NTSC Color Wall Time");
    const TimecodeFrameRate ntsc = TimecodeFrameRate::fps29_97;
    EXPECT_TRUE(ntsc.sharesGroup(TimecodeFrameRate::fps23_976));
    EXPECT_FALSE(ntsc.sharesGroup(TimecodeFrameRate::fps29_97d));
    EXPECT_EQ(ntsc.groupMembers().front(), TimecodeFrameRate::fps23_976);
}

TEST(TimecodeFrameRateTest, TextForms) {
    const TimecodeFrameRate ntsc = TimecodeFrameRate::fps29_97;
    EXPECT_EQ(ntsc.durationAndDropTexts(),
              std::make_pair(std::string("1001/30000s"), std::string("NDF")));
    EXPECT_EQ(TimecodeFrameRate(TimecodeFrameRate::fps30).durationAndDropTexts().first,
              "100/3000s");
    EXPECT_EQ(TimecodeFrameRate(TimecodeFrameRate::fps29_97d).durationAndDropTexts().second, "DF");
    const auto texts = ntsc.rateTexts();
    EXPECT_EQ(texts[0], "30000/1001");
    EXPECT_EQ(texts[1], "false");
    EXPECT_EQ(texts[2], "30");
    EXPECT_EQ(TimecodeFrameRate(TimecodeFrameRate::fps60d).rateTexts()[1], "true");
    EXPECT_EQ(ntsc.frameDurationMediaTime().value, 1001);
    EXPECT_EQ(ntsc.frameDurationMediaTime().timescale, 30000);
    EXPECT_EQ(ntsc.rateMediaTime().value, 30000);

    std::unordered_set<TimecodeFrameRate> set(TimecodeFrameRate::allCases().begin(),
                                              TimecodeFrameRate::allCases().end());
    EXPECT_EQ(set.size(), 23u);
}

TEST(TimecodeFrameRateTest, LookupsByText) {
    EXPECT_EQ(TimecodeFrameRate::fromRawValue("29.97d"), TimecodeFrameRate::fps29_97d);
    for (const char* text : {"29.97D", "29.970", "", " 29.97d", "29.97d ", "30 fps"}) {
        EXPECT_FALSE(TimecodeFrameRate::fromRawValue(text).has_value()) << text;
    }
}

TEST(TimecodeFrameRateTest, LookupsByFraction) {
    using R = TimecodeFrameRate;
    struct Case {
        Fraction fraction;
        bool drop;
        std::optional<TimecodeFrameRate> byRate;
    };
    const Case byRate[] = {
        {{24000, 1001}, false, R::fps23_976}, {{24000, 1001}, true, std::nullopt},
        {{30000, 1001}, false, R::fps29_97},  {{30000, 1001}, true, R::fps29_97d},
        {{30, 1}, false, R::fps30},           {{30, 1}, true, R::fps30d},
        {{60, 1}, true, R::fps60d},           {{25, 1}, true, std::nullopt},
        {{48000, 2002}, false, R::fps23_976}, {{0, 0}, false, std::nullopt},
        {{1, 0}, false, std::nullopt},
    };
    for (const Case& c : byRate) {
        EXPECT_EQ(R::matchingRate(c.fraction, c.drop), c.byRate) << c.fraction.description();
    }
    const Case byDuration[] = {
        {{1000, 23976}, false, R::fps23_976}, {{1, 24}, false, R::fps24},
        {{1001, 30000}, false, R::fps29_97},  {{1000, 29970}, true, R::fps29_97d},
        {{1, 30}, false, R::fps30},           {{1, 30}, true, R::fps30d},
        {{1, 25}, true, std::nullopt},        {{0, 0}, false, std::nullopt},
    };
    for (const Case& c : byDuration) {
        EXPECT_EQ(R::matchingFrameDuration(c.fraction, c.drop), c.byRate)
            << c.fraction.description();
    }
    EXPECT_EQ(R::matchingRate(std::int64_t{30000}, 1001, true), R::fps29_97d);
    EXPECT_EQ(R::matchingFrameDuration(std::int64_t{1001}, 24000, false), R::fps23_976);
}
