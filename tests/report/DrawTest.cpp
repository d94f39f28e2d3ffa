#include "ControlTestSupport.h"

#include "report/RLDraw.h"

#include <gtest/gtest.h>

using enum TRLDrawKind;
using enum TRLDrawOption;

using namespace Qt::StringLiterals;

namespace {

struct DrawReport : ControlReport {
    DrawReport() { band = AddTitleBand(200); }
    /// A drawing at (0, 0) of the band, which is at (38, 38) on the page.
    TRLDraw* AddDraw(int width, int height)
    {
        auto* draw = new TRLDraw(&form);
        draw->SetParent(band);
        draw->SetBounds(0, 0, width, height);
        return draw;
    }
    std::vector<const TRLPolygonObject*> Polygons()
    {
        return PageObjects<TRLPolygonObject>(*report->Pages(), 0);
    }
    /// The only polygon's points moved back to the band's origin.
    TPointList BandPoints()
    {
        const auto polygons = Polygons();
        if (polygons.size() != 1)
            return {};
        TPointList points = polygons[0]->Points;
        for (QPoint& point : points)
            point -= QPoint(38, 38);
        return points;
    }
    TRLBand* band = nullptr;
};

} // namespace

TEST(Draw, DefaultIsAnOutlinedWhiteRectangleCoveringTheControl)
{
    DrawReport r;
    TRLDraw* draw = r.AddDraw(713, 100);
    EXPECT_EQ(draw->DrawKind(), dkRectangle);
    EXPECT_TRUE(draw->Center);
    ASSERT_TRUE(r.Prepare());
    const auto polygons = r.Polygons();
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0]->Points, TPointList({ { 38, 38 }, { 750, 38 }, { 750, 137 }, { 38, 137 } }));
    EXPECT_EQ(RectText(polygons[0]->BoundsRect), u"37,37,751,138"_s);
    EXPECT_EQ(polygons[0]->Brush.Color, (TRLStoredColor { 255, 255, 255 }));
    EXPECT_EQ(polygons[0]->Brush.Style, MetaBrushStyleSolid);
    EXPECT_EQ(polygons[0]->Pen.Color, (TRLStoredColor { 0, 0, 0 }));
    EXPECT_EQ(polygons[0]->Pen.Width, 1);
    EXPECT_TRUE(PageObjects<TRLRectangleObject>(*r.report->Pages(), 0).empty()) << "no borders";
    EXPECT_TRUE(PageObjects<TRLFillRectObject>(*r.report->Pages(), 0).empty()) << "transparent";
}

TEST(Draw, ShapesFittedIntoTheControl)
{
    struct Case {
        TRLDrawKind kind;
        QStringList data;
        TRLDrawOptions options;
        bool center;
        int width;
        int height;
        TPointList points;
        const char* what;
    };
    const Case cases[] = {
        { dkCustom, { u"0 0 10 0 10 10"_s }, {}, true, 48, 48, { { 0, 0 }, { 47, 0 }, { 47, 47 } },
            "right triangle from DrawData" },
        { dkCustom, { u"0 0"_s, u"10 0"_s, u"10 10"_s }, {}, true, 101, 51,
            { { 0, 0 }, { 100, 0 }, { 100, 50 } }, "one point a line" },
        { dkLine, {}, {}, true, 48, 48, { { 0, 23 }, { 47, 23 } }, "a line centred vertically" },
        { dkLine, {}, {}, false, 48, 48, { { 0, 0 }, { 47, 0 } }, "a line at the top without Center" },
        { dkTriangle, {}, {}, true, 101, 88, { { 0, 87 }, { 50, 0 }, { 100, 87 } },
            "triangle at its own size" },
        { dkArrow, {}, {}, true, 9, 7,
            { { 0, 2 }, { 5, 2 }, { 5, 0 }, { 8, 3 }, { 5, 6 }, { 5, 4 }, { 0, 4 } },
            "arrow at its own size" },
        { dkRectangle, {}, doKeepVisible, false, 101, 51, { { 0, 0 }, { 50, 0 }, { 50, 50 }, { 0, 50 } },
            "keep visible: a square" },
        { dkRectangle, {}, doKeepVisible, true, 101, 51, { { 25, 0 }, { 75, 0 }, { 75, 50 }, { 25, 50 } },
            "keep visible, centred" },
    };
    for (const Case& c : cases) {
        DrawReport r;
        TRLDraw* draw = r.AddDraw(c.width, c.height);
        if (c.kind == dkCustom)
            draw->SetDrawData(c.data);
        else
            draw->SetDrawKind(c.kind);
        draw->SetOptions(c.options);
        draw->Center = c.center;
        ASSERT_TRUE(r.Prepare()) << c.what;
        EXPECT_EQ(r.BandPoints(), c.points) << c.what;
    }
}

