#pragma once

#include <filesystem>
#include <ostream>

namespace marrowvale {

class MediaProbe;
class ModelContext;
class ReportHost;
struct ReportRequest;

/// What a report run uses besides the request and the window.
struct ReportServices {
    /// Thumbnails and audio tags; null finds none.
    MediaProbe* mediaProbe = nullptr;
    /// Where diagnostic lines go; null keeps the run quiet.
    std::ostream* diagnostics = nullptr;
    /// Where the run makes its private working folder; empty for the system's temporary folder.
    std::filesystem::path temporaryRoot;
};

/// How a report run ended.
enum class ReportStatus {
    written,   ///< the workbook is at its destination
    cancelled, ///< the user cancelled the save panel; nothing was written
    failed,    ///< the user was told why in an alert; the destination is untouched
    stopped,   ///< the host's stop request ended the run; nothing was written or left behind
};

/// The result of a report run.
struct ReportOutcome {
    ReportStatus status = ReportStatus::failed;
    /// The finished workbook, when written.
    std::filesystem::path workbookPath;
    /// The folder the thumbnails were kept in, when "keepThumbnails" was on and pictures were
    /// made; empty otherwise.
    std::filesystem::path thumbnailsFolder;
};

/// Runs one report from the save request to the finished workbook: checks that the sequence
/// and an imported timeline exist (an alert otherwise), asks the host for a destination, writes
/// the report variant of the input type in a private working folder, replaces the destination
/// with the complete workbook in one step, keeps the thumbnails beside it when asked, and has
/// the host open the workbook and then the kept thumbnails' folder. Every failure reaches the user
/// as an alert through `host`. When the host's stop request is raised, the run ends at its next
/// step without an alert, removing its working folder and any partial copy beside the destination.
ReportOutcome createXLSX(const ModelContext& store, const ReportRequest& request, ReportHost& host,
                         const ReportServices& services = {});

} // namespace marrowvale
