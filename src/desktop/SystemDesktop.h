#pragma once

#include "desktop/Desktop.h"

namespace marrowvale {

/// The desktop of the running session: Qt's file dialogs, window-modal on the main window, and
/// QDesktopServices. The panels start in the folder last used, at first the Documents folder.
class SystemDesktop : public Desktop {
public:
    SystemDesktop();

    std::optional<std::filesystem::path> chooseInputFile(QWidget* window) override;
    std::optional<std::string> chooseReportDestination(QWidget* window,
                                                       const QString& reportName) override;
    bool openUrl(const QUrl& url) override;

private:
    QString folder_;
};

} // namespace marrowvale
