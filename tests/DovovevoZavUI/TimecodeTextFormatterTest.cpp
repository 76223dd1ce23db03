#include "DovovevoZavUI/TimecodeTextFormatter.h"

#include "StyleCodes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace dovovevozav;

namespace {

using Rate = TimecodeFrameRate;
using Option = TimecodeStringFormatOption;

} // namespace

TEST(TimecodeTextFormatterTest, ShowsStringsOnlyAndFormatsThemOnceAllPropertiesAreSet) {
    TimecodeTextFormatter formatter(std::nullopt, std::nullopt, false, std::nullopt);
    EXPECT_EQ(formatter.string(QVariant(42)), std::nullopt);
    EXPECT_EQ(formatter.string(QVariant()), std::nullopt);
    EXPECT_EQ(formatter.string(QStringLiteral("1:2:3:4")), QStringLiteral("1:2:3:4"));
    EXPECT_EQ(formatter.objectValue(QStringLiteral("1:2")), QVariant(QStringLiteral("1:2")));

    formatter.setFrameRate(Rate::fps25);
    formatter.setUpperLimit(TimecodeUpperLimit::max24Hours);
    EXPECT_EQ(formatter.string(QStringLiteral("1:2:3:4")), QStringLiteral("1:2:3:4"));
    formatter.setSubFramesBase(TimecodeSubFramesBase::max80SubFrames);
    EXPECT_EQ(formatter.string(QStringLiteral("1:2:3:4")), QStringLiteral("01:02:03:04"));
}

TEST(TimecodeTextFormatterTest, ValidationDisplayMarksInvalidComponentsOrUnparsableText) {
    struct Row {
        bool showsValidation;
        bool subFramesBase;
        TimecodeStringFormat format;
        QString text;
        std::string shown;
        std::string codes;
    };
    const std::vector<Row> rows = {
        {true, true, {}, "01:02:03:99", "01:02:03:99", "dddddddddii"},
        {false, true, {}, "01:02:03:99", "01:02:03:99", "ddddddddddd"},
        {true, true, {}, "abc", "abc", "iii"},
        // Without a subframes base the text is shown as it is, and all of it as invalid.
        {true, false, {}, "1:2:3:4", "1:2:3:4", "iiiiiii"},
        // The validation display uses the default format: no subframes.
        {true, true, {Option::showSubFrames}, "01:00:00:00.40", "01:00:00:00", "ddddddddddd"},
        {false,
         true,
         {Option::showSubFrames},
         "01:00:00:00.40",
         "01:00:00:00.40",
         "dddddddddddddd"},
    };
    for (const Row& row : rows) {
        TimecodeTextFormatter formatter(TimecodeProperties(Rate::fps25), row.format,
                                        row.showsValidation,
                                        styles::foreground(styles::invalidColor));
        if (!row.subFramesBase) {
            formatter.setSubFramesBase(std::nullopt);
        }
        formatter.setAlignment(Qt::AlignRight);
        const auto styled =
            formatter.attributedString(row.text, styles::foreground(styles::defaultColor));
        ASSERT_TRUE(styled.has_value());
        EXPECT_EQ(styled->text().toStdString(), row.shown);
        EXPECT_EQ(styles::codes(*styled), row.codes) << row.shown;
        EXPECT_EQ(styled->alignment, Qt::AlignRight);
    }

    // Unparsable text without default attributes carries the invalid attributes alone.
    const TimecodeTextFormatter formatter(Timecode(TimecodeProperties(Rate::fps25)), std::nullopt,
                                          true, styles::foreground(styles::invalidColor));
    EXPECT_EQ(styles::codes(*formatter.attributedString(QStringLiteral("x"), std::nullopt)), "i");
    EXPECT_EQ(formatter.attributedString(QVariant(1), std::nullopt), std::nullopt);
}
