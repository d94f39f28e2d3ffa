"""Prints what python3-xlrd reads from a workbook, one fact a line, for the spreadsheet tests."""
import sys

import xlrd


def main(path):
    book = xlrd.open_workbook(path, formatting_info=True)
    print("user\t%s" % book.user_name)
    for sheet in book.sheets():
        print("sheet\t%s\t%d\t%d" % (sheet.name, sheet.nrows, sheet.ncols))
        for (rlo, rhi, clo, chi) in sorted(sheet.merged_cells):
            print("merged\t%s\t%d\t%d\t%d\t%d" % (sheet.name, rlo, rhi - 1, clo, chi - 1))
        for row in range(sheet.nrows):
            for col in range(sheet.ncols):
                cell = sheet.cell(row, col)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                font = book.font_list[book.xf_list[cell.xf_index].font_index]
                xf = book.xf_list[cell.xf_index]
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    kind, value = "number", repr(cell.value)
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    kind, value = "text", cell.value.replace("\n", "\\n")
                else:
                    kind, value = "blank", ""
                number_format = book.format_map[xf.format_key].format_str
                print("cell\t%s\t%d\t%d\t%s\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%s" % (
                    sheet.name, row, col, kind, value, font.name, font.height, font.weight,
                    font.italic, xf.alignment.hor_align, xf.alignment.vert_align, number_format))


if __name__ == "__main__":
    main(sys.argv[1])
