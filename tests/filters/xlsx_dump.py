"""Prints what python3-openpyxl reads from an XLSX workbook, one fact a line, in the lines of
xls_dump.py (so that the two outputs of one report compare line by line), plus the columns'
widths in characters and the rows' heights in points."""
import sys

import openpyxl
from openpyxl.cell.cell import MergedCell
from openpyxl.utils import get_column_letter

HORIZONTAL = {None: 0, "general": 0, "left": 1, "center": 2, "right": 3, "fill": 4, "justify": 5}
VERTICAL = {"top": 0, "center": 1, None: 2, "bottom": 2, "justify": 3}


def main(path):
    book = openpyxl.load_workbook(path)
    print("user\t%s" % (book.properties.creator or ""))
    for sheet in book.worksheets:
        cells = {key: cell for key, cell in sheet._cells.items() if not isinstance(cell, MergedCell)}
        merges = sorted((m.min_row - 1, m.max_row - 1, m.min_col - 1, m.max_col - 1)
                        for m in sheet.merged_cells.ranges)
        rows = max([r for (r, _) in cells] + [m[1] + 1 for m in merges] + [0])
        cols = max([c for (_, c) in cells] + [m[3] + 1 for m in merges] + [0])
        print("sheet\t%s\t%d\t%d" % (sheet.title, rows, cols))
        for (rlo, rhi, clo, chi) in merges:
            print("merged\t%s\t%d\t%d\t%d\t%d" % (sheet.title, rlo, rhi, clo, chi))
        for (row, col) in sorted(cells):
            cell = cells[(row, col)]
            if cell.value is None:
                kind, value = "blank", ""
            elif cell.data_type == "n":
                kind, value = "number", repr(float(cell.value))
            else:
                kind, value = "text", str(cell.value).replace("\n", "\\n")
            font = cell.font
            print("cell\t%s\t%d\t%d\t%s\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%s" % (
                sheet.title, row - 1, col - 1, kind, value, font.name, round(font.sz * 20),
                700 if font.b else 400, 1 if font.i else 0, HORIZONTAL[cell.alignment.horizontal],
                VERTICAL[cell.alignment.vertical], cell.number_format))
        for col in range(1, cols + 1):
            dimension = sheet.column_dimensions.get(get_column_letter(col))
            if dimension is not None and dimension.customWidth:
                print("column\t%s\t%d\t%r" % (sheet.title, col - 1, dimension.width))
        for row in sorted(sheet.row_dimensions):
            height = sheet.row_dimensions[row].ht
            if height is not None:
                print("row\t%s\t%d\t%r" % (sheet.title, row - 1, float(height)))


if __name__ == "__main__":
    main(sys.argv[1])
