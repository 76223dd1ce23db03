#include "WorkbookReader.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace marrowvale::testing {

namespace {

const nlohmann::json nullJson;

struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); }
};

} // namespace

WorkbookReader::WorkbookReader(const std::filesystem::path& path) {
    const std::string script =
        std::string(MARROWVALE_SOURCE_DIR) + "/tests/report/read_workbook.py";
    const std::string command = "/usr/bin/python3 '" + script + "' '" + path.string() + "'";
    std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
    std::string output;
    std::array<char, 65536> buffer;
    while (pipe && !std::feof(pipe.get())) {
        std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe.get());
        output.append(buffer.data(), read);
    }
    data_ = nlohmann::json::parse(output, nullptr, false);
    if (data_.is_discarded()) {
        ADD_FAILURE() << "cannot read the workbook " << path;
        data_ = {{"sheets", nlohmann::json::array()}, {"media", 0}};
    }
}

std::vector<std::string> WorkbookReader::sheetNames() const {
    std::vector<std::string> names;
    for (const auto& sheet : data_["sheets"])
        names.push_back(sheet["name"].get<std::string>());
    return names;
}

const nlohmann::json& WorkbookReader::sheet(const std::string& name) const {
    for (const auto& sheet : data_["sheets"]) {
        if (sheet["name"] == name)
            return sheet;
    }
    ADD_FAILURE() << "no sheet " << name;
    return nullJson;
}

const nlohmann::json& WorkbookReader::cell(const std::string& sheetName, int row, int col) const {
    const nlohmann::json& rows = sheet(sheetName)["rows"];
    if (row < 0 || col < 0 || static_cast<std::size_t>(row) >= rows.size() ||
        static_cast<std::size_t>(col) >= rows[row].size())
        return nullJson;
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
    if (rows.empty())
        return -1;
    for (std::size_t col = 0; col < rows[0].size(); ++col) {
        if (rows[0][col]["v"] == header && occurrence-- == 0)
            return static_cast<int>(col);
    }
    return -1;
}

} // namespace marrowvale::testing
