#include "report/TimelineReport.h"

#include "app/ReportRequest.h"
#include "model/Asset.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/MarkedRange.h"
#include "model/ModelContext.h"
#include "model/StoryElement.h"
#include "model/VideoTrack.h"
#include "report/ClipSheetWriter.h"
#include "report/OptionalSheets.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"

#include <optional>

namespace marrowvale {

namespace {

using Category = StoryElement::Category;

bool isTransitionOrGap(const StoryElement& clip) {
    return clip.category == Category::transition || clip.category == Category::gap;
}

bool isAudioFileClip(const StoryElement& clip) {
    return clip.category == Category::assetclip && clip.asset != nullptr &&
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

/// Every clip of the ticked tracks of `sequence` that `keep` accepts: video tracks first, then
/// audio tracks, each in list order.
template <typename VideoFilter, typename AudioFilter>
std::vector<StoryElement*> gatherClips(const Composition& sequence, const ReportRequest& request,
                                       VideoFilter keepVideo, AudioFilter keepAudio) {
    std::vector<StoryElement*> clips;
    for (const VideoTrack* track : sequence.videoTracks) {
        if (track == nullptr || !request.tracks.includesVideoTrack(track->trackIdx))
            continue;
        for (StoryElement* clip : track->elements) {
            if (clip != nullptr && keepVideo(*clip))
                clips.push_back(clip);
        }
    }
    for (const AudioTrack* track : sequence.audioTracks) {
        if (track == nullptr || !request.tracks.includesAudioTrack(track->trackIdx))
            continue;
        for (StoryElement* clip : track->elements) {
            if (clip != nullptr && keepAudio(*clip))
                clips.push_back(clip);
        }
    }
    return clips;
}

void say(const ReportContext& context, std::string_view line) {
    if (context.diagnostics != nullptr)
        *context.diagnostics << line << '\n';
}

} // namespace

TimelineReportStatus writeTimelineReport(ReportContext& context, const ModelContext& store,
                                         const ReportRequest& request, OptionalSheets& sheets) {
    const bool binClips = request.sequenceTitle == binClipsTitle;
    const Composition* sequence = nullptr;
    if (!binClips) {
        sequence = store.fetchComposition(request.sequenceTitle);
        if (sequence == nullptr) {
            say(context, "\"NO SEQUENCE\"");
            return TimelineReportStatus::noSequence;
        }
        // A rate that cannot be read leaves the run's own default, never a previous run's rate.
        if (auto rate = dovovevozav::TimecodeFrameRate::fromRawValue(sequence->timecodeFrameRate))
            context.reportFrameRate = *rate;
    }

    const bool ignoreAudio = request.hasSheet("ignoreAudio");
    std::optional<InputChoice> choice = choiceFor(context.inputType);
    if (!choice) {
        say(context, "\"Unknown input format\"");
        return TimelineReportStatus::unknownInputType;
    }
    context.outPointOffset = choice->outPointOffset;

    std::vector<StoryElement*> clips;
    if (sequence != nullptr) {
        auto keepVideo = [](const StoryElement& clip) { return !isTransitionOrGap(clip); };
        auto keepAudio = [ignoreAudio](const StoryElement& clip) {
            return ignoreAudio ? isAudioFileClip(clip) : !isTransitionOrGap(clip);
        };
        clips = gatherClips(*sequence, request, keepVideo, keepAudio);
    } else {
        // "Bin Clips": the master clips of every bin, in bin order, on the bin-clip columns.
        for (const EventBin* bin : store.fetchBinsSortedByName()) {
            for (StoryElement* clip : bin->clips) {
                if (clip != nullptr)
                    clips.push_back(clip);
            }
        }
        if (!clips.empty())
            context.columnSetKind = 3;
    }

    const bool useColorText = optionFlag("useColorText", request.options).value_or(true);
    std::vector<FileSummaryItem> files = writeClipSheet(
        context, clips, sheetTitle(choice->mainSheet), request.options, useColorText);

    if (request.hasSheet("markers")) {
        std::vector<MarkedRange*> sequenceMarkers, clipMarkers;
        for (MarkedRange* marker : store.fetchAll<MarkedRange>())
            (marker->clip == nullptr ? sequenceMarkers : clipMarkers).push_back(marker);
        sheets.writeMarkersSheet(context, sequenceMarkers, choice->sequenceMarkers, useColorText);
        sheets.writeMarkersSheet(context, clipMarkers, SheetName::ClipMarkers, useColorText);
    }
    if (request.hasSheet("generators")) {
        std::vector<StoryElement*> graphics;
        if (sequence != nullptr) {
            auto isGraphic = [](const StoryElement& clip) {
                return clip.category == Category::title || clip.category == Category::generator;
            };
            graphics = gatherClips(*sequence, request, isGraphic, isGraphic);
        }
        sheets.writeGraphicsSheet(context, graphics, sheetTitle(SheetName::GraphicsTitles),
                                  useColorText);
    }
    if (request.hasSheet("transitions")) {
        std::vector<StoryElement*> transitions;
        if (sequence != nullptr) {
            auto isTransition = [](const StoryElement& clip) {
                return clip.category == Category::transition;
            };
            transitions = gatherClips(*sequence, request, isTransition, isTransition);
        }
        sheets.writeTransitionsSheet(context, transitions, sheetTitle(SheetName::Transitions),
                                     useColorText);
    }
    if (request.hasSheet("effects")) {
        sheets.writeEffectsSheet(context, clips, sheetTitle(SheetName::VideoAudioEffects),
                                 useColorText);
        sheets.writeSpeedChangesSheet(context, clips, sheetTitle(SheetName::SpeedChangeEffects),
                                      useColorText);
    }
    if (request.hasSheet("summary"))
        sheets.writeFilesSummarySheet(context, std::move(files),
                                      sheetTitle(SheetName::FilesSummary));
    return TimelineReportStatus::written;
}

} // namespace marrowvale
