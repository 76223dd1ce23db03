#pragma once

#include <QString>
#include <QUrl>
#include <filesystem>
#include <optional>
#include <string>

class QWidget;

namespace marrowvale {

/// What the desktop application asks of the desktop around it: the open and save panels, and
/// handing an address or a finished workbook to another program. The session's own version
/// shows file dialogs and goes through QDesktopServices; tests answer with set values, so no
/// dialog waits for a user and no other program starts.
class Desktop {
public:
    virtual ~Desktop() = default;

    /// The open panel on `window`, limited to ".xml" and ".otio" timelines; none when
    /// cancelled.
    virtual std::optional<std::filesystem::path> chooseInputFile(QWidget* window) = 0;

    /// The save panel on `window` for a workbook proposed as `reportName` followed by ".xlsx";
    /// the chosen path always ends in ".xlsx". None when cancelled.
    virtual std::optional<std::string> chooseReportDestination(QWidget* window,
                                                               const QString& reportName) = 0;

    /// Opens a web or mail address, or a local file, with the program the desktop chooses;
    /// false when none would take it.
    virtual bool openUrl(const QUrl& url) = 0;
};

/// A path as Qt shows it, decoded from the file system's encoding.
QString qtPath(const std::filesystem::path& path);

/// A path from Qt's text, encoded in the file system's encoding.
std::filesystem::path filesystemPath(const QString& path);

} // namespace marrowvale
