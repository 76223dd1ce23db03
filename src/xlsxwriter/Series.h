#pragma once

#include "xlsxwriter/Cell.h"

#include <cstdint>
#include <optional>
#include <string_view>

struct lxw_chart_series;

namespace marrowvale {

class Worksheet;

/// The kinds of trendline a series can carry.
enum class TrendlineType : std::uint8_t { linear, log, poly, power, exp, average };

/// The trendline type with exactly this raw value, or none.
constexpr std::optional<TrendlineType> trendlineTypeFromRaw(std::uint8_t raw) noexcept {
    return raw <= static_cast<std::uint8_t>(TrendlineType::average)
               ? std::optional(static_cast<TrendlineType>(raw))
               : std::nullopt;
}

/// One data series of a chart, made by `Chart::addSeries()`. A small handle owned by the
/// workbook; refused settings are reported by the library on standard error.
class Series {
public:
    /// Wraps a series of the library; used by `Chart`.
    explicit Series(lxw_chart_series* handle) noexcept : handle_(handle) {}

    /// Names the series (a text beginning with "=" is a cell reference).
    Series& setName(std::string_view name);
    /// Takes the series name from a cell of a worksheet.
    Series& setNameRange(const Worksheet& sheet, Cell cell);
    /// Takes the series values from a range of a worksheet.
    Series& setValues(const Worksheet& sheet, Range range);
    /// Takes the series categories from a range of a worksheet.
    Series& setCategories(const Worksheet& sheet, Range range);
    /// Smooths a line series.
    Series& setSmooth(bool smooth);
    /// Sets the marker type and size of the points.
    Series& setMarker(std::uint8_t type, std::uint8_t size);
    /// Adds a trendline; `value` is the polynomial order or moving-average period (at least 2).
    Series& setTrendline(TrendlineType type, std::uint8_t value);
    /// Names the trendline.
    Series& setTrendlineName(std::string_view name);
    /// Draws the trendline in black with a dash type, transparency (0 to 100), width, or not at
    /// all.
    Series& setTrendlineLine(std::uint8_t dashType, std::uint8_t transparency, bool none,
                             float width);
    /// Shows the trendline's equation.
    Series& setTrendlineEquation();
    /// Shows the trendline's R squared.
    Series& setTrendlineRSquared();

    /// The library's series, for the layer's own calls.
    lxw_chart_series* handle() const noexcept { return handle_; }

    bool operator==(const Series&) const = default;

private:
    lxw_chart_series* handle_;
};

} // namespace marrowvale
