#include "XlsxReadBack.h"
#include "support/ScratchFolder.h"
#include "support/WorkbookReadBack.h"
#include "xlsxwriter/Workbook.h"
#include "xlsxwriter/XlsxError.h"

#include <gtest/gtest.h>
#include <string>

namespace marrowvale {
namespace {

using testing::ScratchFolder;

bool has(const std::string& xml, const std::string& part) {
    return xml.find(part) != std::string::npos;
}

std::string member(const std::string& path, const std::string& name) {
    const auto xml = testing::readZipMember(path, name);
    EXPECT_TRUE(xml) << name;
    return xml.value_or("");
}

/// A sheet of sales figures for the charts to draw from.
Worksheet salesSheet(Workbook& workbook) {
    Worksheet sheet = workbook.addWorksheet("Sheet1");
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May"};
    for (std::uint32_t row = 0; row < 5; ++row) {
        sheet.write(months[row], Cell(row, 0))
            .write(10.0 * (row + 1), Cell(row, 1))
            .write(3.0 * (row + 1), Cell(row, 2));
    }
    sheet.write("Costs", Cell(5, 2));
    return sheet;
}

TEST(Chart, DrawsSeriesFromWorksheetRanges) {
    ScratchFolder folder;
    const std::string path = folder.file("chart.xlsx");
    Workbook workbook(path);
    Worksheet sheet = salesSheet(workbook);
    Chart chart = workbook.addChart(ChartType::column);
    chart.addSeries("=Sheet1!$B$1:$B$5", "Sales");
    chart.addSeries()
        .setValues(sheet, Range("C1:C5"))
        .setCategories(sheet, Range("A1:A5"))
        .setNameRange(sheet, Cell("C6"))
        .setTrendline(TrendlineType::poly, 1); // refused: order must be at least 2
    chart.addSeries("=Sheet1!$C$1:$C$5", "Third")
        .setTrendline(TrendlineType::linear, 0)
        .setTrendlineName("Trend")
        .setTrendlineEquation();
    chart.setTitle("Monthly")
        .setXAxisName("Month")
        .setYAxisName("Amount")
        .setStyle(49) // outside 1...48: the library uses style 2
        .setLegendPosition(LegendPosition::bottom)
        .deleteLegendSeries({0, 2})
        .setTable();
    sheet.insertChart(chart, 1, 4, 2.0, 0.5);
    workbook.close();

    const std::string xml = member(path, "xl/charts/chart1.xml");
    EXPECT_TRUE(has(xml, "<c:f>Sheet1!$B$1:$B$5</c:f>"));
    EXPECT_TRUE(has(xml, "<c:v>Sales</c:v>"));
    EXPECT_TRUE(has(xml, "<c:f>Sheet1!$C$1:$C$5</c:f>"));
    EXPECT_TRUE(has(xml, "<c:f>Sheet1!$A$1:$A$5</c:f>"));
    EXPECT_TRUE(has(xml, "<c:f>Sheet1!$C$6</c:f>"));
    EXPECT_TRUE(has(xml, "<c:v>Monthly</c:v>") || has(xml, "<a:t>Monthly</a:t>"));
    EXPECT_TRUE(has(xml, "<a:t>Month</a:t>"));
    EXPECT_FALSE(has(xml, "<c:style ")); // style 2 is the default and is not written
    EXPECT_TRUE(has(xml, R"(<c:legendPos val="b"/>)"));
    EXPECT_TRUE(has(xml, R"(<c:legendEntry><c:idx val="0"/><c:delete val="1"/></c:legendEntry>)"));
    EXPECT_TRUE(has(xml, R"(<c:legendEntry><c:idx val="2"/><c:delete val="1"/></c:legendEntry>)"));
    EXPECT_FALSE(has(xml, R"(<c:idx val="1"/><c:delete val="1"/>)"));
    EXPECT_TRUE(has(xml, "<c:dTable>"));
    // One trendline only: the polynomial of order 1 was refused.
    EXPECT_EQ(xml.find("<c:trendline>"), xml.rfind("<c:trendline>"));
    EXPECT_TRUE(has(xml, R"(<c:trendlineType val="linear"/>)"));
    EXPECT_TRUE(has(xml, "<c:name>Trend</c:name>"));
    EXPECT_TRUE(has(xml, R"(<c:dispEq val="1"/>)"));
    // The legend placement also hides the y (value) axis.
    const std::string valueAxis = xml.substr(xml.find("<c:valAx>"));
    EXPECT_TRUE(has(valueAxis.substr(0, valueAxis.find("</c:valAx>")), R"(<c:delete val="1"/>)"));

    const std::string drawing = member(path, "xl/drawings/drawing1.xml");
    EXPECT_TRUE(has(drawing, R"(<xdr:twoCellAnchor editAs="oneCell">)"));
    // The default chart is 480 x 288 pixels; scaled it is 960 x 144, which from E2 spans 15
    // columns of 64 pixels and 7.2 rows of 20 pixels.
    EXPECT_TRUE(has(drawing, "<xdr:from><xdr:col>4</xdr:col><xdr:colOff>0</xdr:colOff>"
                             "<xdr:row>1</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from>"
                             "<xdr:to><xdr:col>19</xdr:col><xdr:colOff>0</xdr:colOff>"
                             "<xdr:row>8</xdr:row><xdr:rowOff>38100</xdr:rowOff></xdr:to>"));
}

TEST(Chart, RefusesAScatterSeriesWithoutCategories) {
    ScratchFolder folder;
    const std::string path = folder.file("scatter.xlsx");
    Workbook workbook(path);
    salesSheet(workbook);
    Chart chart = workbook.addChart(ChartType::scatter);
    EXPECT_THROW(chart.addSeries("=Sheet1!$B$1:$B$5"), XlsxError);
    Series series = chart.addSeries();
    series.setCategories(*workbook.worksheet("Sheet1"), Range("B1:B5"))
        .setValues(*workbook.worksheet("Sheet1"), Range("C1:C5"))
        .setMarker(2, 7)
        .setTrendline(TrendlineType::average, 2)
        .setTrendlineLine(1, 50, false, 1.5f);
    chart.setXAxisRange(0, 60)
        .setYAxisRange(0, 20)
        .setMajorUnit(Axes::X, 10)
        .setMinorUnit(Axes::Y, 1)
        .majorGridlines(Axes::X, true)
        .minorGridlines(Axes::Y, true);
    workbook.worksheet("Sheet1")->insertChart(chart, 8, 0);
    workbook.close();

    const std::string xml = member(path, "xl/charts/chart1.xml");
    EXPECT_EQ(xml.find("<c:ser>"), xml.rfind("<c:ser>")); // the refused series left nothing
    EXPECT_TRUE(has(xml, R"(<c:symbol val="square"/><c:size val="7"/>)"));
    EXPECT_TRUE(has(xml, R"(<c:trendlineType val="movingAvg"/><c:period val="2"/>)"));
    EXPECT_TRUE(has(xml, R"(<c:max val="60"/>)"));
    EXPECT_TRUE(has(xml, R"(<c:majorUnit val="10"/>)"));
    EXPECT_TRUE(has(xml, "<c:minorGridlines/>"));
}

TEST(Chart, FillsAChartsheet) {
    ScratchFolder folder;
    const std::string path = folder.file("chartsheet.xlsx");
    Workbook workbook(path);
    salesSheet(workbook);
    Chart pie = workbook.addChart(ChartType::pie);
    pie.addSeries("=Sheet1!$B$1:$B$5", "=Sheet1!$C$6").setSmooth(false);
    pie.setRotation(90).setRotation(400).titleOff().setStyle(3); // rotation 400 is refused
    workbook.addChartsheet("Graph")
        .setChart(pie)
        .setZoom(150)
        .setZoom(500) // refused: outside 10...400
        .setPaper(PaperType::A4)
        .setLandscape()
        .setHeader("&CSales")
        .setFooter("&RPage &P")
        .protect("secret")
        .activate();
    workbook.close();

    const auto read = testing::readWorkbook(path);
    EXPECT_EQ(read["order"], nlohmann::json::array({"Sheet1", "Graph"}));
    EXPECT_EQ(read["sheets"]["Graph"]["kind"], "Chartsheet");
    const std::string sheet = member(path, "xl/chartsheets/sheet1.xml");
    EXPECT_TRUE(has(sheet, R"(zoomScale="150")"));
    EXPECT_TRUE(has(sheet, R"(paperSize="9")"));
    EXPECT_TRUE(has(sheet, R"(orientation="landscape")"));
    EXPECT_TRUE(has(sheet, "<oddHeader>&amp;CSales</oddHeader>"));
    EXPECT_TRUE(has(sheet, "<sheetProtection"));
    const std::string chart = member(path, "xl/charts/chart1.xml");
    EXPECT_TRUE(has(chart, R"(<c:firstSliceAng val="90"/>)"));
    EXPECT_TRUE(has(chart, R"(<c:style val="3"/>)"));
    EXPECT_TRUE(has(chart, "<c:tx><c:strRef><c:f>Sheet1!$C$6</c:f>"));
}

} // namespace
} // namespace marrowvale
