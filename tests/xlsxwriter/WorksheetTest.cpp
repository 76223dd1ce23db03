#include "XlsxReadBack.h"
#include "support/ScratchFolder.h"
#include "support/WorkbookReadBack.h"
#include "xlsxwriter/LibraryText.h"
#include "xlsxwriter/Workbook.h"
#include "xlsxwriter/XlsxError.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <xlsxwriter.h>

namespace marrowvale {
namespace {

using nlohmann::json;
using testing::ScratchFolder;

class WorksheetReadBack : public ::testing::Test {
protected:
    /// Closes the workbook and returns what openpyxl reads from the sheet.
    json closeAndRead(Workbook& workbook, const std::string& sheet) {
        workbook.close();
        read_ = testing::readWorkbook(path_);
        return read_["sheets"][sheet];
    }

    ScratchFolder folder_;
    std::string path_ = folder_.file("book.xlsx");
    json read_;
};

TEST_F(WorksheetReadBack, WritesEachKindOfValue) {
    using namespace std::chrono;
    Workbook workbook(path_);
    Worksheet sheet = workbook.addWorksheet("Values");
    Format dateFormat = workbook.addFormat();
    dateFormat.setNumFormat("yyyy-mm-dd hh:mm");
    Format framed = workbook.addFormat();
    framed.setBorder(Border::thin);

    sheet.write(Value::url("https://example.com/clip?id=1"), Cell("A1"))
        .write(Value::comment("Check the take"), Cell("B1"))
        .write(Value::number(23.976), Cell("C1"))
        .write("Clip \xE2\x9C\x93", Cell("D1"))
        .write(Value::boolean(true), Cell("E1"))
        .write(Value::formula("=C1*2"), Cell("F1"))
        .write(Value::datetime(sys_days{2000y / 1 / 1} + 12h), Cell("G1"), dateFormat)
        .write(Value::datetime(sys_days{1970y / 1 / 1}), Cell("H1"))
        .write(Value::blank(), Cell("I1"), framed)
        .write(Value::blank(), Cell("J1"))
        .write("", Cell("K1"));
    sheet.writeRow({Value(1.0), Value("two"), Value::boolean(false)}, Cell("A3"));
    sheet.writeColumn({Value(4.0), Value("five")}, Cell("E3"));
    sheet.writeRow(std::vector<double>{6.0, 7.0}, 5, 0);
    sheet.writeRow(std::vector<std::string>{"eight", ""}, 6, 0);
    sheet.writeRow(std::vector<Value>{}, Cell(0, 65535)); // an empty list writes nothing

    const json cells = closeAndRead(workbook, "Values")["cells"];
    EXPECT_EQ(cells["A1"]["value"], "https://example.com/clip?id=1");
    EXPECT_EQ(cells["A1"]["link"], "https://example.com/clip?id=1");
    EXPECT_EQ(cells["B1"]["comment"], "Check the take");
    EXPECT_EQ(cells["C1"]["value"], 23.976);
    EXPECT_EQ(cells["D1"]["value"], "Clip \xE2\x9C\x93");
    EXPECT_EQ(cells["E1"]["value"], true);
    EXPECT_EQ(cells["E1"]["type"], "b");
    EXPECT_EQ(cells["F1"]["value"], "=C1*2");
    EXPECT_EQ(cells["G1"]["value"], "2000-01-01T12:00:00");
    EXPECT_EQ(cells["H1"]["value"], 25569);
    EXPECT_TRUE(cells.contains("I1"));
    EXPECT_EQ(cells["I1"]["value"], nullptr);
    EXPECT_EQ(cells["I1"]["border"], "thin");
    EXPECT_FALSE(cells.contains("J1")); // a blank without a format is not written
    EXPECT_FALSE(cells.contains("K1")); // nor is an empty text
    EXPECT_EQ(cells["A3"]["value"], 1);
    EXPECT_EQ(cells["B3"]["value"], "two");
    EXPECT_EQ(cells["C3"]["value"], false);
    EXPECT_EQ(cells["E3"]["value"], 4);
    EXPECT_EQ(cells["E4"]["value"], "five");
    EXPECT_EQ(cells["B6"]["value"], 7);
    EXPECT_EQ(cells["A7"]["value"], "eight");
    EXPECT_FALSE(cells.contains("B7"));
}

TEST_F(WorksheetReadBack, KeepsTheWorkbookReadableWithUnwritableValues) {
    Workbook workbook(path_);
    Worksheet sheet = workbook.addWorksheet("Faults");
    Format number = workbook.addFormat();
    number.setNumFormat("0.00");

    std::string longText(32766, 'x');
    longText += "\xE2\x82\xAC"; // a 3-byte character across the 32,767-byte limit
    sheet.write(std::numeric_limits<double>::quiet_NaN(), Cell("A1"))
        .write(std::numeric_limits<double>::infinity(), Cell("B1"), number)
        .write(-std::numeric_limits<double>::infinity(), Cell("C1"))
        .write("Take\xFF"
               "2\xC3",
               Cell("D1"))
        .write(std::string(40000, 'y'), Cell("E1"))
        .write(longText, Cell("F1"))
        .write(Value::comment("note\xFE"), Cell("G1"))
        .mergeRange(Range("A3:C3"), "Merged\xFF", number);
    sheet.writeRow(std::vector<double>{std::nan("")}, 1, 0);

    const json cells = closeAndRead(workbook, "Faults")["cells"];
    EXPECT_FALSE(cells.contains("A1"));
    EXPECT_EQ(cells["B1"]["value"], nullptr); // blank, keeping its format
    EXPECT_EQ(cells["B1"]["numFormat"], "0.00");
    EXPECT_FALSE(cells.contains("C1"));
    EXPECT_FALSE(cells.contains("A2"));
    EXPECT_EQ(cells["D1"]["value"], "Take\xEF\xBF\xBD"
                                    "2\xEF\xBF\xBD");
    EXPECT_EQ(cells["E1"]["value"].get<std::string>().size(), 32767u);
    EXPECT_EQ(cells["F1"]["value"], std::string(32766, 'x'));
    EXPECT_EQ(cells["G1"]["comment"], "note\xEF\xBF\xBD");
    EXPECT_EQ(cells["A3"]["value"], "Merged\xEF\xBF\xBD");
    EXPECT_EQ(read_["sheets"]["Faults"]["merged"], json::array({"A3:C3"}));
}

TEST_F(WorksheetReadBack, AppliesFormats) {
    Workbook workbook(path_);
    Worksheet sheet = workbook.addWorksheet("Formats");
    Format header = workbook.addFormat();
    header.setFontName("Helvetica")
        .setFontSize(14)
        .setBold()
        .setItalic()
        .setFontColor(Color::red)
        .setAlign(HorizontalAlignment::left)
        .setVerticalAlign(VerticalAlignment::top)
        .setBorder(Border::double_)
        .setBackground(Color::yellow)
        .setRotation(45)
        .setShrink();
    Format centred = workbook.addFormat();
    centred.setCenter().setNumFormatIndex(10).setAlign(HorizontalAlignment::none);
    Format sizes = workbook.addFormat();
    sizes.setFontSize(0).setFontSize(410).setRotation(91);
    Format largest = workbook.addFormat();
    largest.setFontSize(409);
    Format longName = workbook.addFormat();
    std::string name(126, 'F');
    name += "\xC3\xA9"; // é straddles the library's 127-byte field
    longName.setFontName(name);

    sheet.write("Heading", Cell("A1"), header)
        .write(0.5, Cell("B1"), centred)
        .write("sizes", Cell("C1"), sizes)
        .write("largest", Cell("D1"), largest)
        .write("long", Cell("E1"), longName);

    const json cells = closeAndRead(workbook, "Formats")["cells"];
    const json& a1 = cells["A1"];
    EXPECT_EQ(a1["font"], "Helvetica");
    EXPECT_EQ(a1["size"], 14);
    EXPECT_TRUE(a1["bold"]);
    EXPECT_TRUE(a1["italic"]);
    EXPECT_EQ(a1["color"], "FFFF0000");
    EXPECT_EQ(a1["align"], "left");
    EXPECT_EQ(a1["valign"], "top");
    EXPECT_EQ(a1["border"], "double");
    EXPECT_EQ(a1["fill"], "FFFFFF00");
    EXPECT_EQ(a1["rotation"], 45);
    EXPECT_TRUE(a1["shrink"]);
    EXPECT_EQ(cells["B1"]["align"], "center");
    EXPECT_EQ(cells["B1"]["valign"], "center");
    EXPECT_EQ(cells["B1"]["numFormat"], "0.00%");
    EXPECT_EQ(cells["C1"]["size"], 11); // sizes outside 1...409 are ignored
    EXPECT_EQ(cells["C1"]["rotation"], 0);
    EXPECT_EQ(cells["D1"]["size"], 409);
    EXPECT_EQ(cells["E1"]["font"], std::string(126, 'F'));
}

TEST_F(WorksheetReadBack, SizesColumnsAndRows) {
    Workbook workbook(path_);
    Worksheet sheet = workbook.addWorksheet("Layout");
    Format bold = workbook.addFormat();
    bold.setBold();
    sheet.setColumn(Cols(2, 2), 40)
        .setColumn(Cols("E:F"), 12, bold)
        .setColumn(Cols(7, 7), 1000)
        .setColumn(Cols(8, 8), -3)
        .setColumn(Cols(9, 9), std::nan(""))
        .hideColumns(12, 5)
        .insertImage(folder_.file("missing.png"), Cell(5, 0), 90)
        .insertImage(folder_.file("missing.png"), Cell(6, 0), 100000)
        .setTabColor(Color::blue)
        .setPaper(PaperType::A4)
        .gridlines(false, false);

    json layout = closeAndRead(workbook, "Layout");
    json widths = layout["widths"];
    EXPECT_NEAR(widths["C"].get<double>(), 40.71, 0.01);
    EXPECT_FALSE(widths.contains("B"));
    EXPECT_FALSE(widths.contains("D"));
    EXPECT_NEAR(widths["E"].get<double>(), 12.71, 0.01);
    EXPECT_NEAR(widths["H"].get<double>(), 255.71, 0.01); // clamped to the widest column
    EXPECT_TRUE(layout["hidden"].contains("M"));
    EXPECT_EQ(layout["heights"]["6"], 67.5);   // 90 pixels, though the picture is missing
    EXPECT_EQ(layout["heights"]["7"], 408.75); // clamped to the tallest row
    EXPECT_EQ(layout["tabColor"], "FF0000FF");
    EXPECT_EQ(layout["paper"], 9);
    EXPECT_EQ(layout["gridlines"], false);

    const auto xml = testing::readZipMember(path_, "xl/worksheets/sheet1.xml");
    ASSERT_TRUE(xml);
    EXPECT_NE(xml->find(R"(<col min="9" max="9" width="0" customWidth="1"/>)"), std::string::npos);
    EXPECT_NE(xml->find(R"(<col min="10" max="10" width="9.140625"/>)"), std::string::npos);
    EXPECT_NE(xml->find(R"(<col min="13" max="16384" width="5.7109375" hidden="1")"),
              std::string::npos);
    EXPECT_EQ(xml->find("<drawing"), std::string::npos);
}

TEST_F(WorksheetReadBack, InsertsPictures) {
    const std::string picture = folder_.file("thumb 1.png");
    const std::string bytes = testing::tinyPng(8, 6);
    std::ofstream(picture, std::ios::binary) << bytes;
    const std::string oddName = folder_.file("thumb\xFF.png"); // a name that is not UTF-8
    std::ofstream(oddName, std::ios::binary) << bytes;

    Workbook workbook(path_);
    workbook.addWorksheet("Clips")
        .insertImage(picture, Cell(5, 0), 90)
        .insertImage(oddName, Cell(6, 0), 90);

    const json clips = closeAndRead(workbook, "Clips");
    EXPECT_EQ(clips["heights"]["6"], 67.5);
    EXPECT_EQ(testing::readZipMember(path_, "xl/media/image1.png"), bytes);
    const auto drawing = testing::readZipMember(path_, "xl/drawings/drawing1.xml");
    ASSERT_TRUE(drawing);
    EXPECT_NE(drawing->find("<xdr:col>0</xdr:col><xdr:colOff>0</xdr:colOff>"
                            "<xdr:row>5</xdr:row><xdr:rowOff>0</xdr:rowOff>"),
              std::string::npos);
    EXPECT_NE(drawing->find(R"(descr="thumb 1.png")"), std::string::npos);
    EXPECT_NE(drawing->find("descr=\"thumb\xEF\xBF\xBD.png\""), std::string::npos);
    EXPECT_EQ(LibraryText::firstMalformedByte(*drawing), std::string::npos);
}

TEST_F(WorksheetReadBack, AddsTablesFiltersAndMerges) {
    Workbook workbook(path_);
    Format headerFormat = workbook.addFormat();
    headerFormat.setBold();
    workbook.addWorksheet("Table")
        .addTable(Range(0, 0, 10, 1), "Clips", {{"Name", headerFormat}, {"Dur\xFF", std::nullopt}})
        .addTable(Range("D1:D4"), std::nullopt, {{"Only", std::nullopt}});
    workbook.addWorksheet("Filter")
        .autofilter(Range("A1:C20"))
        .printArea(Range("A1:C20"))
        .mergeRange(Range("E1:E1"), "single cell", std::nullopt)
        .hideZero()
        .select()
        .activate();
    workbook.addWorksheet("Hidden").hide();

    const json table = closeAndRead(workbook, "Table");
    const json& clips = table["tables"]["Clips"];
    EXPECT_EQ(clips["ref"], "A1:B11");
    EXPECT_EQ(clips["style"], "TableStyleMedium7");
    EXPECT_EQ(clips["headers"], json::array({"Name", "Dur\xEF\xBF\xBD"}));
    EXPECT_TRUE(clips["totals"].is_null() || clips["totals"] == 0);
    EXPECT_EQ(table["tables"]["Table2"]["ref"], "D1:D4");

    const json& filter = read_["sheets"]["Filter"];
    EXPECT_EQ(filter["autofilter"], "A1:C20");
    EXPECT_EQ(filter["merged"], json::array()); // a single cell is not merged
    EXPECT_EQ(read_["sheets"]["Hidden"]["state"], "hidden");
}

TEST(Worksheet, ReportsRefusedWritesAsErrors) {
    ScratchFolder folder;
    Workbook workbook(folder.file("refused.xlsx"));
    Worksheet sheet = workbook.addWorksheet("Clips");
    try {
        sheet.write(1.0, Cell(1048576, 0));
        ADD_FAILURE() << "write beyond the last row accepted";
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.code(), LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        EXPECT_STREQ(error.what(), "Worksheet row or column index out of range.");
    }
    EXPECT_THROW(sheet.write("text", Cell(0, 16384)), XlsxError);
    EXPECT_THROW(sheet.write(Value::url(std::string(3000, 'u')), Cell(0, 0)), XlsxError);
    EXPECT_THROW(sheet.writeRow({Value(1.0), Value(2.0)}, Cell(0, 65535)), XlsxError);
    // A date, and the plain number and text lists, drop refused cells silently.
    EXPECT_NO_THROW(sheet.write(Value::datetime({}), Cell(1048576, 0)));
    EXPECT_NO_THROW(sheet.writeRow(std::vector<double>{1.0}, 1048576, 0));
    EXPECT_NO_THROW(sheet.writeRow(std::vector<std::string>{"a"}, 0, 16384));
    EXPECT_NO_THROW(workbook.close());
}

} // namespace
} // namespace marrowvale
