#include "services/DefaultServices.h"

#include "media/DecoderSummary.h"
#include "media/MediaLibraryMessages.h"
#include "media/MediaProbeProcess.h"
#include "otio/ProcessOTIO.h"
#include "report/ReportRun.h"
#include "services/ClipMediaProbe.h"
#include "xmeml/ProcessXMEML.h"

#include <string>

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

} // namespace

AppServices defaultAppServices(std::ostream* diagnostics) {
    // A file the media libraries cannot read shows in the report, not as their lines on the
    // terminal.
    silenceMediaLibraryMessages();

    AppServices services;
    services.processXMEML = readXMEML;
    services.processOTIO = [](ModelContext& store, const std::filesystem::path& file,
                              std::optional<bool> dropFrame, double progressStart,
                              double progressEnd, ReaderHost& host) {
        // Media files are probed in a helper process, so no file can hold the import up.
        MediaProbeProcess media;
        processOTIO(store, file, dropFrame, progressStart, progressEnd, host,
                    [&media](const std::filesystem::path& path) { return media.probe(path); });
    };
    services.createXLSX = [diagnostics](ModelContext& store, const ReportRequest& request,
                                        ReportHost& host) {
        ClipMediaProbe mediaProbe(diagnostics);
        ReportServices reportServices;
        reportServices.diagnostics = diagnostics;
        reportServices.mediaProbe = &mediaProbe;
        createXLSX(store, request, host, reportServices);
    };
    services.describeMediaFormats = [] {
        return MediaFormatSummary{"Media formats", decoderSummary()};
    };
    services.writesOptionalSheets = true;
    services.makesThumbnails = true;
    return services;
}

} // namespace marrowvale
