#include "services/DefaultServices.h"

#include "app/StopRequest.h"
#include "media/DecoderSummary.h"
#include "media/GivenUpFiles.h"
#include "media/MediaFileProbeBatch.h"
#include "media/MediaLibraryMessages.h"
#include "otio/ProcessOTIO.h"
#include "report/ReportRun.h"
#include "services/ClipMediaProbe.h"
#include "services/MissingHelperNotice.h"
#include "xmeml/ProcessXMEML.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace marrowvale {

namespace {

std::optional<InputType> readXMEML(ModelContext& store, InputFile& file, ReaderHost& host) {
    XMEMLImportResult result = processXMEML(store, file, host);
    for (const std::string& line : result.diagnostics) {
        host.logDiagnostic(line);
    }
    for (const std::string& line : result.warnings) {
        host.showWarning(line);
    }
    return result.inputType;
}

// `media` waiting as `host` needs: the host's stop request ends the waits, and the calling
// thread keeps the host's window turning while the media is read.
MediaBatchSettings waitingFor(MediaBatchSettings media, ReaderHost& host) {
    const StopRequest* stop = host.stopRequest();
    media.stopRequested = [stop] { return stop != nullptr && stop->isRequested(); };
    media.whileWaiting = [&host] { host.keepResponsive(); };
    return media;
}

} // namespace

AppServices defaultAppServices(std::ostream* diagnostics, MediaBatchSettings media) {
    // A file the media libraries cannot read shows in the report, not as their lines on the
    // terminal.
    silenceMediaLibraryMessages();

    // Shared by every import and report of the services' life, so it is told once.
    const auto notice = std::make_shared<MissingHelperNotice>(media.helper);
    // The files the last import gave up on: each import replaces them, and every report of its
    // timeline counts them and does not wait on them again.
    const auto importGivenUp = std::make_shared<std::vector<GivenUpFiles::Entry>>();
    AppServices services;
    services.processXMEML = [importGivenUp](ModelContext& store, InputFile& file,
                                            ReaderHost& host) {
        importGivenUp->clear();
        return readXMEML(store, file, host);
    };
    services.processOTIO = [media, notice,
                            importGivenUp](ModelContext& store, const std::filesystem::path& file,
                                           std::optional<bool> dropFrame, double progressStart,
                                           double progressEnd, ReaderHost& host) {
        importGivenUp->clear();
        GivenUpFiles givenUp;
        // Media files are probed side by side in helper processes, so no file can hold the
        // import up.
        processOTIO(store, file, dropFrame, progressStart, progressEnd, host,
                    [&](const std::vector<std::filesystem::path>& paths) {
                        notice->tell(host);
                        return probeMediaFileBatch(paths, waitingFor(media, host), &givenUp);
                    });
        *importGivenUp = givenUp.entries();
    };
    services.createXLSX = [diagnostics, media, notice, importGivenUp](
                              ModelContext& store, const ReportRequest& request, ReportHost& host) {
        ClipMediaProbe mediaProbe(
            diagnostics, waitingFor(media, host), [&] { notice->tell(host); }, *importGivenUp);
        ReportServices reportServices;
        reportServices.diagnostics = diagnostics;
        reportServices.mediaProbe = &mediaProbe;
        if (createXLSX(store, request, host, reportServices).status == ReportStatus::written) {
            if (const std::optional<std::string> warning = mediaProbe.givenUpWarning()) {
                host.showWarning(*warning);
            }
        }
    };
    services.describeMediaFormats = [] {
        return MediaFormatSummary{"Media formats", decoderSummary()};
    };
    services.writesOptionalSheets = true;
    services.makesThumbnails = true;
    return services;
}

} // namespace marrowvale
