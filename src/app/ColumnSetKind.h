#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace marrowvale {

/// The clip sheet's base column set. Opening a file picks one by its extension; the report
/// variants pick the bin-clip and role sets themselves.
enum class ColumnSetKind : std::uint8_t {
    none = 0,          ///< no clip sheet: nothing has been opened yet
    otio = 1,          ///< a timeline read from OpenTimelineIO
    otioAlternate = 2, ///< the same columns as `otio`
    binClips = 3,      ///< the bins' master clips
    xmeml = 4,         ///< a timeline read from XMEML: the `otio` columns and the frame size
    eventRoles = 5,    ///< a role sheet of event clips: source times only
    timelineRoles = 6, ///< a role sheet of timeline clips
};

/// The set an extension selects: `xmeml` for "xml", `otio` for "otio" (exact, case-sensitive);
/// none for any other extension, which leaves the previous set in place.
std::optional<ColumnSetKind> columnSetKindForExtension(std::string_view extension);

} // namespace marrowvale
