#include "xlsxwriter/Series.h"

#include "xlsxwriter/LibraryText.h"
#include "xlsxwriter/Worksheet.h"

#include <xlsxwriter.h>

namespace marrowvale {

Series& Series::setName(std::string_view name) {
    const LibraryText text(name);
    chart_series_set_name(handle_, text.c_str());
    return *this;
}

Series& Series::setNameRange(const Worksheet& sheet, Cell cell) {
    const std::string sheetName = sheet.name();
    chart_series_set_name_range(handle_, sheetName.c_str(), cell.row, cell.col);
    return *this;
}

Series& Series::setValues(const Worksheet& sheet, Range range) {
    const std::string sheetName = sheet.name();
    chart_series_set_values(handle_, sheetName.c_str(), range.row, range.col, range.row2,
                            range.col2);
    return *this;
}

Series& Series::setCategories(const Worksheet& sheet, Range range) {
    const std::string sheetName = sheet.name();
    chart_series_set_categories(handle_, sheetName.c_str(), range.row, range.col, range.row2,
                                range.col2);
    return *this;
}

Series& Series::setSmooth(bool smooth) {
    chart_series_set_smooth(handle_, smooth ? 1 : 0);
    return *this;
}

Series& Series::setMarker(std::uint8_t type, std::uint8_t size) {
    chart_series_set_marker_type(handle_, type);
    chart_series_set_marker_size(handle_, size);
    return *this;
}

Series& Series::setTrendline(TrendlineType type, std::uint8_t value) {
    chart_series_set_trendline(handle_, static_cast<std::uint8_t>(type), value);
    return *this;
}

Series& Series::setTrendlineName(std::string_view name) {
    const LibraryText text(name);
    chart_series_set_trendline_name(handle_, text.c_str());
    return *this;
}

Series& Series::setTrendlineLine(std::uint8_t dashType, std::uint8_t transparency, bool none,
                                 float width) {
    lxw_chart_line line{};
    line.color = LXW_COLOR_BLACK;
    line.none = none ? 1 : 0;
    line.width = width;
    line.dash_type = dashType;
    line.transparency = transparency;
    chart_series_set_trendline_line(handle_, &line);
    return *this;
}

Series& Series::setTrendlineEquation() {
    chart_series_set_trendline_equation(handle_);
    return *this;
}

Series& Series::setTrendlineRSquared() {
    chart_series_set_trendline_r_squared(handle_);
    return *this;
}

} // namespace marrowvale
