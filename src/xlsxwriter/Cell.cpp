#include "xlsxwriter/Cell.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace marrowvale {

namespace {

// A1 notation is read by the same rules as the library's lxw_name_to_row() and
// lxw_name_to_col(), but here: the library's row reader runs past the end of a text without a
// digit ("B", or "A:C" read as a range), and its column reader overflows on long letter runs.

/// Row of a name: the first run of decimal digits, less one; 0 without digits or for "0".
std::uint32_t rowFromName(std::string_view name) {
    const std::size_t first = name.find_first_of("0123456789");
    if (first == std::string_view::npos) {
        return 0;
    }
    constexpr std::uint64_t largest = std::uint64_t{std::numeric_limits<std::uint32_t>::max()} + 1;
    std::uint64_t number = 0;
    for (std::size_t i = first; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        number = std::min(number * 10 + static_cast<std::uint64_t>(name[i] - '0'), largest);
    }
    return number == 0 ? 0 : static_cast<std::uint32_t>(number - 1);
}

/// Column of a name: its leading capital letters ("$" skipped) as a base-26 number with A = 1,
/// less one, in 16 bits; so a name without a leading letter gives 65535.
std::uint16_t colFromName(std::string_view name) {
    std::uint32_t number = 0;
    for (const char c : name) {
        if (c == '$') {
            continue;
        }
        if (c < 'A' || c > 'Z') {
            break;
        }
        number = number * 26 + static_cast<std::uint32_t>(c - 'A' + 1); // wraps, never UB
    }
    return static_cast<std::uint16_t>(number - 1);
}

/// The part after the first ":", where the second row and column are read.
std::string_view secondHalf(std::string_view text, const char* what) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        throw std::invalid_argument(std::string(what) + " text lacks ':': " + std::string(text));
    }
    return text.substr(colon + 1);
}

std::string_view viewOf(const char* text) {
    return text != nullptr ? text : "";
}

} // namespace

Cell::Cell(const char* text) : Cell(viewOf(text)) {}

Cell::Cell(std::string_view text) : row(rowFromName(text)), col(colFromName(text)) {}

Cols::Cols(const char* text) : Cols(viewOf(text)) {}

Cols::Cols(std::string_view text) {
    col2 = colFromName(secondHalf(text, "Columns"));
    col = colFromName(text);
}

Range::Range(const char* text) : Range(viewOf(text)) {}

Range::Range(std::string_view text) {
    const std::string_view second = secondHalf(text, "Range");
    row = rowFromName(text);
    col = colFromName(text);
    row2 = rowFromName(second);
    col2 = colFromName(second);
}

} // namespace marrowvale
