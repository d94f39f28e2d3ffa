#include "filters/RLFilterCommands.h"
#include "filters/RLPDFFilter.h"
#include "filters/RLSpoolFilter.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLPictureData.h"
#include "platform/Canvas.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/FilterTestPages.h"
#include "tests/filters/PdfTestTools.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

// The whole export read back by independent tools: qpdf checks the structure, pdftotext the
// texts, pdfinfo the page size and count.

namespace {

const QStringList kItemTexts = { u"Ordem de Compra 1"_qs, u"Fornecedor: Papelaria Central (SP)"_qs,
    u"Código"_qs, u"Descrição"_qs, u"Total: R$ 1.234,56"_qs };

/// A few pages as an order prints them: texts in several fonts, frames, a logo on each page.
std::unique_ptr<TTestPages> OrderLikePages(int pageCount)
{
    auto pages = MakeStore();
    for (int n = 1; n <= pageCount; ++n) {
        AddPage(*pages, [n](TRLGraphicSurface& page) {
            page.StretchDraw(TRect { 38, 38, 138, 88 }, LogoPicture());
            TFont font;
            font.Name = u"Arial"_qs;
            font.SetSize(12);
            font.Style = fsBold;
            page.SetFont(font);
            int y = 120;
            for (const QString& text : kItemTexts) {
                page.TextOutEx(TRect { 38, y, 756, y + 20 }, 38, y, text, TRLMetaTextAlignment::Left,
                    TRLMetaTextLayout::Top, 0);
                font.Style = {};
                font.Name = n % 2 ? u"Times New Roman"_qs : u"Helvetica"_qs;
                page.SetFont(font);
                y += 30;
            }
            page.TextOutEx(TRect { 38, 1000, 756, 1020 }, 38, 1000,
                u"Página "_qs + QString::number(n) + u" de {LastPageNumber}"_qs, TRLMetaTextAlignment::Right,
                TRLMetaTextLayout::Top, 0);
            page.Rectangle(30, 110, 764, 280);
            page.MoveTo(30, 990);
            page.LineTo(764, 990);
        });
    }
    return pages;
}

QString Squeezed(QString text)
{
    return text.replace(QRegularExpression(u"\\s+"_qs), u" "_qs).trimmed();
}

}

TEST(PdfExport, IndependentToolsReadTheFile)
{
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"ordem.pdf"_qs);
    struct Case {
        int pages;
        const char* what;
    };
    const Case cases[] = { { 1, "one page" }, { 3, "three pages" }, { 12, "twelve pages" } };
    for (const Case& c : cases) {
        auto pages = OrderLikePages(c.pages);
        ExportPagesToPdf(*pages->Storage, fileName);

        const auto check = RunTool(u"qpdf"_qs, { u"--check"_qs, fileName });
        if (!check)
            FAIL() << "qpdf is not installed";
        EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_qs))
            << c.what << check->toStdString();

        const auto info = RunTool(u"pdfinfo"_qs, { fileName });
        if (!info)
            FAIL() << "pdfinfo (poppler-utils) is not installed";
        EXPECT_TRUE(
            info->contains(QRegularExpression(u"Pages:\\s+"_qs + QString::number(c.pages) + u"\\n"_qs)))
            << c.what << info->toStdString();
        EXPECT_TRUE(info->contains(QRegularExpression(u"Page size:\\s+595.5 x 842.25 pts \\(A4\\)"_qs)))
            << c.what << info->toStdString();
        EXPECT_TRUE(info->contains(u"Creator:         QuirelReport v0.6"_qs)) << info->toStdString();

        const auto text = RunTool(
            u"pdftotext"_qs, { u"-layout"_qs, u"-f"_qs, u"1"_qs, u"-l"_qs, u"1"_qs, fileName, u"-"_qs });
        ASSERT_TRUE(text.has_value());
        const QString read = Squeezed(*text);
        qsizetype at = -1;
        for (const QString& expected : kItemTexts) {
            const qsizetype found = read.indexOf(expected);
            EXPECT_GT(found, at) << c.what << ": \"" << expected.toStdString()
                                 << "\" in order in: " << read.toStdString();
            at = std::max(at, found);
        }
        EXPECT_TRUE(read.contains(u"Página 1 de "_qs + QString::number(c.pages))) << read.toStdString();
    }
}

