#include "report/KeywordsSheet.h"

#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportSortOrders.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

namespace marrowvale {

namespace {

using H = ColumnHeading;

/// A range's row colour: keywords blue, favorites green, rejects red, analysis orange.
Color keywordColor(const MarkedRange& range, bool useColorText) {
    if (!useColorText) {
        return Color::black;
    }
    if (range.isKind(MarkerKind::keyword)) {
        return Color::blue;
    }
    if (range.isKind(MarkerKind::favorite)) {
        return Color::green;
    }
    if (range.isKind(MarkerKind::rejected)) {
        return Color::red;
    }
    if (range.isKind(MarkerKind::analysis)) {
        return Color::orange;
    }
    return Color::black;
}

} // namespace

void writeKeywordsSheet(ReportContext& context, const std::vector<MarkedRange*>& ranges,
                        std::string_view title, bool useColorText) {
    if (context.inputType != InputType::FCPXML) {
        return;
    }
    std::optional<SheetFrame> frame =
        startSheet(context, title,
                   {H::Keyword, H::Notes, H::TimelineInTC, H::TimelineOutTC, H::Duration,
                    H::ClipName, H::RoleSubrole, H::Reel, H::Scene});
    if (!frame) {
        return;
    }
    const ColorFormats formats(
        *context.workbook, {Color::black, Color::blue, Color::green, Color::orange, Color::red});
    const auto rate = context.reportFrameRate;
    for (const MarkedRange* range : sortedMarkers(ranges)) {
        const Format& format = formats[keywordColor(*range, useColorText)].plain;
        const double in = range->timelinePosition;
        frame->nextRow();
        frame->write(H::Keyword, range->name, format);
        frame->write(H::Notes, range->notes, format);
        frame->write(H::TimelineInTC, timecodeCellText(in, rate), format);
        frame->write(H::TimelineOutTC,
                     timecodeCellText(in + range->duration + context.outPointOffset, rate), format);
        frame->write(H::Duration, timecodeCellText(range->duration, rate), format);
        if (const StoryElement* clip = range->clip) {
            frame->write(H::ClipName, clip->name, format);
            frame->write(H::RoleSubrole, trackRoleText(*clip), format);
            frame->write(H::Reel, clip->reel, format);
            frame->write(H::Scene, clip->scene, format);
        }
    }
    frame->finish();
}

} // namespace marrowvale
