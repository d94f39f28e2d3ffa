#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLPictureData.h"
#include "tests/common/TestHelpers.h"
#include "tests/pages/PageTestSupport.h"

#include <gtest/gtest.h>

namespace {

template<class T> const T& ObjectAs(const TRLGraphicSurface& page, int index)
{
    const auto* object = dynamic_cast<const T*>(page.Objects(index));
    if (!object)
        throw std::runtime_error("unexpected object kind");
    return *object;
}

TRLTextObject& AddText(TRLGraphicSurface& page, int top, int bottom, quint16 flags)
{
    page.TextOutEx({ 0, top, 100, bottom }, 0, top, QStringLiteral("x"), TRLMetaTextAlignment::Left,
        TRLMetaTextLayout::Top, flags);
    return const_cast<TRLTextObject&>(ObjectAs<TRLTextObject>(page, page.ObjectCount() - 1));
}

TEST(Surface, NewPageToolsAreWhiteBrushBlackPenBlackFont)
{
    TRLGraphicSurface page;
    EXPECT_EQ(page.Brush().Color, clWhite);
    EXPECT_EQ(page.Pen().Color, clBlack);
    EXPECT_EQ(page.Font().Color, clBlack);
    EXPECT_EQ(page.PageIndex(), -1);
    EXPECT_FALSE(page.Opened());
}

TEST(Surface, DrawingOpensThePageAndMarksItModified)
{
    TRLGraphicSurface page;
    page.Width = 50;
    page.Height = 60;
    page.FillRect({ 1, 1, 2, 2 });
    EXPECT_TRUE(page.Opened());
    EXPECT_TRUE(page.Modified());
    EXPECT_EQ(page.ClipRect(), (TRect { 0, 0, 50, 60 }));
}

TEST(Surface, PolygonOfOnePointHasBoundsWidenedByOne)
{
    TRLGraphicSurface page;
    const QPoint point(10, 20);
    page.Polygon(std::span(&point, 1));
    EXPECT_EQ(page.Objects(0)->BoundsRect, (TRect { 9, 19, 11, 21 }));
}

TEST(Surface, NewDrawingOperationsMakeTheirObjects)
{
    TRLGraphicSurface page;
    TPen pen;
    pen.Width = 3;
    pen.Style = psDash;
    pen.Color = clRed;
    page.SetPen(pen);
    page.MoveTo(5, 6);
    page.LineTo(50, 6);
    page.Ellipse(1, 2, 30, 40);
    page.SetPixel(7, 8, clBlue);
    const QPoint points[] = { { 0, 0 }, { 10, 5 }, { 20, 0 } };
    page.Polyline(points);
    ASSERT_EQ(page.ObjectCount(), 4);

    const auto& line = ObjectAs<TRLLineObject>(page, 0);
    EXPECT_EQ(line.FromPoint, QPoint(5, 6));
    EXPECT_EQ(line.ToPoint, QPoint(50, 6));
    EXPECT_EQ(line.BoundsRect, (TRect { 4, 5, 51, 7 }));
    EXPECT_EQ(line.Pen.Width, 3);
    EXPECT_EQ(line.Pen.Style, MetaPenStyleDash);
    EXPECT_EQ(line.Pen.Color, (TRLStoredColor { 255, 0, 0 }));
    EXPECT_EQ(page.PenPos(), QPoint(50, 6));

    const auto& ellipse = ObjectAs<TRLEllipseObject>(page, 1);
    EXPECT_EQ(ellipse.BoundsRect, (TRect { 1, 2, 30, 40 }));
    EXPECT_EQ(ellipse.Brush.Color, (TRLStoredColor { 255, 255, 255 }));

    const auto& pixel = ObjectAs<TRLPixelObject>(page, 2);
    EXPECT_EQ(pixel.BoundsRect, (TRect { 7, 8, 8, 9 }));
    EXPECT_EQ(pixel.Color, (TRLStoredColor { 0, 0, 255 }));

    const auto& polyline = ObjectAs<TRLPolylineObject>(page, 3);
    EXPECT_EQ(polyline.Points.size(), 3u);
    EXPECT_EQ(polyline.BoundsRect, (TRect { -1, -1, 21, 6 }));
}

TEST(Surface, TextTakesTheCurrentFontIntoThePagesFontTable)
{
    TRLGraphicSurface page;
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = -13;
    font.Style = fsBold | fsUnderline;
    page.SetFont(font);
    page.TextOutEx({ 0, 0, 10, 10 }, 1, 2, QStringLiteral("a"), TRLMetaTextAlignment::Right,
        TRLMetaTextLayout::Center, 4);
    font.Name = QStringLiteral("Courier New");
    page.SetFont(font);
    page.TextOutEx(
        { 0, 0, 10, 10 }, 1, 2, QStringLiteral("b"), TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 5);
    font.Name = QStringLiteral("arial");
    page.SetFont(font);
    page.TextOutEx(
        { 0, 0, 10, 10 }, 1, 2, QStringLiteral("c"), TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 5);
    EXPECT_EQ(page.FontNames(), (QStringList { QStringLiteral("Arial"), QStringLiteral("Courier New") }));
    const auto& first = ObjectAs<TRLTextObject>(page, 0);
    EXPECT_EQ(first.Font.NameIndex, 0);
    EXPECT_EQ(first.Font.Size, 10);
    EXPECT_EQ(first.Font.Height, -13);
    EXPECT_EQ(first.Font.PixelsPerInch, 96);
    EXPECT_EQ(first.Font.Style, 0x05);
    EXPECT_EQ(first.Alignment, TRLMetaTextAlignment::Right);
    EXPECT_EQ(first.Layout, TRLMetaTextLayout::Center);
    EXPECT_EQ(ObjectAs<TRLTextObject>(page, 1).Font.NameIndex, 1);
    EXPECT_EQ(ObjectAs<TRLTextObject>(page, 2).Font.NameIndex, 0);
}

TEST(Surface, FindFreeRowStepsAboveKeepWholeTexts)
{
    struct Span {
        int top;
        int bottom;
        quint16 flags;
    };
    struct Case {
        const char* what;
        std::vector<Span> texts;
        int row;
        int freeRow;
        bool found;
    };
    const Case cases[] = {
        { "two overlapping keep-whole texts", { { 90, 110, 4 }, { 80, 95, 4 } }, 100, 80, true },
        { "no texts", {}, 100, 100, true },
        { "a text from the top", { { 0, 120, 4 } }, 100, 0, false },
        { "text without keep-whole", { { 90, 110, 1 } }, 100, 100, true },
        { "cut at a text's top", { { 100, 110, 4 } }, 100, 100, true },
        { "cut at a text's bottom", { { 90, 100, 5 } }, 100, 100, true },
        { "chain found on a later pass", { { 80, 95, 4 }, { 90, 110, 4 } }, 100, 80, true },
        { "row zero", {}, 0, 0, false },
    };
    for (const Case& c : cases) {
        TRLGraphicSurface page;
        for (const Span& span : c.texts)
            AddText(page, span.top, span.bottom, span.flags);
        int freeRow = -99;
        EXPECT_EQ(page.FindFreeRow(c.row, freeRow), c.found) << c.what;
        EXPECT_EQ(freeRow, c.freeRow) << c.what;
    }
}

TEST(Surface, ClipRectanglesNestAndResetRecordsTheEndedOne)
{
    TRLGraphicSurface page;
    page.Width = 200;
    page.Height = 300;
    page.SetClipRect({ 10, 10, 100, 100 });
    page.SetClipRect({ 20, 20, 50, 50 });
    page.ResetClipRect();
    EXPECT_EQ(page.ClipRect(), (TRect { 10, 10, 100, 100 }));
    page.ResetClipRect();
    EXPECT_EQ(page.ClipRect(), (TRect { 0, 0, 200, 300 }));
    ASSERT_EQ(page.ObjectCount(), 4);
    EXPECT_EQ(page.Objects(0)->Kind(), TRLObjectKind::SetClipRect);
    EXPECT_EQ(page.Objects(0)->BoundsRect, (TRect { 10, 10, 100, 100 }));
    EXPECT_EQ(page.Objects(2)->Kind(), TRLObjectKind::ResetClipRect);
    EXPECT_EQ(page.Objects(2)->BoundsRect, (TRect { 20, 20, 50, 50 }));
    EXPECT_EQ(page.Objects(3)->BoundsRect, (TRect { 10, 10, 100, 100 }));
}

TEST(Surface, DisplayTextExpandsMacros)
{
    UseTestTempDir();
    TRLGraphicStorage store;
    store.SetFirstPageNumber(1);
    store.SetLastPageNumber(3);
    store.Macros().SetValue(QStringLiteral("Loop"), QStringLiteral("{FirstPageNumber}"));
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        { "Page {FirstPageNumber} of {LastPageNumber}", "Page 1 of 3" },
        { "{Unknown} {LastPageNumber}", "{Unknown} 3" },
        { "open { without close {LastPageNumber", "open { without close {LastPageNumber" },
        { "{lastpagenumber}", "3" },
        { "{Loop}", "{FirstPageNumber}" },
        // The name runs from the first "{" to the next "}", so nested braces name nothing.
        { "{{LastPageNumber}}", "{{LastPageNumber}}" },
        { "{Orientation}", "2" },
        { "", "" },
    };
    auto page = std::make_unique<TRLGraphicSurface>();
    page->SetOrientation(TRLPageOrientation::poLandscape);
    store.Macros().SetValue(QStringLiteral("Orientation"), QStringLiteral("1"));
    for (const Case& c : cases)
        page->AddObject<TRLTextObject>().Text = QString::fromUtf8(c.text);
    TRLGraphicSurface* stored = store.Add(std::move(page));
    for (int i = 0; i < stored->ObjectCount(); ++i)
        EXPECT_EQ(ObjectAs<TRLTextObject>(*stored, i).DisplayText(), QString::fromUtf8(cases[i].shown))
            << cases[i].text;
}

