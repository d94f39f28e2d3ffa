#include "pages/RLByteReader.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicSurface.h"
#include "tests/common/TestHelpers.h"
#include "tests/pages/PageTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Pen: colour, mode, style, width. Brush: colour, style. Font: ppi, charset, colour, height,
// name index, pitch, size, style.
TBytes PenBytes(int r, int g, int b, int mode, int style, int width)
{
    TBytes bytes;
    bytes.U8(r).U8(g).U8(b).U8(mode).U8(style).I32(width);
    return bytes;
}

TBytes BrushBytes(int r, int g, int b, int style)
{
    TBytes bytes;
    bytes.U8(r).U8(g).U8(b).U8(style);
    return bytes;
}

void SetPen(TRLMetaPen& pen)
{
    pen.Color = { 1, 2, 3 };
    pen.Mode = MetaPenModeXor;
    pen.Style = MetaPenStyleDash;
    pen.Width = 7;
}

void SetBrush(TRLMetaBrush& brush)
{
    brush.Color = { 4, 5, 6 };
    brush.Style = MetaBrushStyleCross;
}

QByteArray OneObjectPage(int kind, const QByteArray& body)
{
    return TBytes()
        .Raw(SurfaceMagic())
        .I32(100)
        .I32(200)
        .I32(0)
        .I32(0)
        .I32(1)
        .U8(kind)
        .I32(body.size())
        .Raw(body);
}

TEST(PageRecord, EmptyPageIsMagicSizeAndThreeZeroCounts)
{
    TRLGraphicSurface page;
    page.Width = 794;
    page.Height = 1123;
    const QByteArray expected = TBytes().Raw(SurfaceMagic()).I32(794).I32(1123).I32(0).I32(0).I32(0);
    EXPECT_EQ(SavePage(page), expected);
    EXPECT_EQ(expected.size(), 38);
}

TEST(PageRecord, MacrosAndFontTableAreCountedStrings)
{
    TRLGraphicSurface page;
    page.SetOrientation(TRLPageOrientation::poLandscape);
    page.SetPaperWidth(210);
    page.FontIndex(QStringLiteral("Arial"));
    const QByteArray expected = TBytes()
                                    .Raw(SurfaceMagic())
                                    .I32(0)
                                    .I32(0)
                                    .I32(2)
                                    .Str("Orientation=2")
                                    .Str("PaperWidth=210.0000")
                                    .I32(1)
                                    .Str("Arial")
                                    .I32(0);
    EXPECT_EQ(SavePage(page), expected);
}

struct TObjectCase {
    const char* what;
    int kind;
    std::function<void(TRLGraphicSurface&)> make;
    QByteArray body;
};

