#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <filesystem>
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

} // namespace marrowvale::testing
