#pragma once

#include "xlsxwriter/Series.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct lxw_chart;

namespace marrowvale {

/// The kinds of chart; the raw value is the library's chart type.
enum class ChartType : std::uint8_t {
    none,
    area,
    area_stacked,
    area_percentage_stacked,
    bar,
    bar_stacked,
    bar_percentage_stacked,
    column,
    column_stacked,
    column_percentage_stacked,
    doughnut,
    line,
    line_stacked,
    line_percentage_stacked,
    pie,
    scatter,
    scatter_straight,
    scatter_straight_with_markers,
    scatter_smooth,
    scatter_smooth_with_markers,
    radar,
    radar_with_markers,
    radar_filled,
};

/// Where a chart's legend goes.
enum class LegendPosition : std::uint8_t {
    none,
    right,
    left,
    top,
    bottom,
    top_right,
    overlay_right,
    overlay_left,
    overlay_top_right,
};

/// A chart's x or y axis.
enum class Axes { X, Y };

/// The chart type with exactly this raw value, or none.
constexpr std::optional<ChartType> chartTypeFromRaw(std::uint8_t raw) noexcept {
    return raw <= static_cast<std::uint8_t>(ChartType::radar_filled)
               ? std::optional(static_cast<ChartType>(raw))
               : std::nullopt;
}

/// The legend position with exactly this raw value, or none.
constexpr std::optional<LegendPosition> legendPositionFromRaw(std::uint8_t raw) noexcept {
    return raw <= static_cast<std::uint8_t>(LegendPosition::overlay_top_right)
               ? std::optional(static_cast<LegendPosition>(raw))
               : std::nullopt;
}

/// A chart of a workbook, made by `Workbook::addChart()` and placed with
/// `Worksheet::insertChart()` or `Chartsheet::setChart()`. A small handle owned by the
/// workbook. Refused settings are reported by the library on standard error and change nothing.
/// A title or series name beginning with "=" is read as a cell reference.
class Chart {
public:
    /// Wraps a chart of the library; used by `Workbook`.
    explicit Chart(lxw_chart* handle) noexcept : handle_(handle) {}

    /// Adds a data series with optional values (a range text such as "=Sheet1!$B$1:$B$5") and
    /// name. Throws `XlsxError` when the library refuses the series (a scatter chart needs
    /// categories as well as values).
    Series addSeries(std::optional<std::string_view> values = std::nullopt,
                     std::optional<std::string_view> name = std::nullopt);

    /// Sets the chart's title.
    Chart& setTitle(std::string_view title);
    /// Hides the chart's title.
    Chart& titleOff();
    /// Names the x axis.
    Chart& setXAxisName(std::string_view name);
    /// Names the y axis.
    Chart& setYAxisName(std::string_view name);
    /// Sets the x axis's minimum and maximum (value and date axes only).
    Chart& setXAxisRange(double min, double max);
    /// Sets the y axis's minimum and maximum (value and date axes only).
    Chart& setYAxisRange(double min, double max);
    /// Hides an axis.
    Chart& axisOff(Axes axis);
    /// Shows or hides an axis's major gridlines.
    Chart& majorGridlines(Axes axis, bool visible);
    /// Shows or hides an axis's minor gridlines.
    Chart& minorGridlines(Axes axis, bool visible);
    /// Sets an axis's major unit (value and date axes only).
    Chart& setMajorUnit(Axes axis, double unit);
    /// Sets an axis's minor unit (value and date axes only).
    Chart& setMinorUnit(Axes axis, double unit);
    /// Places the legend, and hides the y axis.
    Chart& setLegendPosition(LegendPosition position);
    /// Leaves the series at these zero-based indices out of the legend.
    Chart& deleteLegendSeries(const std::vector<std::int16_t>& series);
    /// Rotates the first slice of a pie or doughnut, 0 to 360 degrees.
    Chart& setRotation(std::uint16_t degrees);
    /// Shows a data table under the chart, with borders and without legend keys.
    Chart& setTable();
    /// Picks one of the 48 built-in styles; others give style 2.
    Chart& setStyle(std::uint8_t style);

    /// The library's chart, for the layer's own calls.
    lxw_chart* handle() const noexcept { return handle_; }

    bool operator==(const Chart&) const = default;

private:
    lxw_chart* handle_;
};

} // namespace marrowvale
