"""Prints what openpyxl reads from a workbook as one JSON document, for the tests that read back
what they wrote: sheet order, pictures, and per sheet its cells (by address and as a grid of
rows from A1), column widths, row heights, merges, filters, tables and page settings. On
failure prints {"error": why} and exits with status 1."""
import json
import sys
import warnings
import zipfile

warnings.simplefilter("ignore")


def fail(why):
    print(json.dumps({"error": why}))
    sys.exit(1)


try:
    import openpyxl
    from openpyxl.cell.cell import Cell
    from openpyxl.utils import get_column_letter
except ImportError:
    fail(f"openpyxl is not installed for {sys.executable}: run scripts/install-deps")


def color(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else None


def describe(cell):
    value = cell.value
    if hasattr(value, "isoformat"):
        value = value.isoformat()
    return {
        "value": value, "type": cell.data_type,
        "font": cell.font.name, "size": cell.font.sz, "bold": bool(cell.font.b),
        "italic": bool(cell.font.i), "color": color(cell.font.color),
        "align": cell.alignment.horizontal, "valign": cell.alignment.vertical,
        "fill": color(cell.fill.fgColor) if cell.fill.fill_type == "solid" else None,
        "border": cell.border.left.style, "numFormat": cell.number_format,
        "rotation": cell.alignment.textRotation, "shrink": bool(cell.alignment.shrinkToFit),
        "link": cell.hyperlink.target if cell.hyperlink else None,
        "comment": cell.comment.text if cell.comment else None}


def grid(ws, cells):
    """Every row from the first to the last written one, each from column A to the last
    written column; cells never written read as blank with the default style."""
    if not ws._cells:
        return []
    blank = describe(Cell(ws))
    letters = [get_column_letter(c) for c in range(1, ws.max_column + 1)]
    return [[cells.get(f"{letter}{r}", blank) for letter in letters]
            for r in range(1, ws.max_row + 1)]


def sheet_of(ws):
    sheet = {"kind": type(ws).__name__, "state": ws.sheet_state}
    if not hasattr(ws, "_cells"):
        return sheet
    cells = {cell.coordinate: describe(cell) for cell in ws._cells.values()}
    sheet.update({
        "cells": cells,
        "rows": grid(ws, cells),
        "widths": {k: d.width for k, d in ws.column_dimensions.items() if d.customWidth},
        "hidden": {k: True for k, d in ws.column_dimensions.items() if d.hidden},
        "heights": {str(k): d.ht for k, d in ws.row_dimensions.items() if d.ht is not None},
        "merged": [str(r) for r in ws.merged_cells.ranges],
        "autofilter": ws.auto_filter.ref,
        "printArea": ws.print_area,
        "tables": {t.name: {"ref": t.ref, "style": t.tableStyleInfo.name,
                            "headers": [c.name for c in t.tableColumns],
                            "totals": t.totalsRowCount}
                   for t in ws.tables.values()},
        "tabColor": color(ws.sheet_properties.tabColor),
        "paper": ws.page_setup.paperSize,
        "gridlines": ws.sheet_view.showGridLines})
    return sheet


def main(path):
    try:
        book = openpyxl.load_workbook(path)
        with zipfile.ZipFile(path) as archive:
            media = [name for name in archive.namelist() if name.startswith("xl/media/")]
    except Exception as error:  # any reason the file cannot be read is the test's failure
        fail(f"openpyxl cannot read {path}: {error}")
    print(json.dumps({"order": book.sheetnames, "media": len(media),
                      "sheets": {name: sheet_of(book[name]) for name in book.sheetnames}}))


main(sys.argv[1])
