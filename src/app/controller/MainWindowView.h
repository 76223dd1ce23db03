#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

/// The icon shown beside the opened file's name.
enum class FileIcon { none, xml, otio };

/// The two track tables of the main window.
enum class TrackKind { video, audio };

/// The main window's switches for optional sheets, in the order their keys are listed.
enum class SheetSwitch { ignoreAudio, markers, graphics, transitions, effects, summary };

/// One row of a track table: the track's name and whether its checkbox is ticked.
struct TrackRow {
    std::string trackName;
    bool isChecked = true;
    std::int64_t trackIdx = 0; ///< the track's index in the store, to pass the choice on

    bool operator==(const TrackRow&) const = default;
};

/// The main window as the controller sees it: progress bar, file name and icon, sequence menu,
/// track tables, switches, panels, alerts and the outside world (links, the finished report).
/// The Qt window and the command-line front end implement it; tests fake it. The readers and
/// the report writer talk to the controller, which drives these primitives.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    /// Puts the progress bar into (or out of) indeterminate mode.
    virtual void setProgressIndeterminate(bool indeterminate) = 0;
    /// Starts or stops the progress bar's animation.
    virtual void setProgressAnimating(bool animating) = 0;
    /// Sets the progress bar's maximum (its minimum is 0).
    virtual void setProgressMaximum(double maximum) = 0;
    /// Sets the progress bar's current value.
    virtual void setProgressValue(double value) = 0;
    /// The progress bar's current value.
    virtual double progressValue() const = 0;

    /// Shows the opened file's name and type icon (an empty name and no icon clear them).
    virtual void setInputFile(const std::string& fileName, FileIcon icon) = 0;

    /// Replaces the sequence menu's items; the first item (if any) becomes selected.
    virtual void setSequenceMenuItems(const std::vector<std::string>& titles) = 0;
    /// The selected item of the sequence menu; -1 when none.
    virtual int selectedSequenceIndex() const = 0;

    /// Shows the rows of a track table.
    virtual void setTrackRows(TrackKind kind, const std::vector<TrackRow>& rows) = 0;
    /// Enables the All/None buttons and the save button once a sequence has been analyzed.
    virtual void setAnalysisControlsEnabled(bool enabled) = 0;
    /// Disables (or enables again) open, analyze and save while an import or a report runs.
    virtual void setBusy(bool busy) = 0;

    /// Whether a sheet switch is on.
    virtual bool sheetSwitchOn(SheetSwitch sheetSwitch) const = 0;

    /// The open panel, limited to ".xml" and ".otio" files; none when cancelled.
    virtual std::optional<std::filesystem::path> chooseInputFile() = 0;
    /// The save panel for an .xlsx workbook named `reportName`; none when cancelled.
    virtual std::optional<std::string> chooseReportDestination(const std::string& reportName) = 0;
    /// Shows the finished workbook to the user.
    virtual void openFinishedReport(const std::string& path) = 0;

    /// Shows an informational alert (a sheet on the main window when there is one).
    virtual void showAlert(const std::string& messageText, const std::string& informativeText) = 0;
    /// An alert as showAlert, with a detail for whoever wants to know more: what a reader found
    /// in the file and where, such as the parser's first error with its line and column. A
    /// window shows it as the alert's detailed text; a host without a place for it adds it to
    /// the informative text.
    virtual void showDetailedAlert(const std::string& messageText,
                                   const std::string& informativeText,
                                   const std::string& detailText) {
        showAlert(messageText,
                  detailText.empty() ? informativeText : informativeText + "\n\n" + detailText);
    }
    /// Asks a yes/no question; true for yes.
    virtual bool askYesNo(const std::string& messageText, const std::string& informativeText) = 0;
    /// Asks a question with two buttons in this order, the first the default; true for the
    /// second. A window without buttons of its own asks it as a yes/no question.
    virtual bool askQuestion(const std::string& messageText, const std::string& informativeText,
                             const std::string& firstButton, const std::string& secondButton) {
        (void)firstButton, (void)secondButton;
        return askYesNo(messageText, informativeText);
    }
    /// Opens a web or mail address with the desktop; false when it could not.
    virtual bool openUrl(const std::string& url) = 0;

    /// One plain diagnostic line.
    virtual void logDiagnostic(const std::string& line) = 0;
    /// A warning about a finished import (a damaged file read in part); a window without a
    /// place for it logs it.
    virtual void showWarning(const std::string& line) { logDiagnostic(line); }
};

} // namespace marrowvale
