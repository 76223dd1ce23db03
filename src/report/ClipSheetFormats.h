#pragma once

#include "xlsxwriter/Format.h"

#include <optional>

namespace marrowvale {

class StoryElement;
class Workbook;

/// The plain and the centred format of one row colour.
struct RowFormats {
    Format plain;
    Format centred;
};

/// A body format of every report sheet: Helvetica 11 in `color`, aligned when `alignment` is
/// given.
Format makeReportFormat(Workbook& workbook, Color color,
                        std::optional<HorizontalAlignment> alignment = std::nullopt);

/// The header format of every report sheet: Helvetica 11, bold, black, aligned left.
Format makeHeaderFormat(Workbook& workbook);

/// The plain and the centred format of `color`, in that order.
RowFormats makeRowFormats(Workbook& workbook, Color color);

/// The clip sheet's formats, all Helvetica 11: the bold black left-aligned header and a plain
/// and a centred format for each of the six row colours.
struct ClipSheetFormats {
    Format header;
    RowFormats black;
    RowFormats blue;
    RowFormats brown;
    RowFormats gray;
    RowFormats green;
    RowFormats purple;

    /// Makes the thirteen formats in the workbook.
    static ClipSheetFormats make(Workbook& workbook);

    /// The row formats of a clip: coloured by its kind when `useColorText` is on (titles purple,
    /// generators brown, gaps gray, other video blue, audio green), black otherwise and for a
    /// clip without a track type.
    const RowFormats& forClip(const StoryElement& clip, bool useColorText) const;
};

} // namespace marrowvale