TEST(Draw, EllipseKeepingAspectIsACircle)
{
    for (const bool center : { false, true }) {
        DrawReport r;
        TRLDraw* draw = r.AddDraw(201, 51);
        draw->SetDrawKind(dkElipse);
        draw->SetOptions(doKeepAspectRatio);
        draw->Center = center;
        ASSERT_TRUE(r.Prepare());
        const TPointList points = r.BandPoints();
        ASSERT_EQ(points.size(), 36u);
        const TRect box = PointsBounds(points);
        EXPECT_EQ(box.Width(), 50) << center;
        EXPECT_EQ(box.Height(), 50) << center;
        EXPECT_EQ(box.Left, center ? 75 : 0) << "at the left edge, or centred in the 200-pixel width";
        EXPECT_EQ(points[0], QPoint(box.Right, 25)) << "point 0 is at angle 0, on the right";
        EXPECT_EQ(points[9], QPoint(box.Left + 25, 50)) << "point 9 is a quarter turn on, at the bottom";
    }
}

TEST(Draw, RotatedLineIsVerticalAndKeepsItsLength)
{
    for (const TRLDrawOptions options : { TRLDrawOptions(0), TRLDrawOptions(doKeepSize) }) {
        DrawReport r;
        TRLDraw* draw = r.AddDraw(48, 48);
        draw->SetDrawKind(dkLine);
        draw->SetOptions(options);
        draw->Angle = 90;
        ASSERT_TRUE(r.Prepare());
        const TPointList points = r.BandPoints();
        ASSERT_EQ(points.size(), 2u);
        EXPECT_EQ(points[0].x(), points[1].x()) << "vertical, options " << options;
        EXPECT_EQ(std::abs(points[0].y() - points[1].y()), 47) << "options " << options;
        EXPECT_EQ(points[0], QPoint(23, 47)) << "turned counter-clockwise: the start goes down";
    }
}

TEST(Draw, ThickPenStaysInsideTheControl)
{
    DrawReport r;
    TRLDraw* draw = r.AddDraw(48, 48);
    draw->Pen.Width = 5;
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(r.BandPoints(), TPointList({ { 2, 2 }, { 45, 2 }, { 45, 45 }, { 2, 45 } }));
    EXPECT_EQ(r.Polygons()[0]->Pen.Width, 5);
}

TEST(Draw, DrawDataWithoutAPairDrawsNothing)
{
    DrawReport r;
    TRLDraw* draw = r.AddDraw(48, 48);
    draw->SetDrawData({ u"7"_s });
    draw->SetColor(clYellow);
    ASSERT_TRUE(r.Prepare());
    EXPECT_TRUE(r.Polygons().empty());
    EXPECT_EQ(PageObjects<TRLFillRectObject>(*r.report->Pages(), 0).size(), 1u) << "only the background";
}

