#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace marrowvale {

/// A zero-based cell address: row 0 is the sheet's first row, column 0 its column A.
struct Cell {
    std::uint32_t row = 0;
    std::uint16_t col = 0;

    constexpr Cell() = default;

    /// The cell at a row and column.
    constexpr Cell(std::uint32_t row, std::uint16_t col) : row(row), col(col) {}

    /// The cell named in A1 notation ("B3", "$C$4"), by the library's rules: text
    /// without a digit gives row 0, text without a leading capital letter gives column 65535.
    Cell(const char* text);

    /// The cell named in A1 notation, as above.
    explicit Cell(std::string_view text);

    bool operator==(const Cell&) const = default;
};

/// A zero-based span of columns, `col` to `col2` inclusive.
struct Cols {
    std::uint16_t col = 0;
    std::uint16_t col2 = 0;

    constexpr Cols() = default;

    /// The columns col to col2.
    constexpr Cols(std::uint16_t col, std::uint16_t col2) : col(col), col2(col2) {}

    /// Columns in A1 notation ("A:C"); throws std::invalid_argument when the text has no ":".
    Cols(const char* text);

    /// Columns in A1 notation, as above.
    explicit Cols(std::string_view text);

    bool operator==(const Cols&) const = default;
};

/// A zero-based rectangle of cells from (row, col) to (row2, col2) inclusive.
struct Range {
    std::uint32_t row = 0;
    std::uint16_t col = 0;
    std::uint32_t row2 = 0;
    std::uint16_t col2 = 0;

    constexpr Range() = default;

    /// The cells from (row, col) to (row2, col2).
    constexpr Range(std::uint32_t row, std::uint16_t col, std::uint32_t row2, std::uint16_t col2)
        : row(row), col(col), row2(row2), col2(col2) {}

    /// A range in A1 notation ("A1:B2"); throws std::invalid_argument when the text has no ":".
    Range(const char* text);

    /// A range in A1 notation, as above.
    explicit Range(std::string_view text);

    bool operator==(const Range&) const = default;
};

} // namespace marrowvale