TEST(Surface, DisplayTextWithoutAStoreUsesThePageMacrosOnly)
{
    TRLGraphicSurface page;
    page.Macros().SetValue(QStringLiteral("PaperWidth"), QStringLiteral("210"));
    auto& text = page.AddObject<TRLTextObject>();
    text.Text = QStringLiteral("{PaperWidth} {LastPageNumber}");
    EXPECT_EQ(text.DisplayText(), QStringLiteral("210 {LastPageNumber}"));
}

TEST(Surface, InflateRoundsHalvesToEven)
{
    TRLGraphicSurface page;
    auto& rectangle = page.AddObject<TRLRectangleObject>();
    rectangle.BoundsRect = { 10, 10, 21, 20 };
    rectangle.Pen.Width = 1;
    rectangle.Inflate(2, 0.5);
    EXPECT_EQ(rectangle.BoundsRect, (TRect { 20, 5, 42, 10 }));
    EXPECT_EQ(rectangle.Pen.Width, 2);

    struct Case {
        int value;
        double scale;
        int rounded;
    };
    // Halves go to the even neighbour; the pen never thins below one dot unless it was 0.
    const Case cases[]
        = { { 5, 0.5, 2 }, { 7, 0.5, 4 }, { -5, 0.5, -2 }, { 3, 0.5, 2 }, { 1, 0.5, 0 }, { 9, 1.5, 14 } };
    for (const Case& c : cases) {
        auto& text = page.AddObject<TRLTextObject>();
        text.BoundsRect = { c.value, 0, 0, c.value };
        text.Origin = { c.value, c.value };
        text.Font.Size = c.value;
        text.Inflate(c.scale, c.scale);
        EXPECT_EQ(text.BoundsRect.Left, c.rounded) << c.value << " x " << c.scale;
        EXPECT_EQ(text.BoundsRect.Bottom, c.rounded) << c.value << " x " << c.scale;
        EXPECT_EQ(text.Origin, QPoint(c.rounded, c.rounded)) << c.value << " x " << c.scale;
        EXPECT_EQ(text.Font.Size, c.rounded) << c.value << " x " << c.scale;
    }
    auto& thin = page.AddObject<TRLLineObject>();
    thin.Pen.Width = 1;
    thin.Inflate(0.1, 0.1);
    EXPECT_EQ(thin.Pen.Width, 1);
    auto& hairline = page.AddObject<TRLPolygonObject>();
    hairline.Pen.Width = 0;
    hairline.Points = { { 3, 5 } };
    hairline.Inflate(4, 2);
    EXPECT_EQ(hairline.Pen.Width, 0);
    EXPECT_EQ(hairline.Points.front(), QPoint(12, 10));
}

