#include "pages/RLFontMetrics.h"

#include <gtest/gtest.h>

namespace {

// Liberation Sans is metric-compatible with Arial, whose widths are those of the published
// Helvetica metrics (thousandths of an em); its vertical metrics are Arial's too.
TEST(FontMetrics, WidthsOfWindows1252CodesAtOneThousandUnitsPerEm)
{
    const TRLFontMetrics metrics = GetFontMetrics(QStringLiteral("Liberation Sans"), {});
    EXPECT_EQ(metrics.FirstChar, 32);
    EXPECT_EQ(metrics.LastChar, 255);
    struct Case {
        int code;
        int width;
        const char* what;
    };
    const Case cases[] = { { 32, 278, "space" }, { 65, 667, "A" }, { 87, 944, "W" }, { 97, 556, "a" },
        { 105, 222, "i" }, { 109, 833, "m" }, { 0x80, 556, "euro" }, { 0xE9, 556, "e acute" },
        { 0x96, 556, "en dash" }, { 0x97, 1000, "em dash" } };
    for (const Case& c : cases)
        EXPECT_EQ(metrics.Widths[std::size_t(c.code)], c.width) << c.what;
    EXPECT_EQ(metrics.Widths[31], 0);
    EXPECT_EQ(metrics.Ascent, 905);
    EXPECT_EQ(metrics.Descent, 212);
    EXPECT_EQ(metrics.InternalLeading, 117);
    // Heights are not part of the metric compatibility: these are the font file's own OS/2
    // values (1409, 1082 and 1208 of 2048 units), read with a separate script.
    EXPECT_EQ(metrics.CapHeight, 688);
    EXPECT_EQ(metrics.XHeight, 528);
    EXPECT_EQ(metrics.AvgWidth, 590);
    EXPECT_FALSE(metrics.FixedPitch);
    EXPECT_EQ(metrics.ItalicAngle, 0);
    EXPECT_EQ(metrics.Flags, 32);
    EXPECT_EQ(metrics.FaceName, QStringLiteral("Liberation Sans"));
    EXPECT_EQ(metrics.StyleText, QString());
    EXPECT_LT(metrics.FontBBox.Left, 0);
    EXPECT_LT(metrics.FontBBox.Bottom, 0);
    EXPECT_GT(metrics.FontBBox.Top, metrics.Ascent - 1);
    EXPECT_GE(metrics.MaxWidth, 1000);
}

TEST(FontMetrics, StyleItalicAngleAndFixedPitch)
{
    const TRLFontMetrics italic
        = GetFontMetrics(QStringLiteral("Liberation Sans"), fsBold | fsItalic | fsStrikeOut);
    EXPECT_EQ(italic.StyleText, QStringLiteral("BoldItalicStrikeOut"));
    EXPECT_EQ(italic.ItalicAngle, -120) << "twelve degrees to the right, in tenths";
    EXPECT_EQ(italic.Widths['A'], 722) << "Helvetica-BoldOblique A";

    const TRLFontMetrics mono = GetFontMetrics(QStringLiteral("Liberation Mono"), {});
    EXPECT_TRUE(mono.FixedPitch);
    EXPECT_EQ(mono.Widths['i'], 600);
    EXPECT_EQ(mono.Widths['W'], 600);
    EXPECT_EQ(mono.AvgWidth, 600);
}

} // namespace
