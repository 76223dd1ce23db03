#include "cli/CommandLineRun.h"

#include "app/LayoutsFile.h"
#include "app/SettingsState.h"
#include "app/controller/AppController.h"
#include "app/controller/InterruptSignals.h"
#include "cli/TerminalWindow.h"
#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/ModelContext.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace marrowvale {

namespace fs = std::filesystem;

namespace {

// A problem the user must hear about, shown like an alert.
int fail(TerminalWindow& window, const std::string& message, const std::string& informative) {
    window.showAlert(message, informative);
    return exitAlert;
}

void configureSettings(SettingsState& settings) {
    // Without a layout: every column and time form; the thumbnails follow --thumbnails.
    for (const ReportColumn& column : reportColumns) {
        settings.setColumnState(column.checkbox, true);
    }
    for (TimeGroup group : {TimeGroup::sequence, TimeGroup::source}) {
        for (TimeDisplay display : timeDisplays) {
            settings.setTimeDisplayState(group, display, true);
        }
    }
}

// Where the layouts come from, for a layout that was not found there.
std::string whereLayoutsAreRead(const std::optional<fs::path>& layoutsFile) {
    if (!layoutsFile) {
        return "There is no application folder to read layouts from.";
    }
    std::error_code unused;
    if (fs::status(*layoutsFile, unused).type() == fs::file_type::not_found) {
        return fmt::format("The layouts file \u201c{}\u201d does not exist.",
                           layoutsFile->string());
    }
    return fmt::format("The layouts are read from {}.", layoutsFile->string());
}

void applyThumbnailChoice(SettingsState& settings, const CliOptions& options) {
    settings.setThumbnailWidthText(std::to_string(options.thumbnailWidth));
    settings.setColumnState(ColumnCheckbox::thumbnails, options.thumbnailWidth > 0);
    settings.setColumnState(ColumnCheckbox::keepThumbnails, options.keepThumbnails);
}

// The bins holding a sequence of each title given more than once, in menu order.
std::map<std::string, std::vector<const EventBin*>> binsOfNamesakes(AppController& controller) {
    std::map<std::string, std::vector<const EventBin*>> bins;
    for (const EventBin* bin :
         controller.store().fetchBinsSortedByName(TextComparison::localizedStandard)) {
        for (const Composition* sequence : bin->storyCompositions) {
            if (sequence != nullptr) {
                bins[sequence->name].push_back(bin);
            }
        }
    }
    std::erase_if(bins, [](const auto& entry) { return entry.second.size() < 2; });
    return bins;
}

// Warns that `--sequence TITLE` cannot tell apart the sequences sharing a title, naming their
// bins and the one a report shows (the first the store finds, as the report run does); with a
// title, only about that title.
void warnAboutNamesakes(AppController& controller, TerminalWindow& window,
                        const std::optional<std::string>& title) {
    for (const auto& [name, bins] : binsOfNamesakes(controller)) {
        if (title && *title != name) {
            continue;
        }
        const Composition* reported = controller.store().fetchComposition(name);
        std::string reportedBin;
        std::vector<std::string> binNames;
        for (const EventBin* bin : bins) {
            binNames.push_back(fmt::format("\u201c{}\u201d", bin->name));
            const auto& sequences = bin->storyCompositions;
            if (std::find(sequences.begin(), sequences.end(), reported) != sequences.end()) {
                reportedBin = bin->name;
            }
        }
        window.showWarning(fmt::format("{} sequences are named \u201c{}\u201d (in the bins {}); "
                                       "--sequence \u201c{}\u201d reports the one in "
                                       "\u201c{}\u201d.",
                                       bins.size(), name, fmt::join(binNames, ", "), name,
                                       reportedBin));
    }
}

} // namespace