TEST(Surface, DrawSurfaceClonesAndMovesLeavingTheSourceAlone)
{
    TRLGraphicSurface band;
    band.Rectangle(1, 2, 11, 12);
    const QPoint points[] = { { 0, 0 }, { 4, 4 } };
    band.Polyline(points);
    band.TextOutEx(
        { 0, 0, 20, 10 }, 3, 4, QStringLiteral("t"), TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 4);
    TRLGraphicSurface page;
    page.DrawSurface(100, 200, band);
    ASSERT_EQ(page.ObjectCount(), 3);
    EXPECT_EQ(page.Objects(0)->BoundsRect, (TRect { 101, 202, 111, 212 }));
    EXPECT_EQ(ObjectAs<TRLPolylineObject>(page, 1).Points.back(), QPoint(104, 204));
    EXPECT_EQ(ObjectAs<TRLTextObject>(page, 2).Origin, QPoint(103, 204));
    EXPECT_EQ(band.Objects(0)->BoundsRect, (TRect { 1, 2, 11, 12 }));
    EXPECT_EQ(ObjectAs<TRLPolylineObject>(band, 1).Points.back(), QPoint(4, 4));
    EXPECT_EQ(page.FontNames(), band.FontNames());

    page.DrawSurface(0, 0, page);
    EXPECT_EQ(page.ObjectCount(), 6);
}

