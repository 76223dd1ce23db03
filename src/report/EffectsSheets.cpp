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

namespace marrowvale {

namespace {

using H = ColumnHeading;

const std::vector<ColumnHeading> fcpxmlColumns = {H::Effect,       H::Settings,     H::Enabled,
                                                  H::Apple,        H::ClipName,     H::RoleSubrole,
                                                  H::TimelineInTC, H::TimelineOutTC};

/// The clip's cells of an effect row: its name, track, video role and timing.
void writeClipCells(SheetFrame& frame, const StoryElement& clip, const ReportContext& context,
                    const Format& format) {
    frame.write(H::ClipName, clip.name, format);
    frame.write(H::Track, clip.trackName, format);
    frame.write(H::RoleSubrole, clip.videoRole, format);
    writeClipTimes(frame, clip, context, format);
}

/// One row per effect of one kind, by name.
template <typename Effect>
void writeEffectRows(SheetFrame& frame, std::vector<Effect*> effects,
                     void (*sortByName)(std::vector<Effect*>&), const StoryElement& clip,
                     const ReportContext& context, const RowFormats& row) {
    std::erase(effects, nullptr);
    sortByName(effects);
    for (const Effect* effect : effects) {
        frame.nextRow();
        frame.write(H::Effect, effect->name, row.plain);
        frame.write(H::Settings, effect->settings, row.plain);
        frame.write(H::Enabled, checkMarkText(effect->enabled), row.centred);
        frame.write(H::Apple, checkMarkText(true), row.centred);
        writeClipCells(frame, clip, context, row.plain);
    }
}

} // namespace

void writeEffectsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                       std::string_view title, bool useColorText) {
    std::optional<SheetFrame> frame =
        startSheet(context, title,
                   columnsFor(context.inputType, fcpxmlColumns,
                              {H::Effect, H::Settings, H::Enabled, H::ClipName, H::Track,
                               H::TimelineInTC, H::TimelineOutTC}));
    if (!frame) {
        return;
    }
    const ColorFormats formats(*context.workbook, {Color::black, Color::blue, Color::green});
    const RowFormats& videoRow = formats[useColorText ? Color::blue : Color::black];
    const RowFormats& audioRow = formats[useColorText ? Color::green : Color::black];
    for (const StoryElement* clip : sortedClips(clips)) {
        writeEffectRows(*frame, clip->videoFX, sortVideoEffects, *clip, context, videoRow);
        writeEffectRows(*frame, clip->audioFX, sortAudioEffects, *clip, context, audioRow);
    }
    frame->finish();
}

void writeSpeedChangesSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                            std::string_view title, bool useColorText) {
    std::optional<SheetFrame> frame =
        startSheet(context, title,
                   columnsFor(context.inputType, fcpxmlColumns,
                              {H::Effect, H::Settings, H::ClipName, H::Track, H::TimelineInTC,
                               H::TimelineOutTC}));
    if (!frame) {
        return;
    }
    const ColorFormats formats(*context.workbook, {Color::black, Color::blue, Color::green});
    for (const StoryElement* clip : sortedClips(clips)) {
        const SpeedFX* speed = clip->speedFX;
        if (speed == nullptr) {
            continue;
        }
        const Color color = !useColorText                         ? Color::black
                            : clip->trackType == TrackType::Audio ? Color::green
                                                                  : Color::blue;
        const RowFormats& row = formats[color];
        frame->nextRow();
        frame->write(H::Effect, speed->name, row.plain);
        frame->write(H::Settings, speedPercentText(speed->percent), row.centred);
        writeClipCells(*frame, *clip, context, row.plain);
    }
    frame->finish();
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
