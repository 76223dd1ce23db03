#pragma once

#include <QString>

namespace marrowvale {

/// The file name the save panel proposes for a report called `reportName`: the name followed by
/// ".xlsx", with each "/" made a "-" so that a sequence name can never point into another
/// folder.
QString suggestedReportFileName(const QString& reportName);

/// The path a report is saved at when the user chose `chosen` in the save panel: unchanged when
/// it ends in ".xlsx" (in any case), else with ".xlsx" added, so that a name with another
/// extension ("Reel 1.final") still becomes a workbook and never a file of another kind.
QString workbookPath(const QString& chosen);

} // namespace marrowvale
