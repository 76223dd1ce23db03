#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace marrowvale::testing {

/// Lets this process's event loop run for `milliseconds`.
void turnEventLoop(int milliseconds);

/// A socket file as an application that ended without closing it leaves behind: there, but
/// nobody listens on it.
void leaveSocketBehind(const QString& path);

/// How a run of the application as a process of its own ended.
struct ChildRun {
    bool finished = false;
    int exitCode = -1;
    std::string err;
};

/// Runs the desktop application as another process in `folder` while this process's event
/// loop turns; a run that has not ended after a minute is killed.
ChildRun runApplication(const QStringList& arguments, const QProcessEnvironment& environment,
                        const std::filesystem::path& folder);

/// runApplication() with arguments given as bytes, passed on as they are: a file name need not
/// be valid text, which a QString argument cannot carry.
ChildRun runApplicationOnBytes(const std::vector<std::string>& arguments,
                               const QProcessEnvironment& environment,
                               const std::filesystem::path& folder);

/// Turns this process's event loop until `condition` holds, for at most `milliseconds`; whether
/// it holds.
bool waitUntil(const std::function<bool()>& condition, int milliseconds);

/// The desktop application started as another process in `folder`, running until it ends or
/// is ended; it is killed, if need be, when the object goes.
class RunningApplication {
public:
    /// `inChild`, when given, runs in the new process before the application starts (to set
    /// what it inherits, such as ignored signals).
    RunningApplication(const QStringList& arguments, const QProcessEnvironment& environment,
                       const std::filesystem::path& folder,
                       const std::function<void()>& inChild = {});
    ~RunningApplication();
    RunningApplication(const RunningApplication&) = delete;
    RunningApplication& operator=(const RunningApplication&) = delete;

    /// The process's id.
    qint64 pid() const { return process_.processId(); }
    /// Sends the process `signal`.
    void send(int signal);
    /// Turns this process's event loop until the process ends, for at most `milliseconds`;
    /// whether it ended.
    bool waitForEnd(int milliseconds);
    /// Whether it still runs.
    bool running() const { return process_.state() != QProcess::NotRunning; }
    /// The processor time it has used so far, in seconds (every thread's, user and system).
    double processorSeconds() const;

    /// Once ended: its exit code, or -1 when a signal ended it.
    int exitCode() const;
    /// Once ended: the signal that ended it; 0 when it exited.
    int endingSignal() const;
    /// What it wrote on standard output (its diagnostics) and on standard error so far.
    std::string out();
    std::string err();

private:
    QProcess process_;
    std::string out_;
    std::string err_;
};

} // namespace marrowvale::testing
