#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace marrowvale {

/// The column headings a report sheet can show. Each heading's text is its header; the five
/// display forms of one time quantity (TC, Frames, FF, Clock, Secs) share the words and differ by
/// zero to four trailing line feeds, so every text names exactly one heading.
enum class ColumnHeading : std::uint8_t {
    Row,
    Thumbnail,
    ClipName,
    Track,
    RoleSubrole,
    Category,
    EventName,
    BinName,
    Enabled,
    SequenceInTC,
    SequenceInFrames,
    SequenceInFF,
    SequenceInClock,
    SequenceInSecs,
    SequenceOutTC,
    SequenceOutFrames,
    SequenceOutFF,
    SequenceOutClock,
    SequenceOutSecs,
    TimelineInTC,
    TimelineInFrames,
    TimelineInFF,
    TimelineInClock,
    TimelineInSecs,
    TimelineOutTC,
    TimelineOutFrames,
    TimelineOutFF,
    TimelineOutClock,
    TimelineOutSecs,
    Start,
    End,
    ClipDurationTC,
    ClipDurationFrames,
    ClipDurationFF,
    ClipDurationClock,
    ClipDurationSecs,
    SourceInTC,
    SourceInFrames,
    SourceInFF,
    SourceInClock,
    SourceInSecs,
    SourceOutTC,
    SourceOutFrames,
    SourceOutFF,
    SourceOutClock,
    SourceOutSecs,
    SourceDurationTC,
    SourceDurationFrames,
    SourceDurationFF,
    SourceDurationClock,
    SourceDurationSecs,
    Markers,
    Keywords,
    Effects,
    Description,
    Comment,
    Notes,
    Reel,
    Scene,
    Take,
    LogNote,
    SceneNote,
    ShotNote,
    TakeNote,
    CameraRoll,
    DailyRoll,
    LabRoll,
    Label,
    FrameSampleRate,
    FrameSize,
    SourceFileName,
    SourceFilePath,
    ID3title,
    ID3album,
    ID3track,
    ID3year,
    ID3genre,
    ID3artist,
    ID3composer,
    ID3publisher,
    Keyword,
    Duration,
    MarkerName,
    Color,
    MarkerType,
    Position,
    SourcePosition,
    Generator,
    Transition,
    Apple,
    Font,
    TitleText,
    Effect,
    Settings,
    FileName,
    EstimatedTotal,
    PercentOfTotal,
    FilePath,
};

/// Number of column headings.
inline constexpr std::size_t columnHeadingCount = 98;

/// The display forms of a time quantity, in the order their headings stand.
enum class TimeForm : std::uint8_t { TC, Frames, FF, Clock, Secs };

/// The header text of a heading, line feeds included.
std::string_view headerText(ColumnHeading heading);

/// The heading whose header text is exactly the given text, or none.
std::optional<ColumnHeading> columnHeadingFromText(std::string_view text);

/// The header text with line breaks trimmed from both ends, as the header row shows it.
std::string_view trimmedHeaderText(ColumnHeading heading);

/// One heading of a time quantity: `first` is its TC form, the others follow it in form order.
constexpr ColumnHeading timeHeading(ColumnHeading first, TimeForm form) {
    return static_cast<ColumnHeading>(static_cast<int>(first) + static_cast<int>(form));
}

/// Starting column widths for a heading list: the trimmed header's character count plus 1.
std::vector<double> headerWidths(const std::vector<ColumnHeading>& headings);

/// Index of the first heading equal to `heading` in the list, or none.
std::optional<std::size_t> firstIndex(const std::vector<ColumnHeading>& headings,
                                      ColumnHeading heading);

/// Whether the list holds `heading`.
bool contains(const std::vector<ColumnHeading>& headings, ColumnHeading heading);

} // namespace marrowvale
