#!/usr/bin/python3
"""The benchmark's peer: draws one purchase order with ReportLab from the tables that
`pxdump --json` wrote, with the program's page geometry (A4, the header, supplier and column
frames on every page, one 8-cell row per item, the summary frame after the last row), uncompressed.

    order_reportlab.py JSON_DIR ORDER OUT.pdf

JSON_DIR holds OrdemCompra.json, OrdemCompraItens.json, Parametr.json, Acadforn.json,
Acadtran.json and Acadprod.json. ReportLab has only the standard fonts without embedding:
Arial and Verdana are drawn as Helvetica in the same styles and sizes.
"""

import base64
import io
import json
import os
import sys
import time

from reportlab.lib.utils import ImageReader
from reportlab.pdfbase.pdfmetrics import stringWidth
from reportlab.pdfgen import canvas

# Points; the program's pixels at 96 dpi times 0.75.
PAGE_WIDTH, PAGE_HEIGHT = 595.5, 842.25
LEFT, RIGHT = 28.5, 562.5
FIRST_ROW_TOP = 607.5
ROW_HEIGHT = 12.0
BOTTOM_LIMIT = 31.5
SUMMARY_HEIGHT = 117.75
CELL_HEIGHT = 10.5
# Blob header the database engine puts before a graphic's bitmap.
GRAPHIC_HEADER_BYTES = 8

TITLE_FONT = ("Helvetica-BoldOblique", 12)
LETTERHEAD_FONT = ("Helvetica", 8)
LETTERHEAD_BOLD_FONT = ("Helvetica-Bold", 8)
LABEL_FONT = ("Helvetica-Bold", 9)
VALUE_FONT = ("Helvetica-Bold", 8)
CAPTION_FONT = ("Helvetica-Bold", 7)
CELL_FONT = ("Helvetica", 7)
STAMP_FONT = ("Helvetica", 7)
SUMMARY_LABEL_FONT = ("Helvetica-Bold", 10)
SUMMARY_VALUE_FONT = ("Helvetica", 8)

# Item row cells: left, width, alignment.
CELLS = [
    (31.5, 41.25, "left"),    # product
    (74.25, 213.75, "left"),  # description
    (285.0, 72.0, "left"),    # reference
    (357.0, 17.25, "left"),   # unit
    (376.5, 48.0, "right"),   # quantity
    (426.75, 48.0, "right"),  # unit price
    (477.75, 55.5, "right"),  # line total
    (541.5, 21.0, "right"),   # tax rate
]
CELL_PADDING = 0.75

CAPTIONS = [(32.25, "Produto"), (75.75, "Descrição"), (285.75, "Referência"), (358.5, "Un."),
            (396.75, "Quant."), (441.75, "Vlr.Unit."), (499.5, "Vlr.Total"), (541.5, "ICMS")]


def load(json_dir, name):
    with open(os.path.join(json_dir, name + ".json"), encoding="utf-8") as source:
        return json.load(source)["records"]


def brazilian(value, decimals):
    text = f"{value:,.{decimals}f}"
    return text.replace(",", "\x00").replace(".", ",").replace("\x00", ".")


def brazilian_date(iso):
    return "" if not iso else f"{iso[8:10]}/{iso[5:7]}/{iso[0:4]}"


def number_text(value):
    return "" if value is None else f"{value:g}".replace(".", ",")


