#include "report/ClipSheetFormats.h"

#include "model/StoryElement.h"
#include "xlsxwriter/Workbook.h"

namespace marrowvale {

namespace {

constexpr std::string_view fontName = "Helvetica";
constexpr double fontSize = 11;

} // namespace

Format makeReportFormat(Workbook& workbook, Color color,
                        std::optional<HorizontalAlignment> alignment) {
    Format format = workbook.addFormat();
    format.setFontName(fontName).setFontSize(fontSize).setFontColor(color);
    if (alignment) {
        format.setAlign(*alignment);
    }
    return format;
}

Format makeHeaderFormat(Workbook& workbook) {
    Format header = workbook.addFormat();
    header.setFontName(fontName)
        .setFontSize(fontSize)
        .setBold()
        .setFontColor(Color::black)
        .setAlign(HorizontalAlignment::left);
    return header;
}

RowFormats makeRowFormats(Workbook& workbook, Color color) {
    Format plain = makeReportFormat(workbook, color);
    Format centred = makeReportFormat(workbook, color, HorizontalAlignment::center);
    return {plain, centred};
}

ColorFormats::ColorFormats(Workbook& workbook, std::initializer_list<Color> colors) {
    for (Color color : colors) {
        formats_.emplace_back(color, makeRowFormats(workbook, color));
    }
}

const RowFormats& ColorFormats::operator[](Color color) const {
    for (const auto& [known, formats] : formats_) {
        if (known == color) {
            return formats;
        }
    }
    return formats_.front().second;
}

ClipSheetFormats ClipSheetFormats::make(Workbook& workbook) {
    Format header = makeHeaderFormat(workbook);
    RowFormats black = makeRowFormats(workbook, Color::black);
    RowFormats blue = makeRowFormats(workbook, Color::blue);
    RowFormats brown = makeRowFormats(workbook, Color::brown);
    RowFormats gray = makeRowFormats(workbook, Color::gray);
    RowFormats green = makeRowFormats(workbook, Color::green);
    RowFormats purple = makeRowFormats(workbook, Color::purple);
    return {header, black, blue, brown, gray, green, purple};
}

const RowFormats& ClipSheetFormats::forClip(const StoryElement& clip, bool useColorText) const {
    if (!useColorText || !clip.trackType) {
        return black;
    }
    if (*clip.trackType == TrackType::Audio) {
        return green;
    }
    switch (clip.category) {
    case StoryElement::Category::title:
        return purple;
    case StoryElement::Category::generator:
        return brown;
    case StoryElement::Category::gap:
        return gray;
    default:
        return blue;
    }
}

} // namespace marrowvale
