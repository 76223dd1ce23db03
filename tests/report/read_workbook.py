"""Prints a workbook's sheets as JSON for the report tests: values, fonts, number formats, widths
and heights."""
import json
import sys
import zipfile

import openpyxl


def color_of(cell):
    color = cell.font.color if cell.font is not None else None
    return color.rgb if color is not None and isinstance(color.rgb, str) else None


def main(path):
    book = openpyxl.load_workbook(path)
    sheets = []
    for sheet in book.worksheets:
        rows = []
        for row in sheet.iter_rows():
            rows.append([{
                "v": cell.value,
                "color": color_of(cell),
                "bold": bool(cell.font.b),
                "font": cell.font.name,
                "size": cell.font.sz,
                "align": cell.alignment.horizontal,
                "format": cell.number_format,
            } for cell in row])
        widths = {key: dim.width for key, dim in sheet.column_dimensions.items()}
        heights = {str(key): dim.height for key, dim in sheet.row_dimensions.items()
                   if dim.height is not None}
        sheets.append({"name": sheet.title, "rows": rows, "widths": widths, "heights": heights})
    with zipfile.ZipFile(path) as archive:
        media = [name for name in archive.namelist() if name.startswith("xl/media/")]
    print(json.dumps({"sheets": sheets, "media": len(media)}))


main(sys.argv[1])
