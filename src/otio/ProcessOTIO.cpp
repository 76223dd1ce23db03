#include "otio/ProcessOTIO.h"

#include "app/InputFile.h"
#include "app/ReaderHost.h"
#include "model/ModelContext.h"
#include "otio/AssetPass.h"
#include "otio/DocumentText.h"
#include "otio/SequencePass.h"
#include "otio/schema/TimelineDecoder.h"

#include <fmt/format.h>
#include <new>

namespace marrowvale {

namespace {

constexpr const char* problemTitle = "There is a problem with this OTIO";

// The editor that wrote the document, by which of their metadata blocks it carries.
InputType recogniseProducer(const otio::Timeline& timeline, ReaderHost& host) {
    InputType producer = InputType::DaVrOTIO;
    const std::optional<otio::StackMetadata>& stackMetadata = timeline.tracks.metadata;
    if (timeline.metadata.resolveOTIO) {
        host.logDiagnostic("Resolve OTIO Meta Version: " +
                           timeline.metadata.resolveOTIO->resolveOTIOMetaVersion);
    } else if (stackMetadata && stackMetadata->premiereproOTIO) {
        producer = InputType::PProOTIO;
        const otio::PProStackMetadata& premiere = *stackMetadata->premiereproOTIO;
        host.logDiagnostic(fmt::format(
            "Premiere Pro OTIO Meta Version: AudioFrameRate {}, VideoResolution {} x {}",
            premiere.audioFrameRate, premiere.videoResolution.width,
            premiere.videoResolution.height));
    } else if (timeline.metadata.aaf) {
        producer = InputType::AvidOTIO;
    }
    if (timeline.metadata.aaf) {
        const std::optional<otio::MobAttributeList>& attributes =
            timeline.metadata.aaf->mobAttributeList;
        host.logDiagnostic("Sequence Format String: " +
                           (attributes ? attributes->sequenceFormatString : std::string()));
    }
    return producer;
}

void logStoredCounts(const ModelContext& store, ReaderHost& host) {
    const std::size_t formats = store.count<VideoFormat>();
    host.logDiagnostic(fmt::format("\"formats:\" {}", formats));
    if (formats == 0) {
        host.logDiagnostic("\"NO FORMATS!!!\"");
    }
    const std::size_t assets = store.count<Asset>();
    host.logDiagnostic(fmt::format("\"assets:\" {}", assets));
    if (assets == 0) {
        host.logDiagnostic("\"NO ASSETS!!!\"");
    }
}

} // namespace

bool processOTIODocument(ModelContext& store, std::string_view bytes,
                         const std::filesystem::path& file, std::optional<bool> dropFrame,
                         double progressStart, double progressEnd, ReaderHost& host,
                         const MediaFileProber& probe) {
    // Set before anything is read, so that a refused file leaves this type.
    host.setInputType(InputType::DaVrOTIO);
    std::optional<otio::Timeline> timeline;
    try {
        timeline.emplace(otio::decodeTimeline(utf8DocumentText(bytes)));
    } catch (const otio::DecodeError& error) {
        host.logDiagnostic(error.debugDescription());
        host.showAlert(problemTitle, error.description());
        return false;
    } catch (const std::bad_alloc&) {
        host.showAlert(problemTitle, "There is not enough memory to read this file.");
        return false;
    }

    const InputType producer = recogniseProducer(*timeline, host);
    host.setInputType(producer);
    const std::string name = timeline->name.empty() ? file.stem().string() : timeline->name;
    OTIOImport import(*timeline, store, host, producer, probe);

    // The steps below add up to the maximum, so the bar ends full.
    const double assetProgress = timeline->tracks.children.empty() ? 0.0 : progressStart;
    host.startProgress(0.5 + 1.0 + assetProgress + sequencePassProgress(import, progressEnd));
    host.updateProgress(1.0);
    try {
        storeOTIOAssets(import, progressStart);
        logStoredCounts(store, host);
        EventBin* bin = store.create<EventBin>("");
        storeOTIOSequence(import, name, *bin, dropFrame, progressEnd);
    } catch (const std::exception& error) {
        // Half a timeline must not pass for a whole one.
        store.deleteAllModels();
        host.logDiagnostic(fmt::format("Import stopped: {}", error.what()));
        host.showAlert(problemTitle, dynamic_cast<const std::bad_alloc*>(&error)
                                         ? "There is not enough memory to read this file."
                                         : error.what());
        return false;
    }
    return true;
}

bool processOTIO(ModelContext& store, const std::filesystem::path& file,
                 std::optional<bool> dropFrame, double progressStart, double progressEnd,
                 ReaderHost& host, const MediaFileProber& probe) {
    std::string bytes;
    try {
        InputFile input(file, InputFile::timelineSizeLimit);
        bytes = input.readAll();
    } catch (const InputFileError& error) {
        host.setInputType(InputType::DaVrOTIO);
        host.showAlert(problemTitle,
                       fmt::format("The file \u201c{}\u201d couldn\u2019t be read: {}.",
                                   file.filename().string(), error.what()));
        return false;
    } catch (const std::bad_alloc&) {
        host.setInputType(InputType::DaVrOTIO);
        host.showAlert(problemTitle, "There is not enough memory to read this file.");
        return false;
    }
    return processOTIODocument(store, bytes, file, dropFrame, progressStart, progressEnd, host,
                               probe);
}

} // namespace marrowvale
