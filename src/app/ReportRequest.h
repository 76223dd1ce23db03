#pragma once

#include "app/ImportState.h"
#include "app/ReportOptions.h"
#include "app/SheetKey.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marrowvale {

/// The tracks the user left ticked in the main window's track tables, by track index.
struct TrackSelection {
    /// True when every track is reported: the tables do not belong to the reported sequence
    /// (it was not analyzed) or the title is "Bin Clips".
    bool allTracks = true;
    /// `trackIdx` of each ticked video track.
    std::vector<std::int64_t> videoTrackIndexes;
    /// `trackIdx` of each ticked audio track.
    std::vector<std::int64_t> audioTrackIndexes;

    /// Whether the clips of the video track with this index go into the report.
    bool includesVideoTrack(std::int64_t trackIdx) const;
    /// Whether the clips of the audio track with this index go into the report.
    bool includesAudioTrack(std::int64_t trackIdx) const;

    bool operator==(const TrackSelection&) const = default;
};

/// Everything the save button hands the report writer for one run.
struct ReportRequest {
    /// The sequence to report: a composition's name, or "Bin Clips" for the bins' master clips.
    std::string sequenceTitle;
    /// The sequence title, " - ", the layout's name and " Report".
    std::string reportName;
    /// The switches that are on, in the order of `allSheetKeys`.
    std::vector<SheetKey> sheetKeys;
    /// The report options of the settings window.
    ReportOptions options;
    /// The ticked tracks.
    TrackSelection tracks;
    /// The input type and column-set kind left by the last import.
    ImportState importState;

    /// Whether `key` is among the sheet keys.
    bool hasSheet(SheetKey key) const;

    bool operator==(const ReportRequest&) const = default;
};

/// The title of the sequence menu that stands for the bins' master clips.
inline constexpr std::string_view binClipsTitle = "Bin Clips";

} // namespace marrowvale
