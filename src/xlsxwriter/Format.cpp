#include "xlsxwriter/Format.h"

#include "xlsxwriter/LibraryText.h"

#include <xlsxwriter.h>

namespace marrowvale {

namespace {

/// The library keeps font names and number formats in 128-byte fields and would cut a longer
/// text in the middle of a character.
constexpr std::size_t formatFieldBytes = 127;

} // namespace

Format& Format::setBold() {
    format_set_bold(handle_);
    return *this;
}

Format& Format::setItalic() {
    format_set_italic(handle_);
    return *this;
}

Format& Format::setFontName(std::string_view name) {
    const LibraryText text(name, formatFieldBytes);
    format_set_font_name(handle_, text.c_str());
    return *this;
}

Format& Format::setFontSize(double size) {
    format_set_font_size(handle_, size);
    return *this;
}

Format& Format::setFontColor(Color color) {
    format_set_font_color(handle_, rawValue(color));
    return *this;
}

Format& Format::setAlign(HorizontalAlignment alignment) {
    format_set_align(handle_, rawValue(alignment));
    return *this;
}

Format& Format::setVerticalAlign(VerticalAlignment alignment) {
    format_set_align(handle_, rawValue(alignment));
    return *this;
}

Format& Format::setCenter() {
    format_set_align(handle_, LXW_ALIGN_CENTER);
    format_set_align(handle_, LXW_ALIGN_VERTICAL_CENTER);
    return *this;
}

Format& Format::setBorder(Border border) {
    format_set_border(handle_, rawValue(border));
    return *this;
}

Format& Format::setTop(Border border) {
    format_set_top(handle_, rawValue(border));
    return *this;
}

Format& Format::setBottom(Border border) {
    format_set_bottom(handle_, rawValue(border));
    return *this;
}

Format& Format::setLeft(Border border) {
    format_set_left(handle_, rawValue(border));
    return *this;
}

Format& Format::setRight(Border border) {
    format_set_right(handle_, rawValue(border));
    return *this;
}

Format& Format::setBorderColor(Color color) {
    format_set_border_color(handle_, rawValue(color));
    return *this;
}

Format& Format::setBackground(Color color) {
    format_set_pattern(handle_, LXW_PATTERN_SOLID);
    format_set_bg_color(handle_, rawValue(color));
    return *this;
}

Format& Format::setNumFormat(std::string_view code) {
    const LibraryText text(code, formatFieldBytes);
    format_set_num_format(handle_, text.c_str());
    return *this;
}

Format& Format::setNumFormatIndex(std::uint8_t index) {
    format_set_num_format_index(handle_, index);
    return *this;
}

Format& Format::setShrink() {
    format_set_shrink(handle_);
    return *this;
}

Format& Format::setRotation(std::int16_t angle) {
    format_set_rotation(handle_, angle);
    return *this;
}

} // namespace marrowvale
