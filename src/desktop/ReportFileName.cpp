#include "desktop/ReportFileName.h"

namespace marrowvale {

namespace {

const QString workbookExtension = QStringLiteral(".xlsx");

} // namespace

QString suggestedReportFileName(const QString& reportName) {
    QString name = reportName;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return name + workbookExtension;
}

QString workbookPath(const QString& chosen) {
    if (chosen.endsWith(workbookExtension, Qt::CaseInsensitive)) {
        return chosen;
    }
    // "Demo." becomes "Demo.xlsx", not "Demo..xlsx".
    if (chosen.endsWith(QLatin1Char('.'))) {
        return chosen + workbookExtension.mid(1);
    }
    return chosen + workbookExtension;
}

} // namespace marrowvale
