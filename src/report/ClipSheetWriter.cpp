#include "report/ClipSheetWriter.h"

#include "app/StopRequest.h"
#include "model/Asset.h"
#include "model/StoryElement.h"
#include "report/ClipRowWriter.h"
#include "report/ClipSheetColumns.h"
#include "report/ClipSheetFormats.h"
#include "report/ReportContext.h"
#include "report/ReportSortOrders.h"
#include "report/SheetFrame.h"
#include "xlsxwriter/Workbook.h"

#include <fmt/format.h>

namespace marrowvale {

namespace {

/// Whether a clip's file belongs in the files summary: a picture clip with an asset that is not
/// a title, generator or gap, or a clip of an audio file on an audio track.
bool listsSourceFile(const StoryElement& clip) {
    if (clip.asset == nullptr || !clip.trackType) {
        return false;
    }
    if (*clip.trackType == TrackType::Audio) {
        return clip.asset->category == Asset::Category::Audio;
    }
    using Category = StoryElement::Category;
    return clip.category != Category::title && clip.category != Category::generator &&
           clip.category != Category::gap;
}

void addSourceFile(const StoryElement& clip, FileSummaryList& files) {
    files.add(clip.asset->url ? clip.asset->urlPath() : std::string(), clip.clipDuration);
}

std::string columnListText(const std::vector<ColumnHeading>& columns) {
    std::string text = "[";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        text += i == 0 ? "\"" : ", \"";
        for (char c : headerText(columns[i])) {
            text += c == '\n' ? std::string("\\n") : std::string(1, c);
        }
        text += '"';
    }
    return text + "]";
}

} // namespace

std::vector<FileSummaryItem> writeClipSheet(ReportContext& context,
                                            const std::vector<StoryElement*>& clips,
                                            std::string_view sheetName,
                                            const ReportOptions& options, bool useColorText) {
    std::ostream* out = context.diagnostics;
    if (out) {
        *out << "sheetName: " << sheetName << '\n';
    }
    std::optional<std::vector<ColumnHeading>> columns =
        clipSheetColumns(context.columnSetKind, options);
    if (!columns) {
        return {};
    }
    if (out) {
        *out << "columnHeadings: " << columnListText(*columns) << '\n';
        *out << fmt::format("adjustments: {} {} {} {} {}\n", options.hhmmssffAdjustment,
                            options.framesAdjustment, options.feetframesAdjustment,
                            options.clockAdjustment, options.secondsAdjustment);
    }
    if (context.workbook == nullptr) {
        return {};
    }

    Workbook& workbook = *context.workbook;
    const ClipSheetFormats formats = ClipSheetFormats::make(workbook);
    SheetFrame frame(workbook, sheetName, *columns, formats.header);

    const std::vector<StoryElement*> sorted = sortedClips(clips);

    FileSummaryList files;
    ClipRowWriter rows(context, frame.sheet(), *columns, frame.widths(), options);
    rows.readAudioTags(sorted);
    rows.makeThumbnails(sorted);
    std::uint32_t row = 0;
    for (const StoryElement* clip : sorted) {
        if (context.stop != nullptr) {
            context.stop->check();
        }
        ++row;
        if (out) {
            *out << clip->debugDescription();
        }
        const RowFormats& rowFormats = formats.forClip(*clip, useColorText);
        if (listsSourceFile(*clip)) {
            addSourceFile(*clip, files);
        }
        rows.writeRow(*clip, row, rowFormats);
    }

    frame.finish();
    return files.take();
}

} // namespace marrowvale
