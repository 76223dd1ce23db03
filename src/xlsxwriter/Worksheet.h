#pragma once

#include "xlsxwriter/Cell.h"
#include "xlsxwriter/Color.h"
#include "xlsxwriter/Format.h"
#include "xlsxwriter/PaperType.h"
#include "xlsxwriter/Value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct lxw_worksheet;

namespace marrowvale {

class Chart;

/// One worksheet of a workbook, made by `Workbook::addWorksheet()`. A small handle: copies
/// address the same sheet, and the workbook owns it until it is closed. Setters return the same
/// handle so that calls can be chained.
///
/// Text handed to a sheet is made safe first: malformed UTF-8 becomes U+FFFD, and cell text is
/// cut to 32,767 bytes at a character boundary.
class Worksheet {
public:
    /// Widest column the spreadsheet format allows, in character units.
    static constexpr double maxColumnWidth = 255.0;
    /// Tallest row the spreadsheet format allows, in points.
    static constexpr double maxRowHeight = 409.0;
    /// Tallest row in whole pixels (a pixel is 0.75 points).
    static constexpr std::uint32_t maxRowPixels = 545;
    /// Longest cell text the layer hands over, in bytes.
    static constexpr std::size_t maxTextBytes = 32767;

    /// A header cell of a table: its text and optional format.
    using TableHeader = std::pair<std::string, std::optional<Format>>;

    /// Wraps a worksheet of the library; used by `Workbook`.
    explicit Worksheet(lxw_worksheet* handle) noexcept : handle_(handle) {}

    /// The sheet's name.
    std::string name() const;

    /// Writes one value at a cell; throws `XlsxError` with the library's message when the
    /// library refuses (for example a cell beyond row 1,048,576 or column XFD). A number that is
    /// not finite is written as a blank cell; a blank (or empty text) without a format leaves
    /// the cell unwritten. A date is written as its serial and a refused date is dropped.
    Worksheet& write(const Value& value, Cell cell, std::optional<Format> format = std::nullopt);

    /// Writes value i at (row, col + i), each as `write()` does.
    Worksheet& writeRow(const std::vector<Value>& values, Cell start,
                        std::optional<Format> format = std::nullopt);

    /// Writes value i at (row + i, col), each as `write()` does.
    Worksheet& writeColumn(const std::vector<Value>& values, Cell start,
                           std::optional<Format> format = std::nullopt);

    /// Writes number i at (row, col + i); cells the library refuses are skipped.
    Worksheet& writeRow(const std::vector<double>& numbers, std::uint32_t row, std::uint16_t col,
                        std::optional<Format> format = std::nullopt);

    /// Writes text i at (row, col + i); cells the library refuses are skipped.
    Worksheet& writeRow(const std::vector<std::string>& strings, std::uint32_t row,
                        std::uint16_t col, std::optional<Format> format = std::nullopt);

    /// Sets the width (character units, clamped to 0...255) and the default format of columns.
    Worksheet& setColumn(Cols cols, double width, std::optional<Format> format = std::nullopt);

    /// Hides every column from `from` to the last one (XFD), giving them a width.
    Worksheet& hideColumns(std::uint16_t from, double width);

    /// Inserts a picture file at a cell's top-left corner (scale 1) and sets the row's height in
    /// pixels (clamped to 545, the tallest row allowed); the height is set even when the picture
    /// cannot be read, which the library reports on standard error.
    ///
    /// The library reads the file again when the workbook is closed, so the file must stay in
    /// place until `Workbook::close()` returns. A JPEG is scaled by the resolution stored in it
    /// (a 72 dpi picture shows at 96/72 of its pixel size).
    Worksheet& insertImage(const std::string& path, Cell cell, std::uint32_t rowPixels);

    /// Merges a range into one cell holding a text; the library refuses a single cell.
    Worksheet& mergeRange(Range range, std::string_view text,
                          std::optional<Format> format = std::nullopt);

    /// Puts filter buttons on a range's first row.
    Worksheet& autofilter(Range range);

    /// Limits printing to a range.
    Worksheet& printArea(Range range);

    /// Shows or hides gridlines on screen and in print; turning screen off with print on
    /// leaves the screen gridlines as they were.
    Worksheet& gridlines(bool screen, bool print);

    /// Selects the sheet (and un-hides it).
    Worksheet& select();

    /// Makes this the sheet shown when the workbook opens.
    Worksheet& activate();

    /// Hides the sheet.
    Worksheet& hide();

    /// Shows zero values as empty cells.
    Worksheet& hideZero();

    /// Sets the paper size for printing.
    Worksheet& setPaper(PaperType paper);

    /// Sets the colour of the sheet's tab.
    Worksheet& setTabColor(Color color);

    /// Sets the default row height in points (clamped to 0...409) and whether rows without
    /// content are hidden.
    Worksheet& setDefaultRow(double height, bool hideUnusedRows);

    /// Adds a table over a range with the given column headers, in style medium 7 and without a
    /// totals row; without a name the library names it.
    Worksheet& addTable(Range range, std::optional<std::string_view> name,
                        const std::vector<TableHeader>& header);

    /// Places a chart with its top-left corner at a cell.
    Worksheet& insertChart(const Chart& chart, std::uint32_t row, std::uint16_t col);

    /// Places a scaled chart at a cell; it moves with its cells but is not resized by them.
    Worksheet& insertChart(const Chart& chart, std::uint32_t row, std::uint16_t col, double xScale,
                           double yScale);

    /// The library's worksheet, for the layer's own calls.
    lxw_worksheet* handle() const noexcept { return handle_; }

    bool operator==(const Worksheet&) const = default;

private:
    lxw_worksheet* handle_;
};

} // namespace marrowvale