TEST(PageRecord, EachKindWritesItsBodyInStoredOrder)
{
    const TObjectCase cases[] = {
        { "pixel", 1,
            [](TRLGraphicSurface& page) {
                auto& pixel = page.AddObject<TRLPixelObject>();
                pixel.BoundsRect = { 1, 2, 3, 4 };
                pixel.GroupId = 9;
                pixel.Color = { 10, 20, 30 };
            },
            BaseBody(1, 2, 3, 4, 9).U8(10).U8(20).U8(30) },
        { "line", 2,
            [](TRLGraphicSurface& page) {
                auto& line = page.AddObject<TRLLineObject>();
                line.GroupId = 0;
                line.FromPoint = { 5, 6 };
                line.ToPoint = { -7, 8 };
                SetPen(line.Pen);
                SetBrush(line.Brush);
            },
            BaseBody(0, 0, 0, 0)
                .I32(5)
                .I32(6)
                .I32(-7)
                .I32(8)
                .Raw(PenBytes(1, 2, 3, 15, 2, 7).Data())
                .Raw(BrushBytes(4, 5, 6, 7).Data()) },
        { "rectangle", 3,
            [](TRLGraphicSurface& page) {
                auto& rectangle = page.AddObject<TRLRectangleObject>();
                rectangle.GroupId = 0;
                rectangle.BoundsRect = { 10, 10, 21, 20 };
                rectangle.Reserved = 77;
            },
            BaseBody(10, 10, 21, 20, 0, 77)
                .Raw(PenBytes(0, 0, 0, 5, 1, 0).Data())
                .Raw(BrushBytes(0, 0, 0, 1).Data()) },
        { "text", 4,
            [](TRLGraphicSurface& page) {
                auto& text = page.AddObject<TRLTextObject>();
                text.GroupId = 0;
                text.Alignment = TRLMetaTextAlignment::Center;
                text.Layout = TRLMetaTextLayout::Bottom;
                text.Origin = { 3, 4 };
                text.TextFlags = 4;
                text.Text = QStringLiteral("Olá");
                text.Font.SetName(QStringLiteral("Arial"));
                text.Font.Size = 10;
                text.Font.Height = -13;
                text.Font.Style = 3;
            },
            BaseBody(0, 0, 0, 0)
                .U8(3)
                .U8(2)
                .I32(3)
                .I32(4)
                .U16(4)
                .Str("Ol\xE1")
                .Raw(BrushBytes(0, 0, 0, 1).Data())
                .I32(72)
                .U8(0)
                .U8(0)
                .U8(0)
                .U8(0)
                .I32(-13)
                .I32(0)
                .U8(1)
                .I32(10)
                .U8(3) },
        { "fill rect", 5, [](TRLGraphicSurface& page) { page.AddObject<TRLFillRectObject>().GroupId = 0; },
            BaseBody(0, 0, 0, 0).Raw(BrushBytes(0, 0, 0, 1).Data()) },
        { "ellipse", 6,
            [](TRLGraphicSurface& page) {
                auto& ellipse = page.AddObject<TRLEllipseObject>();
                ellipse.GroupId = 0;
                SetPen(ellipse.Pen);
            },
            BaseBody(0, 0, 0, 0).Raw(PenBytes(1, 2, 3, 15, 2, 7).Data()).Raw(BrushBytes(0, 0, 0, 1).Data()) },
        { "polygon", 7,
            [](TRLGraphicSurface& page) {
                auto& polygon = page.AddObject<TRLPolygonObject>();
                polygon.GroupId = 0;
                polygon.Points = { { 1, 2 }, { 3, 4 } };
            },
            BaseBody(0, 0, 0, 0)
                .Raw(PenBytes(0, 0, 0, 5, 1, 0).Data())
                .Raw(BrushBytes(0, 0, 0, 1).Data())
                .I32(2)
                .I32(1)
                .I32(2)
                .I32(3)
                .I32(4) },
        { "polyline", 8,
            [](TRLGraphicSurface& page) {
                auto& polyline = page.AddObject<TRLPolylineObject>();
                polyline.GroupId = 0;
                polyline.Points = { { -1, -2 } };
            },
            BaseBody(0, 0, 0, 0).Raw(PenBytes(0, 0, 0, 5, 1, 0).Data()).I32(1).I32(-1).I32(-2) },
        { "image", 9,
            [](TRLGraphicSurface& page) {
                auto& image = page.AddObject<TRLImageObject>();
                image.GroupId = 0;
                image.Data = QByteArray("NIL");
                image.IntegralWidth = 1;
            },
            BaseBody(0, 0, 0, 0).Str("NIL").U8(1) },
        { "set clip", 10,
            [](TRLGraphicSurface& page) {
                auto& clip = page.AddObject<TRLSetClipRectObject>();
                clip.GroupId = 0;
                clip.BoundsRect = { 1, 1, 50, 60 };
            },
            BaseBody(1, 1, 50, 60) },
        { "reset clip", 11,
            [](TRLGraphicSurface& page) { page.AddObject<TRLResetClipRectObject>().GroupId = 0; },
            BaseBody(0, 0, 0, 0) },
    };
    for (const TObjectCase& c : cases) {
        TRLGraphicSurface page;
        page.Width = 100;
        page.Height = 200;
        c.make(page);
        QByteArray expected = OneObjectPage(c.kind, c.body);
        if (c.kind == 4) {
            // The text's font name lives in the page's font table.
            expected = TBytes()
                           .Raw(SurfaceMagic())
                           .I32(100)
                           .I32(200)
                           .I32(0)
                           .I32(1)
                           .Str("Arial")
                           .I32(1)
                           .U8(c.kind)
                           .I32(c.body.size())
                           .Raw(c.body);
        }
        const QByteArray written = SavePage(page);
        EXPECT_EQ(written.toHex(' '), expected.toHex(' ')) << c.what;

        TRLGraphicSurface reread;
        LoadPage(reread, written);
        ASSERT_EQ(reread.ObjectCount(), 1) << c.what;
        EXPECT_EQ(int(reread.Objects(0)->Kind()), c.kind) << c.what;
        EXPECT_EQ(SavePage(reread).toHex(' '), expected.toHex(' ')) << c.what << " read back";
    }
}

