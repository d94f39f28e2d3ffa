#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLPictureData.h"
#include "pages/RLRendering.h"
#include "platform/Canvas.h"

#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QImage WhiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

/// The page painted into (0, 0, width, height) of a white image.
QImage Paint(TRLGraphicSurface& page, int width, int height)
{
    QImage image = WhiteImage(width, height);
    QPainter painter(&image);
    TCanvas canvas(painter);
    page.PaintTo(canvas, { 0, 0, width, height });
    EXPECT_FALSE(painter.hasClipping()) << "clipping must not leak out of PaintTo";
    return image;
}

QImage PaintWith(int width, int height, const std::function<void(TCanvas&)>& draw)
{
    QImage image = WhiteImage(width, height);
    QPainter painter(&image);
    TCanvas canvas(painter);
    draw(canvas);
    return image;
}

bool IsDark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

void SetBlack(TRLMetaPen& pen, int width)
{
    pen.Color = { 0, 0, 0 };
    pen.Width = width;
}

void SetSolid(TRLMetaBrush& brush, quint8 red, quint8 green, quint8 blue)
{
    brush.Color = { red, green, blue };
    brush.Style = MetaBrushStyleSolid;
}

TEST(Rendering, RectangleAndPixelAreAtLeastOneDotAtAnyScale)
{
    TRLGraphicSurface page;
    page.Width = 1000;
    page.Height = 1000;
    auto& rectangle = page.AddObject<TRLRectangleObject>();
    rectangle.BoundsRect = { 10, 10, 14, 14 };
    SetBlack(rectangle.Pen, 1);
    SetSolid(rectangle.Brush, 0, 0, 0);
    auto& pixel = page.AddObject<TRLPixelObject>();
    pixel.BoundsRect = { 50, 50, 51, 51 };
    pixel.Color = { 255, 0, 0 };
    const QImage image = Paint(page, 100, 100);
    EXPECT_EQ(image.pixel(1, 1), kBlack);
    EXPECT_EQ(image.pixel(2, 1), kWhite);
    EXPECT_EQ(image.pixel(1, 2), kWhite);
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(6, 5), kWhite);
}

TEST(Rendering, RectangleOutlineStaysInsideItsExclusiveCorners)
{
    TRLGraphicSurface page;
    page.Width = 40;
    page.Height = 40;
    auto& rectangle = page.AddObject<TRLRectangleObject>();
    rectangle.BoundsRect = { 10, 10, 20, 20 };
    SetBlack(rectangle.Pen, 1);
    SetSolid(rectangle.Brush, 0, 0, 255);
    const QImage image = Paint(page, 40, 40);
    struct Case {
        int x;
        int y;
        QRgb color;
    };
    const Case cases[] = { { 10, 10, kBlack }, { 19, 19, kBlack }, { 19, 15, kBlack }, { 20, 15, kWhite },
        { 15, 20, kWhite }, { 15, 15, qRgb(0, 0, 255) }, { 9, 9, kWhite } };
    for (const Case& c : cases)
        EXPECT_EQ(image.pixel(c.x, c.y), c.color) << c.x << ", " << c.y;
}

TEST(Rendering, ClipSetAndResetWhilePainting)
{
    TRLGraphicSurface page;
    page.Width = 100;
    page.Height = 100;
    TBrush red { clRed, bsSolid };
    TBrush blue { clBlue, bsSolid };
    page.SetClipRect({ 0, 0, 50, 50 });
    page.SetBrush(red);
    page.FillRect({ 0, 0, 100, 100 });
    page.ResetClipRect();
    page.SetBrush(blue);
    page.FillRect({ 60, 60, 100, 100 });
    // Painted at half size: the clip scales with the page.
    const QImage image = Paint(page, 50, 50);
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(24, 24), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(26, 10), kWhite);
    EXPECT_EQ(image.pixel(40, 40), qRgb(0, 0, 255));
    EXPECT_EQ(page.ClipRect(), (TRect { 0, 0, 100, 100 })) << "painting leaves the page's own clip alone";
}

