#include "xlsxwriter/Worksheet.h"

#include "xlsxwriter/Chart.h"
#include "xlsxwriter/LibraryMessages.h"
#include "xlsxwriter/LibraryText.h"
#include "xlsxwriter/XlsxError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <xlsxwriter.h>

namespace marrowvale {

namespace {

lxw_format* formatHandle(const std::optional<Format>& format) noexcept {
    return format ? format->handle() : nullptr;
}

void check(lxw_error error) {
    if (error != LXW_NO_ERROR) {
        throw XlsxError(error);
    }
}

/// A number the format can store: NaN and infinities have no representation in the file (the
/// library would write the text "NAN" or "INF" and the workbook would not open).
lxw_error writeNumber(lxw_worksheet* sheet, std::uint32_t row, std::uint16_t col, double number,
                      lxw_format* format) {
    if (!std::isfinite(number)) {
        return worksheet_write_blank(sheet, row, col, format);
    }
    return worksheet_write_number(sheet, row, col, number, format);
}

lxw_error writeString(lxw_worksheet* sheet, std::uint32_t row, std::uint16_t col,
                      const std::string& text, lxw_format* format) {
    const LibraryText safe(text, Worksheet::maxTextBytes);
    return worksheet_write_string(sheet, row, col, safe.c_str(), format);
}

double clampedWidth(double width) noexcept {
    if (std::isnan(width)) {
        return LXW_DEF_COL_WIDTH;
    }
    return std::clamp(width, 0.0, Worksheet::maxColumnWidth);
}

/// Refuses a list of cells that would run past the widest row or column index a `Cell` holds.
void requireFits(std::size_t count, std::uint64_t start, std::uint64_t limit) {
    if (count > 0 && start + (count - 1) > limit) {
        throw XlsxError(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
    }
}

} // namespace

std::string Worksheet::name() const {
    return handle_->name != nullptr ? std::string(handle_->name) : std::string();
}

Worksheet& Worksheet::write(const Value& value, Cell cell, std::optional<Format> format) {
    lxw_format* const style = formatHandle(format);
    lxw_error error = LXW_NO_ERROR;
    switch (value.kind()) {
    case Value::Kind::url: {
        const LibraryText url(value.text());
        error = worksheet_write_url(handle_, cell.row, cell.col, url.c_str(), style);
        break;
    }
    case Value::Kind::comment: {
        const LibraryText comment(value.text(), maxTextBytes);
        error = worksheet_write_comment(handle_, cell.row, cell.col, comment.c_str());
        break;
    }
    case Value::Kind::number:
        error = writeNumber(handle_, cell.row, cell.col, value.numberValue(), style);
        break;
    case Value::Kind::string:
        error = writeString(handle_, cell.row, cell.col, value.text(), style);
        break;
    case Value::Kind::boolean:
        error = worksheet_write_boolean(handle_, cell.row, cell.col, value.flag() ? 1 : 0, style);
        break;
    case Value::Kind::formula: {
        const LibraryText formula(value.text());
        error = worksheet_write_formula(handle_, cell.row, cell.col, formula.c_str(), style);
        break;
    }
    case Value::Kind::datetime:
        // A refused date is dropped rather than reported.
        worksheet_write_number(handle_, cell.row, cell.col, Value::serial(value.time()), style);
        break;
    case Value::Kind::blank:
        error = worksheet_write_blank(handle_, cell.row, cell.col, style);
        break;
    }
    check(error);
    return *this;
}

Worksheet& Worksheet::writeRow(const std::vector<Value>& values, Cell start,
                               std::optional<Format> format) {
    requireFits(values.size(), start.col, std::numeric_limits<std::uint16_t>::max());
    for (std::size_t i = 0; i < values.size(); ++i) {
        write(values[i], Cell(start.row, static_cast<std::uint16_t>(start.col + i)), format);
    }
    return *this;
}

Worksheet& Worksheet::writeColumn(const std::vector<Value>& values, Cell start,
                                  std::optional<Format> format) {
    requireFits(values.size(), start.row, std::numeric_limits<std::uint32_t>::max());
    for (std::size_t i = 0; i < values.size(); ++i) {
        write(values[i], Cell(static_cast<std::uint32_t>(start.row + i), start.col), format);
    }
    return *this;
}

Worksheet& Worksheet::writeRow(const std::vector<double>& numbers, std::uint32_t row,
                               std::uint16_t col, std::optional<Format> format) {
    requireFits(numbers.size(), col, std::numeric_limits<std::uint16_t>::max());
    lxw_format* const style = formatHandle(format);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        writeNumber(handle_, row, static_cast<std::uint16_t>(col + i), numbers[i], style);
    }
    return *this;
}

Worksheet& Worksheet::writeRow(const std::vector<std::string>& strings, std::uint32_t row,
                               std::uint16_t col, std::optional<Format> format) {
    requireFits(strings.size(), col, std::numeric_limits<std::uint16_t>::max());
    lxw_format* const style = formatHandle(format);
    for (std::size_t i = 0; i < strings.size(); ++i) {
        writeString(handle_, row, static_cast<std::uint16_t>(col + i), strings[i], style);
    }
    return *this;
}

Worksheet& Worksheet::setColumn(Cols cols, double width, std::optional<Format> format) {
    worksheet_set_column(handle_, cols.col, cols.col2, clampedWidth(width), formatHandle(format));
    return *this;
}

Worksheet& Worksheet::hideColumns(std::uint16_t from, double width) {
    lxw_row_col_options options{};
    options.hidden = 1;
    worksheet_set_column_opt(handle_, from, LXW_COL_MAX - 1, clampedWidth(width), nullptr,
                             &options);
    return *this;
}

Worksheet& Worksheet::insertImage(const std::string& path, Cell cell, std::uint32_t rowPixels) {
    // A picture the library cannot read is left out; its warning line is no use on a terminal.
    LibraryMessages quiet;
    if (LibraryText::firstMalformedByte(path) == std::string::npos) {
        worksheet_insert_image(handle_, cell.row, cell.col, path.c_str());
    } else {
        // The library uses the file's name as the picture's description in the drawing's XML;
        // a name that is not UTF-8 would make the workbook unreadable.
        const std::string_view fileName = std::string_view(path).substr(
            path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
        std::string description = LibraryText::repaired(fileName);
        lxw_image_options options{};
        options.description = description.data();
        worksheet_insert_image_opt(handle_, cell.row, cell.col, path.c_str(), &options);
    }
    worksheet_set_row_pixels(handle_, cell.row, std::min(rowPixels, maxRowPixels), nullptr);
    return *this;
}

Worksheet& Worksheet::mergeRange(Range range, std::string_view text, std::optional<Format> format) {
    const LibraryText safe(text, maxTextBytes);
    worksheet_merge_range(handle_, range.row, range.col, range.row2, range.col2, safe.c_str(),
                          formatHandle(format));
    return *this;
}

Worksheet& Worksheet::autofilter(Range range) {
    worksheet_autofilter(handle_, range.row, range.col, range.row2, range.col2);
    return *this;
}

Worksheet& Worksheet::printArea(Range range) {
    worksheet_print_area(handle_, range.row, range.col, range.row2, range.col2);
    return *this;
}

Worksheet& Worksheet::gridlines(bool screen, bool print) {
    const std::uint8_t option =
        (screen ? LXW_SHOW_SCREEN_GRIDLINES : 0) | (print ? LXW_SHOW_PRINT_GRIDLINES : 0);
    worksheet_gridlines(handle_, option);
    return *this;
}

Worksheet& Worksheet::select() {
    worksheet_select(handle_);
    return *this;
}

Worksheet& Worksheet::activate() {
    worksheet_activate(handle_);
    return *this;
}

Worksheet& Worksheet::hide() {
    worksheet_hide(handle_);
    return *this;
}

Worksheet& Worksheet::hideZero() {
    worksheet_hide_zero(handle_);
    return *this;
}

Worksheet& Worksheet::setPaper(PaperType paper) {
    worksheet_set_paper(handle_, static_cast<std::uint8_t>(paper));
    return *this;
}

Worksheet& Worksheet::setTabColor(Color color) {
    worksheet_set_tab_color(handle_, rawValue(color));
    return *this;
}

Worksheet& Worksheet::setDefaultRow(double height, bool hideUnusedRows) {
    const double points =
        std::isnan(height) ? LXW_DEF_ROW_HEIGHT : std::clamp(height, 0.0, maxRowHeight);
    worksheet_set_default_row(handle_, points, hideUnusedRows ? 1 : 0);
    return *this;
}

Worksheet& Worksheet::addTable(Range range, std::optional<std::string_view> name,
                               const std::vector<TableHeader>& header) {
    // The library copies every text, so these only need to live until the call returns.
    std::vector<std::string> headerTexts;
    headerTexts.reserve(header.size());
    std::vector<lxw_table_column> columns(header.size());
    std::vector<lxw_table_column*> columnList;
    columnList.reserve(header.size() + 1);
    for (std::size_t i = 0; i < header.size(); ++i) {
        headerTexts.push_back(LibraryText::repaired(header[i].first, maxTextBytes));
        columns[i].header = headerTexts.back().data();
        columns[i].header_format = formatHandle(header[i].second);
        columnList.push_back(&columns[i]);
    }
    columnList.push_back(nullptr);

    std::string tableName = name ? LibraryText::repaired(*name) : std::string();
    lxw_table_options options{};
    options.name = name ? tableName.data() : nullptr;
    options.style_type = LXW_TABLE_STYLE_TYPE_MEDIUM;
    options.style_type_number = 7;
    options.total_row = LXW_FALSE;
    options.columns = columnList.data();
    worksheet_add_table(handle_, range.row, range.col, range.row2, range.col2, &options);
    return *this;
}

Worksheet& Worksheet::insertChart(const Chart& chart, std::uint32_t row, std::uint16_t col) {
    worksheet_insert_chart(handle_, row, col, chart.handle());
    return *this;
}

Worksheet& Worksheet::insertChart(const Chart& chart, std::uint32_t row, std::uint16_t col,
                                  double xScale, double yScale) {
    lxw_chart_options options{};
    options.x_scale = xScale;
    options.y_scale = yScale;
    options.object_position = LXW_OBJECT_MOVE_DONT_SIZE;
    worksheet_insert_chart_opt(handle_, row, col, chart.handle(), &options);
    return *this;
}

} // namespace marrowvale
