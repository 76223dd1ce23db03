#include "xlsxwriter/Workbook.h"

#include "XlsxReadBack.h"
#include "support/ScratchFolder.h"
#include "support/WorkbookReadBack.h"
#include "xlsxwriter/XlsxError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <xlsxwriter.h>

namespace marrowvale {
namespace {

using testing::ScratchFolder;

TEST(Workbook, NamesSheetsAndFindsThemInAnyCase) {
    ScratchFolder folder;
    Workbook workbook(folder.file("names.xlsx"));
    EXPECT_EQ(workbook.addWorksheet().name(), "Sheet1");
    EXPECT_EQ(workbook.addWorksheet().name(), "Sheet2");
    EXPECT_EQ(workbook.addChartsheet().name(), "Chart1");
    const Worksheet umlaut = workbook.addWorksheet("\xC3\x84rger"); // "Ärger"

    ASSERT_TRUE(workbook.worksheet("sheet1"));
    EXPECT_EQ(workbook.worksheet("sheet1")->name(), "Sheet1");
    EXPECT_EQ(workbook.worksheet("\xC3\xA4RGER"), umlaut); // "äRGER"
    EXPECT_FALSE(workbook.worksheet("Sheet9"));
    EXPECT_FALSE(workbook.worksheet("Chart1")); // a chartsheet, not a worksheet
    ASSERT_TRUE(workbook.chartsheet("CHART1"));
    EXPECT_FALSE(workbook.chartsheet("Sheet1"));
}

TEST(Workbook, RefusesBadSheetNamesWithTheLibrarysMessage) {
    ScratchFolder folder;
    Workbook workbook(folder.file("bad-names.xlsx"));
    workbook.addWorksheet("\xC3\x84rger"); // "Ärger"
    workbook.addWorksheet("Stra\xC3\x9F"
                          "e"); // "Straße"
    workbook.addChartsheet("Graph");

    struct Case {
        std::optional<std::string> name;
        int code;
    };
    const Case cases[] = {
        {"", LXW_ERROR_PARAMETER_VALIDATION},
        {std::string(32, 'x'), LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED},
        {"a[b", LXW_ERROR_INVALID_SHEETNAME_CHARACTER},
        {"what?", LXW_ERROR_INVALID_SHEETNAME_CHARACTER},
        {"'quoted", LXW_ERROR_SHEETNAME_START_END_APOSTROPHE},
        {"\xC3\xA4RGER", LXW_ERROR_SHEETNAME_ALREADY_USED}, // "äRGER"
        {"STRASSE", LXW_ERROR_SHEETNAME_ALREADY_USED},
        {"GRAPH", LXW_ERROR_SHEETNAME_ALREADY_USED}, // clashes with the chartsheet
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.value_or("(default)"));
        try {
            if (c.name) {
                workbook.addWorksheet(*c.name);
            } else {
                workbook.addWorksheet();
            }
            ADD_FAILURE() << "accepted";
        } catch (const XlsxError& error) {
            EXPECT_EQ(error.code(), c.code);
            if (c.code != LXW_ERROR_PARAMETER_VALIDATION) {
                EXPECT_STREQ(error.what(), lxw_strerror(static_cast<lxw_error>(c.code)));
            }
        }
    }
    EXPECT_THROW(workbook.addChartsheet(""), XlsxError);

    // A default name takes part in the same check: "ſheet2" (long s) folds to "sheet2".
    Workbook second(folder.file("default-names.xlsx"));
    second.addWorksheet("\xC5\xBFheet2");
    EXPECT_THROW(second.addWorksheet(), XlsxError);
    EXPECT_THROW(workbook.addChartsheet("straSSE"), XlsxError);

    // 31 characters of two bytes each are within the limit.
    std::string longest;
    for (int i = 0; i < 31; ++i) {
        longest += "\xC3\xA9";
    }
    EXPECT_NO_THROW(workbook.addWorksheet(longest));
}

TEST(Workbook, WritesSheetsInOrderAndRepairsNames) {
    ScratchFolder folder;
    const std::string path = folder.file("order.xlsx");
    Workbook workbook(path);
    workbook.addWorksheet("Clips");
    workbook.addWorksheet("Bad\xFF"
                          "Name");
    workbook.addWorksheet();
    workbook.close();
    EXPECT_FALSE(workbook.isOpen());

    const auto read = testing::readWorkbook(path);
    EXPECT_EQ(read["order"], nlohmann::json::array({"Clips", "Bad\xEF\xBF\xBDName", "Sheet3"}));
}

TEST(Workbook, CloseWritesTheFileOrReportsWhyNot) {
    ScratchFolder folder;

    // A workbook without sheets still closes: the library adds one.
    const std::string empty = folder.file("empty.xlsx");
    Workbook(empty).close();
    EXPECT_TRUE(testing::readZipMember(empty, "xl/worksheets/sheet1.xml"));

    // Nothing is written until close; a workbook never closed leaves no file.
    const std::string discarded = folder.file("discarded.xlsx");
    {
        Workbook workbook(discarded);
        workbook.addWorksheet("Clips").write(1.0, Cell(0, 0));
        EXPECT_FALSE(std::filesystem::exists(discarded));
    }
    EXPECT_FALSE(std::filesystem::exists(discarded));

    // An unwritable destination shows only at close, as an error rather than an exit.
    Workbook unwritable(folder.file("missing-folder/report.xlsx"));
    unwritable.addWorksheet("Clips");
    try {
        unwritable.close();
        ADD_FAILURE() << "close succeeded";
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.code(), LXW_ERROR_CREATING_XLSX_FILE);
        EXPECT_STREQ(error.what(), lxw_strerror(LXW_ERROR_CREATING_XLSX_FILE));
    }
    EXPECT_FALSE(unwritable.isOpen());
    EXPECT_THROW(unwritable.addWorksheet(), XlsxError);
    EXPECT_THROW(unwritable.close(), XlsxError);
}

} // namespace
} // namespace marrowvale
