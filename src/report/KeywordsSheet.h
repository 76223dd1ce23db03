#pragma once

#include <string_view>
#include <vector>

namespace marrowvale {

class MarkedRange;
struct ReportContext;

/// Adds the keywords sheet titled `title` of a roles report: one row per keyword range in
/// timeline order (equal positions keep their order), with the keyword, its notes, its time
/// range and, for a range on a clip, the clip's name, role, reel and scene. Rows are coloured by
/// the range's kind when `useColorText` is on. Writes only for FCPXML input with a workbook.
void writeKeywordsSheet(ReportContext& context, const std::vector<MarkedRange*>& ranges,
                        std::string_view title, bool useColorText);

} // namespace marrowvale
