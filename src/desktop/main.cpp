// marrowvale: the desktop application. It shows the main window and the settings window over
// the application's controller; files named on the command line are opened as from the open
// button. One application runs per user and display: a later start hands its files to it.
#include "app/LayoutsFile.h"
#include "app/TextUtilities.h"
#include "app/controller/AppController.h"
#include "desktop/DesktopApplication.h"
#include "desktop/MainWindow.h"
#include "desktop/QuitSignals.h"
#include "desktop/RuntimeFolder.h"
#include "desktop/SingleInstance.h"
#include "desktop/SystemDesktop.h"
#include "services/DefaultServices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

using namespace marrowvale;

namespace {

// Opens the files, analyzes the first sequence, saves a picture of the main window and quits:
// the README's screenshot, made without a display.
int writeScreenshot(DesktopApplication& application,
                    const std::vector<std::filesystem::path>& files, const QString& picture) {
    application.openFiles(files);
    if (!application.controller().sequenceMenuItems().empty()) {
        application.controller().clickAnalyzeButton();
    }
    QApplication::processEvents();
    if (!application.mainWindow().grab().save(picture)) {
        std::fprintf(stderr, "marrowvale: cannot write %s\n", qPrintable(picture));
        return 1;
    }
    return 0;
}

// The program's arguments, each byte one character (Latin-1): the options are ASCII, and a
// file name's bytes come back whole with toLatin1(), valid text or not. Qt's own decoding
// would turn a byte that is not UTF-8 into U+FFFD, a name no file has.
QStringList argumentBytes(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(QString::fromLatin1(argv[i]));
    }
    return arguments;
}

std::filesystem::path bytesPath(const QString& argument) {
    return std::filesystem::path(argument.toLatin1().toStdString());
}

// The files as the running application finds them from its own working folder.
std::vector<std::filesystem::path> absolutePaths(const std::vector<std::filesystem::path>& files) {
    std::vector<std::filesystem::path> paths;
    for (const std::filesystem::path& file : files) {
        std::error_code status;
        std::filesystem::path path = std::filesystem::absolute(file, status);
        paths.push_back(status ? file : path);
    }
    return paths;
}

// The application, with everything it made gone again by the time it returns: its socket, Qt's
// runtime folder, a stopped report's working files.
int runDesktop(int argc, char** argv, QuitSignals& quitSignals) {
    // Before the application object, which may make Qt's own runtime folder.
    RuntimeFolder runtimeFolder;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Marrowvale");
    QApplication::setApplicationDisplayName("Marrowvale");
    QApplication::setApplicationVersion(MARROWVALE_VERSION);
    QApplication::setDesktopFileName("marrowvale");
    QApplication::setWindowIcon(QIcon::fromTheme("marrowvale"));

    QCommandLineParser parser;
    parser.setApplicationDescription("Turns an edited timeline (XMEML .xml or OpenTimelineIO "
                                     ".otio) into a spreadsheet report.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument("file", "A timeline to open.", "[file]");
    QCommandLineOption screenshot("screenshot",
                                  "Open the file, analyze its first sequence, save a picture of "
                                  "the main window to PNG and quit. Runs apart from an "
                                  "application already running and answers every question "
                                  "with its default.",
                                  "PNG");
    parser.addOption(screenshot);
    // Answered here rather than by the parser's own exit, so that the runtime folder is tidied.
    // QApplication has taken its own options out of argv.
    if (!parser.parse(argumentBytes(argc, argv))) {
        std::fprintf(stderr, "marrowvale: %s\n",
                     validUTF8(parser.errorText().toLatin1().toStdString()).c_str());
        return 1;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("Marrowvale %s\n", MARROWVALE_VERSION);
        return 0;
    }
    std::vector<std::filesystem::path> files;
    for (const QString& file : parser.positionalArguments()) {
        files.push_back(bytesPath(file));
    }
    const bool screenshotRun = parser.isSet(screenshot);

    // A later start hands its files to the running application and ends; when none answers,
    // it runs alone.
    std::optional<SingleInstance> instance;
    QString listenProblem;
    const QString runtimePath = screenshotRun ? QString() : runtimeFolder.path();
    if (!runtimePath.isEmpty()) {
        instance.emplace(SingleInstance::socketPath(runtimePath));
        if (instance->handOver(absolutePaths(files))) {
            return 0;
        }
        if (!instance->listen()) {
            listenProblem = instance->problem();
            instance.reset();
        }
    } else if (!screenshotRun) {
        listenProblem = SingleInstance::runningAlone(runtimeFolder.whyNone());
    }

    SystemDesktop desktop;
    DesktopApplication application(desktop, defaultAppServices(&std::cout), defaultLayoutsFile());
    application.quitOnSignals(quitSignals);
    if (!listenProblem.isEmpty()) {
        application.controller().logDiagnostic(listenProblem.toStdString());
        std::cout.flush(); // seen at once by whoever watches
    }
    if (instance) {
        application.acceptHandOvers(*instance);
    }
    if (screenshotRun) {
        // Nobody is there to answer a dialog.
        application.mainWindow().setUnattended(true);
        application.launch();
        return writeScreenshot(application, files,
                               QFile::decodeName(parser.value(screenshot).toLatin1()));
    }
    application.launch();
    // Once the event loop runs, so that the window is on screen for the import's progress.
    QTimer::singleShot(0, &application, [&application, files] { application.openFiles(files); });
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    // First, so that a signal from now on ends the process only once it has tidied up.
    QuitSignals quitSignals;
    const int status = runDesktop(argc, argv, quitSignals);
    // With the signal's status, so that the parent sees how the application ended.
    quitSignals.endByReceivedSignal();
    return status;
}
