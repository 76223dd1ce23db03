#include "report/SheetName.h"

#include <array>

namespace marrowvale {

std::string_view sheetTitle(SheetName name) {
    static constexpr std::array<std::string_view, 16> titles = {
        "Summary",
        "All Reels",
        "All Clips",
        "Files Summary",
        "Selected Roles",
        "Clip Markers",
        "Sequence Markers",
        "Timeline Markers",
        "Markers",
        "Keywords",
        "Graphics & Titles",
        "Titles & Generators",
        "Transitions",
        "Video & Audio Effects",
        "Speed Change Effects",
        "",
    };
    return titles[static_cast<std::size_t>(name)];
}

} // namespace marrowvale
