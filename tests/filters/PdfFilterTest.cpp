#include "filters/RLPDFFilter.h"
#include "filters/RLPDFWriter.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "platform/Measure.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/FilterTestPages.h"
#include "tests/filters/PdfTestTools.h"

#include <QDir>
#include <QFile>
#include <QPointF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using enum TRLPDFFilterFontEncoding;
using enum TRLPDFFilterPageMode;
using enum TRLPDFFilterViewerOption;

namespace {

using TDraw = std::function<void(TRLGraphicSurface&)>;

/// Writes the store's pages first .. last into dir/name and returns the file's bytes.
QByteArray WritePdf(TTestPages& pages, const QTemporaryDir& dir, int first = 1, int last = -1,
    const std::function<void(TRLPDFFilter&)>& setUp = {})
{
    TRLPDFFilter filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = dir.filePath(QStringLiteral("out.pdf"));
    if (setUp)
        setUp(filter);
    filter.FilterPages(*pages.Storage, first, last);
    QFile file(filter.FileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << filter.FileName.toStdString();
    return file.readAll();
}

QList<QByteArray> PdfOfPages(std::initializer_list<TDraw> draws)
{
    auto pages = MakeStore();
    for (const TDraw& draw : draws)
        AddPage(*pages, draw);
    const QTemporaryDir dir;
    return PdfLines(WritePdf(*pages, dir));
}

void SetFont(
    TRLGraphicSurface& page, const QString& face, int points, TFontStyles style = {}, TColor color = clBlack)
{
    TFont font;
    font.Name = face;
    font.SetSize(points);
    font.Style = style;
    font.Color = color;
    page.SetFont(font);
}

void Text(TRLGraphicSurface& page, const TRect& rect, const QString& text,
    TRLMetaTextAlignment alignment = TRLMetaTextAlignment::Left, quint16 flags = kTextFlagNoClip)
{
    page.TextOutEx(rect, rect.Left, rect.Top, text, alignment, TRLMetaTextLayout::Top, flags);
}

QList<QByteArray> Lines(std::initializer_list<const char*> lines)
{
    QList<QByteArray> list;
    for (const char* line : lines)
        list << QByteArray(line);
    return list;
}

/// "n 0 obj <<" lines of objects whose next line is `firstLine`.
int CountObjectsStartingWith(const QList<QByteArray>& lines, const QByteArray& firstLine)
{
    int count = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i] == firstLine && lines[i - 1].endsWith(" 0 obj <<"))
            ++count;
    }
    return count;
}

QByteArray Points(double dots)
{
    // Independent of the writer: 72/96 of a dot, printed with up to four decimals.
    QByteArray text = QByteArray::number(dots * 0.75, 'f', 4);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

}

TEST(PdfFile, EmptyRangeIsACompleteFile)
{
    auto pages = MakePages(2);
    const QTemporaryDir dir;
    const QByteArray bytes = WritePdf(*pages, dir, 2, 1);
    const QList<QByteArray> actual = PdfLines(bytes);
    ASSERT_GE(actual.size(), 3);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^/CreationDate\\(D:\\d{14}\\)$"))
                    .match(QString::fromLatin1(actual[2]))
                    .hasMatch())
        << actual[2].toStdString();

    QList<QByteArray> expected = Lines({ "%PDF-1.2", "1 0 obj <<" });
    expected << actual[2];
    expected << Lines({ "/Creator(QuirelReport v0.6 - band-oriented reports on Qt)", ">> endobj",
        "2 0 obj <<", "/Type/Catalog", "/Pages 3 0 R", ">> endobj", "4 0 obj <<",
        "/ProcSet [ /PDF/Text/ImageB ]", "/Font <<", ">>", "/XObject <<", ">>", ">> endobj", "3 0 obj <<",
        "/Type/Pages", "/Count 0", "/MediaBox [ 0 0 595.5 842.25 ]", "/Kids [ ]", ">> endobj" });
    // Offsets of the objects, counted over the expected lines themselves.
    std::map<int, qint64> offsets;
    qint64 position = 0;
    for (const QByteArray& line : expected) {
        if (line.endsWith(" 0 obj <<"))
            offsets[line.split(' ').first().toInt()] = position;
        position += line.size() + 2;
    }
    expected << Lines({ "xref", "0 5", "0000000000 65535 f" });
    for (int object = 1; object <= 4; ++object)
        expected << QByteArray::number(offsets[object]).rightJustified(10, '0') + " 00000 n";
    expected << Lines({ "trailer", "<<", "/Size 5", "/Root 2 0 R", "/Info 1 0 R", ">>", "startxref" });
    expected << QByteArray::number(position) << "%%EOF";

    EXPECT_EQ(actual, expected);
    EXPECT_TRUE(bytes.endsWith("%%EOF\r\n"));
    if (const auto check
        = RunTool(QStringLiteral("qpdf"), { QStringLiteral("--check"), dir.filePath(u"out.pdf"_qs) })) {
        EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_qs)) << check->toStdString();
    }
}

