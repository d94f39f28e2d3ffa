#include "support/Geometry.h"

#include <gtest/gtest.h>
#include <limits>
#include <sstream>

namespace {

std::string Describe(const TPointList& points)
{
    std::ostringstream text;
    for (const QPoint& point : points)
        text << '(' << point.x() << ',' << point.y() << ')';
    return text.str();
}

} // namespace

TEST(Geometry, MillimetersToPixels)
{
    struct Case {
        double mm;
        int pixels;
        const char* what;
    };
    const Case cases[] = { { 0.0, 0, "zero" }, { 25.4, 96, "one inch" }, { 210.0, 794, "A4 width" },
        { 297.0, 1123, "A4 height" }, { 10.0, 38, "10 mm" }, { -10.0, -38, "negative" },
        { 1.0, 4, "1 mm is 3.78 px" }, { 5.0, 19, "5 mm is 18.9 px" },
        { 1e300, std::numeric_limits<int>::max(), "beyond int, held" },
        { -1e300, std::numeric_limits<int>::min(), "below int, held" },
        { std::numeric_limits<double>::quiet_NaN(), 0, "not a number" } };
    for (const Case& c : cases)
        EXPECT_EQ(MillimetersToPixels(c.mm), c.pixels) << c.what << ", " << c.mm << " mm";
}

TEST(Geometry, RectangleArithmetic)
{
    const TRect rect { 10, 20, 110, 70 };
    EXPECT_EQ(RectWidth(rect), 100);
    EXPECT_EQ(RectHeight(rect), 50);
    EXPECT_EQ(MoveRect(rect, -5, 3), (TRect { -5, 3, 95, 53 }));
    EXPECT_EQ(InsetByMargins(rect, { 1, 2, 3, 4 }), (TRect { 11, 22, 107, 66 }));
    EXPECT_EQ(OutsetByMargins(rect, { 1, 2, 3, 4 }), (TRect { 9, 18, 113, 74 }));
}

