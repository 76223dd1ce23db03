#include "xlsxwriter/Cell.h"
#include "xlsxwriter/Chart.h"
#include "xlsxwriter/Color.h"
#include "xlsxwriter/Format.h"
#include "xlsxwriter/PaperType.h"
#include "xlsxwriter/TotalFunction.h"
#include "xlsxwriter/Value.h"

#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>

namespace marrowvale {
namespace {

TEST(CellAddress, TextAndNumericFormsAgree) {
    EXPECT_EQ(Cell("C4"), Cell(3, 2));
    EXPECT_EQ(Cell("$C$4"), Cell(3, 2));
    EXPECT_EQ(Cell("XFD1048576"), Cell(1048575, 16383));
    EXPECT_EQ(Cell("1"), Cell(0, 65535)); // no column letter
    EXPECT_EQ(Cell("a1").col, 65535);     // lower case is not a column letter
    EXPECT_EQ(Cell("B"), Cell(0, 1));     // no row digits
    EXPECT_EQ(Cell("A0"), Cell(0, 0));
    EXPECT_EQ(Cell("A99999999999").row, 4294967295u);
    EXPECT_EQ(Cell("ZZZZZZZZZZZZZZZZ1").row, 0u); // a long letter run does not overflow
    EXPECT_EQ(Range("A:C"), Range(0, 0, 0, 2));   // no row digits on either side
    EXPECT_EQ(Cols("A:C"), Cols(0, 2));
    EXPECT_EQ(Range("B2:D5"), Range(1, 1, 4, 3));
    EXPECT_EQ(Range(std::string_view("$A$1:$B$2")), Range(0, 0, 1, 1));

    EXPECT_THROW(Cols("C"), std::invalid_argument);
    EXPECT_THROW(Range("B2"), std::invalid_argument);
}

TEST(CellAddress, EnumerationsComeFromExactRawValuesOnly) {
    EXPECT_EQ(colorFromRaw(0xFF0000), Color::red);
    EXPECT_EQ(colorFromRaw(0x1000000), Color::black);
    EXPECT_EQ(colorFromRaw(0x000000), std::nullopt);
    EXPECT_EQ(colorFromRaw(0x123456), std::nullopt);

    EXPECT_EQ(horizontalAlignmentFromRaw(0), HorizontalAlignment::none);
    EXPECT_EQ(horizontalAlignmentFromRaw(8), std::nullopt);
    EXPECT_EQ(verticalAlignmentFromRaw(10), VerticalAlignment::center);
    EXPECT_EQ(verticalAlignmentFromRaw(7), std::nullopt);
    EXPECT_EQ(borderFromRaw(6), Border::double_);
    EXPECT_EQ(borderFromRaw(14), std::nullopt);
    EXPECT_EQ(paperTypeFromRaw(9), PaperType::A4);
    EXPECT_EQ(paperTypeFromRaw(42), std::nullopt);
    EXPECT_EQ(chartTypeFromRaw(22), ChartType::radar_filled);
    EXPECT_EQ(chartTypeFromRaw(23), std::nullopt);
    EXPECT_EQ(legendPositionFromRaw(4), LegendPosition::bottom);
    EXPECT_EQ(trendlineTypeFromRaw(6), std::nullopt);

    EXPECT_EQ(totalFunctionFromRaw(109), TotalFunction::sum);
    EXPECT_EQ(totalFunctionFromRaw(106), std::nullopt);
    EXPECT_EQ(totalFunctionFromLiteral(106), TotalFunction::none);
    EXPECT_EQ(totalFunctionFromLiteral(103), TotalFunction::count);
}

TEST(CellValue, ConvertsAndKeepsItsKind) {
    EXPECT_EQ(Value(2.5).kind(), Value::Kind::number);
    EXPECT_EQ(Value(7).numberValue(), 7.0);
    EXPECT_EQ(Value("Clip").kind(), Value::Kind::string);
    EXPECT_EQ(Value(std::string("Clip")).text(), "Clip");
    EXPECT_EQ(Value().kind(), Value::Kind::blank);
    EXPECT_EQ(Value::boolean(true).kind(), Value::Kind::boolean);
    EXPECT_TRUE(Value::boolean(true).flag());
    EXPECT_EQ(Value::formula("=A1").text(), "=A1");
    EXPECT_EQ(Value::url("https://example.com/").kind(), Value::Kind::url);
    EXPECT_EQ(Value::comment("note").kind(), Value::Kind::comment);
    EXPECT_EQ(Value::number(1.0).text(), "");
    EXPECT_NE(Value::string("x"), Value::comment("x"));
}

TEST(CellValue, DatesBecomeSerialsWithoutTimeZone) {
    using namespace std::chrono;
    EXPECT_DOUBLE_EQ(Value::serial(sys_days{1970y / 1 / 1}), 25569.0);
    EXPECT_DOUBLE_EQ(Value::serial(sys_days{2000y / 1 / 1} + 12h), 36526.5);
    EXPECT_DOUBLE_EQ(Value::serial(sys_days{1899y / 12 / 30}), 0.0);
    const Value date = Value::datetime(sys_days{2024y / 2 / 29} + 6h);
    EXPECT_DOUBLE_EQ(Value::serial(date.time()), 45351.25);
}

} // namespace
} // namespace marrowvale
