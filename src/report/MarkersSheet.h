#pragma once

#include "app/InputType.h"
#include "report/ColumnHeading.h"
#include "report/SheetName.h"

#include <vector>

namespace marrowvale {

class MarkedRange;
struct ReportContext;

/// The columns of a markers sheet titled `title` for an input type; empty when that input type
/// has no such sheet (the timeline's markers of XMEML, say, are "Sequence Markers").
std::vector<ColumnHeading> markersSheetColumns(InputType inputType, SheetName title);

/// Adds a markers sheet titled `title`: one row per visible marker, in timeline order (equal
/// positions keep their order), with the marker's name, kind, notes and times and, for a marker
/// on a clip, the clip's details. Rows are coloured by the marker's kind when `useColorText` is
/// on. Writes nothing when the input type has no columns for the title or there is no workbook.
void writeMarkersSheet(ReportContext& context, const std::vector<MarkedRange*>& markers,
                       SheetName title, bool useColorText);

} // namespace marrowvale