TEST(Rendering, EmptyClipRectangleSwitchesClippingOffUntilItsReset)
{
    TRLGraphicSurface page;
    page.Width = 100;
    page.Height = 100;
    page.SetBrush({ clRed, bsSolid });
    page.SetClipRect({ 10, 10, 20, 20 });
    page.SetClipRect({ 30, 30, 30, 80 });
    page.FillRect({ 0, 0, 100, 50 });
    page.ResetClipRect();
    page.FillRect({ 0, 50, 100, 100 });
    page.ResetClipRect();
    const QImage image = Paint(page, 100, 100);
    EXPECT_EQ(image.pixel(90, 5), qRgb(255, 0, 0)) << "no clipping under the empty rectangle";
    EXPECT_EQ(image.pixel(15, 60), kWhite) << "the outer clip is back after the reset";
}

TEST(Rendering, ZeroWidthPageIsDrawnUnscaledHorizontally)
{
    TRLGraphicSurface page;
    page.Width = 0;
    page.Height = 100;
    page.SetBrush({ clBlack, bsSolid });
    page.FillRect({ 10, 10, 20, 20 });
    const QImage image = Paint(page, 50, 50);
    EXPECT_EQ(image.pixel(15, 7), kBlack);
    EXPECT_EQ(image.pixel(7, 7), kWhite);
    EXPECT_EQ(image.pixel(15, 12), kWhite);
}

TEST(Rendering, PenWidthScalesByTruncationAndOneNeverScales)
{
    struct Case {
        int width;
        double scale;
        int scaled;
    };
    const Case cases[] = { { 1, 2, 1 }, { 1, 0.1, 1 }, { 0, 5, 0 }, { 3, 0.5, 1 }, { 3, 2, 6 }, { 2, 0.4, 1 },
        { 5, 1.19, 5 } };
    for (const Case& c : cases) {
        TPen pen;
        pen.Width = c.width;
        ScalePenWidth(pen, c.scale);
        EXPECT_EQ(pen.Width, c.scaled) << c.width << " x " << c.scale;
    }
}

TEST(Rendering, StoredToolsBecomeCanvasTools)
{
    TRLGraphicSurface page;
    auto& text = page.AddObject<TRLTextObject>();
    text.Font.SetName(QStringLiteral("Liberation Sans"));
    text.Font.Color = { 1, 2, 3 };
    text.Font.Pitch = MetaFontPitchFixed;
    text.Font.Style = 0x0A;
    struct Case {
        int size;
        int fontPixelsPerInch;
        double scaleY;
        int canvasPixelsPerInch;
        int height;
    };
    // 10 points at 96 dpi is 13 pixels; on a 600 dpi printer, 83.
    // Sizes and resolutions from a page file may be absurd: held to 10000 points either way.
    constexpr int kLargest = std::numeric_limits<qint32>::max();
    constexpr int kLowest = std::numeric_limits<qint32>::min();
    const Case cases[] = { { 10, 96, 1, 96, -13 }, { 10, 96, 6.25, 600, -83 }, { 10, 0, 1, 96, -13 },
        { 10, 72, 1, 96, -11 }, { 10, 96, 0.5, 96, -7 }, { 12, 96, 1, 0, -16 },
        { kLargest, 96, 1, 96, -13333 }, { kLowest, 96, 1, 96, 13333 }, { 10, kLargest, 2.5, 96, -13333 },
        { kLargest, 96, 6.25, 600, -83333 } };
    for (const Case& c : cases) {
        text.Font.Size = c.size;
        text.Font.PixelsPerInch = c.fontPixelsPerInch;
        QImage image = WhiteImage(1, 1);
        QPainter painter(&image);
        TCanvas canvas(painter);
        canvas.FontPixelsPerInch = c.canvasPixelsPerInch;
        ToCanvasFont(text.Font, canvas, c.scaleY);
        EXPECT_EQ(canvas.Font.Height, c.height) << c.size << " pt, scale " << c.scaleY;
        canvas.SmoothText = true;
        ToCanvasFont(text.Font, canvas, c.scaleY);
        EXPECT_NEAR(canvas.FontPixelSize, -c.height, 1.0)
            << c.size << " pt, scale " << c.scaleY << " on screen";
        EXPECT_EQ(canvas.Font.Name, QStringLiteral("Liberation Sans"));
        EXPECT_EQ(canvas.Font.Color, RGBColor(1, 2, 3));
        EXPECT_EQ(canvas.Font.Pitch, fpFixed);
        EXPECT_EQ(canvas.Font.Style, fsItalic | fsStrikeOut);
    }

    TRLMetaPen metaPen;
    metaPen.Color = { 10, 20, 30 };
    metaPen.Mode = MetaPenModeXor;
    metaPen.Style = MetaPenStyleDashDot;
    metaPen.Width = 4;
    TPen pen;
    ToCanvasPen(metaPen, pen);
    EXPECT_EQ(pen, (TPen { RGBColor(10, 20, 30), 4, psDashDot, pmXor }));
    metaPen.Mode = MetaPenModeMerge;
    metaPen.Style = 99;
    ToCanvasPen(metaPen, pen);
    EXPECT_EQ(pen.Mode, pmMerge);
    metaPen.Mode = 17;
    ToCanvasPen(metaPen, pen);
    EXPECT_EQ(pen.Mode, pmCopy) << "an unknown stored mode draws as copy";
    EXPECT_EQ(pen.Style, psSolid);

    TRLMetaBrush metaBrush;
    metaBrush.Color = { 5, 6, 7 };
    metaBrush.Style = MetaBrushStyleClear;
    TBrush brush;
    ToCanvasBrush(metaBrush, brush);
    EXPECT_EQ(brush, (TBrush { RGBColor(5, 6, 7), bsClear }));
}

