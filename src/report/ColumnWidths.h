#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace marrowvale {

/// Number of characters (Unicode scalar values) in a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

/// The column widths of the sheet being written, in character units: seeded from the header
/// texts, raised to the longest text written into each column, applied when the sheet ends.
class ColumnWidths {
public:
    ColumnWidths() = default;

    /// Starts with the given widths, one per column.
    explicit ColumnWidths(std::vector<double> widths) : widths_(std::move(widths)) {}

    /// Raises the column's width to the text's character count when that is larger.
    void update(std::size_t column, std::string_view text);

    /// Replaces the column's width whatever it was.
    void set(std::size_t column, double width) { widths_.at(column) = width; }

    /// The widths, one per column.
    const std::vector<double>& widths() const { return widths_; }

private:
    std::vector<double> widths_;
};

} // namespace marrowvale
