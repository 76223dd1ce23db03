#include "xlsxwriter/Chartsheet.h"

#include "xlsxwriter/Chart.h"
#include "xlsxwriter/LibraryText.h"

#include <xlsxwriter.h>

namespace marrowvale {

std::string Chartsheet::name() const {
    return handle_->name != nullptr ? std::string(handle_->name) : std::string();
}

Chartsheet& Chartsheet::setChart(const Chart& chart) {
    chartsheet_set_chart(handle_, chart.handle());
    return *this;
}

Chartsheet& Chartsheet::select() {
    chartsheet_select(handle_);
    return *this;
}

Chartsheet& Chartsheet::activate() {
    chartsheet_activate(handle_);
    return *this;
}

Chartsheet& Chartsheet::hide() {
    chartsheet_hide(handle_);
    return *this;
}

Chartsheet& Chartsheet::protect(std::string_view password) {
    const LibraryText text(password);
    chartsheet_protect(handle_, text.c_str(), nullptr);
    return *this;
}

Chartsheet& Chartsheet::setPaper(PaperType paper) {
    chartsheet_set_paper(handle_, static_cast<std::uint8_t>(paper));
    return *this;
}

Chartsheet& Chartsheet::setZoom(std::uint16_t zoom) {
    chartsheet_set_zoom(handle_, zoom);
    return *this;
}

Chartsheet& Chartsheet::setLandscape() {
    chartsheet_set_landscape(handle_);
    return *this;
}

Chartsheet& Chartsheet::setPortrait() {
    chartsheet_set_portrait(handle_);
    return *this;
}

Chartsheet& Chartsheet::setHeader(std::string_view header) {
    const LibraryText text(header);
    chartsheet_set_header(handle_, text.c_str());
    return *this;
}

Chartsheet& Chartsheet::setFooter(std::string_view footer) {
    const LibraryText text(footer);
    chartsheet_set_footer(handle_, text.c_str());
    return *this;
}

} // namespace marrowvale
