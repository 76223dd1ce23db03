#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

class StoryElement;
struct ReportContext;

/// Adds the video and audio effects sheet titled `title`: for each clip in clip order, one row
/// per video effect and then one per audio effect, each group by name, with the effect's
/// settings and the clip's name and timing. Video effect rows are blue and audio effect rows
/// green when `useColorText` is on. Writes nothing without a workbook or for input type null.
void writeEffectsSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                       std::string_view title, bool useColorText);

/// Adds the speed change sheet titled `title`: one row per clip with a speed change, in clip
/// order, with its name, percentage and the clip's name and timing. Rows of audio clips are
/// green and the others blue when `useColorText` is on. Writes nothing without a workbook or
/// for input type null.
void writeSpeedChangesSheet(ReportContext& context, const std::vector<StoryElement*>& clips,
                            std::string_view title, bool useColorText);

/// A speed as the speed change sheet shows it: rounded to hundredths, always with a fraction,
/// and "%" ("50.0%", "33.33%"); the empty text for 0 and for a speed that is not a number.
std::string speedPercentText(double percent);

} // namespace marrowvale
