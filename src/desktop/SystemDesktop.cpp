#include "desktop/SystemDesktop.h"

#include "desktop/ReportFileName.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace marrowvale {

SystemDesktop::SystemDesktop()
    : folder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {}

std::optional<std::filesystem::path> SystemDesktop::chooseInputFile(QWidget* window) {
    QFileDialog dialog(window, QObject::tr("Open Timeline"), folder_);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QObject::tr("Timelines (*.xml *.otio)"));
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    QString chosen = dialog.selectedFiles().constFirst();
    folder_ = QFileInfo(chosen).absolutePath();
    return filesystemPath(chosen);
}

std::optional<std::string> SystemDesktop::chooseReportDestination(QWidget* window,
                                                                  const QString& reportName) {
    QFileDialog dialog(window, QObject::tr("Save Report"),
                       QDir(folder_).filePath(suggestedReportFileName(reportName)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QObject::tr("Workbooks (*.xlsx)"));
    dialog.setDefaultSuffix("xlsx");
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = workbookPath(dialog.selectedFiles().constFirst());
    folder_ = QFileInfo(chosen).absolutePath();
    return filesystemPath(chosen).string();
}

bool SystemDesktop::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace marrowvale
