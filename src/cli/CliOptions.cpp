#include "cli/CliOptions.h"

#include "app/ReportOptions.h"
#include "app/TextUtilities.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fmt/format.h>
#include <string_view>

namespace marrowvale {

namespace {

std::vector<TrackChoice> parseTracks(const std::string& text) {
    std::vector<TrackChoice> choices;
    for (const std::string& piece : nonEmptyComponents(text, ",")) {
        bool wellFormed = piece.size() >= 2 && (piece[0] == 'V' || piece[0] == 'A') &&
                          piece.size() <= 7 &&
                          std::all_of(piece.begin() + 1, piece.end(),
                                      [](char c) { return c >= '0' && c <= '9'; });
        std::int64_t row = wellFormed ? leadingIntegerValue(piece.substr(1)) : 0;
        if (row < 1) {
            throw UsageError(
                fmt::format("--tracks: \"{}\" is not a track such as V1 or A2", piece));
        }
        choices.push_back({piece[0] == 'V', static_cast<std::size_t>(row)});
    }
    return choices;
}

std::vector<SheetKey> parseSheets(const std::string& text) {
    std::vector<SheetKey> sheets;
    for (const std::string& piece : nonEmptyComponents(text, ",")) {
        std::optional<SheetKey> key = sheetKeyFromText(piece);
        if (!key) {
            throw UsageError(fmt::format("--sheets: unknown sheet \"{}\"", piece));
        }
        sheets.push_back(*key);
    }
    return sheets;
}

std::int64_t parseWidth(const std::string& text) {
    bool digits =
        !text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        throw UsageError(fmt::format("--thumbnails: \"{}\" is not a width in pixels", text));
    }
    std::int64_t width = leadingIntegerValue(text);
    if (width > ReportOptions::maxThumbnailWidth) {
        throw UsageError(
            fmt::format("--thumbnails: at most {} pixels", ReportOptions::maxThumbnailWidth));
    }
    return width;
}

// The save panel's answer: like the panel, a name without the ".xlsx" extension (in any case)
// gets it added, so a timeline named on --output is never replaced by the workbook.
std::string parseOutput(const std::string& text) {
    std::filesystem::path path(text);
    std::string name = path.filename().string();
    if (name.empty() || name == "." || name == "..") {
        throw UsageError(fmt::format("--output: \"{}\" names no file", text));
    }
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".xlsx" ? text : text + ".xlsx";
}

} // namespace

std::string cliUsage() {
    return "usage: marrowvale-cli [options] INPUT\n"
           "  --list              print the sequence menu's titles, one a line (with --sequence:\n"
           "                      that sequence's video and audio tracks), and exit\n"
           "  --sequence TITLE    the title to analyze and report (default: the menu's first\n"
           "                      sequence); \"Bin Clips\" for the bins' master clips\n"
           "  --tracks V1,A2,...  the ticked tracks (default: all)\n"
           "  --layout NAME       apply this saved layout (default: every column and time form "
           "on)\n"
           "  --layouts FILE      the layouts file (default: Layouts.json in the application\n"
           "                      folder)\n"
           "  --sheets LIST       optional sheets and switches:\n"
           "                      markers,generators,transitions,effects,summary,ignoreAudio\n"
           "  --thumbnails WIDTH  thumbnail width in pixels (default 0: none)\n"
           "  --keep-thumbnails   keep the thumbnails' folder\n"
           "  --drop-frame yes|no the answer to the drop-frame question (default: ask on a\n"
           "                      terminal, else no)\n"
           "  --output FILE.xlsx  where to write the report (\".xlsx\" is added when missing)\n"
           "  --version           print the version and exit\n";
}

CliOptions CliOptions::parse(const std::vector<std::string>& arguments) {
    CliOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.rfind("-", 0) != 0) {
            if (!options.input.empty()) {
                throw UsageError("only one INPUT file can be given");
            }
            options.input = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (std::size_t equals = argument.find('='); equals != std::string::npos) {
            inlineValue = argument.substr(equals + 1);
            argument.resize(equals);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) {
                return *inlineValue;
            }
            if (i + 1 >= arguments.size()) {
                throw UsageError(fmt::format("{} needs a value", argument));
            }
            return arguments[++i];
        };
        auto flag = [&](bool& target) {
            if (inlineValue) {
                throw UsageError(fmt::format("{} takes no value", argument));
            }
            target = true;
        };

        if (argument == "--version") {
            flag(options.showVersion);
        } else if (argument == "--help" || argument == "-h") {
            flag(options.showHelp);
        } else if (argument == "--list") {
            flag(options.list);
        } else if (argument == "--keep-thumbnails") {
            flag(options.keepThumbnails);
        } else if (argument == "--sequence") {
            options.sequence = value();
        } else if (argument == "--tracks") {
            options.tracks = parseTracks(value());
        } else if (argument == "--layout") {
            options.layout = value();
        } else if (argument == "--layouts") {
            options.layoutsFile = value();
        } else if (argument == "--sheets") {
            options.sheets = parseSheets(value());
        } else if (argument == "--thumbnails") {
            options.thumbnailWidth = parseWidth(value());
        } else if (argument == "--drop-frame") {
            std::string answer = value();
            if (answer != "yes" && answer != "no") {
                throw UsageError("--drop-frame takes yes or no");
            }
            options.dropFrame = answer == "yes";
        } else if (argument == "--output") {
            options.output = parseOutput(value());
        } else {
            throw UsageError(fmt::format("unknown option {}", argument));
        }
    }
    if (options.showVersion || options.showHelp) {
        return options;
    }
    if (options.input.empty()) {
        throw UsageError("no INPUT file given");
    }
    if (!options.list && !options.output) {
        throw UsageError("nothing to do: give --list or --output");
    }
    return options;
}

} // namespace marrowvale