TEST(PdfExport, ReplacesAnExistingFileAndLeavesNothingElse)
{
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"ordem.pdf"_qs);
    {
        QFile old(fileName);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    auto pages = OrderLikePages(1);
    ExportPagesToPdf(*pages->Storage, fileName);
    QFile written(fileName);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("%PDF-1.2\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"ordem.pdf"_qs });
    EXPECT_EQ(pages->Storage->UserCount(), 0);
}

// A picture with a transparent ground, kept through the page file, shows what lies beneath it in
// the preview, on the printer's sheet and in the PDF as a reader renders it: paper white on the
// bare page, the fill colour on a filled box, never black.
TEST(PdfExport, TransparentPictureAndIconShowTheGroundEverywhere)
{
    QImage drawn(40, 40, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    for (int y = 15; y < 25; ++y)
        for (int x = 15; x < 25; ++x)
            drawn.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(drawn.save(&buffer, "PNG"));
    }
    const QImage picture = LoadPicture(png);
    // The same picture kept as an icon, below.
    const QByteArray icon = IconPictureData(SaveIcon(picture));
    auto pages = MakeStore();
    AddPage(*pages, [&picture, &icon](TRLGraphicSurface& page) {
        page.StretchDraw(TRect { 100, 100, 140, 140 }, picture);
        page.StretchDrawData(TRect { 100, 300, 140, 340 }, icon);
        page.SetBrush(TBrush { clBlue, bsSolid });
        page.FillRect(TRect { 300, 100, 400, 200 });
        page.StretchDraw(TRect { 330, 130, 370, 170 }, picture);
        page.FillRect(TRect { 300, 300, 400, 400 });
        page.StretchDrawData(TRect { 330, 330, 370, 370 }, icon);
    });
    const QTemporaryDir dir;
    const QString pageFile = dir.filePath(u"ordem.rpf"_qs);
    pages->Storage->SaveToFile(pageFile);
    auto loaded = MakeStore();
    loaded->Storage->LoadFromFile(pageFile);
    TRLGraphicSurface& page = *loaded->Storage->Pages(0);

    QImage preview(kA4Width, kA4Height, QImage::Format_RGB32);
    preview.fill(Qt::white);
    {
        QPainter painter(&preview);
        TCanvas canvas(painter);
        page.PaintTo(canvas, TRect { 0, 0, kA4Width, kA4Height });
    }
    QImage sheet(kA4Width, kA4Height, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        TCanvas canvas(painter);
        PaintPageOnPrinter(
            canvas, page, TRLPrinterMapping(TRect { 0, 0, kA4Width, kA4Height }, page.Width, page.Height));
    }
    const QString pdf = dir.filePath(u"ordem.pdf"_qs);
    ExportPagesToPdf(*loaded->Storage, pdf);
    const auto check = RunTool(u"qpdf"_qs, { u"--check"_qs, pdf });
    ASSERT_TRUE(check.has_value()) << "qpdf is not installed";
    EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_qs)) << check->toStdString();
    // 72 dpi: one PDF point is one rendered pixel, 0.75 of a page dot.
    ASSERT_TRUE(RunTool(
        u"pdftoppm"_qs, { u"-r"_qs, u"72"_qs, u"-png"_qs, u"-singlefile"_qs, pdf, dir.filePath(u"ordem"_qs) })
                    .has_value())
        << "pdftoppm (poppler-utils) is not installed";
    const QImage rendered(dir.filePath(u"ordem.png"_qs));
    ASSERT_FALSE(rendered.isNull());

    struct Case {
        QPoint dot;
        QColor color;
        const char* what;
    };
    const Case cases[] = {
        { { 104, 104 }, Qt::white, "transparent corner on the bare page" },
        { { 120, 120 }, Qt::red, "the picture's own pixels" },
        { { 334, 134 }, Qt::blue, "transparent corner on the blue box" },
        { { 350, 150 }, Qt::red, "the picture on the blue box" },
        { { 104, 304 }, Qt::white, "transparent corner of the icon on the bare page" },
        { { 120, 320 }, Qt::red, "the icon's own pixels" },
        { { 334, 334 }, Qt::blue, "transparent corner of the icon on the blue box" },
        { { 350, 350 }, Qt::red, "the icon on the blue box" },
    };
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8
            && std::abs(a.blue() - b.blue()) < 8;
    };
    for (const Case& c : cases) {
        EXPECT_EQ(preview.pixelColor(c.dot), c.color) << "preview: " << c.what;
        EXPECT_EQ(sheet.pixelColor(c.dot), c.color) << "printer: " << c.what;
        const QColor inPdf = rendered.pixelColor(c.dot * 3 / 4);
        EXPECT_TRUE(near(inPdf, c.color)) << "PDF: " << c.what << " is " << inPdf.name().toStdString();
    }
}

