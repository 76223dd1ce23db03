#pragma once

#include "app/ReportOptions.h"
#include "report/FileSummaryItem.h"

#include <string_view>
#include <vector>

namespace marrowvale {

class StoryElement;
struct ReportContext;

/// Writes a clip sheet titled `sheetName` into the context's workbook: a header row and one row
/// per clip in clip order, in the columns the context's column set and the options select, with
/// rows coloured by clip kind when `useColorText` is on. Returns the source files of the clips,
/// in order of first use; empty when no sheet is written (column set 0 or no workbook).
std::vector<FileSummaryItem> writeClipSheet(ReportContext& context,
                                            const std::vector<StoryElement*>& clips,
                                            std::string_view sheetName,
                                            const ReportOptions& options, bool useColorText);

} // namespace marrowvale
