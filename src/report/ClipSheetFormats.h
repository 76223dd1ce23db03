#pragma once

#include "xlsxwriter/Format.h"

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

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

/// The plain and centred formats of the few colours one sheet uses.
class ColorFormats {
public:
    /// Makes the formats of each colour, in the order given.
    ColorFormats(Workbook& workbook, std::initializer_list<Color> colors);

    /// The formats of `color`, one of those given (the first colour's for any other).
    const RowFormats& operator[](Color color) const;

private:
    std::vector<std::pair<Color, RowFormats>> formats_;
};

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
