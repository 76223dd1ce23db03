#include "DovovevoZavUI/TimecodeStyledText.h"

#include "StyleCodes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Base = Timecode::SubFramesBase;
using Limit = Timecode::UpperLimit;
using Option = Timecode::StringFormatOption;

struct Row {
    Timecode::Components components;
    Timecode::Properties properties;
    Timecode::StringFormat format;
    std::string text;
    std::string codes;
};

Timecode makeTimecode(const Row& row) {
    Timecode timecode(row.properties);
    timecode.setComponents(row.components);
    return timecode;
}

} // namespace

TEST(TimecodeStyledTextTest, AttributedTextStylesEveryPieceByRole) {
    const std::vector<Row> rows = {
        {{0, 1, 0, 0, 0, 0}, {Rate::fps25}, {}, "01:00:00:00", "ddsddsddsdd"},
        {{0, 1, 0, 0, 0, 0},
         {Rate::fps25},
         {Option::alwaysShowDays},
         "0 01:00:00:00",
         "dsddsddsddsdd"},
        // Days 1 under the 24-hour limit show because they are not 0, and are invalid.
        {{1, 1, 0, 0, 0, 0}, {Rate::fps25}, {}, "1 01:00:00:00", "isddsddsddsdd"},
        {{0, 1, 0, 0, 0, 0}, {Rate::fps29_97d}, {}, "01:00:00;00", "ddsddsddsdd"},
        {{0, 0, 0, 0, 0, 0}, {Rate::fps120d}, {}, "00:00:00;000", "ddsddsddsddd"},
        {{0, 0, 0, 0, 0, 3},
         {Rate::fps25, Base::quarterFrames},
         {Option::showSubFrames},
         "00:00:00:00.3",
         "ddsddsddsddsu"},
        {{0, 0, 0, 0, 0, 7},
         {Rate::fps25, Base::max100SubFrames},
         {Option::showSubFrames},
         "00:00:00:00.07",
         "ddsddsddsddsuu"},
        // Invalid subframes take the invalid style, not the subframes style.
        {{0, 0, 0, 0, 0, 85},
         {Rate::fps25},
         {Option::showSubFrames},
         "00:00:00:00.85",
         "ddsddsddsddsii"},
        // The attribute form leaves the separators alone for file names.
        {{1, 1, 0, 0, 0, 0},
         {Rate::fps25, Base::max80SubFrames, Limit::max100Days},
         {Option::filenameCompatible},
         "1 01:00:00:00",
         "dsddsddsddsdd"},
        // Out-of-range values print all their digits.
        {{0, 25, 0, 0, 100, 0}, {Rate::fps24}, {}, "25:00:00:100", "iisddsddsiii"},
    };
    for (const Row& row : rows) {
        const StyledText styled = timecodeAttributedText(
            makeTimecode(row), row.format, styles::foreground(styles::defaultColor),
            styles::foreground(styles::separatorColor), styles::foreground(styles::subFramesColor),
            styles::foreground(styles::invalidColor));
        EXPECT_EQ(styled.text().toStdString(), row.text);
        EXPECT_EQ(styles::codes(styled), row.codes) << row.text;
    }

    // Without any format the text carries no attributes at all; without separator formats
    // the separators take the default one.
    Row bare{{0, 25, 0, 0, 0, 0}, {Rate::fps25}, {}, "", ""};
    const StyledText plain = timecodeAttributedText(makeTimecode(bare), {}, std::nullopt,
                                                    std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(plain.text().toStdString(), "25:00:00:00");
    for (const StyledTextRun& run : plain.runs) {
        EXPECT_EQ(run.format.propertyCount(), 0);
    }
    EXPECT_EQ(styles::codes(timecodeAttributedText(makeTimecode(bare), {},
                                                   styles::foreground(styles::invalidColor),
                                                   styles::foreground(styles::defaultColor))),
              "iiddddddddd");
}

TEST(TimecodeStyledTextTest, BrushFormColoursOnlySeparatorsSubframesAndInvalidDigits) {
    const std::vector<Row> rows = {
        {{0, 1, 0, 0, 0, 0}, {Rate::fps29_97d}, {}, "01:00:00;00", "--s--s--s--"},
        // File names: "-" between the clock components, the days separator stays a space.
        {{1, 1, 0, 0, 0, 0},
         {Rate::fps29_97d, Base::max80SubFrames, Limit::max100Days},
         {Option::filenameCompatible},
         "1 01-00-00-00",
         "-s--s--s--s--"},
        {{0, 25, 0, 0, 0, 40},
         {Rate::fps25},
         {Option::showSubFrames},
         "25:00:00:00.40",
         "iis--s--s--suu"},
        {{0, 0, 0, 0, 0, 80},
         {Rate::fps25},
         {Option::showSubFrames},
         "00:00:00:00.80",
         "--s--s--s--sii"},
    };
    for (const Row& row : rows) {
        const StyledText styled =
            timecodeStyledText(makeTimecode(row), row.format, QBrush(styles::separatorColor),
                               QBrush(styles::subFramesColor), QBrush(styles::invalidColor));
        EXPECT_EQ(styled.text().toStdString(), row.text);
        EXPECT_EQ(styles::codes(styled), row.codes) << row.text;
    }

    // Missing brushes set nothing: invalid subframes then carry no colour at all.
    const StyledText unstyled =
        timecodeStyledText(makeTimecode(rows[3]), rows[3].format, std::nullopt,
                           QBrush(styles::subFramesColor), std::nullopt);
    EXPECT_EQ(styles::codes(unstyled), "--------------");
}
