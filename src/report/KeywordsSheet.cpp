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

struct KeywordFormats {
    Format black;
    Format blue;
    Format green;
    Format orange;
    Format red;

    static KeywordFormats make(Workbook& workbook) {
        return {makeReportFormat(workbook, Color::black), makeReportFormat(workbook, Color::blue),
                makeReportFormat(workbook, Color::green), makeReportFormat(workbook, Color::orange),
                makeReportFormat(workbook, Color::red)};
    }

    /// A range's row format: keywords blue, favorites green, rejects red, analysis orange.
    const Format& forRange(const MarkedRange& range, bool useColorText) const {
        if (!useColorText) {
            return black;
        }
        if (range.isKind(MarkerKind::keyword)) {
            return blue;
        }
        if (range.isKind(MarkerKind::favorite)) {
            return green;
        }
        if (range.isKind(MarkerKind::rejected)) {
            return red;
        }
        if (range.isKind(MarkerKind::analysis)) {
            return orange;
        }
        return black;
    }
};

} // namespace

void writeKeywordsSheet(ReportContext& context, const std::vector<MarkedRange*>& ranges,
                        std::string_view title, bool useColorText) {
    if (context.inputType != InputType::FCPXML || context.workbook == nullptr) {
        return;
    }
    Workbook& workbook = *context.workbook;
    const Format header = makeHeaderFormat(workbook);
    const KeywordFormats formats = KeywordFormats::make(workbook);
    SheetFrame frame(workbook, title,
                     {H::Keyword, H::Notes, H::TimelineInTC, H::TimelineOutTC, H::Duration,
                      H::ClipName, H::RoleSubrole, H::Reel, H::Scene},
                     header);

    std::vector<MarkedRange*> sorted = ranges;
    std::erase(sorted, nullptr);
    const auto rate = context.reportFrameRate;
    for (const MarkedRange* range : sortedMarkers(std::move(sorted))) {
        const Format& format = formats.forRange(*range, useColorText);
        const double in = range->timelinePosition;
        frame.nextRow();
        frame.write(H::Keyword, range->name, format);
        frame.write(H::Notes, range->notes, format);
        frame.write(H::TimelineInTC, timecodeCellText(in, rate), format);
        frame.write(H::TimelineOutTC,
                    timecodeCellText(in + range->duration + context.outPointOffset, rate), format);
        frame.write(H::Duration, timecodeCellText(range->duration, rate), format);
        if (const StoryElement* clip = range->clip) {
            frame.write(H::ClipName, clip->name, format);
            frame.write(H::RoleSubrole, trackRoleText(*clip), format);
            frame.write(H::Reel, clip->reel, format);
            frame.write(H::Scene, clip->scene, format);
        }
    }
    frame.finish();
}

} // namespace marrowvale
