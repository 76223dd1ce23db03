#pragma once

#include "xlsxwriter/Color.h"
#include "xlsxwriter/RawEnum.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

struct lxw_format;

namespace marrowvale {

/// Horizontal alignment of a cell's content.
enum class HorizontalAlignment : std::uint8_t {
    none = 0,
    left = 1,
    center = 2,
    right = 3,
    fill = 4,
    justify = 5,
    center_across = 6,
    distributed = 7,
};

/// Vertical alignment of a cell's content.
enum class VerticalAlignment : std::uint8_t {
    top = 8,
    bottom = 9,
    center = 10,
    justify = 11,
    distributed = 12,
};

/// Line style of a cell border.
enum class Border : std::uint8_t {
    noBorder = 0,
    thin = 1,
    medium = 2,
    dashed = 3,
    dotted = 4,
    thick = 5,
    double_ = 6,
    hair = 7,
    medium_dashed = 8,
    dash_dot = 9,
    medium_dash_dot = 10,
    dash_dot_dot = 11,
    medium_dash_dot_dot = 12,
    slant_dash_dot = 13,
};

/// The horizontal alignment with exactly this raw value, or none.
constexpr std::optional<HorizontalAlignment> horizontalAlignmentFromRaw(std::uint8_t raw) noexcept {
    using H = HorizontalAlignment;
    constexpr std::array all = {H::none, H::left,    H::center,        H::right,
                                H::fill, H::justify, H::center_across, H::distributed};
    return enumFromRaw(all, raw);
}

/// The vertical alignment with exactly this raw value, or none.
constexpr std::optional<VerticalAlignment> verticalAlignmentFromRaw(std::uint8_t raw) noexcept {
    using V = VerticalAlignment;
    constexpr std::array all = {V::top, V::bottom, V::center, V::justify, V::distributed};
    return enumFromRaw(all, raw);
}

/// The border style with exactly this raw value, or none.
constexpr std::optional<Border> borderFromRaw(std::uint8_t raw) noexcept {
    return raw <= rawValue(Border::slant_dash_dot) ? std::optional(static_cast<Border>(raw))
                                                   : std::nullopt;
}

/// A cell format of a workbook, made by `Workbook::addFormat()`. A small handle: copies address
/// the same format, and the workbook owns it until it is closed.
///
/// Cells keep a reference to their format, not a copy, and the library resolves formats when the
/// workbook is closed, so a format applies in its final state to every cell written with it.
/// Make each format once and reuse it for all its cells.
class Format {
public:
    /// Wraps a format of the library; used by `Workbook`.
    explicit Format(lxw_format* handle) noexcept : handle_(handle) {}

    /// Bold font.
    Format& setBold();
    /// Italic font.
    Format& setItalic();
    /// Font name; kept to at most 127 bytes, cut at a character boundary.
    Format& setFontName(std::string_view name);
    /// Font size in points; a size outside 1 to 409 is ignored.
    Format& setFontSize(double size);
    /// Font colour.
    Format& setFontColor(Color color);
    /// Horizontal alignment; `none` changes nothing.
    Format& setAlign(HorizontalAlignment alignment);
    /// Vertical alignment.
    Format& setVerticalAlign(VerticalAlignment alignment);
    /// Centres the content both ways.
    Format& setCenter();
    /// Border style of all four edges.
    Format& setBorder(Border border);
    /// Border style of the top edge.
    Format& setTop(Border border);
    /// Border style of the bottom edge.
    Format& setBottom(Border border);
    /// Border style of the left edge.
    Format& setLeft(Border border);
    /// Border style of the right edge.
    Format& setRight(Border border);
    /// Colour of all four edges.
    Format& setBorderColor(Color color);
    /// Solid cell fill in the colour.
    Format& setBackground(Color color);
    /// Number format code such as "0.00" or "yyyy-mm-dd"; kept to at most 127 bytes.
    Format& setNumFormat(std::string_view code);
    /// One of the spreadsheet's built-in number formats, by index.
    Format& setNumFormatIndex(std::uint8_t index);
    /// Shrinks text to fit the cell.
    Format& setShrink();
    /// Text angle: -90 to 90 degrees, or 270 for stacked text; the library refuses others.
    Format& setRotation(std::int16_t angle);

    /// The library's format, for the layer's own calls.
    lxw_format* handle() const noexcept { return handle_; }

    bool operator==(const Format&) const = default;

private:
    lxw_format* handle_;
};

} // namespace marrowvale
