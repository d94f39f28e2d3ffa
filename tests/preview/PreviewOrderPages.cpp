#include "tests/preview/PreviewOrderPages.h"

#include "pages/RLGraphicSurface.h"

#include <QLocale>

namespace {
constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;
constexpr int kWidth = 794;
constexpr int kHeight = 1123;
constexpr int kMargin = 38;
constexpr int kRowHeight = 18;
constexpr int kTableTop = 300;

struct TColumn {
    int left;
    int width;
    TRLMetaTextAlignment alignment;
};
constexpr TColumn kColumns[] = {
    { 38, 70, TRLMetaTextAlignment::Left },
    { 108, 290, TRLMetaTextAlignment::Left },
    { 398, 40, TRLMetaTextAlignment::Center },
    { 438, 70, TRLMetaTextAlignment::Right },
    { 508, 90, TRLMetaTextAlignment::Right },
    { 598, 100, TRLMetaTextAlignment::Right },
    { 698, 58, TRLMetaTextAlignment::Right },
};

void Text(TRLGraphicSurface& page, const TRect& rect, const QString& text,
    TRLMetaTextAlignment alignment = TRLMetaTextAlignment::Left)
{
    page.TextOutEx(rect, rect.Left, rect.Top, text, alignment, TRLMetaTextLayout::Top, 0);
}

void SetFont(TRLGraphicSurface& page, int height, bool bold)
{
    TFont font = page.Font();
    font.Name = QStringLiteral("Arial");
    font.Height = height;
    font.Style = bold ? TFontStyles(fsBold) : TFontStyles();
    font.Color = clBlack;
    page.SetFont(font);
}

void Letterhead(TRLGraphicSurface& page)
{
    SetFont(page, -19, true);
    Text(page, TRect { kMargin, 40, 500, 64 }, QStringLiteral("KORVANE INDÚSTRIA E COMÉRCIO LTDA"));
    SetFont(page, -11, false);
    Text(page, TRect { kMargin, 68, 500, 82 },
        QStringLiteral("Rua das Palmeiras, 1200 - Distrito Industrial"));
    SetFont(page, -16, true);
    Text(page, TRect { 520, 40, 756, 62 }, QStringLiteral("ORDEM DE COMPRA Nº 1"),
        TRLMetaTextAlignment::Right);
    page.Rectangle(kMargin, 100, 756, 200);
    SetFont(page, -12, true);
    Text(page, TRect { 46, 106, 400, 122 }, QStringLiteral("Fornecedor"));
    SetFont(page, -12, false);
    Text(page, TRect { 46, 126, 740, 142 },
        QStringLiteral("Metalúrgica São Jorge S.A. - CNPJ 12.345.678/0001-90"));
    Text(page, TRect { 46, 146, 740, 162 }, QStringLiteral("Transportadora: Rodovia Sul Cargas - Frete CIF"));
    SetFont(page, -12, true);
    const QString headers[] = { QStringLiteral("Código"), QStringLiteral("Descrição"), QStringLiteral("Un"),
        QStringLiteral("Qtde"), QStringLiteral("Preço"), QStringLiteral("Total"), QStringLiteral("IPI") };
    for (std::size_t column = 0; column < std::size(kColumns); ++column) {
        const TColumn& c = kColumns[column];
        Text(page, TRect::FromSize(c.left, kTableTop - 22, c.width - 4, kRowHeight), headers[column],
            c.alignment);
    }
    page.MoveTo(kMargin, kTableTop - 2);
    page.LineTo(756, kTableTop - 2);
}

void ItemRow(TRLGraphicSurface& page, int item, int top)
{
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const double quantity = 1 + item % 17;
    const double price = 3.75 + (item * 7 % 101);
    const QString texts[] = { QStringLiteral("%1").arg(10000 + item),
        QStringLiteral("Parafuso sextavado aço carbono M%1 x %2 mm").arg(4 + item % 12).arg(20 + item % 80),
        QStringLiteral("PC"), brazil.toString(quantity, 'f', 2), brazil.toString(price, 'f', 2),
        brazil.toString(quantity * price, 'f', 2), QStringLiteral("5%") };
    for (std::size_t column = 0; column < std::size(kColumns); ++column) {
        const TColumn& c = kColumns[column];
        Text(page, TRect::FromSize(c.left, top, c.width - 4, kRowHeight), texts[column], c.alignment);
    }
    page.MoveTo(kMargin, top + kRowHeight - 1);
    page.LineTo(756, top + kRowHeight - 1);
}
}

std::unique_ptr<TOrderPages> MakeOrderPages(int items)
{
    auto pages = std::make_unique<TOrderPages>();
    const int pageCount = std::max(1, (items + kOrderRowsPerPage - 1) / kOrderRowsPerPage);
    for (int n = 0; n < pageCount; ++n) {
        auto page = std::make_unique<TRLGraphicSurface>();
        page->Width = kWidth;
        page->Height = kHeight;
        page->SetOrientation(TRLPageOrientation::poPortrait);
        page->SetPaperWidth(kA4WidthMm);
        page->SetPaperHeight(kA4HeightMm);
        Letterhead(*page);
        SetFont(*page, -11, false);
        const int first = n * kOrderRowsPerPage;
        const int last = std::min(items, first + kOrderRowsPerPage);
        for (int item = first; item < last; ++item)
            ItemRow(*page, item + 1, kTableTop + (item - first) * kRowHeight);
        if (n == pageCount - 1) {
            SetFont(*page, -13, true);
            Text(*page, TRect { 398, 1030, 756, 1048 }, QStringLiteral("TOTAL DA ORDEM: R$ 123.456,78"),
                TRLMetaTextAlignment::Right);
        }
        SetFont(*page, -11, false);
        Text(*page, TRect { kMargin, 1080, 756, 1096 },
            QStringLiteral("Página %1 de {LastPageNumber}").arg(n + 1), TRLMetaTextAlignment::Right);
        pages->Storage->Add(std::move(page));
    }
    TRLGraphicStorage& storage = *pages->Storage;
    storage.SetOrientation(TRLPageOrientation::poPortrait);
    storage.SetPaperWidth(kA4WidthMm);
    storage.SetPaperHeight(kA4HeightMm);
    storage.SetWidth(kWidth);
    storage.SetHeight(kHeight);
    storage.SetFirstPageNumber(1);
    storage.SetLastPageNumber(storage.PageCount());
    storage.SetTitle(QStringLiteral("Ordem de Compra 1"));
    return pages;
}
