#include "app/ReportOptionsReader.h"
#include "app/SettingsState.h"
#include "app/TextUtilities.h"

#include <gtest/gtest.h>
#include <limits>

using namespace marrowvale;

TEST(ReportOptions, EveryKeyIsAlwaysPresent) {
    SettingsState settings;
    for (const ReportColumn& column : reportColumns) {
        settings.setColumnState(column.checkbox, false);
    }
    ReportOptions options = reportOptions(settings);
    EXPECT_EQ(options.flags.size(), 36u);
    for (const ReportColumn& column : reportColumns) {
        EXPECT_EQ(options.value(column.optionKey), false) << column.optionKey;
    }
    EXPECT_EQ(options.value("reportSeqTimecode"), true);
    EXPECT_EQ(options.value("useColorText"), true);
    EXPECT_EQ(options.value("noSuchKey"), std::nullopt);

    // Two reads of unchanged controls agree; a change shows in the second only.
    EXPECT_EQ(reportOptions(settings), options);
    settings.setColumnState(ColumnCheckbox::shottake, true);
    settings.setColorChoiceRow(1);
    ReportOptions changed = reportOptions(settings);
    EXPECT_TRUE(changed.isOn("shottake"));
    EXPECT_FALSE(changed.isOn("useColorText"));
    EXPECT_FALSE(options.isOn("shottake"));
}

TEST(ReportOptions, WidthAndAdjustmentsFromTheirFields) {
    struct WidthCase {
        const char* text;
        std::int64_t width;
    };
    const WidthCase widths[] = {
        {"40", 40}, {" 120px", 120}, {"", 0},        {"wide", 0},
        {"-80", 0}, {"0", 0},        {"5000", 4096}, {"99999999999999999999999", 4096}};
    SettingsState settings;
    for (const WidthCase& c : widths) {
        settings.setThumbnailWidthText(c.text);
        EXPECT_EQ(reportOptions(settings).thumbnailWidth, c.width) << c.text;
    }

    settings.setAdjustmentText(TimeDisplay::timecode, "1.5");
    settings.setAdjustmentText(TimeDisplay::frames, "");
    settings.setAdjustmentText(TimeDisplay::feetFrames, "-24 frames");
    settings.setAdjustmentText(TimeDisplay::clock, "nan");
    settings.setAdjustmentText(TimeDisplay::seconds, "1e999");
    ReportOptions options = reportOptions(settings);
    EXPECT_EQ(options.hhmmssffAdjustment, 1.5);
    EXPECT_EQ(options.framesAdjustment, 0);
    EXPECT_EQ(options.feetframesAdjustment, -24);
    EXPECT_EQ(options.clockAdjustment, 0);
    EXPECT_EQ(options.secondsAdjustment, 0);

    EXPECT_EQ(leadingIntegerValue("-9223372036854775809"),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(leadingDoubleValue("+2.5e1x"), 25);
    EXPECT_EQ(leadingDoubleValue(".5"), 0.5);
    EXPECT_EQ(leadingDoubleValue("-"), 0);
}

TEST(ReportOptions, EachTimeGroupKeepsOneDisplay) {
    SettingsState settings;
    // The only source display is unticked: timecode comes back.
    settings.setTimeDisplayState(TimeGroup::source, TimeDisplay::timecode, false);
    validateTimeDisplayPreferences(settings);
    EXPECT_TRUE(settings.timeDisplayState(TimeGroup::source, TimeDisplay::timecode));

    // Seconds alone is a valid choice and is left as it is.
    settings.setTimeDisplayState(TimeGroup::source, TimeDisplay::timecode, false);
    settings.setTimeDisplayState(TimeGroup::source, TimeDisplay::seconds, true);
    validateTimeDisplayPreferences(settings);
    ReportOptions options = reportOptions(settings);
    EXPECT_TRUE(options.isOn("reportSrcSeconds"));
    for (const char* key :
         {"reportSrcTimecode", "reportSrcFrames", "reportSrcFeet+Frames", "reportSrcClock"}) {
        EXPECT_FALSE(options.isOn(key)) << key;
    }
    EXPECT_TRUE(options.isOn("reportSeqTimecode"));
}
