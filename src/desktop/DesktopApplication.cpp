#include "desktop/DesktopApplication.h"

#include "app/controller/AppController.h"
#include "desktop/Desktop.h"
#include "desktop/MainWindow.h"
#include "desktop/SettingsWindow.h"
#include "desktop/SingleInstance.h"

#include <QCoreApplication>
#include <QFileOpenEvent>

namespace marrowvale {

DesktopApplication::DesktopApplication(Desktop& desktop, AppServices services,
                                       std::optional<std::filesystem::path> layoutsFile)
    : mainWindow_(std::make_unique<MainWindow>(desktop)) {
    settingsWindow_ = new SettingsWindow(mainWindow_->layoutMenu(), mainWindow_.get());
    controller_ = std::make_unique<AppController>(*mainWindow_, *settingsWindow_,
                                                  std::move(services), std::move(layoutsFile));
    mainWindow_->attach(*controller_);
    settingsWindow_->attach(controller_->layoutEditor());
    connect(qApp, &QCoreApplication::aboutToQuit, this, &DesktopApplication::shutDown);
    // A report stopped by an interrupt signal or a quit ends the application.
    connect(mainWindow_.get(), &MainWindow::taskEnded, this, [this] {
        if (controller_->stopReason() != 0) {
            mainWindow_->close();
        }
    });
    qApp->installEventFilter(this);
}

DesktopApplication::~DesktopApplication() {
    qApp->removeEventFilter(this);
    // The controller refers to the windows: it goes first.
    controller_.reset();
}

void DesktopApplication::launch() {
    controller_->applicationDidFinishLaunching();
    mainWindow_->show();
}

void DesktopApplication::openFiles(const QStringList& files) {
    if (files.isEmpty()) {
        return;
    }
    std::vector<std::filesystem::path> paths;
    for (const QString& file : files) {
        paths.push_back(filesystemPath(file));
    }
    controller_->openInputFiles(paths);
}

void DesktopApplication::openHandedOverFiles(const QStringList& files) {
    MainWindow& window = *mainWindow_;
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
    openFiles(files);
}

void DesktopApplication::acceptHandOvers(SingleInstance& instance) {
    // Queued: the import does not run inside the socket's notification.
    connect(&instance, &SingleInstance::filesHandedOver, this,
            &DesktopApplication::openHandedOverFiles, Qt::QueuedConnection);
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
        openFiles({static_cast<QFileOpenEvent*>(event)->file()});
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace marrowvale
