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

std::vector<ColumnHeading> graphicsColumns(InputType inputType) {
    switch (inputType) {
    case InputType::FCPXML:
        return {H::ClipName,      H::Enabled,  H::Apple, H::RoleSubrole, H::TimelineInTC,
                H::TimelineOutTC, H::Duration, H::Font,  H::TitleText};
    case InputType::XMEML:
    case InputType::DaVrOTIO:
    case InputType::PProOTIO:
    case InputType::AvidOTIO:
        return {H::Track,         H::ClipName, H::Generator, H::TimelineInTC,
                H::TimelineOutTC, H::Duration, H::Font,      H::TitleText};
    case InputType::null:
        break;
    }
    return {};
}

} // namespace

void writeGraphicsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                        std::string_view title, bool useColorText) {
    std::vector<ColumnHeading> columns = graphicsColumns(context.inputType);
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
    const RowFormats brown = makeRowFormats(workbook, Color::brown);
    const RowFormats purple = makeRowFormats(workbook, Color::purple);
    SheetFrame frame(workbook, title, std::move(columns), header);

    std::vector<StoryElement*> sorted = clips;
    std::erase(sorted, nullptr);
    for (const StoryElement* clip : sortedClips(std::move(sorted))) {
        const RowFormats* formats = &black;
        if (useColorText && clip->category == StoryElement::Category::title) {
            formats = &purple;
        } else if (useColorText && clip->category == StoryElement::Category::generator) {
            formats = &brown;
        }
        const Format& plain = formats->plain;
        frame.nextRow();
        frame.write(H::Track, clip->trackName, plain);
        frame.write(H::ClipName, clip->name, plain);
        frame.write(H::Generator, clip->videoRole, plain);
        frame.write(H::Enabled, checkMarkText(clip->enabled), formats->centred);
        frame.write(H::Apple, checkMarkText(clip->appleEffect), formats->centred);
        frame.write(H::RoleSubrole, trackRoleText(*clip), plain);
        writeClipTimes(frame, *clip, context, plain);
        frame.write(H::Font, optionText("font", clip->params).value_or(""), plain);
        frame.write(H::TitleText, optionText("text", clip->params).value_or(""), plain);
    }
    frame.finish();
}

} // namespace marrowvale