TEST(PdfFile, OneImageObjectForALogoOnEveryPage)
{
    const TDraw logoPage = [](TRLGraphicSurface& page) {
        page.StretchDraw(TRect { 10, 20, 110, 70 }, LogoPicture());
    };
    const QList<QByteArray> lines = PdfOfPages({ logoPage, logoPage, logoPage });
    EXPECT_EQ(CountObjectsStartingWith(lines, "/Type/XObject"), 1);
    EXPECT_EQ(CountLines(lines, "/Image1 Do"), 3);
    EXPECT_EQ(CountLines(lines, "/Image2 Do"), 0);
    // Bounds (10, 20, 110, 70) on a 1123-dot page: lower left at 7.5, 789.75; 75 x 37.5 points.
    EXPECT_TRUE(ContainsLines(
        lines, Lines({ "q", "1 0 0 1 7.5 789.75 cm", "75 0 0 37.5 0 0 cm", "/Image1 Do", "Q" })));
    // Red first pixel, then white, rows top to bottom, closed by '>' on the same line.
    EXPECT_TRUE(ContainsLines(lines,
        Lines({ "/Type/XObject", "/Subtype/Image", "/Width 4", "/Height 2", "/ColorSpace/DeviceRGB",
            "/BitsPerComponent 8" })));
    EXPECT_TRUE(ContainsLines(lines,
        { "/Filter [/ASCIIHexDecode]", ">>", "stream", "FF0000" + QByteArray("FFFFFF").repeated(7) + '>',
            "endstream", "endobj" }));
    EXPECT_TRUE(ContainsLines(lines, Lines({ "/XObject <<", "/Image1 6 0 R", ">>" })))
        << "object 5 is the image's length, 6 the image";
}