// A page file whose pictures do not decode (cut, declaring 800 MB of pixels, of the wrong kind)
// still shows every page: each picture is an empty grey frame with a notice, in the preview, on
// the printer's sheet and in the PDF, and the rest of the page is drawn.
TEST(PdfExport, DamagedPictureIsAnEmptyFrameWithANoticeEverywhere)
{
    const QList<QByteArray> damaged = DamagedPictureData();
    const auto frameOf = [](qsizetype i) {
        return TRect { 100, 100 + 200 * int(i), 400, 250 + 200 * int(i) };
    };
    auto pages = MakeStore();
    AddPage(*pages, [&](TRLGraphicSurface& page) {
        for (qsizetype i = 0; i < damaged.size(); ++i)
            page.StretchDrawData(frameOf(i), damaged[i], false);
        page.TextOutEx(TRect { 100, 900, 700, 930 }, 100, 900, u"Total: R$ 1.234,56"_qs,
            TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 0);
    });
    const QTemporaryDir dir;
    const QString pageFile = dir.filePath(u"damaged.rpf"_qs);
    pages->Storage->SaveToFile(pageFile);
    auto loaded = MakeStore();
    loaded->Storage->LoadFromFile(pageFile);
    TRLGraphicSurface& page = *loaded->Storage->Pages(0);

    QImage preview(kA4Width, kA4Height, QImage::Format_RGB32);
    preview.fill(Qt::white);
    QImage sheet = preview;
    {
        QPainter painter(&preview);
        TCanvas canvas(painter);
        canvas.SmoothText = true;
        EXPECT_NO_THROW(page.PaintTo(canvas, TRect { 0, 0, kA4Width, kA4Height }));
    }
    {
        QPainter painter(&sheet);
        TCanvas canvas(painter);
        EXPECT_NO_THROW(PaintPageOnPrinter(
            canvas, page, TRLPrinterMapping(TRect { 0, 0, kA4Width, kA4Height }, page.Width, page.Height)));
    }
    const QString pdf = dir.filePath(u"damaged.pdf"_qs);
    ExportPagesToPdf(*loaded->Storage, pdf);
    const auto check = RunTool(u"qpdf"_qs, { u"--check"_qs, pdf });
    ASSERT_TRUE(check.has_value()) << "qpdf is not installed";
    EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_qs)) << check->toStdString();
    const auto text = RunTool(u"pdftotext"_qs, { u"-layout"_qs, pdf, u"-"_qs });
    ASSERT_TRUE(text.has_value()) << "pdftotext (poppler-utils) is not installed";
    EXPECT_EQ(text->count(DamagedPictureNotice()), damaged.size()) << text->toStdString();
    EXPECT_TRUE(text->contains(u"Total: R$ 1.234,56"_qs)) << text->toStdString();
    ASSERT_TRUE(RunTool(u"pdftoppm"_qs,
        { u"-r"_qs, u"72"_qs, u"-png"_qs, u"-singlefile"_qs, pdf, dir.filePath(u"damaged"_qs) })
                    .has_value())
        << "pdftoppm (poppler-utils) is not installed";
    const QImage rendered(dir.filePath(u"damaged.png"_qs));
    ASSERT_FALSE(rendered.isNull());

    const auto greyish = [](QColor c) {
        return c.red() > 60 && c.red() < 200 && std::abs(c.red() - c.green()) < 8
            && std::abs(c.red() - c.blue()) < 8;
    };
    // Ink inside the frame: the notice.
    const auto inked = [](const QImage& image, const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
        return count;
    };
    for (qsizetype i = 0; i < damaged.size(); ++i) {
        const TRect frame = frameOf(i);
        const QPoint leftEdge(frame.Left, (frame.Top + frame.Bottom) / 2);
        EXPECT_EQ(preview.pixelColor(leftEdge), QColor(128, 128, 128)) << "preview, picture " << i;
        EXPECT_EQ(sheet.pixelColor(leftEdge), QColor(128, 128, 128)) << "printer, picture " << i;
        const QColor inPdf = rendered.pixelColor(leftEdge * 3 / 4);
        EXPECT_TRUE(greyish(inPdf)) << "PDF, picture " << i << " frame is " << inPdf.name().toStdString();
        const QRect notice(frame.Left + 2, frame.Top + 2, 60, 11);
        EXPECT_GT(inked(preview, notice), 20) << "preview, picture " << i;
        EXPECT_GT(inked(rendered, QRect(notice.topLeft() * 3 / 4, notice.size() * 3 / 4)), 10)
            << "PDF, picture " << i;
        // Nothing of a picture inside: the frame's middle stays paper.
        const QPoint middle((frame.Left + frame.Right) / 2, (frame.Top + frame.Bottom) / 2 + 20);
        EXPECT_EQ(preview.pixelColor(middle), QColor(Qt::white)) << "preview, picture " << i;
    }
}

