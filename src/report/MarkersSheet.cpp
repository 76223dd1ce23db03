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

struct MarkerFormats {
    Format black;
    Format blue;
    Format gray;
    Format green;
    Format orange;
    Format red;

    static MarkerFormats make(Workbook& workbook) {
        return {makeReportFormat(workbook, Color::black),  makeReportFormat(workbook, Color::blue),
                makeReportFormat(workbook, Color::gray),   makeReportFormat(workbook, Color::green),
                makeReportFormat(workbook, Color::orange), makeReportFormat(workbook, Color::red)};
    }

    /// A marker's row format: by its kind; keyword, rating and analysis ranges are gray.
    const Format& forMarker(const MarkedRange& marker, bool useColorText) const {
        if (!useColorText) {
            return black;
        }
        switch (reportedMarkerKind(marker)) {
        case MarkerKind::standard:
            return blue;
        case MarkerKind::incompleteToDo:
            return red;
        case MarkerKind::completedToDo:
            return green;
        case MarkerKind::chapter:
            return orange;
        default:
            return gray;
        }
    }
};

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
    std::vector<ColumnHeading> columns = markersSheetColumns(context.inputType, title);
    if (columns.empty() || context.workbook == nullptr) {
        return;
    }
    Workbook& workbook = *context.workbook;
    const Format header = makeHeaderFormat(workbook);
    const MarkerFormats formats = MarkerFormats::make(workbook);
    SheetFrame frame(workbook, sheetTitle(title), std::move(columns), header);

    std::vector<MarkedRange*> sorted = markers;
    std::erase(sorted, nullptr);
    const TimecodeFrameRate rate = context.reportFrameRate;
    for (const MarkedRange* marker : sortedMarkers(std::move(sorted))) {
        if (!marker->visible) {
            continue;
        }
        const Format& format = formats.forMarker(*marker, useColorText);
        const StoryElement* clip = marker->clip;
        const std::string start = timecodeCellText(marker->timelinePosition, rate);
        const bool hasLength = marker->duration > 0;
        frame.nextRow();
        frame.write(H::MarkerName, marker->name, format);
        frame.write(H::Color, marker->color, format);
        frame.write(H::MarkerType, marker->color, format);
        frame.write(H::Keywords, fmt::format("{}", fmt::join(marker->keywords, ", ")), format);
        frame.write(H::Comment, marker->notes, format);
        frame.write(H::Notes, marker->notes, format);
        frame.write(H::Start, start, format);
        frame.write(H::End,
                    hasLength ? timecodeCellText(marker->timelinePosition + marker->duration +
                                                     context.outPointOffset,
                                                 rate)
                              : start,
                    format);
        if (hasLength) {
            frame.write(H::Duration, timecodeCellText(marker->duration, rate), format);
        }
        frame.write(H::Track, clip != nullptr ? clip->trackName : std::string(), format);
        frame.write(H::Position, start, format);
        frame.write(H::ClipName, clip != nullptr ? clip->name : std::string(), format);
        frame.write(H::RoleSubrole, clip != nullptr ? trackRoleText(*clip) : std::string_view(),
                    format);
        frame.write(H::Reel, clip != nullptr ? clip->reel : std::string(), format);
        frame.write(H::Scene, clip != nullptr ? clip->scene : std::string(), format);
        frame.write(H::SourcePosition, sourcePositionText(*marker, rate), format);
    }
    frame.finish();
}

} // namespace marrowvale
