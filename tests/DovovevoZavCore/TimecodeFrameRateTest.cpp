#include "DovovevoZavCore/TimecodeFrameRate.h"

#include "DovovevoZavCore/VideoFrameRate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <unordered_set>

using dovovevozav::Fraction;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeSubFramesBase;
using dovovevozav::TimecodeUpperLimit;
using Group = TimecodeFrameRate::CompatibleGroup;

// The table's columns hang together: the raw text names the rate and its drop counting, the
// 1001 family and the whole rates have their own fraction forms, and the group follows from
// both. Checked for every rate, with a few documented values pinned.
TEST(TimecodeFrameRateTest, TableAndDerivedValues) {
    const auto all = TimecodeFrameRate::allCases();
    ASSERT_EQ(all.size(), TimecodeFrameRate::caseCount);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const TimecodeFrameRate rate = all[i];
        const std::string raw(rate.rawValue());
        SCOPED_TRACE(raw);
        EXPECT_EQ(rate.index(), i);
        const bool drop = raw.back() == 'd';
        const std::string number = drop ? raw.substr(0, raw.size() - 1) : raw;
        const int timebase = rate.timebase();
        EXPECT_EQ(rate.isDropFrame(), drop);
        EXPECT_EQ(rate.longName(), number + " fps" + (drop ? " drop" : ""));
        EXPECT_EQ(rate.droppedFramesPerMinute(), drop ? timebase / 15 : 0);

        // The 1001 family counts timebase x 1000/1001 frames a second; whole rates their
        // timebase, with the frame duration kept unreduced over 100.
        const Fraction r = rate.rate();
        const bool family1001 = r.denominator() == 1001;
        EXPECT_EQ(r.isReducedFlag(), std::nullopt);
        EXPECT_NEAR(r.doubleValue(), std::stod(number), 0.005);
        if (family1001) {
            EXPECT_TRUE(r.isIdentical(Fraction(timebase * 1000, 1001)));
            EXPECT_TRUE(rate.frameDuration().isIdentical(Fraction(1001, timebase * 1000)));
            const auto decimal = std::llround(std::stod(number) * 1000);
            ASSERT_TRUE(rate.decimalFrameDuration().has_value());
            EXPECT_TRUE(rate.decimalFrameDuration()->isIdentical(Fraction(1000, decimal)));
        } else {
            EXPECT_TRUE(r.isIdentical(Fraction(timebase, 1)));
            EXPECT_TRUE(rate.frameDuration().isIdentical(Fraction(100, timebase * 100)));
            EXPECT_FALSE(rate.decimalFrameDuration().has_value());
        }
        const Group group = drop ? (family1001 ? Group::ntscDrop : Group::ntscColorWallTime)
                                 : (family1001 ? Group::ntscColor : Group::whole);
        EXPECT_EQ(rate.compatibleGroup(), group);

        EXPECT_EQ(rate.highestFrameNumber(), timebase - 1);
        EXPECT_EQ(rate.frameDigitCount(), timebase >= 120 ? 3 : 2);
        // Frames per day: 86,400 x timebase less the dropped numbers of 1,296 minutes.
        const std::int64_t framesPerDay =
            86400 * timebase - static_cast<std::int64_t>(rate.droppedFramesPerMinute()) * 1296;
        EXPECT_EQ(rate.spanFrames(TimecodeUpperLimit::max24Hours), framesPerDay);
        EXPECT_EQ(rate.spanFrames(TimecodeUpperLimit::max100Days), framesPerDay * 100);
        EXPECT_EQ(rate.lastSpanFrame(TimecodeUpperLimit::max24Hours), framesPerDay - 1);
        EXPECT_EQ(rate.spanSubFrames(TimecodeUpperLimit::max24Hours,
                                     TimecodeSubFramesBase::quarterFrames),
                  framesPerDay * 4);
        EXPECT_EQ(rate.lastSpanSubFrame(TimecodeUpperLimit::max100Days,
                                        TimecodeSubFramesBase::max100SubFrames),
                  framesPerDay * 100 * 100 - 1);
        EXPECT_EQ(TimecodeFrameRate::fromRawValue(raw), rate);
        EXPECT_EQ(TimecodeFrameRate::fromStringValue(raw), rate);
        EXPECT_EQ(TimecodeFrameRate::fromString(raw), rate);

        // Counting and real-time rates, compared exactly.
        if (drop) {
            const double counting = timebase == 30 ? 29.97 : timebase == 60 ? 59.94 : 119.88;
            EXPECT_EQ(rate.countingRate(), counting);
        } else {
            EXPECT_EQ(rate.countingRate(), static_cast<double>(timebase));
        }
        if (family1001) {
            EXPECT_EQ(rate.realTimeRate(), timebase / 1.001);
        } else {
            EXPECT_EQ(rate.realTimeRate(), static_cast<double>(timebase));
        }
    }
    // timebase / 1.001 is one unit in the last place above numerator / denominator at these.
    for (int timebase : {25, 30, 60, 120}) {
        const double quotient = timebase * 1000.0 / 1001.0;
        EXPECT_EQ(timebase / 1.001, std::nextafter(quotient, 1000.0)) << timebase;
    }
    // Documented values: the first and a drop-frame rate in full, the case order's anchors.
    const TimecodeFrameRate first = all.front();
    EXPECT_EQ(first, TimecodeFrameRate::fps23_976);
    EXPECT_EQ(first.rawValue(), "23.976");
    EXPECT_TRUE(first.rate().isIdentical(Fraction(24000, 1001)));
    EXPECT_TRUE(first.decimalFrameDuration()->isIdentical(Fraction(1000, 23976)));
    EXPECT_EQ(all.back(), TimecodeFrameRate::fps120d);
    const TimecodeFrameRate drop = TimecodeFrameRate::fps29_97d;
    EXPECT_EQ(drop.longName(), "29.97 fps drop");
    EXPECT_EQ(drop.timebase(), 30);
    EXPECT_EQ(drop.droppedFramesPerMinute(), 2);
    EXPECT_EQ(drop.spanFrames(TimecodeUpperLimit::max24Hours), 2589408);
    EXPECT_TRUE(TimecodeFrameRate(TimecodeFrameRate::fps24_98)
                    .decimalFrameDuration()
                    ->isIdentical(Fraction(1000, 24980)));
    EXPECT_TRUE(TimecodeFrameRate(TimecodeFrameRate::fps24)
                    .frameDuration()
                    .isIdentical(Fraction(100, 2400)));
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