namespace {

/// The /Widths entries of the font object whose base font is `name`, by character code.
std::map<int, int> FontWidths(const QList<QByteArray>& lines, const QByteArray& name)
{
    std::map<int, int> widths;
    const qsizetype font = lines.indexOf("/Type/Font/Subtype/TrueType/Name/F1/BaseFont/" + name);
    if (font < 0 || font + 3 >= lines.size() || !lines[font + 1].startsWith("/FirstChar "))
        return widths;
    int code = lines[font + 1].mid(11).toInt();
    for (qsizetype i = lines.indexOf("/Widths [", font) + 1; i > 0 && i < lines.size() && lines[i] != "]";
         ++i) {
        for (const QByteArray& width : lines[i].split(' '))
            if (!width.isEmpty())
                widths[code++] = width.toInt();
    }
    return widths;
}

}

// "Helvetica Narrow" comes from a Type 1 file, whose outlines lack the TrueType tables the
// export measured fonts by: the export stopped with "Invalid font for GetOutlineTextMetrics".
TEST(PdfExport, TypeOneFaceExportsWithItsWidths)
{
    const auto format = RunTool(u"fc-match"_qs, { u"-f"_qs, u"%{fontformat}"_qs, u"Helvetica Narrow"_qs });
    ASSERT_TRUE(format.has_value()) << "fc-match (fontconfig) is not installed";
    ASSERT_TRUE(*format == u"Type 1"_qs || *format == u"CFF"_qs)
        << "fontconfig serves " << format->toStdString()
        << " for Helvetica Narrow; fonts-urw-base35 (scripts/install-deps.sh test) gives Type 1";
    const QStringList texts = { u"Fornecedor: Papelaria Central"_qs, u"Total R$: 1.234,56"_qs };
    auto pages = MakeStore();
    AddPage(*pages, [&texts](TRLGraphicSurface& page) {
        TFont font;
        font.Name = u"Helvetica Narrow"_qs;
        font.SetSize(12);
        page.SetFont(font);
        page.TextOutEx(TRect { 38, 100, 756, 120 }, 38, 100, texts[0], TRLMetaTextAlignment::Left,
            TRLMetaTextLayout::Top, 0);
        font.Style = fsBold;
        page.SetFont(font);
        page.TextOutEx(TRect { 38, 140, 756, 160 }, 38, 140, texts[1], TRLMetaTextAlignment::Right,
            TRLMetaTextLayout::Top, 0);
    });
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"narrow.pdf"_qs);
    try {
        ExportPagesToPdf(*pages->Storage, fileName);
    } catch (const EReportError& error) {
        FAIL() << "the export stopped: " << error.Message().toStdString();
    }

    const auto check = RunTool(u"qpdf"_qs, { u"--check"_qs, fileName });
    ASSERT_TRUE(check.has_value()) << "qpdf is not installed";
    EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_qs)) << check->toStdString();
    const auto text = RunTool(u"pdftotext"_qs, { u"-layout"_qs, u"-enc"_qs, u"UTF-8"_qs, fileName, u"-"_qs });
    ASSERT_TRUE(text.has_value()) << "pdftotext (poppler-utils) is not installed";
    for (const QString& expected : texts)
        EXPECT_TRUE(Squeezed(*text).contains(expected))
            << expected.toStdString() << " in " << text->toStdString();

    // Helvetica-Narrow's published widths: Helvetica's scaled by 0.82.
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::map<int, int> widths = FontWidths(PdfLines(file.readAll()), "HelveticaNarrow");
    ASSERT_EQ(widths.size(), 224u) << "codes 32 to 255";
    EXPECT_NEAR(widths.at(' '), 228, 1);
    EXPECT_NEAR(widths.at('A'), 547, 1);
    EXPECT_NEAR(widths.at('a'), 456, 1);
}

