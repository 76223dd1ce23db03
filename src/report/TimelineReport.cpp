#include "report/TimelineReport.h"

#include "app/ReportRequest.h"
#include "model/Asset.h"
#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "report/ClipSheetWriter.h"
#include "report/EffectsSheets.h"
#include "report/FilesSummarySheet.h"
#include "report/GraphicsSheet.h"
#include "report/MarkersSheet.h"
#include "report/ReportClips.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"
#include "report/TransitionsSheet.h"

#include <optional>

namespace marrowvale {

namespace {

bool isAudioFileClip(const StoryElement& clip) {
    return clip.category == StoryElement::Category::assetclip && clip.asset != nullptr &&
           clip.asset->category == Asset::Category::Audio;
}

struct InputChoice {
    SheetName mainSheet;
    double outPointOffset;
    SheetName sequenceMarkers;
};

std::optional<InputChoice> choiceFor(InputType type) {
    switch (type) {
    case InputType::XMEML:
        return InputChoice{SheetName::AllReels, -1, SheetName::SequenceMarkers};
    case InputType::PProOTIO:
        return InputChoice{SheetName::AllReels, -1, SheetName::SequenceMarkers};
    case InputType::FCPXML:
        return InputChoice{SheetName::AllClips, -1, SheetName::TimelineMarkers};
    case InputType::DaVrOTIO:
        return InputChoice{SheetName::AllClips, 0, SheetName::TimelineMarkers};
    case InputType::AvidOTIO:
        return InputChoice{SheetName::AllClips, 0, SheetName::SequenceMarkers};
    case InputType::null:
        break;
    }
    return std::nullopt;
}

} // namespace

TimelineReportStatus writeTimelineReport(ReportContext& context, const ModelContext& store,
                                         const ReportRequest& request) {
    const Composition* sequence = nullptr;
    if (!findReportSequence(context, store, request.sequenceTitle, sequence)) {
        return TimelineReportStatus::noSequence;
    }

    const bool ignoreAudio = request.hasSheet(SheetKey::ignoreAudio);
    std::optional<InputChoice> choice = choiceFor(context.inputType);
    if (!choice) {
        sayDiagnostic(context, "\"Unknown input format\"");
        return TimelineReportStatus::unknownInputType;
    }
    context.outPointOffset = choice->outPointOffset;

    std::vector<StoryElement*> clips;
    if (sequence != nullptr) {
        auto keepVideo = [](const StoryElement& clip) { return !isTransitionOrGap(clip); };
        auto keepAudio = [ignoreAudio](const StoryElement& clip) {
            return ignoreAudio ? isAudioFileClip(clip) : !isTransitionOrGap(clip);
        };
        clips = trackClips(*sequence, request.tracks, keepVideo, keepAudio);
    } else {
        // "Bin Clips": the master clips of every bin, on the bin-clip columns.
        clips = binClips(store);
        if (!clips.empty()) {
            context.columnSetKind = ColumnSetKind::binClips;
        }
    }

    const bool useColorText = optionFlag("useColorText", request.options).value_or(true);
    std::vector<FileSummaryItem> files = writeClipSheet(
        context, clips, sheetTitle(choice->mainSheet), request.options, useColorText);

    if (request.hasSheet(SheetKey::markers)) {
        writeMarkersSheet(context, reportMarkers(sequence, {}), choice->sequenceMarkers,
                          useColorText);
        writeMarkersSheet(context, reportMarkers(nullptr, clips), SheetName::ClipMarkers,
                          useColorText);
    }
    if (request.hasSheet(SheetKey::generators)) {
        std::vector<StoryElement*> graphics;
        if (sequence != nullptr) {
            graphics = trackClips(*sequence, request.tracks, isGraphic, isGraphic);
        }
        writeGraphicsSheet(context, graphics, sheetTitle(SheetName::GraphicsTitles), useColorText);
    }
    if (request.hasSheet(SheetKey::transitions)) {
        std::vector<StoryElement*> transitions;
        if (sequence != nullptr) {
            transitions = trackClips(*sequence, request.tracks, isTransition, isTransition);
        }
        writeTransitionsSheet(context, transitions, sheetTitle(SheetName::Transitions),
                              useColorText);
    }
    if (request.hasSheet(SheetKey::effects)) {
        writeEffectsSheet(context, clips, sheetTitle(SheetName::VideoAudioEffects), useColorText);
        writeSpeedChangesSheet(context, clips, sheetTitle(SheetName::SpeedChangeEffects),
                               useColorText);
    }
    if (request.hasSheet(SheetKey::summary)) {
        writeFilesSummarySheet(context, std::move(files), sheetTitle(SheetName::FilesSummary));
    }
    return TimelineReportStatus::written;
}

} // namespace marrowvale