// Liberation Mono advances 0.6 em, so at 15 points (20 pixels) every character is 12 pixels
// wide and " " puts 6 in front of the text.
class AlignedText : public testing::Test {
protected:
    static constexpr int kPoints = 15;

    static QImage PaintText(TRLMetaTextAlignment alignment, TRLMetaTextLayout layout, const QString& text,
        QPoint origin = { 0, 0 }, quint16 flags = kTextFlagNoClip)
    {
        TRLGraphicSurface page;
        page.Width = 200;
        page.Height = 60;
        auto& object = page.AddObject<TRLTextObject>();
        object.BoundsRect = { 0, 0, 100, 40 };
        object.Origin = origin;
        object.Text = text;
        object.Alignment = alignment;
        object.Layout = layout;
        object.TextFlags = flags;
        object.Brush.Style = MetaBrushStyleClear;
        object.Font.SetName(QStringLiteral("Liberation Mono"));
        object.Font.PixelsPerInch = 96;
        object.Font.Size = kPoints;
        return Paint(page, 200, 60);
    }

    static QImage Reference(int x, int y, const QString& text)
    {
        return PaintWith(200, 60, [&](TCanvas& canvas) {
            canvas.Font.Name = QStringLiteral("Liberation Mono");
            canvas.Font.Height = -20;
            canvas.Font.Color = clBlack;
            canvas.Brush.Style = bsClear;
            canvas.TextOut(x, y, text);
        });
    }

    static int CellHeight()
    {
        int height = 0;
        PaintWith(1, 1, [&](TCanvas& canvas) {
            canvas.Font.Name = QStringLiteral("Liberation Mono");
            canvas.Font.Height = -20;
            height = canvas.TextHeight(u"x");
            EXPECT_EQ(canvas.TextWidth(u"ab "), 36) << "the font these cases assume";
        });
        return height;
    }
};

