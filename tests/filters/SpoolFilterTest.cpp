#include "filters/RLFilterCommands.h"
#include "filters/RLSpoolFilter.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLPrinters.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "support/LocaleTexts.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/FilterTestPages.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using enum TRLPageOrientation;

namespace {

TRLPrinterMetrics Metrics(int dpi, int offsetX, int offsetY, int physicalWidth, int physicalHeight,
    int printableWidth, int printableHeight)
{
    TRLPrinterMetrics metrics;
    metrics.DpiX = dpi;
    metrics.DpiY = dpi;
    metrics.OffsetX = offsetX;
    metrics.OffsetY = offsetY;
    metrics.PhysicalWidth = physicalWidth;
    metrics.PhysicalHeight = physicalHeight;
    metrics.PrintableWidth = printableWidth;
    metrics.PrintableHeight = printableHeight;
    metrics.MarginRight = physicalWidth - offsetX - printableWidth;
    metrics.MarginBottom = physicalHeight - offsetY - printableHeight;
    return metrics;
}

/// Paints the page on a white image of the sheet's size through the printer mapping.
QImage PaintOnSheet(const TRLGraphicSurface& page, const TRect& printerRect)
{
    QImage sheet(printerRect.Width(), printerRect.Height(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    TCanvas canvas(painter);
    PaintPageOnPrinter(canvas, page, TRLPrinterMapping(printerRect, page.Width, page.Height));
    painter.end();
    return sheet;
}

}

TEST(SpoolFilter, PrinterRect)
{
    struct Case {
        TRLPrinterMetrics metrics;
        TRLPageOrientation orientation;
        double width;
        double height;
        TRect expected;
        const char* what;
    };
    const Case cases[] = {
        // A4 at 300 dpi: 210 mm = 2480.31 -> 2480, 297 mm = 3507.87 -> 3508.
        { Metrics(300, 0, 0, 2480, 3508, 2480, 3508), poPortrait, 210, 297, { 0, 0, 2480, 3508 },
            "A4 portrait, no margins" },
        { Metrics(300, 50, 60, 2480, 3508, 2380, 3388), poPortrait, 210, 297, { -50, -60, 2430, 3448 },
            "moved by the unprintable offsets" },
        // Landscape: width from the paper height, moved by (-bottom margin, -offset x).
        { Metrics(300, 50, 60, 3508, 2480, 3388, 2380), poLandscape, 210, 297, { -40, -50, 3468, 2430 },
            "landscape: bottom margin 2480 - 60 - 2380 = 40" },
        // 25.4 mm at 600 dpi is exactly 600; 12.7 mm at 75 dpi is 37.5, which rounds to even 38.
        { Metrics(600, 0, 0, 0, 0, 0, 0), poPortrait, 25.4, 25.4, { 0, 0, 600, 600 }, "one inch" },
        { Metrics(75, 0, 0, 0, 0, 0, 0), poPortrait, 12.7, 38.1, { 0, 0, 38, 112 },
            "halves to even: 37.5 and 112.5" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputePrinterRect(c.metrics, c.orientation, c.width, c.height), c.expected) << c.what;
}

TEST(SpoolFilter, MappingScalesAndNeverShrinksToNothing)
{
    // A4 page (794 x 1123 dots) on a 2480 x 3508 sheet moved by (-50, -60).
    const TRLPrinterMapping mapping(TRect { -50, -60, 2430, 3448 }, kA4Width, kA4Height);
    struct Case {
        TRect page;
        TRect expected;
        const char* what;
    };
    const Case cases[] = {
        { { 0, 0, 794, 1123 }, { -50, -60, 2430, 3448 }, "whole page is the sheet" },
        { { 100, 100, 100, 100 }, { 262, 252, 263, 253 }, "zero size becomes one pixel" },
        { { 10, 20, 11, 21 }, { -19, 2, -16, 6 }, "one dot is a few printer pixels" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(mapping.MapRect(c.page), c.expected) << c.what;

    const TRLPrinterMapping zero(TRect { 0, 0, 500, 700 }, 0, 0);
    EXPECT_EQ(zero.ScaleX(), 1.0) << "a zero page width gives the factor 1";
    EXPECT_EQ(zero.ScaleY(), 1.0);
    EXPECT_EQ(zero.MapPoint(QPoint(7, 9)), QPoint(7, 9));
}

TEST(SpoolFilter, PaintsObjectsScaledAndClipped)
{
    auto pages = MakeStore();
    AddPage(*pages, [](TRLGraphicSurface& page) {
        page.SetBrush(TBrush { clRed, bsSolid });
        page.FillRect(TRect { 0, 0, 397, 100 });
        page.SetClipRect(TRect { 0, 200, 100, 300 });
        page.FillRect(TRect { 0, 200, 794, 300 });
        page.ResetClipRect();
        page.SetPixel(600, 600, clRed);
    });
    // Half scale: the sheet is 397 x 561.5 -> 562 pixels for the 794 x 1123 page.
    const QImage sheet = PaintOnSheet(*pages->Storage->Pages(0), TRect { 0, 0, 397, 562 });
    struct Case {
        QPoint at;
        QColor color;
        const char* what;
    };
    const Case cases[] = {
        { { 0, 0 }, Qt::red, "fill, top left" },
        { { 197, 49 }, Qt::red, "fill, last pixel of the scaled rectangle" },
        { { 199, 49 }, Qt::white, "right of the fill" },
        { { 199, 51 }, Qt::white, "below the fill" },
        { { 20, 120 }, Qt::red, "inside the clip" },
        { { 80, 120 }, Qt::white, "outside the clip" },
        { { 300, 300 }, Qt::red, "pixel object at half scale" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(sheet.pixelColor(c.at), c.color) << c.what;
}

TEST(FilterCommands, NoPrinterAtAllIsAClearError)
{
    // A scheduler socket that does not exist: no printer can be found.
    const QTemporaryDir dir;
    qputenv("CUPS_SERVER", dir.filePath(u"no-cups.sock"_qs).toLocal8Bit());
    auto pages = MakePages(1);
    struct Case {
        QString printer;
        QString expected;
    };
    const Case cases[] = {
        { {}, LocaleText(3) },
        { u"Escritorio"_qs, LocaleText(3) + u": Escritorio"_qs },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { PrintPagesOnPrinter(*pages->Storage, c.printer); }), c.expected)
            << c.printer.toStdString();
    qunsetenv("CUPS_SERVER");
    EXPECT_FALSE(LocaleText(3).isEmpty());
    EXPECT_EQ(pages->Storage->UserCount(), 0);
}

// Every kind of object reaches the sheet at the printer's resolution (here twice the page's):
// each is drawn in its own place in red, and the sheet is red inside it and white beside it.
TEST(SpoolFilter, PaintsEveryObjectKindAtThePrinterResolution)
{
    auto pages = MakeStore();
    AddPage(*pages, [](TRLGraphicSurface& page) {
        page.SetPen(TPen { clRed, 4, psSolid });
        page.SetBrush(TBrush { clRed, bsSolid });
        page.MoveTo(20, 20);
        page.LineTo(200, 20);
        page.Rectangle(20, 60, 120, 100);
        page.Ellipse(140, 60, 240, 100);
        const QPoint triangle[] = { { 260, 60 }, { 360, 60 }, { 260, 100 } };
        page.Polygon(triangle);
        const QPoint corner[] = { { 400, 60 }, { 500, 60 }, { 500, 100 } };
        page.Polyline(corner);
        page.SetPixel(520, 60, clRed);
        page.FillRect(TRect { 540, 60, 580, 100 });
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        page.StretchDraw(TRect { 600, 60, 640, 100 }, red);
        TFont font;
        font.Name = u"Arial"_qs;
        font.SetSize(40);
        font.Color = clRed;
        page.SetFont(font);
        page.TextOutEx(TRect { 20, 140, 400, 220 }, 20, 140, u"HHH"_qs, TRLMetaTextAlignment::Left,
            TRLMetaTextLayout::Top, 0);
    });
    const QImage sheet = PaintOnSheet(*pages->Storage->Pages(0), TRect { 0, 0, 2 * kA4Width, 2 * kA4Height });
    struct Case {
        QPoint at;
        QColor color;
        const char* what;
    };
    const Case cases[] = {
        { { 200, 40 }, Qt::red, "line" },
        { { 200, 50 }, Qt::white, "beside the line (4 dots wide, 8 pixels)" },
        { { 140, 160 }, Qt::red, "rectangle" },
        { { 380, 160 }, Qt::red, "ellipse centre" },
        { { 284, 124 }, Qt::white, "ellipse's cut corner" },
        { { 540, 140 }, Qt::red, "polygon" },
        { { 700, 190 }, Qt::white, "the polygon's open half" },
        { { 1000, 150 }, Qt::red, "polyline's vertical stroke" },
        { { 900, 160 }, Qt::white, "inside the polyline's corner: no fill" },
        { { 1041, 121 }, Qt::red, "pixel, two by two" },
        { { 1120, 160 }, Qt::red, "fill" },
        { { 1240, 160 }, Qt::red, "picture" },
        { { 1290, 160 }, Qt::white, "right of the picture" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(sheet.pixelColor(c.at), c.color) << c.what;
    int redInText = 0;
    for (int y = 280; y < 440; ++y)
        for (int x = 40; x < 800; ++x)
            redInText += sheet.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_GT(redInText, 2000) << "text";
}
