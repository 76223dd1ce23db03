#pragma once

#include "app/SheetKey.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace marrowvale {

/// A command line that cannot be run as given.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// One ticked track named on the command line: "V2" is the second video row, "A1" the first
/// audio row, as `--list --sequence` prints them.
struct TrackChoice {
    bool video = true;
    std::size_t row = 0; ///< 1-based
};

/// The command line of marrowvale-cli, each option standing for a control of the main or the
/// settings window.
struct CliOptions {
    bool showVersion = false;
    bool showHelp = false;
    bool list = false;
    std::optional<std::string> sequence;
    std::optional<std::vector<TrackChoice>> tracks; ///< none: every track
    std::optional<std::string> layout;
    std::optional<std::string> layoutsFile;
    std::vector<SheetKey> sheets; ///< the switches turned on
    std::int64_t thumbnailWidth = 0;
    bool keepThumbnails = false;
    std::optional<bool> dropFrame;
    std::optional<std::string> output; ///< always ends in ".xlsx"
    std::string input;

    /// Reads the arguments after the program name; throws UsageError for a line that cannot
    /// run (unknown option, missing value, no input, nothing to do).
    static CliOptions parse(const std::vector<std::string>& arguments);
};

/// The usage text.
std::string cliUsage();

} // namespace marrowvale
