#include "pages/RLFontMetrics.h"
#include "tests/common/TestHelpers.h"

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

// The font engine's measure of a face agrees with its tables where both can be read.
TEST(FontMetrics, FallbackAgreesWithTheTables)
{
    for (const TFontStyles style : { TFontStyles(), TFontStyles(fsBold | fsItalic) }) {
        const TRLFontMetrics tables = GetFontMetrics(QStringLiteral("Liberation Sans"), style);
        const TRLFontMetrics engine = GetFallbackFontMetrics(QStringLiteral("Liberation Sans"), style);
        for (int code = 32; code <= 255; ++code)
            EXPECT_NEAR(engine.Widths[std::size_t(code)], tables.Widths[std::size_t(code)], 1)
                << "code " << code;
        EXPECT_NEAR(engine.CapHeight, tables.CapHeight, 2);
        EXPECT_NEAR(engine.XHeight, tables.XHeight, 2);
        EXPECT_EQ(engine.StyleText, tables.StyleText);
        EXPECT_EQ(engine.MeasuredFace, tables.MeasuredFace);
    }
}

// fontconfig serves "Helvetica Narrow" from a Type 1 file, which has no TrueType tables; the font
// engine still measures it. The widths are the published Helvetica-Narrow metrics (Helvetica's,
// scaled by 0.82).
TEST(FontMetrics, TypeOneFaceIsMeasuredByTheEngine)
{
    const QString face = QStringLiteral("Helvetica Narrow");
    ASSERT_EQ(ErrorOf([&] { GetFontMetrics(face, {}); }), u"Invalid font for GetOutlineTextMetrics"_qs)
        << "fontconfig serves no Type 1 file for Helvetica Narrow (fonts-urw-base35, "
           "scripts/install-deps.sh test)";
    const TRLFontMetrics metrics = GetFallbackFontMetrics(face, {});
    EXPECT_EQ(metrics.MeasuredFace, u"Nimbus Sans Narrow"_qs);
    struct Case {
        int code;
        int width;
        const char* what;
    };
    const Case cases[] = { { 32, 228, "space" }, { 65, 547, "A" }, { 87, 774, "W" }, { 97, 456, "a" },
        { 105, 182, "i" }, { 109, 683, "m" }, { 0xE9, 456, "e acute" }, { 0x97, 820, "em dash" } };
    for (const Case& c : cases)
        EXPECT_NEAR(metrics.Widths[std::size_t(c.code)], c.width, 1) << c.what;
    EXPECT_GT(metrics.Ascent, 600);
    EXPECT_GT(metrics.Descent, 100);
    EXPECT_GT(metrics.CapHeight, 600);
    EXPECT_LT(metrics.FontBBox.Bottom, 0);
    EXPECT_GT(metrics.FontBBox.Top, metrics.CapHeight);
    EXPECT_GT(metrics.FontBBox.Right, metrics.FontBBox.Left);
    EXPECT_FALSE(metrics.FixedPitch);

    const TRLFontMetrics bold = GetFallbackFontMetrics(face, fsBold);
    EXPECT_NEAR(bold.Widths['A'], 592, 1) << "Helvetica-Narrow-Bold A (722 x 0.82)";
    EXPECT_EQ(bold.StyleText, u"Bold"_qs);
}

} // namespace
