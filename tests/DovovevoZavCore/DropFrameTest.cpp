#include "DovovevoZavCore/Timecode.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <tuple>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;

const Timecode::Properties allDays(Rate rate) {
    return {rate, Base::max80SubFrames, Timecode::UpperLimit::max100Days};
}

Timecode::Components componentsOf(std::int64_t frames, Rate rate) {
    return Timecode::components(
        Timecode::FrameCount(Timecode::FrameCount::Value::frames(frames), Base::max80SubFrames),
        rate);
}

std::int64_t framesOf(const Timecode::Components& components, Rate rate) {
    return Timecode::frameCount(components, rate, Base::max80SubFrames).wholeFrames();
}

auto ordered(const Timecode::Components& c) {
    return std::make_tuple(c.days, c.hours, c.minutes, c.seconds, c.frames);
}

// Counts [first, last] one by one: every count gives valid components, later than the
// previous ones, that count back to the same number.
void checkCountRange(Rate rate, std::int64_t first, std::int64_t last) {
    Timecode::Components previous = componentsOf(first - 1, rate);
    for (std::int64_t frames = first; frames <= last; ++frames) {
        const Timecode::Components components = componentsOf(frames, rate);
        ASSERT_TRUE(components.outOfRangeComponents(allDays(rate)).empty())
            << rate.rawValue() << " " << frames;
        ASSERT_EQ(framesOf(components, rate), frames) << rate.rawValue();
        ASSERT_LT(ordered(previous), ordered(components)) << rate.rawValue() << " " << frames;
        previous = components;
    }
}

} // namespace

TEST(DropFrameTest, CountsMapToValidComponentsAndBack) {
    for (const Rate rate : Rate::dropFrameCases()) {
        const std::int64_t perMinute = rate.timebase() * 60;
        const std::int64_t day = rate.spanFrames(Timecode::UpperLimit::max24Hours);
        // Two whole ten-minute blocks, then windows across hour and day boundaries.
        checkCountRange(rate, 1, rate.timebase() * 1200);
        for (const std::int64_t hour : {1, 2, 23, 24, 25, 47, 48}) {
            const std::int64_t start = framesOf({0, hour, 0, 0, 0, 0}, rate);
            checkCountRange(rate, start - perMinute - 5, start + perMinute + 5);
        }
        checkCountRange(rate, 99 * day - 10, 99 * day + 10);
        EXPECT_EQ(componentsOf(day, rate), (Timecode::Components{1, 0, 0, 0, 0, 0}));
        EXPECT_EQ(componentsOf(day - 1, rate),
                  (Timecode::Components{0, 23, 59, 59, rate.highestFrameNumber(), 0}));
    }
}

TEST(DropFrameTest, ValidComponentsCountConsecutively) {
    for (const Rate rate : Rate::dropFrameCases()) {
        for (const Timecode::Components start :
             {Timecode::Components{0, 0, 0, 0, 0, 0}, Timecode::Components{0, 23, 48, 0, 0, 0},
              Timecode::Components{3, 11, 55, 0, 0, 0}}) {
            Timecode::Components c = start;
            c.frames =
                Timecode::allowedRange(Timecode::Component::frames, c, rate, Base::max80SubFrames,
                                       Timecode::UpperLimit::max100Days)
                    .lowerBound;
            std::int64_t expected = framesOf(c, rate);
            for (int minute = 0; minute < 14; ++minute) {
                for (c.seconds = 0; c.seconds < 60; ++c.seconds) {
                    const auto range = Timecode::allowedRange(Timecode::Component::frames, c, rate,
                                                              Base::max80SubFrames,
                                                              Timecode::UpperLimit::max100Days);
                    for (c.frames = range.lowerBound; c.frames <= range.upperBound; ++c.frames) {
                        ASSERT_EQ(framesOf(c, rate), expected++)
                            << rate.rawValue() << " " << c.hours << ":" << c.minutes << ":"
                            << c.seconds << ";" << c.frames;
                    }
                }
                c.seconds = 0;
                c.frames = 0;
                c.minutes += 1;
                if (c.minutes == 60) {
                    c.minutes = 0;
                    c.hours += 1;
                    if (c.hours == 24) {
                        c.hours = 0;
                        c.days += 1;
                    }
                }
            }
        }
    }
}

TEST(DropFrameTest, NegativeCountsNegateTheFirstNonZeroComponent) {
    for (const Rate rate : Rate::dropFrameCases()) {
        for (const std::int64_t frames : {1LL, 29LL, 1800LL, 17982LL, 107892LL, 5000000LL}) {
            Timecode::Components expected = componentsOf(frames, rate);
            for (std::int64_t* value : {&expected.days, &expected.hours, &expected.minutes,
                                        &expected.seconds, &expected.frames}) {
                if (*value != 0) {
                    *value = -*value;
                    break;
                }
            }
            EXPECT_EQ(componentsOf(-frames, rate), expected) << rate.rawValue() << " " << frames;
        }
    }
    EXPECT_EQ(componentsOf(-1800, Rate::fps29_97d), (Timecode::Components{0, 0, -1, 0, 2, 0}));
}
