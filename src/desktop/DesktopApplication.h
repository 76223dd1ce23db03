#pragma once

#include "app/controller/AppServices.h"

#include <QObject>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace marrowvale {

class AppController;
class Desktop;
class MainWindow;
class QuitSignals;
class SettingsWindow;
class SingleInstance;

/// The desktop application: the main window, the settings window and the controller that both
/// drive, wired together. Files named on the command line and files the desktop hands over
/// take the open button's road, as the file system's bytes (a name need not be valid text).
/// Quitting goes through the controller's shut-down, which stops a report being written and
/// removes its working files; a report stopped that way (or by a quit signal) closes the
/// application once it has unwound.
class DesktopApplication : public QObject {
public:
    /// An application whose panels and links go through `desktop`, with the given subsystems
    /// and layouts file (none: layouts are not kept).
    DesktopApplication(Desktop& desktop, AppServices services,
                       std::optional<std::filesystem::path> layoutsFile);
    ~DesktopApplication() override;

    /// Start-up: the controller's launch steps, then the main window is shown.
    void launch();

    /// Opens the first of `files` as the open panel would; nothing for an empty list.
    void openFiles(const std::vector<std::filesystem::path>& files);

    /// Files a later start of the application handed over: the main window comes to the front
    /// and the first of them waits until the window is free (no import or report running, no
    /// dialog or panel open), then opens as from the open panel, once. A later hand-over
    /// replaces a file still waiting.
    void openHandedOverFiles(const std::vector<std::filesystem::path>& files);

    /// Takes the files later starts hand over through `instance`.
    void acceptHandOvers(SingleInstance& instance);

    /// Ends the application on the quit signals caught by `quitSignals`, from the event loop: a
    /// report being written is asked to stop at once, by the signal itself.
    void quitOnSignals(QuitSignals& quitSignals);

    /// Ends the application as File > Quit does, also while dialogs are open: every dialog and
    /// panel is closed (a question takes its default answer, a panel is cancelled), and so is
    /// any shown from now on; the main window closes once a running task has unwound.
    void quit();

    /// Shut-down, once, when the application quits.
    void shutDown();

    MainWindow& mainWindow() { return *mainWindow_; }
    SettingsWindow& settingsWindow() { return *settingsWindow_; }
    AppController& controller() { return *controller_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Opens the waiting file from the event loop, if the window is free by then.
    void openWaitingFileSoon();
    void openWaitingFile();

    std::unique_ptr<MainWindow> mainWindow_;
    SettingsWindow* settingsWindow_ = nullptr; // owned by the main window
    std::unique_ptr<AppController> controller_;
    QuitSignals* quitSignals_ = nullptr;
    bool quitting_ = false;
    bool shutDown_ = false;
    std::optional<std::filesystem::path> waitingFile_; // handed over while the window was not free
};

} // namespace marrowvale