TEST(PageRecord, EmptyTextWritesLengthZeroAndReadsBackEmpty)
{
    TRLGraphicSurface page;
    auto& text = page.AddObject<TRLTextObject>();
    text.GroupId = 0;
    text.Text = QString();
    const QByteArray body = BaseBody(0, 0, 0, 0)
                                .U8(1)
                                .U8(1)
                                .I32(0)
                                .I32(0)
                                .U16(5)
                                .I32(0)
                                .Raw(BrushBytes(0, 0, 0, 1).Data())
                                .I32(72)
                                .U8(0)
                                .U8(0)
                                .U8(0)
                                .U8(0)
                                .I32(0)
                                .I32(0)
                                .U8(1)
                                .I32(0)
                                .U8(0);
    EXPECT_EQ(SavePage(page).toHex(' '),
        OneObjectPage(4, body).toHex(' ').replace("64 00 00 00 c8", "00 00 00 00 00"));
    TRLGraphicSurface reread;
    LoadPage(reread, SavePage(page));
    ASSERT_EQ(reread.ObjectCount(), 1);
    EXPECT_TRUE(static_cast<TRLTextObject*>(reread.Objects(0))->Text.isEmpty());
}

TEST(PageRecord, UnknownKindIsSkippedBySize)
{
    const QByteArray bytes = TBytes()
                                 .Raw(SurfaceMagic())
                                 .I32(10)
                                 .I32(20)
                                 .I32(0)
                                 .I32(0)
                                 .I32(3)
                                 .U8(5)
                                 .I32(28)
                                 .Raw(BaseBody(1, 2, 3, 4, 5, 6).Raw(BrushBytes(9, 8, 7, 2).Data()).Data())
                                 .U8(12)
                                 .I32(7)
                                 .Raw("ABCDEFG")
                                 .U8(1)
                                 .I32(27)
                                 .Raw(BaseBody(11, 12, 13, 14, 15, 16).U8(0xAA).U8(0xBB).U8(0xCC).Data());
    TRLGraphicSurface page;
    LoadPage(page, bytes);
    ASSERT_EQ(page.ObjectCount(), 2);
    const auto* fill = dynamic_cast<const TRLFillRectObject*>(page.Objects(0));
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->BoundsRect, (TRect { 1, 2, 3, 4 }));
    EXPECT_EQ(fill->Brush.Color, (TRLStoredColor { 9, 8, 7 }));
    EXPECT_EQ(fill->Brush.Style, MetaBrushStyleClear);
    const auto* pixel = dynamic_cast<const TRLPixelObject*>(page.Objects(1));
    ASSERT_NE(pixel, nullptr);
    EXPECT_EQ(pixel->BoundsRect, (TRect { 11, 12, 13, 14 }));
    EXPECT_EQ(pixel->GroupId, 15);
    EXPECT_EQ(pixel->Reserved, 16);
    EXPECT_EQ(pixel->Color, (TRLStoredColor { 0xAA, 0xBB, 0xCC }));
    EXPECT_FALSE(page.Modified());
}

