#include "ApplicationProcess.h"

#include "desktop/Desktop.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
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

bool waitUntil(const std::function<bool()>& condition, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        turnEventLoop(10);
    }
    return true;
}

RunningApplication::RunningApplication(const QStringList& arguments,
                                       const QProcessEnvironment& environment,
                                       const std::filesystem::path& folder,
                                       const std::function<void()>& inChild) {
    if (inChild) {
        process_.setChildProcessModifier(inChild);
    }
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(qtPath(folder));
    process_.start(MARROWVALE_DESKTOP_EXECUTABLE, arguments);
    EXPECT_TRUE(process_.waitForStarted()) << process_.errorString().toStdString();
}

RunningApplication::~RunningApplication() {
    if (running()) {
        process_.kill();
        process_.waitForFinished();
    }
}

void RunningApplication::send(int signal) {
    // Never 0, which would signal this process's whole group.
    ASSERT_TRUE(running()) << "the application has ended already";
    ASSERT_GT(pid(), 0);
    ASSERT_EQ(::kill(static_cast<pid_t>(pid()), signal), 0);
}

bool RunningApplication::waitForEnd(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (running() && !process_.waitForFinished(10) && !deadline.hasExpired()) {
        turnEventLoop(10);
    }
    return !running();
}

double RunningApplication::processorSeconds() const {
    // Fields 14 and 15 of the process's line, after the name in parentheses (which may hold
    // spaces): user and system time in clock ticks.
    std::ifstream in("/proc/" + std::to_string(pid()) + "/stat");
    std::string line;
    std::getline(in, line);
    std::istringstream fields(line.substr(line.rfind(')') + 1));
    std::string field;
    for (int i = 3; i < 14 && fields >> field; ++i) {
    }
    double user = 0;
    double system = 0;
    fields >> user >> system;
    return (user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

int RunningApplication::exitCode() const {
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

int RunningApplication::endingSignal() const {
    // Qt gives the signal's number as the exit code of a process a signal ended.
    return process_.exitStatus() == QProcess::CrashExit ? process_.exitCode() : 0;
}

std::string RunningApplication::out() {
    out_ += process_.readAllStandardOutput().toStdString();
    return out_;
}

std::string RunningApplication::err() {
    err_ += process_.readAllStandardError().toStdString();
    return err_;
}

} // namespace marrowvale::testing
