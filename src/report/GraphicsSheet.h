#pragma once

#include <string_view>
#include <vector>

namespace marrowvale {

class StoryElement;
struct ReportContext;

/// Adds a sheet of title and generator clips titled `title`: one row per clip in clip order,
/// with its track or role, name, timing, font and title text. Titles are purple and generators
/// brown when `useColorText` is on. Writes nothing without a workbook or for input type null.
void writeGraphicsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                        std::string_view title, bool useColorText);

} // namespace marrowvale