// Every kind of face embedded: TrueType faces (Arial, Times New Roman through their metric twins)
// as TrueType subsets, a standard name (Helvetica) from its CFF face as a Type1C subset, and a face
// that fontconfig serves first as Type 1 (Helvetica Narrow) from the next outline file it offers.
TEST(PdfExport, PortableFileEmbedsEveryKindOfFace)
{
    auto pages = OrderLikePages(2);
    AddPage(*pages, [](TRLGraphicSurface& page) {
        TFont font;
        font.Name = u"Helvetica Narrow"_qs;
        font.SetSize(12);
        page.SetFont(font);
        page.TextOutEx(TRect { 38, 100, 756, 120 }, 38, 100, u"Fornecedor: Papelaria Central"_qs,
            TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 0);
    });
    const QTemporaryDir dir;
    const QString exact = dir.filePath(u"exact.pdf"_qs);
    const QString portable = dir.filePath(u"portable.pdf"_qs);
    ExportPagesToPdf(*pages->Storage, exact);
    {
        TRLPDFFilter filter(nullptr);
        filter.ShowProgress = false;
        filter.Portable = true;
        filter.Language = u"pt-BR"_qs;
        filter.FileName = portable;
        filter.FilterPages(*pages->Storage);
    }

    const auto check = RunTool(u"qpdf"_qs, { u"--check"_qs, portable });
    ASSERT_TRUE(check.has_value()) << "qpdf is not installed";
    EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_qs)) << check->toStdString();
    std::map<QString, QString> types;
    for (const TPdfFontRow& font : PdfFonts(portable)) {
        EXPECT_TRUE(font.Embedded && font.Subset) << font.Name.toStdString() << " is not an embedded subset";
        // "ABCDEF+LiberationSans-Bold": the tag, then the face's own PostScript name.
        EXPECT_TRUE(font.Name.contains(QRegularExpression(u"^[A-Z]{6}\\+"_qs))) << font.Name.toStdString();
        types[font.Name.mid(7)] = font.Type;
    }
    EXPECT_EQ(types[u"LiberationSans-Bold"_qs], u"TrueType"_qs);
    EXPECT_EQ(types[u"LiberationSerif"_qs], u"TrueType"_qs);
    EXPECT_EQ(types[u"NimbusSans-Regular"_qs], u"Type 1C"_qs);
    // Helvetica Narrow is measured from a Type 1 file; the same design's CFF file is embedded.
    EXPECT_EQ(types[u"NimbusSansNarrow-Regular"_qs], u"Type 1C"_qs);
    EXPECT_EQ(types.size(), 4u);

    const QStringList layout { u"-layout"_qs, u"-enc"_qs, u"UTF-8"_qs };
    const auto expected = RunTool(u"pdftotext"_qs, layout + QStringList { exact, u"-"_qs });
    const auto read = RunTool(u"pdftotext"_qs, layout + QStringList { portable, u"-"_qs });
    ASSERT_TRUE(expected && read) << "pdftotext (poppler-utils) is not installed";
    EXPECT_EQ(*read, *expected);

    const TRenderDifference difference
        = CompareRenderings(exact, portable, 2, dir.path(), NoFontsEnvironment(dir.path()));
    constexpr double kMaxDifferingShare = 0.01;
    EXPECT_LT(difference.DifferingShare, kMaxDifferingShare) << difference.SecondImage.toStdString();
}
