#include "DovovevoZavUI/TimecodeState.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <vector>

using namespace dovovevozav;

TEST(TimecodeStateTest, AnnouncesOnlyRealChangesOfComponentsOrProperties) {
    const auto make = [](Timecode::Components components, TimecodeProperties properties) {
        Timecode timecode(properties);
        timecode.setComponents(components);
        return timecode;
    };
    const TimecodeProperties at25(TimecodeFrameRate::fps25);
    const TimecodeProperties at25Days(TimecodeFrameRate::fps25,
                                      TimecodeSubFramesBase::max80SubFrames,
                                      TimecodeUpperLimit::max100Days);
    struct Row {
        Timecode written;
        int announcements;
    };
    const std::vector<Row> rows = {
        {make({0, 0, 0, 0, 25, 0}, at25), 0}, // the stored value again
        {make({0, 0, 0, 1, 0, 0}, at25), 1},  // same real time, other components
        {make({0, 0, 0, 1, 0, 0}, at25Days), 1},
        {make({0, 0, 0, 1, 0, 0}, at25Days), 0},
    };
    TimecodeState state(make({0, 0, 0, 0, 25, 0}, at25));
    const Binding<Timecode> binding = state.binding();
    for (const Row& row : rows) {
        QSignalSpy spy(&state, &TimecodeState::timecodeChanged);
        binding.set(row.written);
        EXPECT_EQ(spy.count(), row.announcements);
        EXPECT_EQ(binding.get().components(), row.written.components());
        EXPECT_EQ(state.timecode().properties(), row.written.properties());
    }
}