TEST(Surface, CopyRectScalesTheObjectsThatMeetTheSourceUnderAClip)
{
    TRLGraphicSurface source;
    source.FillRect({ 10, 10, 20, 20 });
    source.FillRect({ 200, 200, 210, 210 });
    source.MoveTo(0, 50);
    source.LineTo(100, 50);
    TRLGraphicSurface page;
    page.Width = 1000;
    page.Height = 1000;
    page.CopyRect({ 300, 400, 500, 600 }, source, { 0, 0, 100, 100 });
    ASSERT_EQ(page.ObjectCount(), 4);
    EXPECT_EQ(page.Objects(0)->Kind(), TRLObjectKind::SetClipRect);
    EXPECT_EQ(page.Objects(0)->BoundsRect, (TRect { 300, 400, 500, 600 }));
    EXPECT_EQ(page.Objects(1)->BoundsRect, (TRect { 320, 420, 340, 440 }));
    const auto& line = ObjectAs<TRLLineObject>(page, 2);
    EXPECT_EQ(line.FromPoint, QPoint(300, 500));
    EXPECT_EQ(line.ToPoint, QPoint(500, 500));
    EXPECT_EQ(page.Objects(3)->Kind(), TRLObjectKind::ResetClipRect);
    EXPECT_EQ(page.Objects(3)->BoundsRect, (TRect { 300, 400, 500, 600 }));
    EXPECT_EQ(page.ClipRect(), (TRect { 0, 0, 1000, 1000 }));
}

TEST(Surface, ScaleDrawAndClipDrawPlaceThePicture)
{
    QImage wide(100, 50, QImage::Format_RGB32);
    wide.fill(Qt::red);
    QImage small(20, 20, QImage::Format_RGB32);
    small.fill(Qt::blue);
    struct Case {
        const char* what;
        std::function<void(TRLGraphicSurface&)> draw;
        TRect bounds;
        QSize stored;
    };
    const Case cases[] = {
        { "scaled to the width",
            [&](TRLGraphicSurface& p) {
                p.ScaleDraw({ 0, 0, 50, 50 }, wide, false);
            },
            { 0, 0, 50, 25 }, { 100, 50 } },
        { "scaled and centred",
            [&](TRLGraphicSurface& p) {
                p.ScaleDraw({ 0, 0, 50, 50 }, wide, true);
            },
            { 0, 12, 50, 37 }, { 100, 50 } },
        { "clipped at natural size",
            [&](TRLGraphicSurface& p) {
                p.ClipDraw({ 10, 10, 60, 30 }, wide, false);
            },
            { 10, 10, 60, 30 }, { 50, 20 } },
        { "small picture centred",
            [&](TRLGraphicSurface& p) {
                p.ClipDraw({ 10, 10, 110, 110 }, small, true);
            },
            { 50, 50, 70, 70 }, { 20, 20 } },
        { "drawn at a point", [&](TRLGraphicSurface& p) { p.Draw(5, 6, small); }, { 5, 6, 25, 26 },
            { 20, 20 } },
    };
    for (const Case& c : cases) {
        TRLGraphicSurface page;
        c.draw(page);
        ASSERT_EQ(page.ObjectCount(), 1) << c.what;
        const auto& image = ObjectAs<TRLImageObject>(page, 0);
        EXPECT_EQ(image.BoundsRect, c.bounds) << c.what;
        EXPECT_EQ(image.IntegralWidth, 0) << c.what;
        EXPECT_TRUE(image.Data.startsWith("BMPBM")) << c.what;
        EXPECT_EQ(DecodePictureData(image.Data).size(), c.stored) << c.what;
    }
    TRLGraphicSurface page;
    page.ClipDraw({ 500, 500, 600, 600 }, small, false);
    page.ClipDraw({ 0, 0, 0, 10 }, small, false);
    EXPECT_EQ(page.ObjectCount(), 1) << "only the picture that meets its rectangle is drawn";
}

TEST(Surface, PictureDataTagsAndDecoding)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::green);
    EXPECT_EQ(BitmapPictureData(QImage()), QByteArray("NIL"));
    EXPECT_TRUE(DecodePictureData("NIL").isNull());
    EXPECT_TRUE(DecodePictureData("JPG\xFF\xD8").isNull());
    EXPECT_EQ(DecodePictureData(BitmapPictureData(picture)).pixelColor(2, 1), QColor(Qt::green));
    EXPECT_EQ(ErrorOf([] { DecodePictureData("BMP\x89PNG"); }),
        QStringLiteral("Picture data tagged BMP does not hold a BMP file"));
}

