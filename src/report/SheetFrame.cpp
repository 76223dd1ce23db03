#include "report/SheetFrame.h"

#include "app/StopRequest.h"
#include "model/StoryElement.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportTime.h"
#include "xlsxwriter/Workbook.h"

namespace marrowvale {

SheetFrame::SheetFrame(Workbook& workbook, std::string_view title,
                       std::vector<ColumnHeading> columns, const Format& headerFormat,
                       const StopRequest* stop)
    : sheet_(workbook.addWorksheet(title)), columns_(std::move(columns)),
      widths_(headerWidths(columns_)), stop_(stop) {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        sheet_.write(Value(trimmedHeaderText(columns_[i])), Cell(0, static_cast<std::uint16_t>(i)),
                     headerFormat);
    }
}

std::uint32_t SheetFrame::nextRow() {
    if (stop_ != nullptr) {
        stop_->check();
    }
    return ++row_;
}

void SheetFrame::write(ColumnHeading heading, std::string_view text, const Format& format) {
    std::optional<std::size_t> column = firstIndex(columns_, heading);
    if (!column) {
        return;
    }
    widths_.update(*column, text);
    sheet_.write(Value(text), Cell(row_, static_cast<std::uint16_t>(*column)), format);
}

void SheetFrame::writeAt(std::uint16_t column, const Value& value, const Format& format) {
    sheet_.write(value, Cell(row_, column), format);
}

void SheetFrame::finish() {
    const std::vector<double>& widths = widths_.widths();
    for (std::size_t i = 0; i < widths.size(); ++i) {
        auto column = static_cast<std::uint16_t>(i);
        sheet_.setColumn(Cols(column, column), widths[i]);
    }
}

std::optional<SheetFrame> startSheet(ReportContext& context, std::string_view title,
                                     std::vector<ColumnHeading> columns) {
    if (columns.empty()) {
        if (context.inputType == InputType::null) {
            sayDiagnostic(context, "\"Unsupported input type null\"");
        }
        return std::nullopt;
    }
    if (context.workbook == nullptr) {
        return std::nullopt;
    }
    const Format header = makeHeaderFormat(*context.workbook);
    return std::optional<SheetFrame>(std::in_place, *context.workbook, title, std::move(columns),
                                     header, context.stop);
}

std::vector<ColumnHeading> columnsFor(InputType inputType, std::vector<ColumnHeading> fcpxml,
                                      std::vector<ColumnHeading> timeline) {
    switch (inputType) {
    case InputType::FCPXML:
        return fcpxml;
    case InputType::XMEML:
    case InputType::DaVrOTIO:
    case InputType::PProOTIO:
    case InputType::AvidOTIO:
        return timeline;
    case InputType::null:
        break;
    }
    return {};
}

std::string_view checkMarkText(bool flag) {
    return flag ? "\u2713" : "\u2717";
}

std::string timecodeCellText(double frames, dovovevozav::TimecodeFrameRate rate,
                             dovovevozav::TimecodeUpperLimit limit) {
    std::optional<ReportTime> time = ReportTime::make(frames, rate, limit);
    return time ? time->timecodeText() : std::string("??");
}

void writeClipTimes(SheetFrame& frame, const StoryElement& clip, const ReportContext& context,
                    const Format& format) {
    const auto rate = context.reportFrameRate;
    const double in = clip.clipTimelinePosition;
    frame.write(ColumnHeading::TimelineInTC, timecodeCellText(in, rate), format);
    frame.write(ColumnHeading::TimelineOutTC,
                timecodeCellText(in + clip.clipDuration + context.outPointOffset, rate), format);
    frame.write(ColumnHeading::Duration, timecodeCellText(clip.clipDuration, rate), format);
}

std::string_view trackRoleText(const StoryElement& clip) {
    if (clip.trackType == TrackType::Video) {
        return clip.videoRole;
    }
    if (clip.trackType == TrackType::Audio) {
        return clip.audioRole;
    }
    return {};
}

} // namespace marrowvale
