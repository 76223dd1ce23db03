#pragma once

#include "app/ColumnSetKind.h"
#include "report/ColumnHeading.h"
#include "report/ReportLookups.h"

#include <optional>
#include <vector>

namespace marrowvale {

/// The clip sheet's column list: the base list of `kind`, less the columns switched off in the
/// options and the time display forms not asked for; the thumbnail column also goes when the
/// options' thumbnail width is 0. None for `ColumnSetKind::none` (or an unknown kind).
std::optional<std::vector<ColumnHeading>> clipSheetColumns(ColumnSetKind kind,
                                                           const ReportOptions& options);

} // namespace marrowvale
