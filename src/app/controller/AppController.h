#pragma once

#include "app/ImportState.h"
#include "app/LayoutEditor.h"
#include "app/ReportHost.h"
#include "app/ReportRequest.h"
#include "app/SettingsView.h"
#include "app/StopRequest.h"
#include "app/controller/AppServices.h"
#include "app/controller/MainWindowView.h"
#include "model/ModelContainer.h"

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

/// The application's controller: start-up and shut-down, opening a file and dispatching it to
/// its reader, progress and alerts, the sequence menu and the track tables, the save request
/// and the help actions. It owns the store and the layouts and drives a main-window view and a
/// settings view; readers and the report writer reach the window through it (it is their
/// host). Every call happens on the main thread; while an import or a report runs, open,
/// analyze and save are refused so the store is never cleared under a running task.
class AppController : public ReportHost {
public:
    /// A controller for the given windows and subsystems. `layoutsFile` is the layouts file,
    /// normally `defaultLayoutsFile()`; none when there is no application folder (layouts are
    /// then not kept).
    AppController(MainWindowView& window, SettingsView& settings, AppServices services,
                  std::optional<std::filesystem::path> layoutsFile);

    /// Start-up: resets the progress bar and the file name, loads the layouts and lists them.
    void applicationDidFinishLaunching();
    /// Shut-down: stops a report that is still being written (see `requestStop`) and empties
    /// the store. A front end calls it when the application quits.
    void applicationWillTerminate();

    /// Asks a report being written to stop at its next step: it then removes its private
    /// working folder and any partial copy beside the destination, leaves the destination as it
    /// was, and ends without an alert. The request stays raised (the application is on its way
    /// out). `reason` is the signal number, or StopRequest::quitting. Safe to call from a signal
    /// handler or another thread. Returns whether a report is being written, that is whether
    /// anything will act on the request; when not, the caller may end at once.
    bool requestStop(int reason) noexcept;
    /// The reason of the stop request; 0 while none was made.
    int stopReason() const noexcept { return stop_.reason(); }

    /// The open button: the open panel, then `openInputFiles` with the chosen file.
    void clickOpenFile();
    /// Files handed over by the system (or the command line): opens the first one, resetting
    /// the window and the store, and imports it.
    void openInputFiles(const std::vector<std::filesystem::path>& files);
    /// Deletes every model object and saves the store.
    void clearStore();

    /// The analyze button: lists the tracks of the sequence selected in the menu.
    void clickAnalyzeButton();
    /// Ticks or clears one row of a track table.
    void setTrackChecked(TrackKind kind, std::size_t row, bool checked);
    /// The All and None buttons of a track table.
    void setAllTracksChecked(TrackKind kind, bool checked);

    /// The save button: gathers the sheets, options, title and ticked tracks and runs the
    /// report writer.
    void clickSaveButton();
    /// The request the save button would hand the report writer now.
    ReportRequest makeReportRequest();

    /// Opens the online help.
    void showHelp();
    /// Opens the product page.
    void visitWebsite();
    /// Opens a prepared support e-mail, or the contact page when no mail program answers.
    void emailSupport();
    /// Tells the user which media formats can be decoded.
    void checkMediaFormats();
    /// Explains which media can give thumbnails.
    void showAboutThumbnails();
    /// Brings the settings window to the front on its layouts tab.
    void showSettingsWindow();

    /// The layouts and their editor (the settings window's actions go straight to it).
    LayoutEditor& layoutEditor() { return layoutEditor_; }
    /// The store of the imported timeline.
    ModelContext& store() { return container_.mainContext(); }
    /// The sequence menu's items as last filled.
    const std::vector<std::string>& sequenceMenuItems() const { return sequenceMenu_; }
    /// Whether the menu item at `index` is a separator between bins (shown as "---"), told by
    /// position so that a sequence named "---" stays a title.
    bool isSequenceMenuSeparator(std::size_t index) const;
    /// The rows of a track table.
    const std::vector<TrackRow>& trackRows(TrackKind kind) const;
    /// The title analyzed or reported last.
    const std::string& selectedTitle() const { return selectedTitle_; }
    /// The input type and column-set kind left by the last open and import.
    const ImportState& importState() const { return importState_; }
    /// Whether an import or a report is running.
    bool isBusy() const { return busy_; }

    // ReportHost: what the readers and the report writer ask of the window. The texts they
    // show reach the window as valid UTF-8, whatever bytes a file name or a file brought in.
    void startProgress(double maxValue) override;
    void updateProgress(double incrementBy) override;
    void showAlert(const std::string& messageText, const std::string& informativeText) override;
    void showDetailedAlert(const std::string& messageText, const std::string& informativeText,
                           const std::string& detailText) override;
    bool askYesNo(const std::string& messageText, const std::string& informativeText) override;
    bool askQuestion(const std::string& messageText, const std::string& informativeText,
                     const std::string& firstButton, const std::string& secondButton) override;
    void setInputType(InputType type) override { importState_.inputType = type; }
    void logDiagnostic(const std::string& line) override { window_.logDiagnostic(line); }
    void showWarning(const std::string& line) override;
    const StopRequest* stopRequest() const override { return &stop_; }
    void keepResponsive() override { window_.keepResponsive(); }
    std::optional<std::string> chooseReportDestination(const std::string& reportName) override;
    void openFinishedReport(const std::string& path) override;
    void openThumbnailsFolder(const std::string& folder) override;

    /// The subject line of the support e-mail for a program name and version.
    static std::string supportSubject(const std::string& executableName,
                                      const std::string& version);
    /// `text` percent-encoded for a mail or web address: everything but letters, digits and
    /// "-._~" becomes %XX.
    static std::string percentEncoded(std::string_view text);

private:
    // Marks the controller busy for the lifetime of a task, telling the window.
    class BusyScope;

    bool importInputFile(const std::filesystem::path& file);
    bool readInputFile(const std::filesystem::path& file);
    void showImportWarnings();
    void fillSequenceMenu();
    void analyzeSelectedSequence();
    void listTracksOfSelectedSequence();
    std::string selectedSequenceTitle() const;
    std::vector<TrackRow>& rowsOf(TrackKind kind);
    void runReportWriter(const ReportRequest& request);
    void refuseWhileBusy();

    MainWindowView& window_;
    SettingsView& settings_;
    AppServices services_;
    std::optional<std::filesystem::path> layoutsFile_;
    ModelContainer container_;
    LayoutEditor layoutEditor_;
    ImportState importState_;
    std::vector<std::string> sequenceMenu_;
    std::vector<std::size_t> menuSeparators_; // indexes of the separators in sequenceMenu_
    std::vector<TrackRow> videoRows_;
    std::vector<TrackRow> audioRows_;
    std::string selectedTitle_;
    std::optional<std::string> analyzedTitle_; // the title the track tables belong to
    std::filesystem::path inputFile_;          // the file the store was read from
    bool busy_ = false;
    // The warnings of the import under way, shown together when it ends; none between imports.
    std::optional<std::vector<std::string>> importWarnings_;
    StopRequest stop_;
    std::atomic<bool> writingReport_{false}; // read by signal handlers
};

} // namespace marrowvale
