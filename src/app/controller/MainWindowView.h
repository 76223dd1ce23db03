#pragma once

#include "app/SheetKey.h"
#include "app/UserDialogs.h"

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
class MainWindowView : public UserDialogs {
public:
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
    virtual bool sheetSwitchOn(SheetKey key) const = 0;

    /// The open panel, limited to ".xml" and ".otio" files; none when cancelled.
    virtual std::optional<std::filesystem::path> chooseInputFile() = 0;
    /// The save panel for an .xlsx workbook named `reportName`; none when cancelled.
    virtual std::optional<std::string> chooseReportDestination(const std::string& reportName) = 0;
    /// Shows the finished workbook to the user.
    virtual void openFinishedReport(const std::string& path) = 0;
    /// Shows the folder a report's thumbnails were kept in; a front end without a file manager
    /// does nothing.
    virtual void openThumbnailsFolder(const std::string& /*folder*/) {}

    /// The warnings of one task (an import) together, once it is over. A window shows them in
    /// one place; one without a place for them shows each as showWarning does.
    virtual void showWarnings(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            showWarning(line);
        }
    }

    /// Lets the window's event loop turn while a task waits (see ReaderHost::keepResponsive);
    /// a front end without one does nothing.
    virtual void keepResponsive() {}

    /// Opens a web or mail address with the desktop; false when it could not.
    virtual bool openUrl(const std::string& url) = 0;
};

} // namespace marrowvale
