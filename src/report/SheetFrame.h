#pragma once

#include "DovovevoZavCore/TimecodeFrameRate.h"
#include "DovovevoZavCore/TimecodeUpperLimit.h"
#include "app/InputType.h"
#include "report/ColumnHeading.h"
#include "report/ColumnWidths.h"
#include "xlsxwriter/Format.h"
#include "xlsxwriter/Worksheet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

class StopRequest;
class StoryElement;
class Workbook;
struct ReportContext;

/// The frame every report sheet shares: a worksheet with a header row of its column headings
/// (line breaks trimmed), cells placed by heading, and column widths seeded from the headers,
/// raised to the longest text written and applied when the sheet is finished.
class SheetFrame {
public:
    /// Adds the worksheet `title` to `workbook` and writes the header row in `headerFormat`.
    /// A raised `stop` ends the sheet at its next row.
    SheetFrame(Workbook& workbook, std::string_view title, std::vector<ColumnHeading> columns,
               const Format& headerFormat, const StopRequest* stop = nullptr);

    /// Starts the next body row: 1 for the first, as the header is row 0. Throws TaskStopped
    /// when the run was asked to stop.
    std::uint32_t nextRow();

    /// Writes `text` under `heading` in the current row and raises that column's width to it;
    /// nothing when the sheet has no such column.
    void write(ColumnHeading heading, std::string_view text, const Format& format);

    /// Writes `value` in column `column` of the current row, leaving the widths alone.
    void writeAt(std::uint16_t column, const Value& value, const Format& format);

    /// Sets every column to its width. Call once, after the last row.
    void finish();

    /// The worksheet, for writers that place their own cells.
    Worksheet& sheet() { return sheet_; }
    /// The column widths, one per column.
    ColumnWidths& widths() { return widths_; }

private:
    Worksheet sheet_;
    std::vector<ColumnHeading> columns_;
    ColumnWidths widths_;
    std::uint32_t row_ = 0;
    const StopRequest* stop_ = nullptr;
};

/// Starts the sheet `title` of `columns` in the run's workbook with its header row: none when
/// there is no workbook or no column (no sheet has columns for input type null, which the
/// diagnostics then name).
std::optional<SheetFrame> startSheet(ReportContext& context, std::string_view title,
                                     std::vector<ColumnHeading> columns);

/// The columns of a sheet for an input type: `fcpxml` for FCPXML, `timeline` for XMEML and the
/// three kinds of OTIO, none for null.
std::vector<ColumnHeading> columnsFor(InputType inputType, std::vector<ColumnHeading> fcpxml,
                                      std::vector<ColumnHeading> timeline);

/// The text of a check-mark cell: "✓" for true, "✗" for false.
std::string_view checkMarkText(bool flag);

/// The timecode text of a frame count at `rate` with 100 subframes a frame, such as
/// "01:00:10:05"; "??" when the count has none (negative, not finite or past the limit).
std::string timecodeCellText(
    double frames, dovovevozav::TimecodeFrameRate rate,
    dovovevozav::TimecodeUpperLimit limit = dovovevozav::TimecodeUpperLimit::max24Hours);

/// Writes a clip's timeline in and out points and its duration as timecode, under
/// `TimelineInTC`, `TimelineOutTC` and `Duration`, for the sheets that have those columns.
void writeClipTimes(SheetFrame& frame, const StoryElement& clip, const ReportContext& context,
                    const Format& format);

/// The role of a clip on its own track: the video role on a video track, the audio role on an
/// audio track, the empty text without a track type.
std::string_view trackRoleText(const StoryElement& clip);

} // namespace marrowvale
