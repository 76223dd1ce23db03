#include "app/controller/AppServices.h"
#include "model/ModelContext.h"

#include <fmt/format.h>

#if MARROWVALE_HAVE_XMEML
#include "xmeml/ProcessXMEML.h"
#endif
#if MARROWVALE_HAVE_OTIO
#include "otio/ProcessOTIO.h"
#endif
#if MARROWVALE_HAVE_REPORT
#include "report/ReportRun.h"
#endif
#if MARROWVALE_HAVE_MEDIA
#include "media/ClipMediaProbe.h"
#include "media/MediaLibraryMessages.h"
#endif
#if MARROWVALE_HAVE_FFMPEG
extern "C" {
#include <libavcodec/avcodec.h>
}
#endif

#include <string>
#include <vector>

namespace marrowvale {

namespace {

#if MARROWVALE_HAVE_XMEML
std::optional<InputType> readXMEML(ModelContext& store, InputFile& file, ReaderHost& host) {
    XMEMLImportResult result = processXMEML(store, file, host);
    for (const std::string& line : result.diagnostics)
        host.logDiagnostic(line);
    for (const std::string& line : result.warnings)
        host.showWarning(line);
    return result.inputType;
}
#endif

#if MARROWVALE_HAVE_FFMPEG
MediaFormatSummary describeDecoders() {
    std::size_t video = 0;
    std::size_t audio = 0;
    void* state = nullptr;
    while (const AVCodec* codec = av_codec_iterate(&state)) {
        if (!av_codec_is_decoder(codec))
            continue;
        if (codec->type == AVMEDIA_TYPE_VIDEO)
            ++video;
        else if (codec->type == AVMEDIA_TYPE_AUDIO)
            ++audio;
    }
    // The formats editors ask about most, by the decoder's name.
    static constexpr std::pair<const char*, const char*> notable[] = {
        {"prores", "ProRes"}, {"dnxhd", "DNxHD/DNxHR"},  {"h264", "H.264"},
        {"hevc", "HEVC"},     {"mpeg2video", "MPEG-2"},  {"dvvideo", "DV"},
        {"cfhd", "CineForm"}, {"jpeg2000", "JPEG 2000"}, {"v210", "10-bit uncompressed"},
    };
    std::vector<std::string> present;
    for (auto [decoder, label] : notable) {
        if (avcodec_find_decoder_by_name(decoder))
            present.emplace_back(label);
    }
    std::string list = present.empty() ? "none of the common editing formats"
                                       : fmt::format("{}", fmt::join(present, ", "));
    return {"Media formats",
            fmt::format("Thumbnails and frame rates can be read from {} video formats and audio "
                        "tags from {} audio formats, including {}.",
                        video, audio, list)};
}
#endif

} // namespace

AppServices defaultAppServices([[maybe_unused]] std::ostream* diagnostics) {
    AppServices services;
#if MARROWVALE_HAVE_MEDIA
    // A file the media libraries cannot read shows in the report, not as their lines on the
    // terminal.
    silenceMediaLibraryMessages();
    services.makesThumbnails = true;
#endif
#if MARROWVALE_HAVE_XMEML
    services.processXMEML = readXMEML;
#endif
#if MARROWVALE_HAVE_OTIO
    services.processOTIO = [](ModelContext& store, const std::filesystem::path& file,
                              std::optional<bool> dropFrame, double progressStart,
                              double progressEnd, ReaderHost& host) {
        processOTIO(store, file, dropFrame, progressStart, progressEnd, host);
    };
#endif
    services.createXLSX = [diagnostics](ModelContext& store, const ReportRequest& request,
                                        ReportHost& host) {
#if MARROWVALE_HAVE_REPORT
        ReportServices reportServices;
        reportServices.diagnostics = diagnostics;
#if MARROWVALE_HAVE_MEDIA
        ClipMediaProbe mediaProbe(diagnostics);
        reportServices.mediaProbe = &mediaProbe;
#endif
        createXLSX(store, request, host, reportServices);
#else
        (void)store, (void)request, (void)diagnostics;
        host.showAlert("Reports are not available",
                       "This build of Marrowvale cannot write report workbooks.");
#endif
    };
#if MARROWVALE_HAVE_FFMPEG
    services.describeMediaFormats = describeDecoders;
#endif
#if MARROWVALE_HAVE_REPORT
    services.writesOptionalSheets = true;
#endif
    return services;
}

} // namespace marrowvale
