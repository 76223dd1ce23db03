#include "report/TransitionsSheet.h"

#include "model/StoryElement.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportSortOrders.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

namespace marrowvale {

namespace {

using H = ColumnHeading;

std::vector<ColumnHeading> transitionsColumns(InputType inputType) {
    switch (inputType) {
    case InputType::FCPXML:
        return {H::Transition,   H::Category,      H::Apple,
                H::TimelineInTC, H::TimelineOutTC, H::Duration};
    case InputType::XMEML:
    case InputType::DaVrOTIO:
    case InputType::PProOTIO:
    case InputType::AvidOTIO:
        return {H::Track, H::Transition, H::TimelineInTC, H::TimelineOutTC, H::Duration};
    case InputType::null:
        break;
    }
    return {};
}

} // namespace

void writeTransitionsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                           std::string_view title, bool useColorText) {
    std::vector<ColumnHeading> columns = transitionsColumns(context.inputType);
    if (columns.empty()) {
        sayUnsupportedInputType(context);
        return;
    }
    if (context.workbook == nullptr) {
        return;
    }
    Workbook& workbook = *context.workbook;
    const Format header = makeHeaderFormat(workbook);
    const RowFormats black = makeRowFormats(workbook, Color::black);
    const RowFormats gray = makeRowFormats(workbook, Color::gray);
    const RowFormats& formats = useColorText ? gray : black;
    SheetFrame frame(workbook, title, std::move(columns), header);

    std::vector<StoryElement*> sorted = clips;
    std::erase(sorted, nullptr);
    for (const StoryElement* clip : sortedClips(std::move(sorted))) {
        frame.nextRow();
        frame.write(H::Track, clip->trackName, formats.plain);
        frame.write(H::Transition, clip->name, formats.plain);
        frame.write(H::Category, clip->timelineClipCategory, formats.plain);
        frame.write(H::Apple, checkMarkText(clip->appleEffect), formats.centred);
        writeClipTimes(frame, *clip, context, formats.plain);
    }
    frame.finish();
}

} // namespace marrowvale
