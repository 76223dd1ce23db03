#include "desktop/DesktopApplication.h"

#include "app/controller/AppController.h"
#include "desktop/Desktop.h"
#include "desktop/MainWindow.h"
#include "desktop/QuitSignals.h"
#include "desktop/SettingsWindow.h"
#include "desktop/SingleInstance.h"

#include <QApplication>
#include <QDialog>
#include <QFileOpenEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <vector>

namespace marrowvale {

namespace {

// Closes a dialog as its escape key would, so that its nested event loop returns: a question
// takes its escape answer, its default, and a panel is cancelled.
void dismiss(QDialog& dialog) {
    dialog.close();
    if (dialog.isVisible()) {
        // A message box without an escape answer refuses to close.
        dialog.reject();
    }
}

} // namespace

DesktopApplication::DesktopApplication(Desktop& desktop, AppServices services,
                                       std::optional<std::filesystem::path> layoutsFile)
    : mainWindow_(std::make_unique<MainWindow>(desktop)) {
    settingsWindow_ = new SettingsWindow(mainWindow_->layoutMenu(), mainWindow_.get());
    controller_ = std::make_unique<AppController>(*mainWindow_, *settingsWindow_,
                                                  std::move(services), std::move(layoutsFile));
    mainWindow_->attach(*controller_);
    settingsWindow_->attach(controller_->layoutEditor());
    connect(qApp, &QCoreApplication::aboutToQuit, this, &DesktopApplication::shutDown);
    // A report stopped by a quit, or by a quit signal, ends the application; otherwise a file
    // handed over meanwhile may open now.
    connect(mainWindow_.get(), &MainWindow::taskEnded, this, [this] {
        if (controller_->stopReason() != 0) {
            mainWindow_->close();
        }
        openWaitingFileSoon();
    });
    qApp->installEventFilter(this);
}

DesktopApplication::~DesktopApplication() {
    qApp->removeEventFilter(this);
    if (quitSignals_ != nullptr) {
        quitSignals_->routeTo(nullptr);
    }
    // The controller refers to the windows: it goes first.
    controller_.reset();
}

void DesktopApplication::launch() {
    controller_->applicationDidFinishLaunching();
    mainWindow_->show();
}

void DesktopApplication::openFiles(const std::vector<std::filesystem::path>& files) {
    if (files.empty()) {
        return;
    }
    controller_->openInputFiles(files);
}

void DesktopApplication::openHandedOverFiles(const std::vector<std::filesystem::path>& files) {
    MainWindow& window = *mainWindow_;
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
    if (!files.empty()) {
        waitingFile_ = files.front();
        openWaitingFileSoon();
    }
}

void DesktopApplication::acceptHandOvers(SingleInstance& instance) {
    connect(&instance, &SingleInstance::filesHandedOver, this,
            &DesktopApplication::openHandedOverFiles);
}

void DesktopApplication::openWaitingFileSoon() {
    // Never inside the socket's notification, a task's last step or a dialog's closing.
    if (waitingFile_) {
        QTimer::singleShot(0, this, &DesktopApplication::openWaitingFile);
    }
}

void DesktopApplication::openWaitingFile() {
    // A running task refuses a file, and an open dialog belongs to what the window holds now:
    // the task's end or the dialog's closing tries again.
    if (!waitingFile_ || controller_->isBusy() || controller_->stopReason() != 0 ||
        QApplication::activeModalWidget()) {
        return;
    }
    const std::filesystem::path file = std::move(*waitingFile_);
    waitingFile_.reset();
    controller_->openInputFiles({file});
}

void DesktopApplication::quitOnSignals(QuitSignals& quitSignals) {
    if (quitSignals.descriptor() < 0) {
        return; // the signals keep their usual course
    }
    quitSignals_ = &quitSignals;
    quitSignals.routeTo(controller_.get());
    // Watched by every event loop, a dialog's nested one included.
    auto* notifier = new QSocketNotifier(quitSignals.descriptor(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        quitSignals_->drain();
        quit();
    });
}

void DesktopApplication::quit() {
    quitting_ = true;
    // Guarded: a dialog's answer may delete another window on the way.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        windows.emplace_back(window);
    }
    for (const QPointer<QWidget>& window : windows) {
        if (!window || window == mainWindow_.get() || !window->isVisible()) {
            continue;
        }
        if (auto* dialog = qobject_cast<QDialog*>(window.data())) {
            dismiss(*dialog);
        } else {
            window->close();
        }
    }
    // While a task runs, it is asked to stop and the window closes once it has unwound.
    mainWindow_->close();
}

void DesktopApplication::shutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    controller_->applicationWillTerminate();
}

bool DesktopApplication::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::FileOpen) {
        openFiles({filesystemPath(static_cast<QFileOpenEvent*>(event)->file())});
        return true;
    }
    if (event->type() == QEvent::Hide && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isModal()) {
        openWaitingFileSoon();
    }
    if (quitting_ && event->type() == QEvent::Show) {
        // A task still unwinding may ask again; nobody is there to answer.
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow()) {
            QTimer::singleShot(0, dialog, [dialog] { dismiss(*dialog); });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace marrowvale
