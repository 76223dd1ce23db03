#include "support/WorkbookReader.h"

#include "support/WorkbookReadBack.h"

#include <stdexcept>

namespace marrowvale::testing {

namespace {

const nlohmann::json nullJson;

} // namespace

WorkbookReader::WorkbookReader(const std::filesystem::path& path) : data_(readWorkbook(path)) {
    // The report tests' names for a cell's value and number format.
    for (auto& [name, sheet] : data_["sheets"].items()) {
        if (!sheet.contains("rows")) {
            continue;
        }
        for (auto& row : sheet["rows"]) {
            for (auto& cell : row) {
                cell["v"] = cell["value"];
                cell["format"] = cell["numFormat"];
            }
        }
    }
}

std::vector<std::string> WorkbookReader::sheetNames() const {
    std::vector<std::string> names;
    for (const auto& name : data_["order"]) {
        if (data_["sheets"][name.get<std::string>()]["kind"] == "Worksheet") {
            names.push_back(name.get<std::string>());
        }
    }
    return names;
}

const nlohmann::json& WorkbookReader::sheet(const std::string& name) const {
    const nlohmann::json& sheets = data_["sheets"];
    const auto found = sheets.find(name);
    if (found == sheets.end() || !found->contains("rows")) {
        throw std::out_of_range("no worksheet " + name);
    }
    return *found;
}

const nlohmann::json& WorkbookReader::cell(const std::string& sheetName, int row, int col) const {
    const nlohmann::json& rows = sheet(sheetName)["rows"];
    if (row < 0 || col < 0 || static_cast<std::size_t>(row) >= rows.size() ||
        static_cast<std::size_t>(col) >= rows[row].size()) {
        return nullJson;
    }
    return rows[row][col];
}

const nlohmann::json& WorkbookReader::value(const std::string& sheetName, int row, int col) const {
    const nlohmann::json& found = cell(sheetName, row, col);
    return found.is_null() ? nullJson : found["v"];
}

std::vector<std::vector<std::string>> WorkbookReader::texts(const std::string& sheetName) const {
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : sheet(sheetName)["rows"]) {
        std::vector<std::string>& texts = rows.emplace_back();
        for (const auto& cell : row) {
            const nlohmann::json& value = cell["v"];
            texts.push_back(value.is_null()     ? std::string()
                            : value.is_string() ? value.get<std::string>()
                                                : value.dump());
        }
    }
    return rows;
}

std::vector<std::string> WorkbookReader::colours(const std::string& sheetName, int column) const {
    std::vector<std::string> colours;
    const nlohmann::json& rows = sheet(sheetName)["rows"];
    for (std::size_t row = 1; row < rows.size(); ++row) {
        const nlohmann::json& colour = cell(sheetName, static_cast<int>(row), column)["color"];
        colours.push_back(colour.is_string() ? colour.get<std::string>() : std::string());
    }
    return colours;
}

int WorkbookReader::column(const std::string& sheetName, const std::string& header,
                           int occurrence) const {
    const nlohmann::json& rows = sheet(sheetName)["rows"];
    if (rows.empty()) {
        return -1;
    }
    for (std::size_t col = 0; col < rows[0].size(); ++col) {
        if (rows[0][col]["v"] == header && occurrence-- == 0) {
            return static_cast<int>(col);
        }
    }
    return -1;
}

} // namespace marrowvale::testing
