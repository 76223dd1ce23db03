#include "DovovevoZavCore/Timecode.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Component = Timecode::Component;
using Rate = TimecodeFrameRate;

Timecode makeTimecode(Timecode::Components components, Timecode::Properties properties) {
    Timecode timecode(properties);
    timecode.setComponents(components);
    return timecode;
}

} // namespace

TEST(TimecodeTest, OutOfRangeComponentsFollowEachComponentsRange) {
    constexpr auto f24 = Timecode::UpperLimit::max24Hours;
    constexpr auto d100 = Timecode::UpperLimit::max100Days;
    constexpr auto b80 = Timecode::SubFramesBase::max80SubFrames;
    constexpr auto quarter = Timecode::SubFramesBase::quarterFrames;
    struct Row {
        Timecode::Components components;
        Timecode::Properties properties;
        Timecode::ComponentSet expected;
    };
    const std::vector<Row> rows = {
        // Drop-frame minutes skip frame numbers 0 and 1 (29.97d), except every tenth minute.
        {{0, 0, 1, 0, 0, 0}, {Rate::fps29_97d}, {Component::frames}},
        {{0, 0, 1, 0, 1, 0}, {Rate::fps29_97d}, {Component::frames}},
        {{0, 0, 1, 0, 2, 0}, {Rate::fps29_97d}, {}},
        {{0, 0, 10, 0, 0, 0}, {Rate::fps29_97d}, {}},
        {{0, 0, 1, 1, 0, 0}, {Rate::fps29_97d}, {}},
        {{0, 0, 1, 0, 0, 0}, {Rate::fps30d}, {Component::frames}},
        // The higher drop rates skip 4 and 8 numbers, matching their counting.
        {{0, 0, 1, 0, 3, 0}, {Rate::fps59_94d}, {Component::frames}},
        {{0, 0, 1, 0, 4, 0}, {Rate::fps60d}, {}},
        {{0, 0, 1, 0, 7, 0}, {Rate::fps119_88d}, {Component::frames}},
        {{0, 0, 1, 0, 8, 0}, {Rate::fps120d}, {}},
        {{0, 0, 1, 0, 0, 0}, {Rate::fps29_97}, {}},
        {{0, 0, 0, 0, 24, 0}, {Rate::fps25}, {}},
        {{0, 0, 0, 0, 25, 0}, {Rate::fps25}, {Component::frames}},
        {{0, 0, 0, 0, 119, 0}, {Rate::fps120}, {}},
        {{1, 0, 0, 0, 0, 0}, {Rate::fps24, b80, f24}, {Component::days}},
        {{1, 0, 0, 0, 0, 0}, {Rate::fps24, b80, d100}, {}},
        {{100, 0, 0, 0, 0, 0}, {Rate::fps24, b80, d100}, {Component::days}},
        {{-1, 0, 0, 0, 0, 0}, {Rate::fps24, b80, d100}, {Component::days}},
        {{0, -1, 60, -5, 0, -1},
         {Rate::fps24},
         {Component::hours, Component::minutes, Component::seconds, Component::subFrames}},
        {{0, 0, 0, 0, 0, 3}, {Rate::fps24, quarter}, {}},
        {{0, 0, 0, 0, 0, 4}, {Rate::fps24, quarter}, {Component::subFrames}},
        {{0, 0, 0, 0, -1, 80}, {Rate::fps24}, {Component::frames, Component::subFrames}},
        {{INT64_MIN, INT64_MIN, INT64_MAX, INT64_MIN, INT64_MIN, INT64_MAX},
         {Rate::fps29_97d},
         {Component::days, Component::hours, Component::minutes, Component::seconds,
          Component::frames, Component::subFrames}},
    };
    for (const Row& row : rows) {
        const Timecode timecode = makeTimecode(row.components, row.properties);
        EXPECT_EQ(timecode.invalidComponents(), row.expected)
            << timecode.formattedString({Timecode::StringFormatOption::showSubFrames});
        EXPECT_EQ(timecode.isValid(), row.expected.empty());
    }
}

TEST(TimecodeTest, DigitCountsAndAllowedRanges) {
    Timecode timecode = makeTimecode({0, 0, 0, 0, 119, 0}, {Rate::fps119_88d});
    EXPECT_TRUE(timecode.fitsDigitCounts());
    timecode.setComponents({0, 0, 0, 0, 1000, 0});
    EXPECT_FALSE(timecode.fitsDigitCounts());
    timecode.setComponents({0, -10, 0, 0, 0, 0}); // the sign is not counted
    EXPECT_TRUE(timecode.fitsDigitCounts());
    timecode.setComponents({0, INT64_MIN, 0, 0, 0, 0});
    EXPECT_FALSE(timecode.fitsDigitCounts());
    timecode =
        makeTimecode({0, 0, 0, 0, 0, 10}, {Rate::fps25, Timecode::SubFramesBase::quarterFrames});
    EXPECT_FALSE(timecode.fitsDigitCounts());

    EXPECT_EQ(Component(Component::frames)
                  .digitCount(Rate::fps100, Timecode::SubFramesBase::max80SubFrames),
              2);
    EXPECT_EQ(Component(Component::frames)
                  .digitCount(Rate::fps120d, Timecode::SubFramesBase::max80SubFrames),
              3);

    const Timecode dropMinute = makeTimecode({0, 0, 1, 0, 5, 0}, {Rate::fps59_94d});
    EXPECT_EQ(dropMinute.allowedRange(Component::frames), (Timecode::ComponentRange{4, 59}));
    EXPECT_EQ(dropMinute.allowedRange(Component::days), (Timecode::ComponentRange{0, 0}));
    EXPECT_EQ(Timecode::allowedRange(Component::subFrames, {}, Rate::fps24,
                                     Timecode::SubFramesBase::max100SubFrames,
                                     Timecode::UpperLimit::max100Days),
              (Timecode::ComponentRange{0, 99}));
}

