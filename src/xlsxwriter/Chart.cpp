#include "xlsxwriter/Chart.h"

#include "xlsxwriter/LibraryText.h"
#include "xlsxwriter/XlsxError.h"

#include <xlsxwriter.h>

namespace marrowvale {

namespace {

lxw_chart_axis* axisOf(lxw_chart* chart, Axes axis) noexcept {
    return axis == Axes::X ? chart->x_axis : chart->y_axis;
}

} // namespace

Series Chart::addSeries(std::optional<std::string_view> values,
                        std::optional<std::string_view> name) {
    std::optional<LibraryText> range;
    if (values) {
        range.emplace(*values);
    }
    lxw_chart_series* series = chart_add_series(handle_, nullptr, range ? range->c_str() : nullptr);
    if (series == nullptr) {
        throw XlsxError(LXW_ERROR_PARAMETER_VALIDATION,
                        "The chart refused the series: a scatter chart needs categories and "
                        "values.");
    }
    Series result(series);
    if (name) {
        result.setName(*name);
    }
    return result;
}

Chart& Chart::setTitle(std::string_view title) {
    const LibraryText text(title);
    chart_title_set_name(handle_, text.c_str());
    return *this;
}

Chart& Chart::titleOff() {
    chart_title_off(handle_);
    return *this;
}

Chart& Chart::setXAxisName(std::string_view name) {
    const LibraryText text(name);
    chart_axis_set_name(handle_->x_axis, text.c_str());
    return *this;
}

Chart& Chart::setYAxisName(std::string_view name) {
    const LibraryText text(name);
    chart_axis_set_name(handle_->y_axis, text.c_str());
    return *this;
}

Chart& Chart::setXAxisRange(double min, double max) {
    chart_axis_set_min(handle_->x_axis, min);
    chart_axis_set_max(handle_->x_axis, max);
    return *this;
}

Chart& Chart::setYAxisRange(double min, double max) {
    chart_axis_set_min(handle_->y_axis, min);
    chart_axis_set_max(handle_->y_axis, max);
    return *this;
}

Chart& Chart::axisOff(Axes axis) {
    chart_axis_off(axisOf(handle_, axis));
    return *this;
}

Chart& Chart::majorGridlines(Axes axis, bool visible) {
    chart_axis_major_gridlines_set_visible(axisOf(handle_, axis), visible ? 1 : 0);
    return *this;
}

Chart& Chart::minorGridlines(Axes axis, bool visible) {
    chart_axis_minor_gridlines_set_visible(axisOf(handle_, axis), visible ? 1 : 0);
    return *this;
}

Chart& Chart::setMajorUnit(Axes axis, double unit) {
    chart_axis_set_major_unit(axisOf(handle_, axis), unit);
    return *this;
}

Chart& Chart::setMinorUnit(Axes axis, double unit) {
    chart_axis_set_minor_unit(axisOf(handle_, axis), unit);
    return *this;
}

Chart& Chart::setLegendPosition(LegendPosition position) {
    chart_legend_set_position(handle_, static_cast<std::uint8_t>(position));
    chart_axis_off(handle_->y_axis);
    return *this;
}

Chart& Chart::deleteLegendSeries(const std::vector<std::int16_t>& series) {
    std::vector<std::int16_t> list(series);
    list.push_back(-1); // the library's end marker
    chart_legend_delete_series(handle_, list.data());
    return *this;
}

Chart& Chart::setRotation(std::uint16_t degrees) {
    chart_set_rotation(handle_, degrees);
    return *this;
}

Chart& Chart::setTable() {
    chart_set_table(handle_); // the library default: all borders, no legend keys
    return *this;
}

Chart& Chart::setStyle(std::uint8_t style) {
    chart_set_style(handle_, style);
    return *this;
}

} // namespace marrowvale
