#include "DovovevoZavUI/TimecodeState.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>
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
        std::size_t announcements;
    };
    const std::vector<Row> rows = {
        {make({0, 0, 0, 0, 25, 0}, at25), 0}, // the stored value again
        {make({0, 0, 0, 1, 0, 0}, at25), 1},  // same real time, other components
        {make({0, 0, 0, 1, 0, 0}, at25Days), 1},
        {make({0, 0, 0, 1, 0, 0}, at25Days), 0},
    };
    TimecodeState state(make({0, 0, 0, 0, 25, 0}, at25));
    const Binding<Timecode> binding = state.binding();
    // The watcher hears of a change from the event loop, never inside the write, and reads the
    // value that was stored.
    bool writing = false;
    std::vector<Timecode::Components> heard;
    QObject::connect(&state, &TimecodeState::timecodeChanged, [&] {
        EXPECT_FALSE(writing);
        heard.push_back(state.timecode().components());
    });
    for (const Row& row : rows) {
        heard.clear();
        writing = true;
        binding.set(row.written);
        writing = false;
        EXPECT_TRUE(heard.empty());
        EXPECT_EQ(binding.get().components(), row.written.components());
        EXPECT_EQ(state.timecode().properties(), row.written.properties());
        QCoreApplication::processEvents();
        ASSERT_EQ(heard.size(), row.announcements);
        if (!heard.empty()) {
            EXPECT_EQ(heard.front(), row.written.components());
        }
    }

    // A state destroyed with a notice still pending takes the notice with it.
    auto gone = std::make_unique<TimecodeState>();
    gone->setTimecode(make({0, 1, 0, 0, 0, 0}, at25));
    gone.reset();
    QCoreApplication::processEvents();
}