TEST_F(AlignedText, RightCenterAndLeftStartWhereTheRuleSays)
{
    struct Case {
        const char* what;
        TRLMetaTextAlignment alignment;
        QPoint origin;
        int x;
    };
    // "ab" + " " is 36 wide: right 100 - 36 + 6, centre (0 + 100 - 36) div 2 + 6, left origin + 6.
    const Case cases[] = { { "right", TRLMetaTextAlignment::Right, { 0, 0 }, 70 },
        { "center", TRLMetaTextAlignment::Center, { 0, 0 }, 38 },
        { "left", TRLMetaTextAlignment::Left, { 10, 5 }, 16 },
        { "unknown alignment code", TRLMetaTextAlignment(9), { 10, 5 }, 16 } };
    CellHeight();
    for (const Case& c : cases) {
        const QImage drawn = PaintText(c.alignment, TRLMetaTextLayout::Top, QStringLiteral("ab"), c.origin);
        EXPECT_TRUE(drawn == Reference(c.x, c.origin.y(), QStringLiteral("ab"))) << c.what;
        EXPECT_FALSE(drawn == Reference(c.x + 1, c.origin.y(), QStringLiteral("ab"))) << c.what;
    }
}

TEST_F(AlignedText, BottomAndCenterLayouts)
{
    const int height = CellHeight();
    EXPECT_TRUE(PaintText(TRLMetaTextAlignment::Left, TRLMetaTextLayout::Bottom, QStringLiteral("ab"))
        == Reference(6, 40 - height, QStringLiteral("ab")));
    EXPECT_TRUE(PaintText(TRLMetaTextAlignment::Left, TRLMetaTextLayout::Center, QStringLiteral("ab"))
        == Reference(6, (40 - height) / 2, QStringLiteral("ab")));
}

TEST_F(AlignedText, JustifiedTextWidensItsGapUntilTheLineIsFull)
{
    CellHeight();
    // Available 100 - 6 = 94: blanks go in while text + " " is at most 94 wide (48, 60, 72, 84).
    EXPECT_TRUE(PaintText(TRLMetaTextAlignment::Justify, TRLMetaTextLayout::Top, QStringLiteral("a b"))
        == Reference(6, 0, QStringLiteral("a     b")));
    EXPECT_TRUE(PaintText(TRLMetaTextAlignment::Justify, TRLMetaTextLayout::Top, QStringLiteral("word"))
        == PaintText(TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, QStringLiteral("word")))
        << "one word is drawn as left-aligned";
}

TEST_F(AlignedText, ClippedUnlessTheNoClipFlagIsSet)
{
    const QString wide = QStringLiteral("abcdefghijklmn");
    const QImage clipped = PaintText(TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, wide, { 0, 0 }, 4);
    const QImage free = PaintText(TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, wide, { 0, 0 }, 5);
    bool inkBeyondClipped = false;
    bool inkBeyondFree = false;
    for (int x = 100; x < 200; ++x) {
        for (int y = 0; y < 40; ++y) {
            inkBeyondClipped = inkBeyondClipped || IsDark(clipped, x, y);
            inkBeyondFree = inkBeyondFree || IsDark(free, x, y);
        }
    }
    EXPECT_FALSE(inkBeyondClipped);
    EXPECT_TRUE(inkBeyondFree);
}

/// Which dots of row y..y+2 between x 0 and `width` are dark, as a string of '#' and '.'.
QString DarkRun(const QImage& image, int width, int y)
{
    QString run;
    for (int x = 0; x < width; ++x) {
        bool dark = false;
        for (int dy = -1; dy <= 1; ++dy)
            dark = dark || IsDark(image, x, y + dy);
        run.append(dark ? u'#' : u'.');
    }
    return run;
}

TEST(Rendering, WideDashedLineLaysOutItsOwnPattern)
{
    TRLGraphicSurface page;
    page.Width = 120;
    page.Height = 20;
    auto& line = page.AddObject<TRLLineObject>();
    line.FromPoint = { 100, 10 };
    line.ToPoint = { 0, 10 };
    SetBlack(line.Pen, 2);
    line.Pen.Style = MetaPenStyleDash;
    line.Brush.Style = MetaBrushStyleClear;
    const QString run = DarkRun(Paint(page, 120, 20), 120, 10);
    // Width 2: a unit is 8 dots, so dashes of 24 and gaps of 8 from x = 100 toward 0.
    struct Segment {
        int from;
        int to;
        bool dark;
    };
    const Segment segments[] = { { 77, 99, true }, { 69, 75, false }, { 45, 67, true }, { 37, 43, false },
        { 13, 35, true }, { 5, 11, false }, { 0, 3, true }, { 102, 119, false } };
    for (const Segment& s : segments) {
        for (int x = s.from; x <= s.to; ++x)
            EXPECT_EQ(run[x] == u'#', s.dark) << "x = " << x << " in " << run.toStdString();
    }
}

