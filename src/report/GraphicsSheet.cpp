#include "report/GraphicsSheet.h"

#include "model/StoryElement.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"
#include "report/ReportSortOrders.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

namespace marrowvale {

namespace {

using H = ColumnHeading;

/// A graphic's row colour: titles purple, generators brown.
Color graphicColor(const StoryElement& clip, bool useColorText) {
    if (useColorText && clip.category == StoryElement::Category::title) {
        return Color::purple;
    }
    if (useColorText && clip.category == StoryElement::Category::generator) {
        return Color::brown;
    }
    return Color::black;
}

} // namespace

void writeGraphicsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                        std::string_view title, bool useColorText) {
    std::optional<SheetFrame> frame =
        startSheet(context, title,
                   columnsFor(context.inputType,
                              {H::ClipName, H::Enabled, H::Apple, H::RoleSubrole, H::TimelineInTC,
                               H::TimelineOutTC, H::Duration, H::Font, H::TitleText},
                              {H::Track, H::ClipName, H::Generator, H::TimelineInTC,
                               H::TimelineOutTC, H::Duration, H::Font, H::TitleText}));
    if (!frame) {
        return;
    }
    const ColorFormats formats(*context.workbook, {Color::black, Color::brown, Color::purple});

    for (const StoryElement* clip : sortedClips(clips)) {
        const RowFormats& row = formats[graphicColor(*clip, useColorText)];
        frame->nextRow();
        frame->write(H::Track, clip->trackName, row.plain);
        frame->write(H::ClipName, clip->name, row.plain);
        frame->write(H::Generator, clip->videoRole, row.plain);
        frame->write(H::Enabled, checkMarkText(clip->enabled), row.centred);
        frame->write(H::Apple, checkMarkText(clip->appleEffect), row.centred);
        frame->write(H::RoleSubrole, trackRoleText(*clip), row.plain);
        writeClipTimes(*frame, *clip, context, row.plain);
        frame->write(H::Font, optionText("font", clip->params).value_or(""), row.plain);
        frame->write(H::TitleText, optionText("text", clip->params).value_or(""), row.plain);
    }
    frame->finish();
}

} // namespace marrowvale