TEST(PageRecord, WrongMagicIsCorrupted)
{
    const QByteArray tail = TBytes().I32(1).I32(1).I32(0).I32(0).I32(0);
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        { "no 0x1A within 20 bytes", QByteArray("RLGraphicSurface3XYZW") + tail },
        { "older version", QByteArray("RLGraphicSurface2") + char(0x1A) + tail },
        { "terminator too early", QByteArray("RLGraphic") + char(0x1A) + tail },
        { "cut inside the magic", QByteArray("RLGraphicSurf") },
        { "nothing at all", QByteArray() },
    };
    for (const Case& c : cases) {
        TRLGraphicSurface page;
        EXPECT_EQ(ErrorOf([&] { LoadPage(page, c.bytes); }), QStringLiteral("File is corrupted!")) << c.what;
    }
}

TEST(PageRecord, HostileCountsAndLengthsFailNamingTheField)
{
    const QByteArray head = TBytes().Raw(SurfaceMagic()).I32(1).I32(1);
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        { "negative macro count", TBytes().Raw(head).I32(-1),
            QStringLiteral("page record: page macro count at byte 26: negative count -1") },
        { "macro count beyond the data", TBytes().Raw(head).I32(0x7FFFFFFF),
            QStringLiteral(
                "page record: page macro count at byte 26: 2147483647 items of at least 4 bytes do not "
                "fit in the 0 bytes left") },
        { "macro text longer than the data", TBytes().Raw(head).I32(1).I32(1000).Raw("ab"),
            QStringLiteral("page record: page macro at byte 30: 1000 byte(s) needed, 2 left") },
        { "negative font name length", TBytes().Raw(head).I32(0).I32(1).I32(-5),
            QStringLiteral("page record: font name at byte 34: negative length -5") },
        { "object count beyond the data", TBytes().Raw(head).I32(0).I32(0).I32(3).U8(1).I32(0),
            QStringLiteral(
                "page record: object count at byte 34: 3 items of at least 5 bytes do not fit in the 5 "
                "bytes left") },
        { "object body beyond the data", TBytes().Raw(head).I32(0).I32(0).I32(1).U8(3).I32(100).I32(0),
            QStringLiteral("page record: object body at byte 43: 100 byte(s) needed, 4 left") },
        { "negative object body size", TBytes().Raw(head).I32(0).I32(0).I32(1).U8(12).I32(-1),
            QStringLiteral("page record: object body at byte 43: negative length -1") },
        { "rectangle body too short for its pen",
            TBytes()
                .Raw(head)
                .I32(0)
                .I32(0)
                .I32(1)
                .U8(3)
                .I32(26)
                .Raw(BaseBody(0, 0, 0, 0).Data())
                .U8(1)
                .U8(2),
            QStringLiteral("page record: pen colour at byte 69: 1 byte(s) needed, 0 left") },
        { "polygon point count beyond its body",
            TBytes()
                .Raw(head)
                .I32(0)
                .I32(0)
                .I32(1)
                .U8(7)
                .I32(49)
                .Raw(BaseBody(0, 0, 0, 0).Data())
                .Raw(PenBytes(0, 0, 0, 5, 1, 0).Data())
                .Raw(BrushBytes(0, 0, 0, 1).Data())
                .I32(1000000)
                .I32(1)
                .I32(2),
            QStringLiteral(
                "page record: point count at byte 80: 1000000 items of at least 8 bytes do not fit in the "
                "8 bytes left") },
        { "text length beyond its body",
            TBytes()
                .Raw(head)
                .I32(0)
                .I32(0)
                .I32(1)
                .U8(4)
                .I32(40)
                .Raw(BaseBody(0, 0, 0, 0).Data())
                .U8(1)
                .U8(1)
                .I32(0)
                .I32(0)
                .U16(0)
                .I32(50),
            QStringLiteral("page record: text at byte 79: 50 byte(s) needed, 0 left") },
        { "record cut inside the sizes", TBytes().Raw(SurfaceMagic()).I32(1).U8(0),
            QStringLiteral("page record: page height at byte 22: 4 byte(s) needed, 1 left") },
    };
    for (const Case& c : cases) {
        TRLGraphicSurface page;
        EXPECT_EQ(ErrorOf([&] { LoadPage(page, c.bytes); }), c.message) << c.what;
        // The page store reads its records from memory: the same faults, the same messages.
        TRLGraphicSurface fromMemory;
        TRLByteReader in(c.bytes, QStringLiteral("page record"));
        EXPECT_EQ(ErrorOf([&] { fromMemory.LoadFromStream(in); }), c.message) << c.what << " (in memory)";
    }
}