int runCommandLine(const CliOptions& options, AppServices services) {
    bool progressOnTerminal = ::isatty(STDERR_FILENO) == 1;
    TerminalWindow window(stderr, progressOnTerminal);
    window.setQuestionAnswer(options.dropFrame);
    for (SheetKey key : options.sheets) {
        window.setSheetSwitch(key, true);
    }
    if (options.output) {
        window.setReportDestination(fs::absolute(*options.output).string());
    }

    SettingsState settings;
    configureSettings(settings);
    std::optional<fs::path> layoutsFile =
        options.layoutsFile ? std::optional<fs::path>(*options.layoutsFile) : defaultLayoutsFile();
    AppController controller(window, settings, std::move(services), layoutsFile);
    InterruptSignals signals(controller);
    controller.applicationDidFinishLaunching();
    if (options.layout && !controller.layoutEditor().chooseLayoutNamed(*options.layout)) {
        return fail(window, fmt::format("There is no layout named \u201c{}\u201d", *options.layout),
                    whereLayoutsAreRead(layoutsFile));
    }
    applyThumbnailChoice(settings, options);

    controller.openInputFiles({fs::path(options.input)});
    if (window.alertCount() > 0) {
        return exitAlert;
    }

    const std::vector<std::string>& menu = controller.sequenceMenuItems();
    if (options.list && !options.sequence) {
        warnAboutNamesakes(controller, window, std::nullopt);
        for (std::size_t i = 0; i < menu.size(); ++i) {
            if (!controller.isSequenceMenuSeparator(i)) {
                std::printf("%s\n", menu[i].c_str());
            }
        }
        return exitSuccess;
    }

    if (menu.empty()) {
        return fail(window, "There is nothing to report",
                    fmt::format("\u201c{}\u201d holds no sequences and no bin clips.",
                                fs::path(options.input).filename().string()));
    }
    int index = 0;
    if (options.sequence) {
        index = -1;
        for (std::size_t i = 0; i < menu.size(); ++i) {
            if (menu[i] == *options.sequence && !controller.isSequenceMenuSeparator(i)) {
                index = static_cast<int>(i);
                break;
            }
        }
        if (index < 0) {
            return fail(window,
                        fmt::format("There is no sequence \u201c{}\u201d", *options.sequence),
                        "marrowvale-cli --list INPUT prints the sequences.");
        }
    }
    window.selectSequence(index);
    controller.clickAnalyzeButton();
    warnAboutNamesakes(controller, window, controller.selectedTitle());

    const auto& videoRows = controller.trackRows(TrackKind::video);
    const auto& audioRows = controller.trackRows(TrackKind::audio);
    if (options.list) {
        for (std::size_t i = 0; i < videoRows.size(); ++i) {
            std::printf("V%zu\t%s\n", i + 1, videoRows[i].trackName.c_str());
        }
        for (std::size_t i = 0; i < audioRows.size(); ++i) {
            std::printf("A%zu\t%s\n", i + 1, audioRows[i].trackName.c_str());
        }
        return exitSuccess;
    }

    if (options.tracks) {
        if (options.tracks->empty()) {
            return fail(window,
                        fmt::format("--tracks names no track of \u201c{}\u201d",
                                    controller.selectedTitle()),
                        "marrowvale-cli --list --sequence TITLE INPUT prints its tracks.");
        }
        controller.setAllTracksChecked(TrackKind::video, false);
        controller.setAllTracksChecked(TrackKind::audio, false);
        for (const TrackChoice& choice : *options.tracks) {
            std::size_t rows = choice.video ? videoRows.size() : audioRows.size();
            if (choice.row > rows) {
                return fail(window,
                            fmt::format("There is no track {}{} in \u201c{}\u201d",
                                        choice.video ? 'V' : 'A', choice.row,
                                        controller.selectedTitle()),
                            "marrowvale-cli --list --sequence TITLE INPUT prints its tracks.");
            }
            controller.setTrackChecked(choice.video ? TrackKind::video : TrackKind::audio,
                                       choice.row - 1, true);
        }
    }

    // From here on a signal stops the report and is answered when the run has ended, so that
    // the last line says how it ended: a workbook may be in place before the run notices.
    signals.holdUntilExit();
    controller.clickSaveButton();
    const int interruptedBy = signals.received();
    window.printSavedReport(interruptedBy);
    if (interruptedBy != 0) {
        signals.raiseAgain(); // the run has removed its working files
    }
    return window.alertCount() > 0 ? exitAlert : exitSuccess;
}

} // namespace marrowvale