TEST(TimecodeTest, ClampComponentsUsesClampedMinutesAndSecondsForFrames) {
    struct Row {
        Timecode::Components input;
        Rate rate;
        Timecode::Components expected;
    };
    const std::vector<Row> rows = {
        {{0, 0, 0, 75, 40, 0}, Rate::fps25, {0, 0, 0, 59, 24, 0}},
        {{0, -3, 0, 0, 0, 0}, Rate::fps25, {0, 0, 0, 0, 0, 0}},
        {{5, 30, 61, -4, 0, 200}, Rate::fps29_97d, {0, 23, 59, 0, 2, 79}},
        {{0, 0, 1, 0, 0, 0}, Rate::fps119_88d, {0, 0, 1, 0, 8, 0}},
        {{INT64_MIN, INT64_MAX, INT64_MIN, INT64_MAX, INT64_MIN, INT64_MIN},
         Rate::fps24,
         {0, 23, 0, 59, 0, 0}},
    };
    for (const Row& row : rows) {
        Timecode timecode = makeTimecode(row.input, {row.rate});
        timecode.clampComponents();
        EXPECT_EQ(timecode.components(), row.expected);
        EXPECT_TRUE(timecode.isValid());
    }
}

TEST(TimecodeTest, ComponentNavigationSkipsExcludedComponents) {
    EXPECT_EQ(Component::next(Component::subFrames, {}, true), Component::days);
    EXPECT_EQ(Component::next(Component::subFrames, {}, false), Component::subFrames);
    const Timecode::ComponentSet noFrames{Component::frames, Component::subFrames};
    EXPECT_EQ(Component::next(Component::seconds, noFrames, true), Component::days);
    EXPECT_EQ(Component::next(Component::seconds, noFrames, false), Component::seconds);
    EXPECT_EQ(Component::previous(Component::frames, noFrames, false), Component::seconds);
    EXPECT_EQ(Component::previous(Component::days, {}, true), Component::subFrames);
    EXPECT_EQ(Component::previous(Component::days, {}, false), Component::days);
    EXPECT_EQ(Component::first({Component::days}), Component::hours);
    EXPECT_EQ(Component::last(noFrames), Component::seconds);
    EXPECT_EQ(Component::next(Component::hours, {Component::minutes}, false), Component::seconds);
}

TEST(TimecodeTest, ComponentViewsAndNames) {
    Timecode::Components components = Timecode::Components::fromPairs(
        {{Component::minutes, 5}, {Component::hours, 2}, {Component::minutes, 7}});
    EXPECT_EQ(components, (Timecode::Components{0, 2, 7, 0, 0, 0}));
    components.setDictionary({{Component::frames, 12}});
    EXPECT_EQ(components.dictionary().at(Component::frames), 12);
    EXPECT_EQ(components.dictionary().size(), 6u);
    EXPECT_EQ(components.pairs().front().component, Component::days);
    EXPECT_EQ(components.pairs().back().component, Component::subFrames);

    std::string names;
    for (const Component component : Component::allCases()) {
        names += std::string(component.name()) + "/" + std::string(component.title()) + "/" +
                 std::string(component.lowercasedName()) + " ";
    }
    EXPECT_EQ(names, "days/Days/days hours/Hours/hours minutes/Minutes/minutes "
                     "seconds/Seconds/seconds frames/Frames/frames subFrames/SubFrames/subframes ");
    EXPECT_LT(Component(Component::days), Component(Component::subFrames));
}

TEST(TimecodeTest, RandomComponentsStayInTheirRanges) {
    for (const Rate rate : Rate::allCases()) {
        for (const auto limit : Timecode::UpperLimit::allCases()) {
            const Timecode::Properties properties(rate, Timecode::SubFramesBase::quarterFrames,
                                                  limit);
            for (int i = 0; i < 20; ++i) {
                const Timecode timecode(Timecode::SafeRandomComponents{}, properties);
                EXPECT_TRUE(timecode.isValid()) << timecode.formattedString();
            }
        }
    }
    const Timecode::ComponentRanges ranges{{5, 5}, {1, 2}, {9, 9}, {-3, -3}, {7, 3}, {0, 0}};
    for (int i = 0; i < 20; ++i) {
        const Timecode::Components drawn = Timecode::Components::random(ranges);
        EXPECT_EQ(drawn.days, 5);
        EXPECT_TRUE(drawn.hours == 1 || drawn.hours == 2);
        EXPECT_EQ(drawn.seconds, -3);
        EXPECT_TRUE(drawn.frames >= 3 && drawn.frames <= 7);
    }
    const Timecode rich(GuaranteedRichTimecodeSourceValue::randomComponentsAndProperties());
    EXPECT_TRUE(rich.isValid());
}
