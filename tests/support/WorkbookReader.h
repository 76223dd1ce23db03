#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace marrowvale::testing {

/// A written workbook read back (readWorkbook) as the report tests look at it: worksheets by
/// name, each cell of a row as {"v": value, "color", "bold", "font", "size", "align",
/// "format", ...}, with its column widths and row heights.
class WorkbookReader {
public:
    /// Reads the workbook at `path`; throws std::runtime_error when it cannot be read.
    explicit WorkbookReader(const std::filesystem::path& path);

    /// Names of the worksheets, in order.
    std::vector<std::string> sheetNames() const;
    /// One sheet by name: {"rows", "widths", "heights", ...}; throws std::out_of_range when
    /// there is none.
    const nlohmann::json& sheet(const std::string& name) const;
    /// The cell at a zero-based row and column of a sheet (null JSON past the used range).
    const nlohmann::json& cell(const std::string& sheetName, int row, int col) const;
    /// The value of a cell: text, number or null.
    const nlohmann::json& value(const std::string& sheetName, int row, int col) const;
    /// The column of a sheet whose header (row 0) is `header`, counting from 0; -1 when none.
    int column(const std::string& sheetName, const std::string& header, int occurrence = 0) const;
    /// Every row of a sheet as texts: strings as they are, numbers in their shortest form,
    /// blank cells as "".
    std::vector<std::vector<std::string>> texts(const std::string& sheetName) const;
    /// The font colour of each body row's cell in `column`, such as "FF0000FF".
    std::vector<std::string> colours(const std::string& sheetName, int column) const;
    /// Number of pictures in the workbook.
    int mediaCount() const { return data_["media"].get<int>(); }

private:
    nlohmann::json data_;
};

} // namespace marrowvale::testing