class OrderDrawing:
    def __init__(self, json_dir, order_code, out_path):
        orders = [r for r in load(json_dir, "OrdemCompra") if r["CODIGO"] == order_code]
        if not orders:
            raise SystemExit(f"order_reportlab: order {order_code} not found in {json_dir}")
        self.order = orders[0]
        self.items = [r for r in load(json_dir, "OrdemCompraItens") if r["ORDEM"] == order_code]
        self.company = load(json_dir, "Parametr")[0]
        self.supplier = next((r for r in load(json_dir, "Acadforn")
                              if r["CODIGO"] == self.order["FORNECEDOR"]), {})
        self.carrier = next((r for r in load(json_dir, "Acadtran")
                             if r["CODIGO"] == self.order["TRANSPORTADOR"]), {})
        self.products = {r["CODIGO"]: r for r in load(json_dir, "Acadprod")}
        logo = base64.b64decode(self.company["LOGO"])[GRAPHIC_HEADER_BYTES:]
        self.logo = ImageReader(io.BytesIO(logo))
        self.canvas = canvas.Canvas(out_path, pagesize=(PAGE_WIDTH, PAGE_HEIGHT), pageCompression=0)
        # The print date and hour, fixed by SOURCE_DATE_EPOCH as the program's are.
        printed = time.localtime(int(os.environ.get("SOURCE_DATE_EPOCH", time.time())))
        self.stamp = (time.strftime("%d/%m/%Y", printed), time.strftime("%H:%M:%S", printed))

    def text(self, font, x, y, text):
        self.canvas.setFont(*font)
        self.canvas.drawString(x, y, text or "")

    def frame(self, top, bottom):
        self.canvas.rect(LEFT, bottom, RIGHT - LEFT, top - bottom, stroke=1, fill=1)

    def clipped(self, left, bottom, width, height):
        path = self.canvas.beginPath()
        path.rect(left, bottom, width, height)
        self.canvas.clipPath(path, stroke=0, fill=0)

    def header(self):
        c = self.canvas
        c.setLineWidth(0.75)
        c.setStrokeColorRGB(0, 0, 0)
        c.setFillColorRGB(1, 1, 1)
        self.frame(813.75, 739.5)
        c.setFillColorRGB(0, 0, 0)
        company = self.company
        c.setFont(*TITLE_FONT)
        c.drawCentredString(344.25, 797.25, company["RAZAO_SOCIAL"])
        c.setFont(*LETTERHEAD_BOLD_FONT)
        c.drawCentredString(344.25, 784.5, company["CGC"])
        c.setFont(*LETTERHEAD_FONT)
        c.drawCentredString(344.25, 769.5, company["ENDERECO"])
        c.drawCentredString(344.25, 759.75, f"{company['CEP']} - {company['CIDADE']}/{company['UF']}"
                            f" - Fone: {company['FONE']}")
        c.drawImage(self.logo, 31.5, 741.75, 89.25, 69.75)
        self.text(STAMP_FONT, 467.25, 802.5, self.stamp[0])
        self.text(STAMP_FONT, 521.25, 802.5, self.stamp[1])
        order = self.order
        self.text(LABEL_FONT, 138, 742.5, "Ordem Compra:")
        self.text(LABEL_FONT, 222, 742.5, str(order["CODIGO"]))
        self.text(LABEL_FONT, 276, 742.5, "Emissão:")
        self.text(LABEL_FONT, 325.5, 742.5, brazilian_date(order["DATA_DIGITACAO"]))
        self.text(LABEL_FONT, 436.5, 742.5, "Entrega:")
        self.text(LABEL_FONT, 484.5, 742.5, brazilian_date(order["PREVISAO_ENTREGA"]))

        c.setFillColorRGB(1, 1, 1)
        self.frame(735.75, 627.75)
        c.setFillColorRGB(0, 0, 0)
        s = self.supplier
        for x, y, label in [(36, 723, "Fornecedor:"), (36, 694.5, "Endereço:"), (36, 681.75, "Cidade:"),
                            (337.5, 681.75, "UF:"), (438, 681.75, "CEP:"), (426.75, 694.5, "Bairro:"),
                            (36, 669, "CNPJ:"), (335.25, 669, "I.E.:"), (36, 656.25, "Telefone:"),
                            (195.75, 656.25, "Fax:"), (313.5, 656.25, "Contato:"),
                            (36, 643.5, "E-Mail:"), (36, 630.75, "Transp.:"), (325.5, 630.75, "Frete:")]:
            self.text(LABEL_FONT, x, y, label)
        for x, y, value in [(104.25, 723.75, s.get("CODIGO")), (152.25, 723.75, s.get("NOME")),
                            (152.25, 711.75, s.get("RAZAO_SOCIAL")), (104.25, 695.25, s.get("ENDERECO")),
                            (104.25, 682.5, s.get("CIDADE")), (360.75, 682.5, s.get("UF")),
                            (467.25, 682.5, s.get("CEP")), (467.25, 695.25, s.get("BAIRRO")),
                            (104.25, 670.5, s.get("CGC")), (360.75, 669.75, s.get("INSCRICAO")),
                            (104.25, 657, s.get("FONE")), (222.75, 657, s.get("FAX")),
                            (360.75, 657, s.get("REPRESENTANTE")), (104.25, 644.25, s.get("EMAIL")),
                            (104.25, 631.5, self.carrier.get("NOME"))]:
            self.text(VALUE_FONT, x, y, value)
        self.text(LABEL_FONT, 361.5, 630.75, order["TIPO_FRETE"])

        c.setFillColorRGB(1, 1, 1)
        self.frame(624.75, 608.25)
        c.setFillColorRGB(0, 0, 0)
        for x, caption in CAPTIONS:
            self.text(CAPTION_FONT, x, 612, caption)

    def row(self, item, bottom):
        product = self.products.get(item["PRODUTO"], {})
        values = [item["PRODUTO"], item["NOME_PRODUTO"], product.get("REFERENCIA"), product.get("UNIDADE"),
                  "" if item["QUANTIDADE"] is None else brazilian(item["QUANTIDADE"], 3),
                  brazilian(item["PRECO"], 2), brazilian(item["TOTAL"], 2), number_text(item["ALIQUOTA"])]
        c = self.canvas
        c.setFont(*CELL_FONT)
        for (left, width, alignment), value in zip(CELLS, values):
            value = value or ""
            c.saveState()
            self.clipped(left, bottom, width, CELL_HEIGHT)
            if alignment == "left":
                c.drawString(left + CELL_PADDING, bottom, value)
            else:
                c.drawString(left + width - CELL_PADDING - stringWidth(value, *CELL_FONT), bottom, value)
            c.restoreState()

    def summary(self, top):
        c = self.canvas
        c.setFillColorRGB(1, 1, 1)
        self.frame(top, top - SUMMARY_HEIGHT + 3)
        c.setFillColorRGB(0, 0, 0)
        order = self.order
        self.text(SUMMARY_LABEL_FONT, 408, top - 14.25, "Total  R$:")
        self.text(LABEL_FONT, 468, top - 13.5, brazilian(order["TOTAL_NOTA"], 2))
        self.text(SUMMARY_LABEL_FONT, 36, top - 14.25, "Forma de Pagamento:")
        self.text(SUMMARY_VALUE_FONT, 41.25, top - 24.75, order["FORMA_PAGAMENTO"])
        self.text(SUMMARY_LABEL_FONT, 36, top - 44.25, "Tipo de Pagamento:")
        self.text(SUMMARY_VALUE_FONT, 41.25, top - 54.75, order["TIPO_PAGAMENTO"])
        self.text(SUMMARY_LABEL_FONT, 36, top - 74.25, "Observações:")
        y = top - 84
        for line in (order["OBS"] or "").split("\r\n"):
            self.text(SUMMARY_VALUE_FONT, 40.5, y, line)
            y -= 9.75

    def draw(self):
        self.header()
        top = FIRST_ROW_TOP
        for item in self.items:
            if top - ROW_HEIGHT < BOTTOM_LIMIT:
                self.canvas.showPage()
                self.header()
                top = FIRST_ROW_TOP
            self.row(item, top - ROW_HEIGHT)
            top -= ROW_HEIGHT
        if top - SUMMARY_HEIGHT < BOTTOM_LIMIT:
            self.canvas.showPage()
            self.header()
            top = FIRST_ROW_TOP
        self.summary(top)
        self.canvas.showPage()
        self.canvas.save()


def main(argv):
    if len(argv) != 4:
        raise SystemExit("usage: order_reportlab.py JSON_DIR ORDER OUT.pdf")
    try:
        order_code = int(argv[2])
    except ValueError:
        raise SystemExit(f"order_reportlab: the order must be a number, not \"{argv[2]}\"")
    OrderDrawing(argv[1], order_code, argv[3]).draw()


if __name__ == "__main__":
    main(sys.argv)