TEST(Geometry, ScaleRect)
{
    struct Case {
        TRect source;
        TRect target;
        bool center;
        TRect expected;
        const char* what;
    };
    const Case cases[] = {
        { { 0, 0, 100, 50 }, { 0, 0, 40, 40 }, false, { 0, 0, 40, 20 }, "wide into square" },
        { { 0, 0, 100, 50 }, { 0, 0, 40, 40 }, true, { 0, 10, 40, 30 }, "wide into square, centred" },
        { { 0, 0, 50, 100 }, { 10, 10, 50, 50 }, true, { 20, 10, 40, 50 }, "tall into square, centred" },
        { { 0, 0, 3, 2 }, { 0, 0, 10, 5 }, false, { 0, 0, 8, 5 }, "7.5 rounds to even 8" },
        { { 0, 0, 2, 3 }, { 0, 0, 5, 10 }, false, { 0, 0, 5, 8 }, "7.5 rounds to even 8 (height)" },
        { { 0, 0, 100, 100 }, { 0, 0, 41, 40 }, true, { 0, 0, 40, 40 }, "leftover 1 halves to 0" },
        { { 0, 0, 0, 50 }, { 5, 5, 45, 45 }, false, { 5, 5, 5, 5 }, "source without width" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleRect(c.source, c.target, c.center), c.expected) << c.what;
}

TEST(Geometry, ClipGraphicKeepsTheVisiblePart)
{
    QImage graphic(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            graphic.setPixel(x, y, qRgb(x * 10, y * 10, 0));

    TRect rect { 0, 0, 2, 3 };
    std::optional<QImage> clipped = ClipGraphic(graphic, rect, false);
    ASSERT_TRUE(clipped);
    EXPECT_EQ(rect, (TRect { 0, 0, 2, 3 }));
    EXPECT_EQ(clipped->size(), QSize(2, 3));
    EXPECT_EQ(clipped->depth(), 32);
    EXPECT_EQ(clipped->pixel(1, 2), qRgb(10, 20, 0));

    // Centred in a 2x2 rectangle the graphic starts one pixel up and left.
    rect = { 10, 10, 12, 12 };
    clipped = ClipGraphic(graphic, rect, true);
    ASSERT_TRUE(clipped);
    EXPECT_EQ(rect, (TRect { 10, 10, 12, 12 }));
    EXPECT_EQ(clipped->pixel(0, 0), qRgb(10, 10, 0));

    // A larger rectangle shrinks to the graphic.
    rect = { 5, 5, 100, 100 };
    clipped = ClipGraphic(graphic, rect, false);
    ASSERT_TRUE(clipped);
    EXPECT_EQ(rect, (TRect { 5, 5, 9, 9 }));

    rect = { 0, 0, 0, 0 };
    EXPECT_FALSE(ClipGraphic(graphic, rect, false)) << "empty rectangle";
    rect = { 0, 0, 5, 5 };
    EXPECT_FALSE(ClipGraphic(QImage(), rect, false)) << "empty graphic";
}

TEST(Geometry, PointsBounds)
{
    const TPointList points { { 3, -1 }, { -2, 4 }, { 0, 0 } };
    EXPECT_EQ(PointsBounds(points), (TRect { -2, -1, 3, 4 }));
    EXPECT_EQ(PointsBoundsOutset(points), (TRect { -3, -2, 4, 5 }));
    EXPECT_EQ(PointsBounds({}), TRect {});
}

TEST(Geometry, PointListTransforms)
{
    using Transform = void (*)(TPointList&, const TRect&);
    struct Case {
        Transform transform;
        TPointList points;
        TRect target;
        TPointList expected;
        const char* what;
    };
    const Case cases[] = {
        { StretchPoints, { { 0, 0 }, { 1, 0 } }, { 10, 10, 20, 30 }, { { 10, 10 }, { 20, 10 } },
            "stretch, flat" },
        { StretchPoints, { { 0, 0 }, { 2, 4 } }, { 0, 0, 5, 2 }, { { 0, 0 }, { 5, 2 } },
            "stretch, both axes" },
        { StretchPoints, { { 0, 0 }, { 2, 2 }, { 1, 1 } }, { 0, 0, 3, 3 }, { { 0, 0 }, { 3, 3 }, { 2, 2 } },
            "1.5 rounds to 2" },
        { ScalePoints, { { 0, 0 }, { 2, 4 } }, { 0, 0, 5, 2 }, { { 0, 0 }, { 1, 2 } },
            "scale takes the smaller factor" },
        { ScalePoints, { { 0, 0 }, { 4, 0 } }, { 1, 1, 9, 100 }, { { 1, 1 }, { 9, 1 } },
            "scale, flat takes the other" },
        { ScalePoints, { { 3, 3 }, { 3, 3 } }, { 0, 0, 9, 9 }, { { 3, 3 }, { 3, 3 } },
            "scale, single point unchanged" },
        { CenterPoints, { { 0, 0 }, { 2, 2 } }, { 10, 10, 15, 15 }, { { 11, 11 }, { 13, 13 } },
            "centre, 3/2 truncates" },
        { CenterPoints, { { 0, 0 }, { 6, 2 } }, { 0, 0, 3, 3 }, { { -1, 0 }, { 5, 2 } },
            "centre, -3/2 truncates to -1" },
    };
    for (const Case& c : cases) {
        TPointList points = c.points;
        c.transform(points, c.target);
        EXPECT_EQ(points, c.expected) << c.what << ": got " << Describe(points);
    }
}

TEST(Geometry, RotatePoints)
{
    struct Case {
        TPointList points;
        double degrees;
        TPointList expected;
        const char* what;
    };
    const Case cases[] = {
        { { { 0, 0 }, { 2, 0 } }, 90, { { 1, 1 }, { 1, -1 } }, "quarter turn about (1,0)" },
        { { { 0, 0 }, { 2, 0 } }, -90, { { 1, -1 }, { 1, 1 } }, "quarter turn back" },
        { { { 0, 0 }, { 2, 0 } }, 180, { { 2, 0 }, { 0, 0 } }, "half turn" },
        { { { 0, 0 }, { 4, 0 }, { 0, 4 } }, 0, { { 0, 0 }, { 4, 0 }, { 0, 4 } }, "no turn" },
        // Centre (1,1) from the mean (4/3, 4/3); (3,0) sits at (2,-1) from it.
        { { { 0, 0 }, { 4, 0 }, { 0, 4 } }, 90, { { 0, 2 }, { 0, -2 }, { 4, 2 } }, "triangle, mean rounded" },
        // Mean 0.5 rounds to even 0: centre (0,0).
        { { { 0, 0 }, { 1, 1 } }, 90, { { 0, 0 }, { 1, -1 } }, "mean one half rounds to even" },
    };
    for (const Case& c : cases) {
        TPointList points = c.points;
        RotatePoints(points, c.degrees);
        EXPECT_EQ(points, c.expected) << c.what << ": got " << Describe(points);
    }
}