TEST(PdfFile, ImageRowsBreakAfterEightyDigits)
{
    struct Case {
        int width;
        QList<QByteArray> data;
        const char* what;
    };
    const QByteArray white14 = QByteArray("FFFFFF").repeated(14);
    const Case cases[] = {
        { 20, { white14, QByteArray("FFFFFF").repeated(6) + '>' }, "84 digits, then the rest with '>'" },
        { 14, { white14, ">" }, "'>' at the start of a line after a line end" },
        { 1, { "FFFFFF>" }, "one pixel" },
    };
    for (const Case& c : cases) {
        QImage picture(c.width, 1, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QList<QByteArray> lines = PdfOfPages({ [&](TRLGraphicSurface& page) {
            page.StretchDraw(TRect { 0, 0, 10, 10 }, picture);
        } });
        QList<QByteArray> expected = Lines({ "stream" });
        expected << c.data << "endstream";
        EXPECT_TRUE(ContainsLines(lines, expected)) << c.what;
    }
}

TEST(PdfFile, DifferentPicturesGetTheirOwnObjects)
{
    QImage blue = LogoPicture();
    blue.setPixelColor(0, 0, Qt::blue);
    const QList<QByteArray> lines = PdfOfPages({ [&](TRLGraphicSurface& page) {
        page.StretchDraw(TRect { 0, 0, 10, 10 }, LogoPicture());
        page.StretchDraw(TRect { 0, 0, 10, 10 }, blue);
        page.StretchDraw(TRect { 20, 0, 30, 10 }, LogoPicture());
    } });
    EXPECT_EQ(CountObjectsStartingWith(lines, "/Type/XObject"), 2);
    EXPECT_EQ(CountLines(lines, "/Image1 Do"), 2);
    EXPECT_EQ(CountLines(lines, "/Image2 Do"), 1);
}

TEST(PdfFile, TextStringsAreEscaped)
{
    struct Case {
        QString text;
        QByteArray expected;
        const char* what;
    };
    const Case cases[] = {
        { QStringLiteral("(a) \\ b"), "(\\(a\\) \\\\ b) Tj", "parentheses and backslash" },
        { QStringLiteral("a\tb"), "(a\\011b) Tj", "tab as octal" },
        { QStringLiteral("x\x7Fy"), "(x\\177y) Tj", "delete as octal" },
        { QStringLiteral("Preço €"), QByteArray("(Pre\xE7o \x80) Tj"), "Windows-1252 bytes" },
        { QStringLiteral("日本"),
            "(?"
            "?) Tj",
            "outside Windows-1252" },
    };
    for (const Case& c : cases) {
        const QList<QByteArray> lines = PdfOfPages({ [&](TRLGraphicSurface& page) {
            SetFont(page, QStringLiteral("Helvetica"), 10);
            Text(page, TRect { 10, 10, 200, 30 }, c.text);
        } });
        EXPECT_EQ(CountLines(lines, c.expected), 1) << c.what;
    }
}

namespace {

/// The "x y Td" of the only text block in the lines, in points.
QPointF TextPosition(const QList<QByteArray>& lines)
{
    for (const QByteArray& line : lines) {
        if (line.endsWith(" Td")) {
            const QList<QByteArray> fields = line.split(' ');
            return { fields[0].toDouble(), fields[1].toDouble() };
        }
    }
    ADD_FAILURE() << "no Td line";
    return {};
}

/// What the file says font `name` advances for `text` at `points`, and how far it reaches below
/// the baseline, both in points, read from its /Widths and its descriptor.
struct TFileFont {
    double width = 0;
    double descent = 0;
};
TFileFont FileFontOf(
    const QList<QByteArray>& lines, const QByteArray& name, const QByteArray& text, int points)
{
    TFileFont font;
    const qsizetype start = lines.indexOf("/Type/Font/Subtype/TrueType/Name/F1/BaseFont/" + name);
    const qsizetype widthsAt = lines.indexOf("/Widths [", start);
    if (start < 0 || widthsAt < 0) {
        ADD_FAILURE() << "no TrueType font " << name.toStdString();
        return font;
    }
    const int firstChar = lines[start + 1].mid(QByteArray("/FirstChar ").size()).toInt();
    QList<int> widths;
    for (qsizetype i = widthsAt + 1; lines[i] != "]"; ++i) {
        for (const QByteArray& field : lines[i].split(' ')) {
            if (!field.isEmpty())
                widths << field.toInt();
        }
    }
    int units = 0;
    for (const char byte : text)
        units += widths.value(static_cast<unsigned char>(byte) - firstChar);
    font.width = units * points / 1000.0;
    const qsizetype descentAt = lines.indexOf(QByteArray("/FontName/") + name);
    for (qsizetype i = descentAt; descentAt >= 0 && i < lines.size(); ++i) {
        if (lines[i].startsWith("/Descent ")) {
            font.descent = lines[i].mid(QByteArray("/Descent ").size()).toInt() * points / 1000.0;
            break;
        }
    }
    EXPECT_GT(font.width, 0) << name.toStdString();
    EXPECT_GT(font.descent, 0) << name.toStdString();
    return font;
}

}

// A reader places the glyphs by the font's /Widths, so an aligned text is judged by them: it must
// end inside its bounds (the clip would cut it) and at most one dot (0.75 point) short of where
// the alignment puts it. Bold is wider than regular, which once cut right-aligned totals.
TEST(PdfFile, TextBlockPlacement)
{
    const TRect bounds { 100, 200, 500, 222 };
    const double left = Points(bounds.Left).toDouble();
    const double right = Points(bounds.Right).toDouble();
    const double bottom = Points(kA4Height - bounds.Bottom).toDouble();
    const QByteArray text = "Total 1.234,56 (agosto)";
    constexpr double kDot = 0.75;
    struct Case {
        TRLMetaTextAlignment alignment;
        TFontStyles style;
        QByteArray fontName;
        const char* what;
    };
    const Case cases[] = {
        { TRLMetaTextAlignment::Left, fsBold, "Arial,Bold", "left, bold" },
        { TRLMetaTextAlignment::Justify, {}, "Arial", "justify" },
        { TRLMetaTextAlignment::Right, fsBold, "Arial,Bold", "right, bold" },
        { TRLMetaTextAlignment::Right, {}, "Arial", "right, regular" },
        { TRLMetaTextAlignment::Center, fsBold, "Arial,Bold", "centre, bold" },
    };
    for (const Case& c : cases) {
        const QList<QByteArray> lines = PdfOfPages({ [&](TRLGraphicSurface& page) {
            SetFont(page, QStringLiteral("Arial"), 10, c.style, clRed);
            Text(page, bounds, QString::fromLatin1(text), c.alignment);
        } });
        EXPECT_TRUE(ContainsLines(lines, Lines({ "q", "1 0 0 rg", "BT", "/F1 10 Tf" }))) << c.what;
        EXPECT_TRUE(ContainsLines(lines, Lines({ "(Total 1.234,56 \\(agosto\\)) Tj", "ET", "Q" }))) << c.what;
        const TFileFont font = FileFontOf(lines, c.fontName, text, 10);
        const QPointF at = TextPosition(lines);
        const double end = at.x() + font.width;
        switch (c.alignment) {
        case TRLMetaTextAlignment::Right:
            EXPECT_LE(end, right + 1e-9) << c.what << ": ends at " << end;
            EXPECT_GT(end, right - kDot) << c.what << ": ends at " << end;
            break;
        case TRLMetaTextAlignment::Center:
            EXPECT_NEAR(at.x() + font.width / 2, (left + right) / 2, kDot) << c.what;
            EXPECT_LE(end, right) << c.what;
            break;
        default:
            EXPECT_EQ(at.x(), left) << c.what << ": the origin";
        }
        // Descenders stay inside the bounds, the baseline at most a dot above them.
        EXPECT_GE(at.y() - font.descent, bottom - 1e-9) << c.what;
        EXPECT_LT(at.y() - font.descent, bottom + kDot) << c.what;
    }
}

// The standard fonts are not embedded, so a reader takes their widths from the standard
// metrics: Helvetica's T, o, t, a and l advance 611, 556, 278, 556 and 222 thousandths.
TEST(PdfFile, RightAlignedStandardFontByItsStandardWidths)
{
    const TRect bounds { 100, 200, 500, 222 };
    const QList<QByteArray> lines = PdfOfPages({ [&](TRLGraphicSurface& page) {
        SetFont(page, QStringLiteral("Helvetica"), 10, fsBold);
        Text(page, bounds, QStringLiteral("Total"), TRLMetaTextAlignment::Right);
    } });
    const double width = (611 + 556 + 278 + 556 + 222) * 10 / 1000.0;
    const double end = TextPosition(lines).x() + width;
    EXPECT_LE(end, Points(bounds.Right).toDouble());
    EXPECT_GT(end, Points(bounds.Right).toDouble() - 0.75);
}

TEST(PdfFile, ClippedTextWritesItsBounds)
{
    const QList<QByteArray> lines = PdfOfPages({ [](TRLGraphicSurface& page) {
        SetFont(page, QStringLiteral("Courier"), 9);
        Text(page, TRect { 8, 16, 88, 36 }, QStringLiteral("clip"), TRLMetaTextAlignment::Left, 0);
    } });
    EXPECT_TRUE(
        ContainsLines(lines, Lines({ "q", "0 0 0 rg", "6 815.25 60 15 re", "W n", "BT", "/F1 9 Tf" })));
}

TEST(PdfFile, StandardAndTrueTypeFonts)
{
    const QList<QByteArray> lines = PdfOfPages({ [](TRLGraphicSurface& page) {
        const TRect rect { 10, 10, 300, 30 };
        SetFont(page, QStringLiteral("helvetica"), 10);
        Text(page, rect, QStringLiteral("one"));
        SetFont(page, QStringLiteral("Courier New"), 10);
        Text(page, rect, QStringLiteral("two"));
        SetFont(page, QStringLiteral("Arial"), 10);
        Text(page, rect, QStringLiteral("three"));
        SetFont(page, QStringLiteral("Arial"), 12, fsBold);
        Text(page, rect, QStringLiteral("four"));
        SetFont(page, QStringLiteral("ARIAL"), 8);
        Text(page, rect, QStringLiteral("five"));
    } });
    EXPECT_EQ(
        CountLines(lines, "/Type/Font/Subtype/Type1/Name/F1/BaseFont/helvetica/Encoding/WinAnsiEncoding"), 1)
        << "a standard name keeps the face's letter case";
    EXPECT_EQ(CountLines(lines, "/Type/Font/Subtype/TrueType/Name/F2/BaseFont/CourierNew"), 1)
        << "a standard name plus a word is TrueType, without the space";
    EXPECT_EQ(CountLines(lines, "/Type/Font/Subtype/TrueType/Name/F3/BaseFont/Arial"), 1);
    EXPECT_EQ(CountLines(lines, "/Type/Font/Subtype/TrueType/Name/F4/BaseFont/Arial,Bold"), 1);
    EXPECT_EQ(CountLines(lines, "/Type/FontDescriptor"), 3);
    EXPECT_EQ(CountLines(lines, "/FontName/Arial,Bold"), 1);
    EXPECT_EQ(CountLines(lines, "/F3 8 Tf"), 1) << "the face compares without letter case";
    EXPECT_EQ(CountLines(lines, "/F5 8 Tf"), 0);
    EXPECT_TRUE(ContainsLines(lines, Lines({ "/FirstChar 32", "/LastChar 255", "/Widths [" })));
    EXPECT_TRUE(ContainsLines(lines, Lines({ "/Flags 32" })));
    EXPECT_TRUE(ContainsLines(lines, Lines({ "/MissingWidth 0", "/StemV 73", "/StemH 73" })));
    // 224 widths, 18 to a line: 12 full lines and one of 8.
    const qsizetype widths = lines.indexOf("/Widths [");
    ASSERT_GE(widths, 0);
    for (int row = 1; row <= 12; ++row)
        EXPECT_EQ(lines[widths + row].count(' '), 18) << "row " << row;
    EXPECT_EQ(lines[widths + 13].count(' '), 8);
    EXPECT_EQ(lines[widths + 14], "]");
}

TEST(PdfFile, PenLinesAndShapes)
{
    struct Case {
        TPen pen;
        QList<QByteArray> expected;
        const char* what;
    };
    const Case cases[] = {
        { TPen { clBlack, 1, psClear }, Lines({ "0 w", "0 J", "0 0 0 RG", "7.5 832.5 m" }),
            "clear pen: width 0, no dash" },
        { TPen { clRed, 4, psSolid }, Lines({ "3 w", "0 J", "[] 0 d", "1 0 0 RG" }), "solid" },
        { TPen { clBlack, 1, psDash }, Lines({ "0.75 w", "0 J", "[3] 0 d" }), "dash" },
        { TPen { clBlack, 1, psDot }, Lines({ "0.75 w", "0 J", "[1] 0 d" }), "dot" },
        { TPen { clBlack, 1, psDashDot }, Lines({ "0.75 w", "0 J", "[2 1] 0 d" }), "dash-dot" },
        { TPen { clBlack, 1, psDashDotDot }, Lines({ "0.75 w", "0 J", "[3 5] 6 d" }), "dash-dot-dot" },
        { TPen { clBlack, 1, psInsideFrame }, Lines({ "0.75 w", "0 J", "[] 0 d" }), "inside frame" },
    };
    for (const Case& c : cases) {
        const QList<QByteArray> lines = PdfOfPages({ [&](TRLGraphicSurface& page) {
            page.SetPen(c.pen);
            page.MoveTo(10, 13);
            page.LineTo(50, 13);
        } });
        EXPECT_TRUE(ContainsLines(lines, c.expected)) << c.what;
    }

    const QList<QByteArray> lines = PdfOfPages({ [](TRLGraphicSurface& page) {
        page.SetPixel(4, 8, clRed);
        page.SetBrush(TBrush { clWhite, bsSolid });
        page.Rectangle(8, 16, 88, 36);
        page.FillRect(TRect { 0, 0, 4, 4 });
        const QPoint triangle[] = { { 0, 0 }, { 8, 0 }, { 0, 8 } };
        page.Polygon(triangle);
        page.Polyline(triangle);
    } });
    EXPECT_TRUE(ContainsLines(lines, Lines({ "0 w", "0 J", "1 0 0 rg", "3 835.5 0.75 0.75 re", "f" })))
        << "red pixel";
    EXPECT_TRUE(ContainsLines(lines, Lines({ "1 1 1 rg", "6 815.25 60 15 re", "f" }))) << "rectangle";
    EXPECT_TRUE(ContainsLines(lines, Lines({ "0 w", "1 1 1 rg", "0 839.25 3 3 re", "f" }))) << "fill rect";
    EXPECT_TRUE(ContainsLines(lines, Lines({ "0 842.25 m ", "6 842.25 l ", "0 836.25 l ", "b" })))
        << "polygon";
    EXPECT_TRUE(ContainsLines(lines, Lines({ "0 842.25 m ", "6 842.25 l ", "0 836.25 l ", "S" })))
        << "polyline";
}

TEST(PdfFile, EllipseIsThirtySixPoints)
{
    const QList<QByteArray> lines
        = PdfOfPages({ [](TRLGraphicSurface& page) { page.Ellipse(0, 0, 96, 48); } });
    // Centre (48, 24), radii 48 and 24 dots: point 0 is (96, 24), point 9 is (48, 48).
    const qsizetype at = lines.indexOf("b");
    ASSERT_GT(at, 0);
    const QByteArray& path = lines[at - 1];
    EXPECT_TRUE(path.startsWith("72 824.25 m 71.4531 821.1243 l ")) << path.toStdString();
    EXPECT_EQ(path.count(" l "), 35);
    EXPECT_TRUE(path.contains(" 36 806.25 l ")) << path.toStdString();
    EXPECT_TRUE(path.endsWith(" l "));
}

TEST(PdfFile, ClipObjectsSaveAndRestore)
{
    const QList<QByteArray> lines = PdfOfPages({ [](TRLGraphicSurface& page) {
        page.SetClipRect(TRect { 8, 16, 88, 36 });
        page.FillRect(TRect { 0, 0, 4, 4 });
        page.ResetClipRect();
    } });
    EXPECT_TRUE(ContainsLines(lines, Lines({ "q", "6 815.25 60 15 re", "W n", "0 w" })));
    EXPECT_TRUE(ContainsLines(lines, Lines({ "f", "Q", "endstream" })));
}

TEST(PdfFile, PageObjectsAndMediaBox)
{
    auto pages = MakePages(2);
    const QTemporaryDir dir;
    const QList<QByteArray> lines = PdfLines(WritePdf(*pages, dir));
    EXPECT_TRUE(ContainsLines(lines,
        Lines({ "5 0 obj <<", "/Type/Page", "/Parent 3 0 R", "/Resources 4 0 R",
            "/MediaBox [ 0 0 595.5 842.25 ]", "/Contents 6 0 R", ">> endobj", "6 0 obj <<", "/Length 7 0 R",
            ">>", "stream" })));
    // Page 1 is object 5, its contents 6 and their length 7; the first text reserves 8 for its
    // font, so page 2 is object 9.
    EXPECT_TRUE(ContainsLines(
        lines, Lines({ "/Count 2", "/MediaBox [ 0 0 595.5 842.25 ]", "/Kids [ 5 0 R 9 0 R ]" })));
    EXPECT_TRUE(ContainsLines(lines, Lines({ "/Font <<", "/F1 8 0 R", ">>" })));
    // The length object holds the stream's byte count, line ends included.
    const qsizetype start = lines.indexOf("stream");
    const qsizetype end = lines.indexOf("endstream", start);
    qint64 length = 0;
    for (qsizetype i = start + 1; i < end; ++i)
        length += lines[i].size() + 2;
    EXPECT_TRUE(ContainsLines(lines, { "endobj", "7 0 obj", QByteArray::number(length), "endobj" }));
}

TEST(PdfFile, InformationValuesAreEscaped_Issue8)
{
    auto pages = MakePages(1);
    const QTemporaryDir dir;
    const QList<QByteArray> lines = PdfLines(WritePdf(*pages, dir, 1, -1, [](TRLPDFFilter& filter) {
        TRLPDFFilterDocumentInfo info;
        info.Title = QStringLiteral("Ordem (1");
        info.Author = QStringLiteral("C:\\compras");
        info.Producer = QStringLiteral("José");
        filter.SetDocumentInfo(&info);
    }));
    EXPECT_EQ(CountLines(lines, "/Title(Ordem \\(1)"), 1);
    EXPECT_EQ(CountLines(lines, "/Author(C:\\\\compras)"), 1);
    EXPECT_EQ(CountLines(lines, QByteArray("/Producer(Jos\xE9)")), 1);
    EXPECT_EQ(CountLines(lines, "/Subject("), 0) << "empty values are left out";
    EXPECT_EQ(CountLines(lines, "/Creator(QuirelReport v0.6 - band-oriented reports on Qt)"), 0)
        << "the assigned record replaces the default";
    if (const auto info = RunTool(QStringLiteral("pdfinfo"), { dir.filePath(u"out.pdf"_qs) })) {
        EXPECT_TRUE(info->contains(QRegularExpression(u"Title:\\s+Ordem \\(1\n"_qs))) << info->toStdString();
    }
}

TEST(PdfFilter, DefaultsAndRegistry)
{
    TRLPDFFilter filter(nullptr);
    EXPECT_EQ(filter.DefaultExt(), u".pdf"_qs);
    EXPECT_TRUE(filter.DocumentInfo().Creator.startsWith(u"QuirelReport v0.6"_qs));
    EXPECT_EQ(SaveFilterByFileName(QStringLiteral("PEDIDO.PDF")), &filter);
    EXPECT_EQ(SaveFilterByFileName(QStringLiteral("pedido")), nullptr);
    filter.SetDocumentInfo(nullptr);
    EXPECT_EQ(filter.DocumentInfo(), TRLPDFFilterDocumentInfo {});
}

TEST(PdfFilter, ViewerOptionsNeverReachTheFile)
{
    auto pages = MakePages(1);
    const QTemporaryDir dir;
    const QList<QByteArray> lines = PdfLines(WritePdf(*pages, dir, 1, -1, [&](TRLPDFFilter& filter) {
        filter.PageMode = pmFullScreen;
        filter.ViewerOptions = voHideToolBar;
        filter.FontEncoding = feMacRomanEncoding;
    }));
    EXPECT_TRUE(ContainsLines(lines, Lines({ "/Type/Catalog", "/Pages 3 0 R", ">> endobj" })));
    EXPECT_EQ(CountLines(lines, "/PageMode/FullScreen"), 0);
}

TEST(PdfFilter, FileThatCannotBeCreated)
{
    auto pages = MakePages(1);
    const QTemporaryDir dir;
    TRLPDFFilter filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = dir.filePath(QStringLiteral("missing/out.pdf"));
    const QString error = ErrorOf([&] { filter.FilterPages(*pages->Storage); });
    EXPECT_TRUE(error.startsWith(u"Cannot create file \""_qs + filter.FileName + u"\"."_qs))
        << error.toStdString();
    EXPECT_EQ(pages->Storage->UserCount(), 0);
}

// A picture that does not decode is drawn as a frame (the full check is in PdfExportTest): the
// run goes on past its page and replaces the previous file whole, leaving no temporary file.
TEST(PdfFilter, PageWithADamagedPictureIsWrittenWithTheOthers)
{
    auto pages = MakeStore();
    AddPage(*pages, [](TRLGraphicSurface& page) { page.FillRect(TRect { 0, 0, 4, 4 }); });
    AddPage(*pages, [](TRLGraphicSurface& page) {
        page.StretchDrawData(TRect { 0, 0, 4, 4 }, QByteArray("BMPnot a bitmap"));
    });
    AddPage(*pages, [](TRLGraphicSurface& page) { page.FillRect(TRect { 0, 0, 4, 4 }); });
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("out.pdf"));
    {
        QFile previous(fileName);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("previous");
    }
    TRLPDFFilter filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = fileName;
    filter.FilterPages(*pages->Storage);
    QFile written(fileName);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = PdfLines(written.readAll());
    EXPECT_EQ(CountLines(lines, "/Type/Page"), 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"out.pdf"_qs });
}

