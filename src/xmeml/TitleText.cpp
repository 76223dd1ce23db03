#include "xmeml/TitleText.h"

#include "app/TextUtilities.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace marrowvale {

namespace {

void report(std::string* problem, const char* text) {
    if (problem != nullptr) {
        *problem = text;
    }
}

} // namespace

std::pair<std::string, std::string>
printableStrings(std::string_view base64, std::int64_t minimumLength, std::string* problem) {
    std::optional<std::vector<std::uint8_t>> bytes = decodeBase64(base64);
    if (!bytes) {
        report(problem, "Invalid base64");
        return {};
    }
    std::vector<std::string> runs;
    std::string run;
    auto endRun = [&] {
        if (static_cast<std::int64_t>(run.size()) >= minimumLength) {
            runs.push_back(run);
        }
        run.clear();
    };
    for (std::uint8_t byte : *bytes) {
        if ((byte >= 32 && byte <= 126) || byte == 9 || byte == 10) {
            run.push_back(static_cast<char>(byte));
        } else {
            endRun();
        }
    }
    endRun();
    if (runs.size() < 2) {
        report(problem, "Too short");
        return {};
    }
    return {runs[0], runs[1]};
}

} // namespace marrowvale
