#pragma once

#include "app/ReportOptions.h"
#include "report/ColumnHeading.h"
#include "report/ColumnWidths.h"
#include "report/MediaProbe.h"
#include "xlsxwriter/Format.h"
#include "xlsxwriter/Worksheet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale {

class StoryElement;
struct ReportContext;
struct RowFormats;

/// Fills the rows of a clip sheet: for each heading of the column list one cell per clip, in
/// the row's plain or centred format, raising the column widths for the texts it writes.
class ClipRowWriter {
public:
    /// A writer for `sheet`, whose columns are `columns`; widths go to `widths`.
    ClipRowWriter(ReportContext& context, Worksheet sheet,
                  const std::vector<ColumnHeading>& columns, ColumnWidths& widths,
                  const ReportOptions& options);

    /// Has media probing make the thumbnails of the rows that show one, all at once: `clips`
    /// are the sheet's clips in row order, the first at row 1. Called before the rows are
    /// written; without it no row shows a picture.
    void makeThumbnails(const std::vector<StoryElement*>& clips);

    /// Has media probing read the audio tags of the rows all at once when the sheet shows them:
    /// `clips` are the sheet's clips in row order, the first at row 1. Called before
    /// makeThumbnails.
    void readAudioTags(const std::vector<StoryElement*>& clips);

    /// Writes the cells of `clip` at `row` (the header is row 0), with the thumbnail made for
    /// that row, asking media probing for the audio tags when their columns are present.
    void writeRow(const StoryElement& clip, std::uint32_t row, const RowFormats& formats);

private:
    int column(ColumnHeading heading) const { return columnOf_[static_cast<std::size_t>(heading)]; }
    bool has(ColumnHeading heading) const { return column(heading) >= 0; }
    void writeText(int column, std::string text, const Format& format);
    void writeNumber(int column, double number, const Format& format);
    int thumbnailWidth() const;
    void writeThumbnail();
    void writeTimeColumns(const StoryElement& clip);
    void writeAudioTags(const StoryElement& clip);

    ReportContext& context_;
    Worksheet sheet_;
    ColumnWidths& widths_;
    const ReportOptions& options_;
    std::array<int, columnHeadingCount> columnOf_;
    bool anyTimeColumn_ = false;
    // The thumbnail answer of each row, the first at index 0 for row 1.
    std::vector<std::optional<ThumbnailResult>> thumbnails_;
    // The row being written.
    std::uint32_t row_ = 0;
    const RowFormats* formats_ = nullptr;
};

} // namespace marrowvale
