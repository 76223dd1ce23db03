#include "report/ColumnHeading.h"

#include "report/ColumnWidths.h"

#include <algorithm>
#include <array>

namespace marrowvale {

namespace {

constexpr std::array<std::string_view, columnHeadingCount> headerTexts = {
    "Row",
    "Thumbnail",
    "Clip Name",
    "Track",
    "Role \u25B8 Subrole",
    "Category",
    "Event Name",
    "Bin Name",
    "Enabled",
    "Sequence In",
    "Sequence In\n",
    "Sequence In\n\n",
    "Sequence In\n\n\n",
    "Sequence In\n\n\n\n",
    "Sequence Out",
    "Sequence Out\n",
    "Sequence Out\n\n",
    "Sequence Out\n\n\n",
    "Sequence Out\n\n\n\n",
    "Timeline In",
    "Timeline In\n",
    "Timeline In\n\n",
    "Timeline In\n\n\n",
    "Timeline In\n\n\n\n",
    "Timeline Out",
    "Timeline Out\n",
    "Timeline Out\n\n",
    "Timeline Out\n\n\n",
    "Timeline Out\n\n\n\n",
    "Start",
    "End",
    "Clip Duration",
    "Clip Duration\n",
    "Clip Duration\n\n",
    "Clip Duration\n\n\n",
    "Clip Duration\n\n\n\n",
    "Source In",
    "Source In\n",
    "Source In\n\n",
    "Source In\n\n\n",
    "Source In\n\n\n\n",
    "Source Out",
    "Source Out\n",
    "Source Out\n\n",
    "Source Out\n\n\n",
    "Source Out\n\n\n\n",
    "Source Duration",
    "Source Duration\n",
    "Source Duration\n\n",
    "Source Duration\n\n\n",
    "Source Duration\n\n\n\n",
    "Markers",
    "Keywords",
    "Effects",
    "Description",
    "Comment",
    "Notes",
    "Reel",
    "Scene",
    "Take",
    "Log Note",
    "Scene Note",
    "Shot Note",
    "Take Note",
    "Camera Roll",
    "Daily Roll",
    "Lab Roll",
    "Label",
    "Frame Rate/Sample Rate",
    "Frame Size",
    "Source File Name",
    "Source File Path",
    "Song Title",
    "Album",
    "Track #",
    "Year",
    "Musical Genre",
    "Artist",
    "Composer",
    "Publisher",
    "Keyword",
    "Duration",
    "Marker Name",
    "Color",
    "Type",
    "Position",
    "Source Position",
    "Generator",
    "Transition",
    "Apple",
    "Font",
    "Title Text",
    "Effect",
    "Settings",
    "File Name",
    "Estimated Total",
    "% of Total",
    "File Path",
};

bool isLineBreak(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

std::string_view headerText(ColumnHeading heading) {
    return headerTexts[static_cast<std::size_t>(heading)];
}

std::optional<ColumnHeading> columnHeadingFromText(std::string_view text) {
    auto found = std::find(headerTexts.begin(), headerTexts.end(), text);
    if (found == headerTexts.end()) {
        return std::nullopt;
    }
    return static_cast<ColumnHeading>(found - headerTexts.begin());
}

std::string_view trimmedHeaderText(ColumnHeading heading) {
    std::string_view text = headerText(heading);
    while (!text.empty() && isLineBreak(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isLineBreak(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<double> headerWidths(const std::vector<ColumnHeading>& headings) {
    std::vector<double> widths;
    widths.reserve(headings.size());
    for (ColumnHeading heading : headings) {
        widths.push_back(static_cast<double>(characterCount(trimmedHeaderText(heading))) + 1.0);
    }
    return widths;
}

std::optional<std::size_t> firstIndex(const std::vector<ColumnHeading>& headings,
                                      ColumnHeading heading) {
    auto found = std::find(headings.begin(), headings.end(), heading);
    if (found == headings.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - headings.begin());
}

bool contains(const std::vector<ColumnHeading>& headings, ColumnHeading heading) {
    return firstIndex(headings, heading).has_value();
}

} // namespace marrowvale
