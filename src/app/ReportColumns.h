#pragma once

#include <array>
#include <string_view>

namespace marrowvale {

/// The 25 optional-column checkboxes of the settings window, in the order the window declares
/// them and the layout editor and the report options walk them.
enum class ColumnCheckbox {
    rowNumbers,
    thumbnails,
    keepThumbnails,
    track,
    enabled,
    in,
    out,
    duration,
    srcReel,
    srcIn,
    srcOut,
    srcDuration,
    description,
    scene,
    shottake,
    lognote,
    cameraroll,
    dailyroll,
    labroll,
    labels,
    framerate,
    frameSize,
    srcFileName,
    srcFilePath,
    id3Metadata,
};

/// One column checkbox: its caption in the settings window and its report option key.
struct ReportColumn {
    ColumnCheckbox checkbox;
    std::string_view title;
    std::string_view optionKey;
};

/// The 25 column checkboxes, top to bottom.
inline constexpr std::array<ReportColumn, 25> reportColumns = {{
    {ColumnCheckbox::rowNumbers, "Row Numbers", "rowNumbers"},
    {ColumnCheckbox::thumbnails, "Add thumbnails", "thumbnails"},
    {ColumnCheckbox::keepThumbnails, "Keep thumbnail images", "keepThumbnails"},
    {ColumnCheckbox::track, "Track", "track"},
    {ColumnCheckbox::enabled, "Enabled", "enabled"},
    {ColumnCheckbox::in, "Sequence In", "in"},
    {ColumnCheckbox::out, "Sequence Out", "out"},
    {ColumnCheckbox::duration, "Clip Duration", "duration"},
    {ColumnCheckbox::srcReel, "Source Reel Name", "srcReel"},
    {ColumnCheckbox::srcIn, "Source In", "srcIn"},
    {ColumnCheckbox::srcOut, "Source Out", "srcOut"},
    {ColumnCheckbox::srcDuration, "Source Duration", "srcDuration"},
    {ColumnCheckbox::description, "Description", "description"},
    {ColumnCheckbox::scene, "Scene", "scene"},
    {ColumnCheckbox::shottake, "Shot/Take", "shottake"},
    {ColumnCheckbox::lognote, "Log Note", "lognote"},
    {ColumnCheckbox::cameraroll, "Camera Roll", "cameraroll"},
    {ColumnCheckbox::dailyroll, "Daily Roll", "dailyroll"},
    {ColumnCheckbox::labroll, "Lab Roll", "labroll"},
    {ColumnCheckbox::labels, "Labels", "labels"},
    {ColumnCheckbox::framerate, "Frame Rate/Sample Rate", "framerate"},
    {ColumnCheckbox::frameSize, "Frame Size", "frameSize"},
    {ColumnCheckbox::srcFileName, "Source File Name", "srcFileName"},
    {ColumnCheckbox::srcFilePath, "Source File Path", "srcFilePath"},
    {ColumnCheckbox::id3Metadata, "ID3 Metadata", "id3Metadata"},
}};

/// The column checkbox with the given caption; none when no checkbox has it.
const ReportColumn* reportColumnTitled(std::string_view title);

/// Which times a time-display checkbox governs: the sequence (timeline) or the source times.
enum class TimeGroup { sequence, source };

/// The five forms in which the report can show a time, in the settings window's order.
enum class TimeDisplay { timecode, frames, feetFrames, clock, seconds };

/// The five time displays in order.
inline constexpr std::array<TimeDisplay, 5> timeDisplays = {
    TimeDisplay::timecode, TimeDisplay::frames, TimeDisplay::feetFrames, TimeDisplay::clock,
    TimeDisplay::seconds};

/// The report option key of a time display, such as "reportSeqTimecode" or
/// "reportSrcFeet+Frames".
std::string_view timeDisplayOptionKey(TimeGroup group, TimeDisplay display);

} // namespace marrowvale
