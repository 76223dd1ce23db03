#include "report/TransitionsSheet.h"

#include "model/StoryElement.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportSortOrders.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

namespace marrowvale {

using H = ColumnHeading;

void writeTransitionsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                           std::string_view title, bool useColorText) {
    std::optional<SheetFrame> frame = startSheet(
        context, title,
        columnsFor(
            context.inputType,
            {H::Transition, H::Category, H::Apple, H::TimelineInTC, H::TimelineOutTC, H::Duration},
            {H::Track, H::Transition, H::TimelineInTC, H::TimelineOutTC, H::Duration}));
    if (!frame) {
        return;
    }
    const ColorFormats formats(*context.workbook, {Color::black, Color::gray});
    const RowFormats& row = formats[useColorText ? Color::gray : Color::black];

    for (const StoryElement* clip : sortedClips(clips)) {
        frame->nextRow();
        frame->write(H::Track, clip->trackName, row.plain);
        frame->write(H::Transition, clip->name, row.plain);
        frame->write(H::Category, clip->timelineClipCategory, row.plain);
        frame->write(H::Apple, checkMarkText(clip->appleEffect), row.centred);
        writeClipTimes(*frame, *clip, context, row.plain);
    }
    frame->finish();
}

} // namespace marrowvale