TEST(Draw, ParseDrawData)
{
    struct Case {
        QString text;
        TPointList points;
        const char* what;
    };
    const Case cases[] = {
        { u"0 0 10 0 10 10"_s, { { 0, 0 }, { 10, 0 }, { 10, 10 } }, "blank-separated" },
        { u"0 0 10 -5"_s, { { 0, 0 } }, "a minus sign stops reading; the lone x is dropped" },
        { u"1\t2\r\n3 4\x1a"
          u"5\n6"_s,
            { { 1, 2 }, { 3, 4 }, { 5, 6 } }, "tabs, line ends and character 26 separate" },
        { u"7"_s, {}, "no complete pair" },
        { u"12 x 3 4"_s, {}, "a letter stops reading" },
        { u"  "_s, {}, "blanks only" },
        { u"99999999999 1"_s, { { INT_MAX, 1 } }, "a huge number is held at the integer limit" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDrawData(c.text), c.points) << c.what;
    EXPECT_EQ(FormatDrawData({ { 0, 87 }, { 50, 0 } }), QStringList({ u"0 87"_s, u"50 0"_s }));
}

TEST(Draw, KindAndDrawDataFollowEachOther)
{
    DrawReport r;
    TRLDraw* draw = r.AddDraw(48, 48);
    draw->SetDrawKind(dkTriangle);
    EXPECT_EQ(draw->DrawData(), QStringList({ u"0 87"_s, u"50 0"_s, u"100 87"_s }));
    draw->SetDrawKind(dkCustom);
    EXPECT_EQ(draw->DrawData(), QStringList({ u"0 87"_s, u"50 0"_s, u"100 87"_s }))
        << "custom keeps the shape";
    draw->SetDrawKind(dkRectangle);
    draw->SetDrawData(draw->DrawData());
    EXPECT_EQ(draw->DrawKind(), dkRectangle) << "the same text changes nothing";
    draw->SetDrawData({ u"0 0"_s, u"1 1"_s });
    EXPECT_EQ(draw->DrawKind(), dkCustom);
}

TEST(Draw, LegacyKindMapping)
{
    struct Case {
        QString stored;
        TRLDrawKind kind;
        TRLDrawOptions options;
        QStringList data;
        double angle;
    };
    const QStringList rectangle { u"0 0"_s, u"1 0"_s, u"1 1"_s, u"0 1"_s };
    const Case cases[] = {
        { u"dkRectangle"_s, dkRectangle, doKeepSize, rectangle, 0 },
        { u"dkLine"_s, dkCustom, doKeepSize, { u"0 0 1 1"_s }, 0 },
        { u"DKTRIANGLE"_s, dkTriangle, doKeepSize, { u"0 87"_s, u"50 0"_s, u"100 87"_s }, 0 },
        { u"dkElipse"_s, dkElipse, doKeepSize, {}, 0 },
        { u"dkArrow"_s, dkArrow, doKeepSize, {}, 0 },
        { u"dkCircle"_s, dkElipse, doKeepAspectRatio, {}, 0 },
        { u"dkHorzLine"_s, dkLine, doKeepSize, { u"0 0"_s, u"1 0"_s }, 0 },
        { u"dkvertline"_s, dkLine, doKeepSize | doKeepVisible, { u"0 0"_s, u"1 0"_s }, 100 },
        { u"dkReverseLine"_s, dkCustom, doKeepSize, { u"1 0 0 1"_s }, 0 },
        { u"dkStar"_s, dkRectangle, {}, {}, 10 },
    };
    for (const Case& c : cases) {
        DrawReport r;
        TRLDraw* draw = r.AddDraw(48, 48);
        draw->Angle = 10;
        draw->ReadLegacyKind(c.stored);
        EXPECT_EQ(draw->DrawKind(), c.kind) << c.stored.toStdString();
        EXPECT_EQ(draw->Options(), c.options) << c.stored.toStdString();
        if (!c.data.isEmpty()) {
            EXPECT_EQ(draw->DrawData(), c.data) << c.stored.toStdString();
        }
        EXPECT_EQ(draw->Angle, c.angle == 0 ? 10 : c.angle) << c.stored.toStdString();
    }
}

TEST(Draw, ReverseLineRunsTheOtherDiagonal)
{
    DrawReport r;
    TRLDraw* draw = r.AddDraw(48, 48);
    draw->ReadLegacyKind(u"dkReverseLine");
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(r.BandPoints(), TPointList({ { 47, 0 }, { 0, 47 } }));
}
