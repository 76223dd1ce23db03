#pragma once

#include "app/controller/MainWindowView.h"
#include "desktop/UserInputHold.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace marrowvale {

class AppController;
class Desktop;
class ElidedLabel;

/// The main window: the open button with the opened file's icon and name (elided to the width
/// it has), the sequence menu and the analyze button, the video and audio track tables with
/// their All and None buttons, the ignore-audio switch and the five sheet switches, the layout
/// menu, the save button and the progress bar, and the application's menus. It is the
/// controller's main-window view.
///
/// Imports and reports run on the GUI thread inside the controller's calls. While one runs,
/// open, analyze and save are disabled, the user's input is held off, and each progress step
/// lets the event loop turn (at most every few hundredths of a second) so that the window
/// repaints and the bar moves.
class MainWindow : public QMainWindow, public MainWindowView {
    Q_OBJECT

public:
    /// A window whose panels and outside links go through `desktop`.
    explicit MainWindow(Desktop& desktop, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Connects the controls and menus to `controller`'s actions.
    void attach(AppController& controller);

    /// For a run without a user (the screenshot): alerts and warnings go to standard error
    /// instead of a dialog, and each question takes its default answer, said there too.
    void setUnattended(bool unattended) { unattended_ = unattended; }

    /// The main window's layout menu, shared with the settings window's view.
    QComboBox& layoutMenu() { return *layoutsAppPopup_; }

    void setProgressIndeterminate(bool indeterminate) override;
    void setProgressAnimating(bool animating) override;
    void setProgressMaximum(double maximum) override;
    void setProgressValue(double value) override;
    double progressValue() const override { return progressValue_; }
    void setInputFile(const std::string& fileName, FileIcon icon) override;
    void setSequenceMenuItems(const std::vector<std::string>& titles) override;
    int selectedSequenceIndex() const override;
    void setTrackRows(TrackKind kind, const std::vector<TrackRow>& rows) override;
    void setAnalysisControlsEnabled(bool enabled) override;
    void setBusy(bool busy) override;
    bool sheetSwitchOn(SheetKey key) const override;
    std::optional<std::filesystem::path> chooseInputFile() override;
    std::optional<std::string> chooseReportDestination(const std::string& reportName) override;
    /// Opens the workbook with the desktop's program for it; an alert when none would.
    void openFinishedReport(const std::string& path) override;
    /// Opens the folder in the desktop's file manager; an alert when none would.
    void openThumbnailsFolder(const std::string& folder) override;
    void showAlert(const std::string& messageText, const std::string& informativeText) override;
    /// The alert with the detail as the message box's detailed text, shown on request.
    void showDetailedAlert(const std::string& messageText, const std::string& informativeText,
                           const std::string& detailText) override;
    bool askYesNo(const std::string& messageText, const std::string& informativeText) override;
    bool askQuestion(const std::string& messageText, const std::string& informativeText,
                     const std::string& firstButton, const std::string& secondButton) override;
    bool openUrl(const std::string& url) override;
    /// Lets the event loop turn when it has not for a few hundredths of a second.
    void keepResponsive() override { keepEventLoopTurning(false); }
    void logDiagnostic(const std::string& line) override;
    void showWarning(const std::string& line) override;
    /// One box that lists them all, each line also on standard output.
    void showWarnings(const std::vector<std::string>& lines) override;

signals:
    /// An import or a report has ended (the window is no longer busy).
    void taskEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildTrackTable(TrackKind kind, const QString& title);
    void buildMenus();
    void updateControls();
    void showProgress();
    void keepEventLoopTurning(bool now);
    void showMessageBox(QMessageBox::Icon icon, const QString& text, const QString& informativeText,
                        const QString& detailedText = {});
    QTableWidget* trackTable(TrackKind kind) const;

    Desktop& desktop_;
    AppController* controller_ = nullptr;
    UserInputHold inputHold_;

    QPushButton* openFileButton_ = nullptr;
    QLabel* inputFileIcon_ = nullptr;
    ElidedLabel* inputFileName_ = nullptr;
    QComboBox* reportPopup_ = nullptr;
    QPushButton* analyzeButton_ = nullptr;
    QTableWidget* videoTracksTableView_ = nullptr;
    QTableWidget* audioTracksTableView_ = nullptr;
    std::array<QPushButton*, 2> allButtons_{};
    std::array<QPushButton*, 2> noneButtons_{};
    std::array<QCheckBox*, allSheetKeys.size()> sheetSwitches_{};
    QComboBox* layoutsAppPopup_ = nullptr;
    QPushButton* layoutEditButton_ = nullptr;
    QPushButton* saveFileButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    std::vector<QAction*> controllerActions_;

    bool progressIndeterminate_ = true;
    bool progressAnimating_ = false;
    double progressMaximum_ = 100;
    double progressValue_ = 0;
    bool analysisControlsEnabled_ = false;
    bool busy_ = false;
    bool closeWhenIdle_ = false;
    bool unattended_ = false;
    QElapsedTimer sinceEventsTurned_;
};

} // namespace marrowvale
