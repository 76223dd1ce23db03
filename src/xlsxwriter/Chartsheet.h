#pragma once

#include "xlsxwriter/PaperType.h"

#include <cstdint>
#include <string>
#include <string_view>

struct lxw_chartsheet;

namespace marrowvale {

class Chart;

/// A sheet holding one chart, made by `Workbook::addChartsheet()`. A small handle owned by the
/// workbook; refused settings are reported by the library on standard error.
class Chartsheet {
public:
    /// Wraps a chartsheet of the library; used by `Workbook`.
    explicit Chartsheet(lxw_chartsheet* handle) noexcept : handle_(handle) {}

    /// The sheet's name.
    std::string name() const;

    /// Puts a chart on the sheet.
    Chartsheet& setChart(const Chart& chart);
    /// Selects the sheet.
    Chartsheet& select();
    /// Makes this the sheet shown when the workbook opens.
    Chartsheet& activate();
    /// Hides the sheet.
    Chartsheet& hide();
    /// Protects the sheet with a password.
    Chartsheet& protect(std::string_view password);
    /// Sets the paper size for printing.
    Chartsheet& setPaper(PaperType paper);
    /// Sets the zoom in percent, 10 to 400.
    Chartsheet& setZoom(std::uint16_t zoom);
    /// Prints in landscape orientation.
    Chartsheet& setLandscape();
    /// Prints in portrait orientation.
    Chartsheet& setPortrait();
    /// Sets the printed header text.
    Chartsheet& setHeader(std::string_view header);
    /// Sets the printed footer text.
    Chartsheet& setFooter(std::string_view footer);

    /// The library's chartsheet, for the layer's own calls.
    lxw_chartsheet* handle() const noexcept { return handle_; }

    bool operator==(const Chartsheet&) const = default;

private:
    lxw_chartsheet* handle_;
};

} // namespace marrowvale
