#!/usr/bin/python3
"""The benchmark's canvas-only peer: ReportLab drawing the purchase order's pages from a drawing
list made beforehand, so that only the drawing and the writing of the PDF are timed, with no table
to read and no layout to work out.

    canvas_reportlab.py --export JSON_DIR ORDER LIST.json   make the list (not timed)
    canvas_reportlab.py LIST.json OUT.pdf                   draw it (timed)

The list comes from order_reportlab.py's own layout of the order (the texts, frames, the logo and
the item cells' clips of every page), recorded instead of drawn; measuring text happens while it
is made.
"""

import base64
import io
import json
import os
import sys

from reportlab.lib.utils import ImageReader
from reportlab.pdfgen import canvas

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import order_reportlab  # noqa: E402  (beside this file)


class RecordedPath:
    def __init__(self):
        self.box = None

    def rect(self, left, bottom, width, height):
        self.box = [left, bottom, width, height]


class Recorder:
    """Takes the canvas calls order_reportlab makes and keeps them as one list per page."""

    def __init__(self):
        self.pages = [[]]

    def _add(self, *operation):
        self.pages[-1].append(list(operation))

    def setLineWidth(self, width):
        self._add("width", width)

    def setStrokeColorRGB(self, r, g, b):
        self._add("stroke", r, g, b)

    def setFillColorRGB(self, r, g, b):
        self._add("fill", r, g, b)

    def setFont(self, name, size):
        self._add("font", name, size)

    def drawString(self, x, y, text):
        self._add("text", x, y, text)

    def drawCentredString(self, x, y, text):
        self._add("centred", x, y, text)

    def rect(self, left, bottom, width, height, stroke=1, fill=0):
        self._add("rect", left, bottom, width, height, stroke, fill)

    def drawImage(self, image, x, y, width, height):
        self._add("image", x, y, width, height)

    def saveState(self):
        self._add("save")

    def restoreState(self):
        self._add("restore")

    def beginPath(self):
        return RecordedPath()

    def clipPath(self, path, stroke=0, fill=0):
        self._add("clip", *path.box)

    def showPage(self):
        self.pages.append([])

    def save(self):
        if not self.pages[-1]:
            self.pages.pop()


def merged_cells(page):
    """An item cell's save, clip, text and restore as one operation, so that replaying the list
    costs as little Python as drawing the cell does."""
    merged = []
    i = 0
    while i < len(page):
        window = [operation[0] for operation in page[i:i + 4]]
        if window == ["save", "clip", "text", "restore"]:
            merged.append(["cell", *page[i + 1][1:], *page[i + 2][1:]])
            i += 4
        else:
            merged.append(page[i])
            i += 1
    return merged


def export(json_dir, order_code, list_path):
    drawing = order_reportlab.OrderDrawing(json_dir, order_code, os.devnull)
    recorder = Recorder()
    drawing.canvas = recorder
    drawing.draw()
    pages = [merged_cells(page) for page in recorder.pages]
    logo = base64.b64decode(drawing.company["LOGO"])[order_reportlab.GRAPHIC_HEADER_BYTES:]
    with open(list_path, "w", encoding="utf-8") as out:
        json.dump({"logo": base64.b64encode(logo).decode("ascii"), "pages": pages}, out)
    print(f"{len(pages)} pages, {sum(len(p) for p in pages)} drawing operations")


def draw(list_path, out_path):
    with open(list_path, encoding="utf-8") as source:
        drawing = json.load(source)
    logo = ImageReader(io.BytesIO(base64.b64decode(drawing["logo"])))
    c = canvas.Canvas(out_path, pagesize=(order_reportlab.PAGE_WIDTH, order_reportlab.PAGE_HEIGHT),
                      pageCompression=0)

    def cell(left, bottom, width, height, x, y, text):
        c.saveState()
        path = c.beginPath()
        path.rect(left, bottom, width, height)
        c.clipPath(path, stroke=0, fill=0)
        c.drawString(x, y, text)
        c.restoreState()

    def clip(left, bottom, width, height):
        path = c.beginPath()
        path.rect(left, bottom, width, height)
        c.clipPath(path, stroke=0, fill=0)

    operations = {
        "cell": cell,
        "text": c.drawString,
        "font": c.setFont,
        "save": c.saveState,
        "restore": c.restoreState,
        "clip": clip,
        "centred": c.drawCentredString,
        "rect": lambda left, bottom, width, height, stroke, fill: c.rect(
            left, bottom, width, height, stroke=stroke, fill=fill),
        "fill": c.setFillColorRGB,
        "stroke": c.setStrokeColorRGB,
        "width": c.setLineWidth,
        "image": lambda *box: c.drawImage(logo, *box),
    }
    for page in drawing["pages"]:
        for operation, *args in page:
            try:
                call = operations[operation]
            except KeyError:
                raise SystemExit(f"canvas_reportlab: unknown operation {operation!r} in {list_path}")
            call(*args)
        c.showPage()
    c.save()


def main(argv):
    if len(argv) == 5 and argv[1] == "--export":
        try:
            order_code = int(argv[3])
        except ValueError:
            raise SystemExit(f"canvas_reportlab: the order must be a number, not \"{argv[3]}\"")
        export(argv[2], order_code, argv[4])
    elif len(argv) == 3:
        draw(argv[1], argv[2])
    else:
        raise SystemExit("usage: canvas_reportlab.py --export JSON_DIR ORDER LIST.json | LIST.json OUT.pdf")


if __name__ == "__main__":
    main(sys.argv)