TEST(Rendering, DashedLineGapsShowTheBrushColour)
{
    TRLGraphicSurface page;
    page.Width = 120;
    page.Height = 20;
    auto& line = page.AddObject<TRLLineObject>();
    line.FromPoint = { 100, 10 };
    line.ToPoint = { 0, 10 };
    SetBlack(line.Pen, 2);
    line.Pen.Style = MetaPenStyleDot;
    SetSolid(line.Brush, 255, 0, 0);
    const QImage image = Paint(page, 120, 20);
    auto colorNear = [&](int x) {
        for (int y = 9; y <= 11; ++y) {
            if (image.pixel(x, y) != kWhite)
                return image.pixel(x, y);
        }
        return kWhite;
    };
    // Dots of 8, gaps of 8: 100..92 dark, 92..84 red.
    EXPECT_EQ(colorNear(96), kBlack);
    EXPECT_EQ(colorNear(88), qRgb(255, 0, 0));
    EXPECT_EQ(colorNear(80), kBlack);
}

TEST(Rendering, EachOfTheSixteenPenModesCombinesWithTheDestination)
{
    // Each mode draws one line of a stored page over a coloured destination.
    const quint32 pen = 0xCCAA55;
    const quint32 destination = 0xF00F33;
    const std::function<quint32(quint32, quint32)> expected[kPenModeCount] = {
        [](quint32, quint32) { return 0u; },
        [](quint32, quint32) { return 0xFFFFFFu; },
        [](quint32, quint32 d) { return d; },
        [](quint32, quint32 d) { return ~d; },
        [](quint32 p, quint32) { return p; },
        [](quint32 p, quint32) { return ~p; },
        [](quint32 p, quint32 d) { return p | ~d; },
        [](quint32 p, quint32 d) { return p & ~d; },
        [](quint32 p, quint32 d) { return ~p | d; },
        [](quint32 p, quint32 d) { return ~p & d; },
        [](quint32 p, quint32 d) { return p | d; },
        [](quint32 p, quint32 d) { return ~(p | d); },
        [](quint32 p, quint32 d) { return p & d; },
        [](quint32 p, quint32 d) { return ~(p & d); },
        [](quint32 p, quint32 d) { return p ^ d; },
        [](quint32 p, quint32 d) { return ~(p ^ d); },
    };
    TRLGraphicSurface page;
    page.Width = 20;
    page.Height = 2 * kPenModeCount;
    page.Open();
    for (int mode = 0; mode < kPenModeCount; ++mode) {
        page.SetPen({ RGBColor(0xCC, 0xAA, 0x55), 1, psSolid, TPenMode(mode) });
        page.MoveTo(0, 2 * mode);
        page.LineTo(20, 2 * mode);
    }
    QImage image(20, 2 * kPenModeCount, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0x0F, 0x33));
    {
        QPainter painter(&image);
        TCanvas canvas(painter);
        page.PaintTo(canvas, { 0, 0, 20, 2 * kPenModeCount });
    }
    for (int mode = 0; mode < kPenModeCount; ++mode)
        EXPECT_EQ(image.pixel(10, 2 * mode) & 0xFFFFFF, expected[mode](pen, destination) & 0xFFFFFF)
            << "mode " << mode;
}

TEST(Rendering, ThinDashedLineIsLeftToTheDevice)
{
    const QImage image = PaintWith(60, 20, [](TCanvas& canvas) {
        canvas.Pen = { clBlack, 1, psSolid, pmCopy };
        canvas.MoveTo(0, 10);
        StyledLineTo(canvas, 50, 10);
        EXPECT_EQ(canvas.PenPos(), QPoint(50, 10));
    });
    EXPECT_EQ(image.pixel(0, 10), kBlack);
    EXPECT_EQ(image.pixel(49, 10), kBlack);
    EXPECT_EQ(image.pixel(50, 10), kWhite) << "the end point is not drawn";
}

