#include "ControlTestSupport.h"

#include "pages/RLPictureData.h"
#include "report/RLBackground.h"
#include "report/RLDegradeEffect.h"

#include <gtest/gtest.h>

using enum TRLControlAlign;
using enum TRLDegradeDirection;
using enum TRLImageArrange;

using namespace Qt::StringLiterals;

namespace {

/// A gradient band of `height` from white to black, top to bottom.
std::vector<const TRLFillRectObject*> GradientFills(ControlReport& r, int height, int granularity)
{
    TRLBand* band = r.AddTitleBand(height);
    band->SetColor(clWhite);
    band->Degrade()->Direction = ddVertical;
    band->Degrade()->OppositeColor = clBlack;
    band->Degrade()->Granularity = granularity;
    if (!r.Prepare())
        return {};
    return PageObjects<TRLFillRectObject>(*r.report->Pages(), 0);
}

/// 40 x 40: the left half red, the right half blue.
QImage HalfAndHalf()
{
    QImage picture(40, 40, QImage::Format_RGB32);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y)
            picture.setPixel(x, y, x < 20 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return picture;
}

} // namespace

TEST(Gradient, TenPixelsInBandsOfFour)
{
    ControlReport r;
    const auto fills = GradientFills(r, 10, 4);
    ASSERT_EQ(fills.size(), 3u);
    struct Band {
        QString bounds;
        int grey;
    };
    // t = 0, 1/3 and 2/3 of the way from white (255) to black (0).
    const Band expected[]
        = { { u"38,38,756,42"_s, 255 }, { u"38,42,756,46"_s, 170 }, { u"38,46,756,48"_s, 85 } };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RectText(fills[i]->BoundsRect), expected[i].bounds) << "band " << i;
        const TRLStoredColor grey { quint8(expected[i].grey), quint8(expected[i].grey),
            quint8(expected[i].grey) };
        EXPECT_EQ(fills[i]->Brush.Color, grey) << "band " << i;
        EXPECT_EQ(fills[i]->Brush.Style, MetaBrushStyleSolid);
    }
}

TEST(Gradient, GranularityBelowOneDrawsAsOne)
{
    for (const int granularity : { 1, 0, -3 }) {
        ControlReport r;
        const auto fills = GradientFills(r, 10, granularity);
        ASSERT_EQ(fills.size(), 10u) << granularity;
        EXPECT_EQ(RectText(fills[9]->BoundsRect), u"38,47,756,48"_s) << granularity;
        // t = 9/10: 255 - round(229.5) = 255 - 230 (halves to even).
        EXPECT_EQ(fills[9]->Brush.Color.Red, 25) << granularity;
    }
}

TEST(Gradient, HorizontalAndHalvesToEven)
{
    ControlReport r;
    TRLBand* band = r.AddTitleBand(20);
    band->SetColor(RGBColor(1, 3, 5));
    band->Degrade()->Direction = ddHorizontal;
    band->Degrade()->OppositeColor = RGBColor(3, 7, 11);
    band->Degrade()->Granularity = 359;
    ASSERT_TRUE(r.Prepare());
    const auto fills = PageObjects<TRLFillRectObject>(*r.report->Pages(), 0);
    ASSERT_EQ(fills.size(), 2u) << "718 pixels wide in bands of 359";
    EXPECT_EQ(RectText(fills[1]->BoundsRect), u"397,38,756,58"_s);
    // t = 1/2: red 1 + round(1.5) - round(0.5) = 1 + 2 - 0; green 3 + round(3.5) - round(1.5) = 3 + 4 - 2;
    // blue 5 + round(5.5) - round(2.5) = 5 + 6 - 2.
    EXPECT_EQ(fills[1]->Brush.Color, (TRLStoredColor { 3, 5, 9 }));
}

TEST(Gradient, HugeGranularityIsOneBand)
{
    ControlReport r;
    const auto fills = GradientFills(r, 10, INT_MAX);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(RectText(fills[0]->BoundsRect), u"38,38,756,48"_s);
}