TEST(Surface, PictureDataFollowsChangesToTheSamePicture)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QImage copy = picture;
    const QByteArray green = BitmapPictureData(picture);
    EXPECT_EQ(BitmapPictureData(copy), green);
    // Changed in place, through pixel access, and a copy changed apart from its original.
    picture.fill(Qt::red);
    EXPECT_EQ(DecodePictureData(BitmapPictureData(picture)).pixelColor(0, 0), QColor(Qt::red));
    picture.setPixelColor(1, 1, Qt::blue);
    EXPECT_EQ(DecodePictureData(BitmapPictureData(picture)).pixelColor(1, 1), QColor(Qt::blue));
    reinterpret_cast<QRgb*>(picture.bits())[0] = qRgb(0, 0, 0);
    EXPECT_EQ(DecodePictureData(BitmapPictureData(picture)).pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(BitmapPictureData(copy), green);
    // Another picture of another size.
    QImage other(1, 1, QImage::Format_RGB32);
    other.fill(Qt::yellow);
    EXPECT_EQ(DecodePictureData(BitmapPictureData(other)).size(), QSize(1, 1));
}

TEST(Surface, AssignAcrossPagesCopiesTheFontByNameAndTheArrays)
{
    TRLGraphicSurface first;
    first.FontIndex(QStringLiteral("Other"));
    auto& text = first.AddObject<TRLTextObject>();
    text.Font.SetName(QStringLiteral("Arial"));
    auto& polygon = first.AddObject<TRLPolygonObject>();
    polygon.Points = { { 1, 1 } };
    TRLGraphicSurface second;
    const auto* copy = static_cast<const TRLTextObject*>(text.Clone(second));
    EXPECT_EQ(copy->Font.Name(), QStringLiteral("Arial"));
    EXPECT_EQ(copy->Font.NameIndex, 0);
    auto* polygonCopy = static_cast<TRLPolygonObject*>(polygon.Clone(second));
    polygonCopy->Offset(5, 5);
    EXPECT_EQ(polygon.Points.front(), QPoint(1, 1));
    EXPECT_EQ(polygonCopy->Points.front(), QPoint(6, 6));
    EXPECT_EQ(ErrorOf([&] { polygonCopy->Assign(text); }),
        QStringLiteral("Cannot assign a drawing object of kind 4 to one of kind 7"));
}

TEST(Surface, GroupIdIsTheCounterAtCreation)
{
    TRLGraphicSurface page;
    const int group = NewGroupId();
    EXPECT_EQ(NewGroupId(), group + 1);
    page.FillRect({ 0, 0, 1, 1 });
    page.FillRect({ 0, 0, 1, 1 });
    EXPECT_EQ(page.Objects(0)->GroupId, group + 1);
    EXPECT_EQ(page.Objects(1)->GroupId, group + 1);
    EXPECT_EQ(page.Objects(0)->Reserved, 0);
}

TEST(Surface, ClearEmptiesObjectsFontsAndMacros)
{
    TRLGraphicSurface page;
    page.SetOrientation(TRLPageOrientation::poLandscape);
    page.TextOutEx({}, 0, 0, QStringLiteral("x"), TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 4);
    page.SetModified(false);
    page.Clear();
    EXPECT_EQ(page.ObjectCount(), 0);
    EXPECT_TRUE(page.FontNames().isEmpty());
    EXPECT_EQ(page.Orientation(), TRLPageOrientation::poPortrait);
    EXPECT_TRUE(page.Modified());
}

} // namespace

TEST(Surface, FontNamesAreOneEntryWhateverTheirCase)
{
    TRLGraphicSurface page;
    const int arial = page.FontIndex(QStringLiteral("Arial"));
    EXPECT_EQ(page.FontIndex(QStringLiteral("ARIAL")), arial);
    EXPECT_EQ(page.FontIndex(QStringLiteral("arial")), arial);
    // Same length or a shared prefix is not the same name.
    EXPECT_NE(page.FontIndex(QStringLiteral("Arian")), arial);
    EXPECT_NE(page.FontIndex(QStringLiteral("Arial Black")), arial);
    const int accented = page.FontIndex(QStringLiteral("Ágata"));
    EXPECT_EQ(page.FontIndex(QStringLiteral("ágata")), accented);
    EXPECT_NE(accented, arial);
}
