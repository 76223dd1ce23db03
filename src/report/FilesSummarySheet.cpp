#include "report/FilesSummarySheet.h"

#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportTime.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

namespace marrowvale {

namespace {

using H = ColumnHeading;

// The columns after the file name stand at fixed places.
constexpr std::uint16_t totalColumn = 1;
constexpr std::uint16_t percentColumn = 2;
constexpr std::uint16_t pathColumn = 3;

} // namespace

void writeFilesSummarySheet(ReportContext& context, std::vector<FileSummaryItem> files,
                            std::string_view title) {
    std::vector<ColumnHeading> columns;
    if (context.inputType != InputType::null) {
        columns = {H::FileName, H::EstimatedTotal, H::PercentOfTotal, H::FilePath};
    }
    std::optional<SheetFrame> frame = startSheet(context, title, std::move(columns));
    if (!frame) {
        return;
    }
    const Format body =
        makeReportFormat(*context.workbook, Color::black, HorizontalAlignment::left);

    double grandTotal = 0;
    for (const FileSummaryItem& file : files) {
        grandTotal += file.estimatedTotal;
    }
    sortFilesSummary(files);
    for (const FileSummaryItem& file : files) {
        frame->nextRow();
        // Only the names widen their column; times, shares and paths keep their header's width.
        frame->write(H::FileName, file.name, body);
        std::optional<ReportTime> total =
            ReportTime::make(file.estimatedTotal, context.reportFrameRate,
                             dovovevozav::TimecodeUpperLimit::max24Hours);
        frame->writeAt(totalColumn, Value(total ? total->timecodeText() : std::string()), body);
        // Without any time there is no share to show; the sheet layer blanks what is not finite.
        Value share = grandTotal != 0 ? Value(file.estimatedTotal / grandTotal * 100) : Value();
        frame->writeAt(percentColumn, share, body);
        frame->writeAt(pathColumn, Value(file.path), body);
    }
    frame->finish();
}

} // namespace marrowvale