TEST(Rendering, IntegralWidthDrawsWholeCopiesOfThePicture)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QByteArray data = BitmapPictureData(picture);
    const QImage integral = PaintWith(60, 20, [&](TCanvas& canvas) {
        DrawPicture(canvas, { 0, 0, 35, 10 }, data, true);
    });
    // Three copies fit in 35: the picture is stretched over 0 .. 31.
    EXPECT_EQ(integral.pixel(30, 5), kBlack);
    EXPECT_EQ(integral.pixel(32, 5), kWhite);
    const QImage stretched = PaintWith(60, 20, [&](TCanvas& canvas) {
        DrawPicture(canvas, { 0, 0, 35, 10 }, data, false);
    });
    EXPECT_EQ(stretched.pixel(34, 5), kBlack);
    const QImage nothing = PaintWith(60, 20, [&](TCanvas& canvas) {
        DrawPicture(canvas, { 0, 0, 35, 10 }, "NIL", false);
    });
    EXPECT_EQ(nothing, WhiteImage(60, 20));
}

TEST(Rendering, AnyNonZeroIntegralWidthByteDrawsWholeCopies)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (const quint8 flag : { 1, 2, 0xFF }) {
        TRLGraphicSurface page;
        page.Width = 60;
        page.Height = 20;
        auto& image = page.AddObject<TRLImageObject>();
        image.BoundsRect = { 0, 0, 35, 10 };
        image.Data = BitmapPictureData(picture);
        image.IntegralWidth = flag;
        const QImage drawn = Paint(page, 60, 20);
        EXPECT_EQ(drawn.pixel(30, 5), kBlack) << int(flag);
        EXPECT_EQ(drawn.pixel(32, 5), kWhite) << int(flag);
    }
}

TEST(Rendering, ShapesAreFilledAndOutlined)
{
    TRLGraphicSurface page;
    page.Width = 100;
    page.Height = 100;
    auto& polygon = page.AddObject<TRLPolygonObject>();
    polygon.Points = { { 10, 10 }, { 40, 10 }, { 10, 40 } };
    SetBlack(polygon.Pen, 1);
    SetSolid(polygon.Brush, 0, 255, 0);
    auto& ellipse = page.AddObject<TRLEllipseObject>();
    ellipse.BoundsRect = { 50, 50, 90, 90 };
    SetBlack(ellipse.Pen, 1);
    SetSolid(ellipse.Brush, 0, 0, 255);
    auto& polyline = page.AddObject<TRLPolylineObject>();
    polyline.Points = { { 60, 10 }, { 90, 10 }, { 90, 40 } };
    SetBlack(polyline.Pen, 1);
    const QImage image = Paint(page, 100, 100);
    EXPECT_EQ(image.pixel(15, 15), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(35, 35), kWhite);
    EXPECT_EQ(image.pixel(70, 70), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(51, 51), kWhite) << "outside the ellipse";
    EXPECT_EQ(image.pixel(75, 10), kBlack);
    EXPECT_EQ(image.pixel(90, 25), kBlack);
    EXPECT_EQ(image.pixel(75, 25), kWhite) << "a polyline is never filled";
}

TEST(Rendering, ApplyClipRectReplacesAndZeroSizeRemoves)
{
    const QImage image = PaintWith(40, 40, [](TCanvas& canvas) {
        canvas.Brush = { clBlack, bsSolid };
        ApplyClipRect(canvas, { 0, 0, 10, 10 });
        ApplyClipRect(canvas, { 20, 20, 30, 30 });
        canvas.FillRect({ 0, 0, 40, 40 });
        EXPECT_TRUE(canvas.Painter().hasClipping());
        ApplyClipRect(canvas, { 5, 5, 5, 30 });
        EXPECT_FALSE(canvas.Painter().hasClipping());
    });
    EXPECT_EQ(image.pixel(5, 5), kWhite) << "the first clip was replaced, not intersected";
    EXPECT_EQ(image.pixel(25, 25), kBlack);
}

} // namespace
