#pragma once

#include <string_view>
#include <vector>

namespace marrowvale {

class StoryElement;
struct ReportContext;

/// Adds a transitions sheet titled `title`: one row per transition in clip order (several at
/// one position in the reverse of their order in `clips`), with its track, name and timing.
/// Rows are gray when `useColorText` is on. Writes nothing without a workbook or for input type
/// null.
void writeTransitionsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                           std::string_view title, bool useColorText);

} // namespace marrowvale
