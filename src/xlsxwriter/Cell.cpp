#include "xlsxwriter/Cell.h"

#include <stdexcept>
#include <xlsxwriter.h>

namespace marrowvale {

namespace {

/// The text as a NUL-terminated string for the library's A1-notation readers.
std::string terminated(std::string_view text) {
    return std::string(text);
}

void requireColon(std::string_view text, const char* what) {
    if (text.find(':') == std::string_view::npos) {
        throw std::invalid_argument(std::string(what) + " text lacks ':': " + std::string(text));
    }
}

} // namespace

Cell::Cell(const char* text) : Cell(std::string_view(text != nullptr ? text : "")) {}

Cell::Cell(std::string_view text) {
    const std::string name = terminated(text);
    row = lxw_name_to_row(name.c_str());
    col = lxw_name_to_col(name.c_str());
}

Cols::Cols(const char* text) : Cols(std::string_view(text != nullptr ? text : "")) {}

Cols::Cols(std::string_view text) {
    requireColon(text, "Columns");
    const std::string name = terminated(text);
    col = lxw_name_to_col(name.c_str());
    col2 = lxw_name_to_col_2(name.c_str());
}

Range::Range(const char* text) : Range(std::string_view(text != nullptr ? text : "")) {}

Range::Range(std::string_view text) {
    requireColon(text, "Range");
    const std::string name = terminated(text);
    row = lxw_name_to_row(name.c_str());
    col = lxw_name_to_col(name.c_str());
    row2 = lxw_name_to_row_2(name.c_str());
    col2 = lxw_name_to_col_2(name.c_str());
}

} // namespace marrowvale
