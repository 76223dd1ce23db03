#include "xmeml/TitleText.h"

#include <optional>
#include <vector>

namespace marrowvale {

namespace {

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

std::optional<std::string> decodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        bool last = i + 4 == text.size();
        int padding = 0;
        if (last && text[i + 3] == '=') {
            padding = text[i + 2] == '=' ? 2 : 1;
        }
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            int value = 0;
            if (j >= 4 - static_cast<std::size_t>(padding)) {
                value = 0;
            } else {
                value = sextet(text[i + j]);
                if (value < 0) {
                    return std::nullopt;
                }
            }
            group = (group << 6) | static_cast<std::uint32_t>(value);
        }
        bytes.push_back(static_cast<char>((group >> 16) & 0xFF));
        if (padding < 2) {
            bytes.push_back(static_cast<char>((group >> 8) & 0xFF));
        }
        if (padding < 1) {
            bytes.push_back(static_cast<char>(group & 0xFF));
        }
    }
    return bytes;
}

void report(std::string* problem, const char* text) {
    if (problem != nullptr) {
        *problem = text;
    }
}

} // namespace

std::pair<std::string, std::string>
printableStrings(std::string_view base64, std::int64_t minimumLength, std::string* problem) {
    std::optional<std::string> bytes = decodeBase64(base64);
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
    for (char c : *bytes) {
        auto byte = static_cast<unsigned char>(c);
        if ((byte >= 32 && byte <= 126) || byte == 9 || byte == 10) {
            run.push_back(c);
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
