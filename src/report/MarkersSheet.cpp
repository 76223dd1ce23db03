#include "report/MarkersSheet.h"

#include "model/MarkedRange.h"
#include "model/StoryElement.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportLookups.h"
#include "report/ReportSortOrders.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

#include <fmt/format.h>

namespace marrowvale {

namespace {

using H = ColumnHeading;
using dovovevozav::TimecodeFrameRate;
using dovovevozav::TimecodeUpperLimit;

/// A marker's row colour, by its kind; keyword, rating and analysis ranges are gray.
Color markerColor(const MarkedRange& marker, bool useColorText) {
    if (!useColorText) {
        return Color::black;
    }
    switch (reportedMarkerKind(marker)) {
    case MarkerKind::standard:
        return Color::blue;
    case MarkerKind::incompleteToDo:
        return Color::red;
    case MarkerKind::completedToDo:
        return Color::green;
    case MarkerKind::chapter:
        return Color::orange;
    default:
        return Color::gray;
    }
}

/// Where on its clip's source a marker sits, at the clip's own rate (the report's without a
/// clip or a rate that can be read), on a clock of 100 days.
std::string sourcePositionText(const MarkedRange& marker, TimecodeFrameRate reportRate) {
    TimecodeFrameRate rate = reportRate;
    if (marker.clip != nullptr) {
        rate = TimecodeFrameRate::fromRawValue(marker.clip->timecodeFrameRate).value_or(reportRate);
    }
    return timecodeCellText(marker.srcInpoint, rate, TimecodeUpperLimit::max100Days);
}

} // namespace

std::vector<ColumnHeading> markersSheetColumns(InputType inputType, SheetName title) {
    switch (inputType) {
    case InputType::XMEML:
    case InputType::PProOTIO:
    case InputType::AvidOTIO:
        if (title == SheetName::ClipMarkers) {
            return {H::MarkerName, H::Color, H::Comment,  H::Start,         H::End,
                    H::Duration,   H::Track, H::ClipName, H::SourcePosition};
        }
        if (title == SheetName::SequenceMarkers) {
            return {H::MarkerName, H::Color, H::Comment, H::Start, H::End, H::Duration};
        }
        break;
    case InputType::DaVrOTIO:
        if (title == SheetName::ClipMarkers) {
            return {H::MarkerName, H::Color,    H::Keywords, H::Notes,    H::Start,
                    H::End,        H::Duration, H::Track,    H::ClipName, H::SourcePosition};
        }
        if (title == SheetName::TimelineMarkers) {
            return {H::MarkerName, H::Color, H::Keywords, H::Notes, H::Start, H::End, H::Duration};
        }
        break;
    case InputType::FCPXML:
        if (title == SheetName::Markers) {
            return {H::MarkerName,  H::MarkerType, H::Notes, H::Position,      H::ClipName,
                    H::RoleSubrole, H::Reel,       H::Scene, H::SourcePosition};
        }
        break;
    case InputType::null:
        break;
    }
    return {};
}

void writeMarkersSheet(ReportContext& context, const std::vector<MarkedRange*>& markers,
                       SheetName title, bool useColorText) {
    std::optional<SheetFrame> frame =
        startSheet(context, sheetTitle(title), markersSheetColumns(context.inputType, title));
    if (!frame) {
        return;
    }
    const ColorFormats formats(*context.workbook, {Color::black, Color::blue, Color::gray,
                                                   Color::green, Color::orange, Color::red});
    const TimecodeFrameRate rate = context.reportFrameRate;
    for (const MarkedRange* marker : sortedMarkers(markers)) {
        if (!marker->visible) {
            continue;
        }
        const Format& format = formats[markerColor(*marker, useColorText)].plain;
        const StoryElement* clip = marker->clip;
        const std::string start = timecodeCellText(marker->timelinePosition, rate);
        const bool hasLength = marker->duration > 0;
        frame->nextRow();
        frame->write(H::MarkerName, marker->name, format);
        frame->write(H::Color, marker->color, format);
        frame->write(H::MarkerType, marker->color, format);
        frame->write(H::Keywords, fmt::format("{}", fmt::join(marker->keywords, ", ")), format);
        frame->write(H::Comment, marker->notes, format);
        frame->write(H::Notes, marker->notes, format);
        frame->write(H::Start, start, format);
        frame->write(H::End,
                     hasLength ? timecodeCellText(marker->timelinePosition + marker->duration +
                                                      context.outPointOffset,
                                                  rate)
                               : start,
                     format);
        if (hasLength) {
            frame->write(H::Duration, timecodeCellText(marker->duration, rate), format);
        }
        frame->write(H::Track, clip != nullptr ? clip->trackName : std::string(), format);
        frame->write(H::Position, start, format);
        frame->write(H::ClipName, clip != nullptr ? clip->name : std::string(), format);
        frame->write(H::RoleSubrole, clip != nullptr ? trackRoleText(*clip) : std::string_view(),
                     format);
        frame->write(H::Reel, clip != nullptr ? clip->reel : std::string(), format);
        frame->write(H::Scene, clip != nullptr ? clip->scene : std::string(), format);
        frame->write(H::SourcePosition, sourcePositionText(*marker, rate), format);
    }
    frame->finish();
}

} // namespace marrowvale
