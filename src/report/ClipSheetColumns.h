#pragma once

#include "report/ColumnHeading.h"
#include "report/ReportLookups.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace marrowvale {

/// The base column set of the clip sheet: 1 and 2 for OpenTimelineIO input, 3 for bin clips,
/// 4 for XMEML input (1 with the frame size), 5 and 6 for role sheets; 0 writes no clip sheet.
using ColumnSetKind = std::uint8_t;

/// The clip sheet's column list: the base list of `kind`, less the columns switched off in the
/// options and the time display forms not asked for; the thumbnail column also goes when the
/// options' thumbnail width is 0. None for kind 0 (or an unknown kind).
std::optional<std::vector<ColumnHeading>> clipSheetColumns(ColumnSetKind kind,
                                                           const ReportOptions& options);

} // namespace marrowvale