TEST(PageRecord, UnknownToolCodesReadAsTheirDefaults)
{
    const QByteArray lineBody = BaseBody(0, 0, 0, 0)
                                    .I32(0)
                                    .I32(0)
                                    .I32(0)
                                    .I32(0)
                                    .Raw(PenBytes(1, 1, 1, 0, 9, 3).Data())
                                    .Raw(BrushBytes(2, 2, 2, 0).Data())
                                    .Data();
    const QByteArray textBody = BaseBody(0, 0, 0, 0)
                                    .U8(1)
                                    .U8(1)
                                    .I32(0)
                                    .I32(0)
                                    .U16(0)
                                    .I32(0)
                                    .Raw(BrushBytes(0, 0, 0, 9).Data())
                                    .I32(96)
                                    .U8(0)
                                    .U8(0)
                                    .U8(0)
                                    .U8(0)
                                    .I32(0)
                                    .I32(0)
                                    .U8(7)
                                    .I32(0)
                                    .U8(0xF3)
                                    .Data();
    const QByteArray bytes = TBytes()
                                 .Raw(SurfaceMagic())
                                 .I32(1)
                                 .I32(1)
                                 .I32(0)
                                 .I32(0)
                                 .I32(2)
                                 .U8(2)
                                 .I32(lineBody.size())
                                 .Raw(lineBody)
                                 .U8(4)
                                 .I32(textBody.size())
                                 .Raw(textBody);
    TRLGraphicSurface page;
    LoadPage(page, bytes);
    ASSERT_EQ(page.ObjectCount(), 2);
    const auto& line = static_cast<const TRLLineObject&>(*page.Objects(0));
    EXPECT_EQ(line.Pen.Mode, MetaPenModeCopy);
    EXPECT_EQ(line.Pen.Style, MetaPenStyleSolid);
    EXPECT_EQ(line.Pen.Width, 3);
    EXPECT_EQ(line.Brush.Style, MetaBrushStyleSolid);
    const auto& text = static_cast<const TRLTextObject&>(*page.Objects(1));
    EXPECT_EQ(text.Brush.Style, MetaBrushStyleSolid);
    EXPECT_EQ(text.Font.Pitch, MetaFontPitchDefault);
    EXPECT_EQ(text.Font.Style, 0x03);
}

TEST(PageRecord, TextIsWindows1252WithQuestionMarkForTheRest)
{
    TRLGraphicSurface page;
    page.AddObject<TRLTextObject>().Text = QString::fromUtf8("Aç€“x”→\xF0\x9F\x98\x80.");
    const QByteArray written = SavePage(page);
    const QByteArray expectedText = QByteArray::fromHex("41e78093789d3f3f2e").replace("\x9d", "\x94");
    EXPECT_TRUE(written.contains(TBytes().Str(expectedText).Data())) << written.toHex(' ').toStdString();
    TRLGraphicSurface reread;
    LoadPage(reread, written);
    EXPECT_EQ(static_cast<TRLTextObject*>(reread.Objects(0))->Text, QString::fromUtf8("Aç€“x”??."));
}

} // namespace