TEST(Background, DistributedRowsShiftHalfACell)
{
    ControlReport r;
    TRLBand* band = r.AddTitleBand(100);
    band->Background()->SetPicture(HalfAndHalf());
    band->Background()->Arrange = baDistributed;
    ASSERT_EQ(band->Background()->Width, 40) << "AutoSize takes the picture's size";
    ASSERT_TRUE(r.Prepare());
    const auto images = PageObjects<TRLImageObject>(*r.report->Pages(), 0);
    ASSERT_EQ(images.size(), 1u) << "the tiles are one image";
    EXPECT_EQ(RectText(images[0]->BoundsRect), u"38,38,756,138"_s);
    const QImage sheet = DecodePictureData(images[0]->Data);
    ASSERT_EQ(sheet.size(), QSize(718, 100));
    struct Probe {
        int x;
        int y;
        QRgb colour;
        const char* what;
    };
    const Probe probes[] = {
        { 0, 0, qRgb(255, 0, 0), "row 0 starts with a whole cell" },
        { 20, 0, qRgb(0, 0, 255), "row 0, right half of the first cell" },
        { 40, 39, qRgb(255, 0, 0), "row 0, second cell" },
        { 0, 40, qRgb(0, 0, 255), "row 1 starts 20 pixels to the left" },
        { 20, 40, qRgb(255, 0, 0), "row 1, second cell begins at 20" },
        { 0, 80, qRgb(255, 0, 0), "row 2 is aligned again" },
    };
    for (const Probe& p : probes)
        EXPECT_EQ(sheet.pixel(p.x, p.y) & 0xFFFFFF, p.colour & 0xFFFFFF) << p.what;
}

TEST(Background, SideBySideRowsAreAligned)
{
    ControlReport r;
    TRLBand* band = r.AddTitleBand(100);
    band->Background()->SetPicture(HalfAndHalf());
    band->Background()->Arrange = baSidebySide;
    ASSERT_TRUE(r.Prepare());
    const auto images = PageObjects<TRLImageObject>(*r.report->Pages(), 0);
    ASSERT_EQ(images.size(), 1u);
    const QImage sheet = DecodePictureData(images[0]->Data);
    EXPECT_EQ(sheet.pixel(0, 40) & 0xFFFFFF, 0xFF0000u);
}

TEST(Background, AlignedAndCentredCells)
{
    struct Case {
        TRLImageArrange arrange;
        TRLControlAlign align;
        bool stretch;
        QString bounds;
    };
    // The band is 718 x 100 at (38, 38); the picture 40 x 40 with a cell of 60 x 30.
    const Case cases[] = {
        { baAligned, faNone, false, u"38,38,78,78"_s },
        { baAligned, faClient, true, u"38,38,756,138"_s },
        { baAligned, faRightBottom, true, u"696,108,756,138"_s },
        { baAligned, faRightBottom, false, u"696,108,736,148"_s },
        { baAligned, faCenter, true, u"367,73,427,103"_s },
        { baAligned, faWidth, true, u"38,73,756,103"_s },
        { baCenter, faNone, false, u"367,73,407,113"_s },
        { baCenter, faNone, true, u"367,73,427,103"_s },
    };
    for (const Case& c : cases) {
        ControlReport r;
        TRLBand* band = r.AddTitleBand(100);
        band->Background()->SetAutoSize(false);
        band->Background()->SetPicture(HalfAndHalf());
        band->Background()->Width = 60;
        band->Background()->Height = 30;
        band->Background()->Arrange = c.arrange;
        band->Background()->Align = c.align;
        band->Background()->Stretch = c.stretch;
        ASSERT_TRUE(r.Prepare());
        const auto images = PageObjects<TRLImageObject>(*r.report->Pages(), 0);
        ASSERT_EQ(images.size(), 1u) << c.bounds.toStdString();
        EXPECT_EQ(RectText(images[0]->BoundsRect), c.bounds) << int(c.arrange) << "/" << int(c.align);
    }
}

TEST(Background, NoPictureDrawsNothing)
{
    ControlReport r;
    r.AddTitleBand(100)->Background()->Arrange = baDistributed;
    ASSERT_TRUE(r.Prepare());
    EXPECT_TRUE(PageObjects<TRLImageObject>(*r.report->Pages(), 0).empty());
}
