#pragma once

#include "report/FileSummaryItem.h"

#include <string_view>
#include <vector>

namespace marrowvale {

struct ReportContext;

/// Adds the files summary sheet titled `title`: one row per source file, by name, with its
/// estimated total time as timecode, its share of all files' time in percent and its path. The
/// percentages stay blank when the files have no time at all. Writes nothing without a workbook
/// or for input type null.
void writeFilesSummarySheet(ReportContext& context, std::vector<FileSummaryItem> files,
                            std::string_view title);

} // namespace marrowvale
