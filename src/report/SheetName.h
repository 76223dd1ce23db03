#pragma once

#include <cstdint>
#include <string_view>

namespace marrowvale {

/// The titles of the report's sheets.
enum class SheetName : std::uint8_t {
    Summary,
    AllReels,
    AllClips,
    FilesSummary,
    SelectedRoles,
    ClipMarkers,
    SequenceMarkers,
    TimelineMarkers,
    Markers,
    Keywords,
    GraphicsTitles,
    TitlesGenerators,
    Transitions,
    VideoAudioEffects,
    SpeedChangeEffects,
    Blank,
};

/// The sheet title shown on the sheet's tab.
std::string_view sheetTitle(SheetName name);

} // namespace marrowvale
