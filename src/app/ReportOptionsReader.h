#pragma once

#include "app/ReportOptions.h"
#include "app/SettingsView.h"

namespace marrowvale {

/// The report options as the settings window shows them now: all 36 keys, the thumbnail width
/// (0 when the width text is not a positive number, at most `ReportOptions::maxThumbnailWidth`)
/// and the five sequence time adjustments. Called once per save.
ReportOptions reportOptions(const SettingsView& settings);

/// Keeps at least one time display ticked in each group: a group left with none gets its
/// timecode checkbox switched back on. Both groups are checked at every call; nothing is ever
/// switched off here.
void validateTimeDisplayPreferences(SettingsView& settings);

} // namespace marrowvale
