#include "report/ReportRun.h"

#include "app/ReportHost.h"
#include "app/ReportRequest.h"
#include "app/StopRequest.h"
#include "model/ModelContext.h"
#include "report/MediaProbe.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"
#include "report/RolesReport.h"
#include "report/TimelineReport.h"
#include "report/WorkingFolder.h"
#include "xlsxwriter/Workbook.h"
#include "xlsxwriter/XlsxError.h"

#include <exception>
#include <fmt/format.h>

namespace marrowvale {

namespace fs = std::filesystem;

namespace {

ReportOutcome failed(ReportHost& host, const std::string& message, const std::string& detail) {
    host.showAlert(message, detail);
    return {};
}

std::string noSequenceDetail(const std::string& title) {
    return fmt::format("No sequence named \"{}\" is in the opened file. Choose a sequence and "
                       "try again.",
                       title);
}

void checkStop(const StopRequest* stop) {
    if (stop != nullptr) {
        stop->check();
    }
}

// Writes the workbook into its file in the working folder; the library's own lines go to the
// diagnostics. A failed file operation there is the working folder's failure (a full or
// missing temporary folder), not the destination's.
void closeWorkbook(Workbook& workbook, const WorkingFolder& working, std::ostream* out) {
    try {
        workbook.close();
    } catch (const XlsxError& error) {
        if (out) {
            *out << workbook.libraryMessages();
        }
        if (!error.systemError()) {
            throw;
        }
        throw WorkingFolderError(fmt::format("The workbook could not be written in the working "
                                             "folder \u201c{}\u201d: {}.",
                                             working.path().string(),
                                             error.systemError().message()),
                                 working.path(), error.systemError());
    }
    if (out) {
        *out << workbook.libraryMessages();
    }
}

} // namespace

ReportOutcome createXLSX(const ModelContext& store, const ReportRequest& request, ReportHost& host,
                         const ReportServices& services) {
    std::ostream* out = services.diagnostics;
    const InputType inputType = request.importState.inputType;

    // Check everything the report needs before the user picks a destination, so that no
    // empty workbook is ever written.
    if (inputType == InputType::null) {
        return failed(host, "There is no timeline to report",
                      "Open an XMEML or OTIO file, choose a sequence and try again.");
    }
    if (request.sequenceTitle != binClipsTitle &&
        store.fetchComposition(request.sequenceTitle) == nullptr) {
        if (out) {
            *out << "\"NO SEQUENCE\"\n";
        }
        return failed(host, "No sequence found", noSequenceDetail(request.sequenceTitle));
    }

    std::optional<std::string> chosen = host.chooseReportDestination(request.reportName);
    if (!chosen || chosen->empty()) {
        return {ReportStatus::cancelled, {}, {}};
    }
    const fs::path destination = *chosen;
    const bool keepThumbnails = optionFlag("keepThumbnails", request.options).value_or(false);

    const StopRequest* stop = host.stopRequest();
    NoMediaProbe noMediaProbe;

    try {
        checkStop(stop);
        WorkingFolder working(services.temporaryRoot);
        const fs::path workbookPath = working.path() / "spreadsheet.xlsx";
        const fs::path thumbnails = working.path() / "Thumbnails";
        std::error_code made;
        if (!fs::create_directory(thumbnails, made) && made) {
            throw WorkingFolderError(fmt::format("The working folder \u201c{}\u201d cannot take "
                                                 "the thumbnails: {}.",
                                                 working.path().string(), made.message()),
                                     working.path(), made);
        }

        Workbook workbook(workbookPath.string());
        ReportContext context;
        context.workbook = &workbook;
        context.thumbnailsFolder = thumbnails;
        context.columnSetKind = request.importState.columnSetKind;
        context.inputType = inputType;
        context.mediaProbe = services.mediaProbe != nullptr ? services.mediaProbe : &noMediaProbe;
        context.diagnostics = out;
        context.stop = stop;

        if (inputType == InputType::FCPXML) {
            if (out) {
                *out << ".FCPXML\n";
            }
            if (!writeRolesReport(context, store, request)) {
                return failed(host, "No sequence found", noSequenceDetail(request.sequenceTitle));
            }
        } else {
            switch (writeTimelineReport(context, store, request)) {
            case TimelineReportStatus::written:
                break;
            case TimelineReportStatus::noSequence:
                return failed(host, "No sequence found", noSequenceDetail(request.sequenceTitle));
            case TimelineReportStatus::unknownInputType:
                return failed(host, "There is no timeline to report",
                              "Open an XMEML or OTIO file, choose a sequence and try again.");
            }
        }
        // The pictures must stay until the workbook is closed: it reads them then.
        checkStop(stop);
        closeWorkbook(workbook, working, out);
        checkStop(stop);
        replaceFile(workbookPath, destination, stop);

        ReportOutcome outcome{ReportStatus::written, destination, {}};
        if (keepThumbnails && !fs::is_empty(thumbnails)) {
            fs::path wanted =
                destination.parent_path() / (destination.stem().string() + " Thumbnails");
            outcome.thumbnailsFolder = moveFolderBeside(thumbnails, wanted);
        }
        host.openFinishedReport(destination.string());
        if (!outcome.thumbnailsFolder.empty()) {
            host.openThumbnailsFolder(outcome.thumbnailsFolder.string());
        }
        return outcome;
    } catch (const TaskStopped&) {
        // The working folder and any partial copy are gone by now.
        return {ReportStatus::stopped, {}, {}};
    } catch (const WorkingFolderError& error) {
        if (out) {
            *out << "PROBLEM\n" << error.what() << '\n';
        }
        return failed(host, "The report could not be saved", error.what());
    } catch (const fs::filesystem_error& error) {
        // Name the user's file, not the private working folder.
        if (out) {
            *out << "PROBLEM\n" << error.what() << '\n';
        }
        return failed(host, "The report could not be saved",
                      fmt::format("{}: {}", destination.string(), error.code().message()));
    } catch (const std::exception& error) {
        if (out) {
            *out << "PROBLEM\n" << error.what() << '\n';
        }
        return failed(host, "The report could not be saved", error.what());
    }
}

} // namespace marrowvale