TEST(PdfFilter, CancelledRunWritesTheDonePages)
{
    auto pages = MakePages(5);
    const QTemporaryDir dir;
    class TCancelling : public TRLPDFFilter {
    public:
        TCancelling()
            : TRLPDFFilter(nullptr)
        {
        }

    protected:
        void InternalDrawPage(TRLGraphicSurface& page) override
        {
            TRLPDFFilter::InternalDrawPage(page);
            if (page.PageIndex() == 1)
                SetCanceled(true);
        }
    } filter;
    filter.ShowProgress = false;
    filter.FileName = dir.filePath(QStringLiteral("out.pdf"));
    filter.FilterPages(*pages->Storage);
    const auto info = RunTool(QStringLiteral("pdfinfo"), { filter.FileName });
    if (!info)
        FAIL() << "pdfinfo (poppler-utils) is not installed";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info->toStdString();
}

TEST(PdfFile, ContentStreamOfEveryObjectKind)
{
    const QList<QByteArray> lines = PdfOfPages({ [](TRLGraphicSurface& page) {
        page.SetPixel(10, 10, clRed);
        page.SetPen(TPen { clBlue, 2, psDash });
        page.MoveTo(20, 40);
        page.LineTo(200, 40);
        page.SetPen(TPen { clBlack, 1, psSolid });
        page.SetBrush(TBrush { clYellow, bsSolid });
        page.Rectangle(20, 60, 220, 100);
        SetFont(page, QStringLiteral("Helvetica"), 10, fsItalic, clGreen);
        Text(page, TRect { 24, 64, 216, 96 }, QStringLiteral("Item (1)"), TRLMetaTextAlignment::Left, 0);
        page.FillRect(TRect { 300, 60, 340, 100 });
        page.Ellipse(400, 60, 472, 96);
        const QPoint triangle[] = { { 500, 60 }, { 560, 100 }, { 500, 100 } };
        page.Polygon(triangle);
        page.Polyline(triangle);
        page.StretchDraw(TRect { 600, 60, 640, 80 }, LogoPicture());
        page.SetClipRect(TRect { 20, 120, 220, 160 });
        Text(page, TRect { 24, 124, 216, 156 }, QStringLiteral("clipped"));
        page.ResetClipRect();
    } });
    const qsizetype contents = lines.indexOf("/Type/Page");
    ASSERT_GE(contents, 0);
    const qsizetype start = lines.indexOf("stream", contents);
    const qsizetype end = lines.indexOf("endstream", start);
    ASSERT_GT(end, start);
    QStringList stream;
    for (qsizetype i = start + 1; i < end; ++i)
        stream << QString::fromLatin1(lines[i]);
    ExpectMatchesGolden(stream.join(u'\n') + u'\n', u"filters/every-object-kind-content.txt"_qs);
}

