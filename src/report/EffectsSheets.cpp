#include "report/EffectsSheets.h"

#include "DovovevoZavCore/DoubleText.h"
#include "model/AudioFX.h"
#include "model/SpeedFX.h"
#include "model/StoryElement.h"
#include "model/VideoFX.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportSortOrders.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

#include <cmath>
#include <optional>

namespace marrowvale {

namespace {

using H = ColumnHeading;

/// What both effects sheets share: the frame and the black, blue and green row formats.
struct EffectsFrame {
    RowFormats black;
    RowFormats blue;
    RowFormats green;
    SheetFrame frame;

    EffectsFrame(Workbook& workbook, std::string_view title, std::vector<ColumnHeading> columns,
                 const Format& header)
        : black(makeRowFormats(workbook, Color::black)),
          blue(makeRowFormats(workbook, Color::blue)),
          green(makeRowFormats(workbook, Color::green)),
          frame(workbook, title, std::move(columns), header) {}
};

/// Starts an effects sheet, or none when the input type has no columns or there is no workbook.
std::optional<EffectsFrame> startEffectsSheet(ReportContext& context, std::string_view title,
                                              std::vector<ColumnHeading> columns) {
    if (columns.empty()) {
        sayUnsupportedInputType(context);
        return std::nullopt;
    }
    if (context.workbook == nullptr) {
        return std::nullopt;
    }
    const Format header = makeHeaderFormat(*context.workbook);
    return std::optional<EffectsFrame>(std::in_place, *context.workbook, title, std::move(columns),
                                       header);
}

bool isTimelineInput(InputType inputType) {
    return inputType == InputType::XMEML || inputType == InputType::DaVrOTIO ||
           inputType == InputType::PProOTIO || inputType == InputType::AvidOTIO;
}

std::vector<ColumnHeading> effectsColumns(InputType inputType) {
    if (inputType == InputType::FCPXML) {
        return {H::Effect,   H::Settings,    H::Enabled,      H::Apple,
                H::ClipName, H::RoleSubrole, H::TimelineInTC, H::TimelineOutTC};
    }
    if (isTimelineInput(inputType)) {
        return {H::Effect, H::Settings,     H::Enabled,      H::ClipName,
                H::Track,  H::TimelineInTC, H::TimelineOutTC};
    }
    return {};
}

std::vector<ColumnHeading> speedChangesColumns(InputType inputType) {
    if (inputType == InputType::FCPXML) {
        return effectsColumns(inputType);
    }
    if (isTimelineInput(inputType)) {
        return {H::Effect, H::Settings, H::ClipName, H::Track, H::TimelineInTC, H::TimelineOutTC};
    }
    return {};
}

/// The clip's cells of an effect row: its name, track, video role and timing.
void writeClipCells(SheetFrame& frame, const StoryElement& clip, const ReportContext& context,
                    const Format& format) {
    frame.write(H::ClipName, clip.name, format);
    frame.write(H::Track, clip.trackName, format);
    frame.write(H::RoleSubrole, clip.videoRole, format);
    writeClipTimes(frame, clip, context, format);
}

template <typename Effect>
void writeEffectRow(SheetFrame& frame, const Effect& effect, const StoryElement& clip,
                    const ReportContext& context, const RowFormats& formats) {
    frame.nextRow();
    frame.write(H::Effect, effect.name, formats.plain);
    frame.write(H::Settings, effect.settings, formats.plain);
    frame.write(H::Enabled, checkMarkText(effect.enabled), formats.centred);
    frame.write(H::Apple, checkMarkText(true), formats.centred);
    writeClipCells(frame, clip, context, formats.plain);
}

std::vector<StoryElement*> inClipOrder(const std::vector<StoryElement*>& clips) {
    std::vector<StoryElement*> sorted = clips;
    std::erase(sorted, nullptr);
    return sortedClips(std::move(sorted));
}

} // namespace

void writeEffectsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                       std::string_view title, bool useColorText) {
    std::optional<EffectsFrame> sheet =
        startEffectsSheet(context, title, effectsColumns(context.inputType));
    if (!sheet) {
        return;
    }
    const RowFormats& videoFormats = useColorText ? sheet->blue : sheet->black;
    const RowFormats& audioFormats = useColorText ? sheet->green : sheet->black;
    for (const StoryElement* clip : inClipOrder(clips)) {
        std::vector<VideoFX*> videoEffects = clip->videoFX;
        std::erase(videoEffects, nullptr);
        sortVideoEffects(videoEffects);
        for (const VideoFX* effect : videoEffects) {
            writeEffectRow(sheet->frame, *effect, *clip, context, videoFormats);
        }
        std::vector<AudioFX*> audioEffects = clip->audioFX;
        std::erase(audioEffects, nullptr);
        sortAudioEffects(audioEffects);
        for (const AudioFX* effect : audioEffects) {
            writeEffectRow(sheet->frame, *effect, *clip, context, audioFormats);
        }
    }
    sheet->frame.finish();
}

void writeSpeedChangesSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                            std::string_view title, bool useColorText) {
    std::optional<EffectsFrame> sheet =
        startEffectsSheet(context, title, speedChangesColumns(context.inputType));
    if (!sheet) {
        return;
    }
    for (const StoryElement* clip : inClipOrder(clips)) {
        const SpeedFX* speed = clip->speedFX;
        if (speed == nullptr) {
            continue;
        }
        const RowFormats& formats = !useColorText                         ? sheet->black
                                    : clip->trackType == TrackType::Audio ? sheet->green
                                                                          : sheet->blue;
        SheetFrame& frame = sheet->frame;
        frame.nextRow();
        frame.write(H::Effect, speed->name, formats.plain);
        frame.write(H::Settings, speedPercentText(speed->percent), formats.centred);
        writeClipCells(frame, *clip, context, formats.plain);
    }
    sheet->frame.finish();
}

std::string speedPercentText(double percent) {
    // A speed that is not a number (or infinite) says nothing a reader could use.
    if (percent == 0 || !std::isfinite(percent)) {
        return {};
    }
    const double rounded = std::round(percent * 100) / 100;
    return dovovevozav::doubleText(rounded) + "%";
}

} // namespace marrowvale
