#include "support/WorkbookReadBack.h"

#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace marrowvale::testing {

namespace {

// Debian's openpyxl belongs to the system python, not to any other first on PATH.
constexpr const char* python = "/usr/bin/python3";

struct PipeCloser {
    void operator()(FILE* pipe) const noexcept { pclose(pipe); }
};

} // namespace

nlohmann::json readWorkbook(const std::filesystem::path& path) {
    const std::string command =
        std::string(python) + " '" + MARROWVALE_READ_WORKBOOK_SCRIPT + "' '" + path.string() + "'";
    std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
    if (!pipe) {
        throw std::runtime_error("cannot start " + std::string(python));
    }
    std::string output;
    std::array<char, 65536> buffer{};
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
        output.append(buffer.data(), count);
    }
    nlohmann::json read = nlohmann::json::parse(output, nullptr, false);
    if (read.is_discarded()) {
        throw std::runtime_error("no workbook read back from " + path.string() + " by " + python);
    }
    if (read.contains("error")) {
        throw std::runtime_error(read["error"].get<std::string>());
    }
    return read;
}

} // namespace marrowvale::testing
