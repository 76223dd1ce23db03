#include "ApplicationProcess.h"

#include "desktop/Desktop.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace marrowvale::testing {

void turnEventLoop(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void leaveSocketBehind(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

namespace {

ChildRun runProgram(const QString& program, const QStringList& arguments,
                    const QProcessEnvironment& environment, const std::filesystem::path& folder) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(qtPath(folder));
    process.start(program, arguments);
    QDeadlineTimer deadline(60000);
    while (!process.waitForFinished(10) && process.state() != QProcess::NotRunning &&
           !deadline.hasExpired()) {
        turnEventLoop(10);
    }
    ChildRun run;
    run.finished = process.state() == QProcess::NotRunning;
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.err = process.readAllStandardError().toStdString();
    return run;
}

} // namespace

ChildRun runApplication(const QStringList& arguments, const QProcessEnvironment& environment,
                        const std::filesystem::path& folder) {
    return runProgram(MARROWVALE_DESKTOP_EXECUTABLE, arguments, environment, folder);
}

ChildRun runApplicationOnBytes(const std::vector<std::string>& arguments,
                               const QProcessEnvironment& environment,
                               const std::filesystem::path& folder) {
    // The shell's printf writes each byte from its octal escape; exec keeps the process the
    // application's own.
    QString command = "exec \"$0\"";
    for (const std::string& argument : arguments) {
        command += " \"$(printf '";
        for (const char byte : argument) {
            command += QString::asprintf("\\%03o", static_cast<unsigned char>(byte));
        }
        command += "')\"";
    }
    return runProgram("/bin/sh", {"-c", command, MARROWVALE_DESKTOP_EXECUTABLE}, environment,
                      folder);
}

} // namespace marrowvale::testing