TEST(PdfFilter, BackgroundRunWritesTheSameFile)
{
    auto pages = MakePages(4);
    const QTemporaryDir dir;
    const QByteArray foreground = WritePdf(*pages, dir);
    TRLPDFFilter filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = dir.filePath(QStringLiteral("background.pdf"));
    filter.FilterPages(*pages->Storage, 1, -1, true);
    filter.WaitForRun();
    EXPECT_TRUE(filter.LastRunError().isEmpty()) << filter.LastRunError().toStdString();
    QFile file(filter.FileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray background = file.readAll();
    // Only the creation date may differ, and it has the same length.
    ASSERT_EQ(background.size(), foreground.size());
    const QList<QByteArray> foregroundLines = PdfLines(foreground);
    const QList<QByteArray> backgroundLines = PdfLines(background);
    ASSERT_EQ(foregroundLines.size(), backgroundLines.size());
    for (qsizetype i = 0; i < foregroundLines.size(); ++i) {
        if (!foregroundLines[i].startsWith("/CreationDate(")) {
            EXPECT_EQ(backgroundLines[i], foregroundLines[i]) << "line " << i;
        }
    }
}

// Numbers with at most four decimals (dots times 0.75) take a shortcut past the general rounding;
// both must write what a correctly rounding formatter writes, trimmed.
TEST(PdfFile, NumbersAgreeWithACorrectlyRoundingFormatter)
{
    const auto expected = [](double value) {
        QByteArray text = QByteArray::number(value, 'f', 4);
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
        return text == "-0" ? QByteArray("0") : text;
    };
    QList<double> values = { 0.0, -0.0, 12.5, 3.0, 0.75, 0.00004, -0.00004, 0.00005, 0.00015, 1e12, -1e12,
        123456789.12345, 842.25, 1.0 / 3, 2.0 / 3, -2.0 / 3 };
    for (int dots = -2000; dots <= 20000; dots += 7)
        values << dots * 0.75 << dots / 96.0 * 72.0;
    for (int component = 0; component <= 255; ++component)
        values << component / 255.0;
    for (int i = 0; i < 36; ++i)
        values << 300 + 48 * std::cos(i * 2 * std::numbers::pi / 36)
               << 824.25 + 24 * std::sin(i * 2 * std::numbers::pi / 36);
    for (const double value : values)
        EXPECT_EQ(PdfNumber(value), expected(value)) << QByteArray::number(value, 'g', 17).toStdString();
}

TEST(PdfFile, BoldAndRegularOfOneFaceAreTwoFonts)
{
    const QList<QByteArray> lines = PdfOfPages({ [](TRLGraphicSurface& page) {
        SetFont(page, QStringLiteral("Verdana"), 9);
        Text(page, TRect { 10, 10, 300, 30 }, QStringLiteral("regular"));
        SetFont(page, QStringLiteral("Verdana"), 9, fsBold);
        Text(page, TRect { 10, 40, 300, 60 }, QStringLiteral("bold"));
        SetFont(page, QStringLiteral("verdana"), 12);
        Text(page, TRect { 10, 70, 300, 90 }, QStringLiteral("regular again"));
    } });
    // Page 5, contents 6, length 7; the fonts reserve 8 and 9 as they are met.
    EXPECT_TRUE(ContainsLines(lines, Lines({ "/Font <<", "/F1 8 0 R", "/F2 9 0 R", ">>" })));
    EXPECT_EQ(CountLines(lines, "/F1 9 Tf"), 1);
    EXPECT_EQ(CountLines(lines, "/F2 9 Tf"), 1);
    EXPECT_EQ(CountLines(lines, "/F1 12 Tf"), 1) << "the face compares without letter case";
    EXPECT_TRUE(ContainsLines(
        lines, Lines({ "8 0 obj <<", "/Type/Font/Subtype/TrueType/Name/F1/BaseFont/Verdana" })));
    EXPECT_TRUE(ContainsLines(
        lines, Lines({ "9 0 obj <<", "/Type/Font/Subtype/TrueType/Name/F2/BaseFont/Verdana,Bold" })));
    EXPECT_EQ(CountLines(lines, "/Type/FontDescriptor"), 2);
    EXPECT_EQ(CountLines(lines, "/FontName/Verdana"), 1);
    EXPECT_EQ(CountLines(lines, "/FontName/Verdana,Bold"), 1);
}
