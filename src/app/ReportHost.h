#pragma once

#include "app/ReaderHost.h"

#include <optional>
#include <string>

namespace marrowvale {

/// What the report writer asks of the window that started it, beyond a reader's needs: the
/// save panel and opening the finished workbook.
class ReportHost : public ReaderHost {
public:
    /// Asks where to save the report named `reportName` (an .xlsx path); none when cancelled.
    virtual std::optional<std::string> chooseReportDestination(const std::string& reportName) = 0;

    /// Shows the finished workbook to the user; a front end without a desktop does nothing.
    virtual void openFinishedReport(const std::string& path) = 0;

    /// Shows the folder the thumbnails were kept in, after the workbook.
    virtual void openThumbnailsFolder(const std::string& folder) = 0;
};

} // namespace marrowvale
