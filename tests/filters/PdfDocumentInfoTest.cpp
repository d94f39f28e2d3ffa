#include "filters/RLFilterCommands.h"
#include "filters/RLPDFFilter.h"
#include "filters/RLPDFTextString.h"
#include "pages/RLGraphicStorage.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/FilterTestPages.h"
#include "tests/filters/PdfTestTools.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The information dictionary holds text strings, which a viewer reads in PDFDocEncoding or, after
// the byte order mark FE FF, in UTF-16BE; never in the Windows-1252 of the page texts.

namespace {

QByteArray Bytes(std::initializer_list<int> codes)
{
    QByteArray bytes;
    for (const int code : codes)
        bytes += char(code);
    return bytes;
}

/// The information dictionary's lines of the written file.
QList<QByteArray> InfoLines(const QByteArray& pdf)
{
    const QList<QByteArray> lines = PdfLines(pdf);
    const qsizetype start = lines.indexOf("1 0 obj <<");
    const qsizetype end = lines.indexOf(">> endobj", start);
    return start < 0 || end < 0 ? QList<QByteArray> {} : lines.mid(start + 1, end - start - 1);
}

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    return file.readAll();
}

/// pdfinfo's text of the file, in UTF-8 whatever the locale.
QString PdfInfo(const QString& fileName)
{
    const auto info = RunTool(u"pdfinfo"_qs, { u"-enc"_qs, u"UTF-8"_qs, fileName });
    EXPECT_TRUE(info.has_value()) << "pdfinfo (poppler-utils) is not installed";
    return info.value_or(QString());
}

}

// Codes from the PDFDocEncoding table of the PDF reference, not from the encoder's own table.
TEST(PdfTextString, DocEncodingWhereEveryCharacterFits)
{
    struct Case {
        QString text;
        QByteArray expected;
        const char* what;
    };
    const Case cases[] = {
        { u"Ordem Compra 3"_qs, "Ordem Compra 3", "ASCII" },
        { u"José Açaí"_qs, Bytes({ 'J', 'o', 's', 0xE9, ' ', 'A', 0xE7, 'a', 0xED }), "Latin-1 letters" },
        { u"a \u2014 b"_qs, Bytes({ 'a', ' ', 0x84, ' ', 'b' }), "em dash (0x97 in Windows-1252)" },
        { u"\u2013\u2026\u2122"_qs, Bytes({ 0x85, 0x83, 0x92 }), "en dash, ellipsis, trade mark" },
        { u"\u201Cx\u201D \u2018y\u2019"_qs, Bytes({ 0x8D, 'x', 0x8E, ' ', 0x8F, 'y', 0x90 }),
            "curly quotes" },
        { u"\u20AC 5"_qs, Bytes({ 0xA0, ' ', '5' }), "euro" },
        { u"\u0160\u0161\u0152\u0153\u017D\u017E\u0178"_qs,
            Bytes({ 0x97, 0x9D, 0x96, 0x9C, 0x99, 0x9E, 0x98 }), "letters of 0x80 to 0x9E" },
        { u"\u02DC\u02C6"_qs, Bytes({ 0x1F, 0x1A }), "spacing accents" },
        { u"a\tb\nc"_qs, "a\tb\nc", "tab and line feed" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToPdfDocEncoding(c.text), std::optional<QByteArray>(c.expected)) << c.what;
        EXPECT_EQ(PdfTextStringBytes(c.text), c.expected) << c.what;
    }
}

TEST(PdfTextString, Utf16WithByteOrderMarkOtherwise)
{
    struct Case {
        QString text;
        QByteArray expected;
        const char* what;
    };
    const Case cases[] = {
        { u"Заказ"_qs, Bytes({ 0xFE, 0xFF, 0x04, 0x17, 0x04, 0x30, 0x04, 0x3A, 0x04, 0x30, 0x04, 0x37 }),
            "Cyrillic" },
        { u"é 日"_qs, Bytes({ 0xFE, 0xFF, 0x00, 0xE9, 0x00, 0x20, 0x65, 0xE5 }), "one character outside" },
        { u"a\u00A0b"_qs, Bytes({ 0xFE, 0xFF, 0x00, 'a', 0x00, 0xA0, 0x00, 'b' }),
            "no-break space: 0xA0 is the euro" },
        { u"\u00AD"_qs, Bytes({ 0xFE, 0xFF, 0x00, 0xAD }), "soft hyphen: 0xAD has no character" },
        { u"\U0001F600"_qs, Bytes({ 0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00 }), "surrogate pair" },
        { u"\x01"_qs, Bytes({ 0xFE, 0xFF, 0x00, 0x01 }), "control character" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToPdfDocEncoding(c.text), std::nullopt) << c.what;
        EXPECT_EQ(PdfTextStringBytes(c.text), c.expected) << c.what;
    }
}

// The creator's em dash read "Š" in every viewer: Windows-1252's 0x97 is "Š" in PDFDocEncoding.
TEST(PdfFile, InformationStringsReadAsWritten)
{
    struct Case {
        QString title;
        QString creator;
        QByteArray titleLine;
        const char* what;
    };
    const Case cases[] = {
        { u"Ordem Compra 3"_qs, u"QuirelReport v0.6 \u2014 band-oriented report library"_qs,
            "/Title(Ordem Compra 3)", "em dash in PDFDocEncoding" },
        { u"Pedido (José)"_qs, u"Quirel \u2013 \u201Cv0.6\u201D"_qs, "/Title(Pedido \\(Jos\xE9\\))",
            "escaped parentheses, Latin-1" },
        // 0x28 and 0x29 are parentheses inside the UTF-16 units of "Ш" (0x0428) and "Щ" (0x0429).
        { u"Заказ Ш(Щ)"_qs, u"\u65E5\u672C \u2014 1"_qs,
            QByteArray("/Title(\xFE\xFF")
                + "\\004\\027"
                  "\\0040"
                  "\\004:"
                  "\\0040"
                  "\\0047"
                  "\\000 "
                  "\\004\\("
                  "\\000\\("
                  "\\004\\)"
                  "\\000\\))",
            "UTF-16BE with bytes that need escaping" },
    };
    for (const Case& c : cases) {
        auto pages = MakePages(1);
        const QTemporaryDir dir;
        const QString fileName = dir.filePath(u"out.pdf"_qs);
        TRLPDFFilter filter(nullptr);
        filter.ShowProgress = false;
        filter.FileName = fileName;
        filter.DocumentInfo().Title = c.title;
        filter.DocumentInfo().Creator = c.creator;
        filter.FilterPages(*pages->Storage);

        EXPECT_EQ(CountLines(InfoLines(ReadAll(fileName)), c.titleLine), 1) << c.what;
        const QString info = PdfInfo(fileName);
        EXPECT_TRUE(info.contains(u"Title:           "_qs + c.title + u'\n')) << c.what << "\n"
                                                                              << info.toStdString();
        EXPECT_TRUE(info.contains(u"Creator:         "_qs + c.creator + u'\n')) << c.what << "\n"
                                                                                << info.toStdString();
        const auto check = RunTool(u"qpdf"_qs, { u"--check"_qs, fileName });
        ASSERT_TRUE(check.has_value()) << "qpdf is not installed";
        EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_qs))
            << c.what << check->toStdString();
    }
}

// A report's title names the document unless the filter was given a title of its own.
TEST(PdfFile, ReportTitleIsTheDocumentTitle)
{
    auto pages = MakePages(1);
    pages->Storage->SetTitle(u"Ordem Compra 7"_qs);
    const QTemporaryDir dir;
    const QString fileName = dir.filePath(u"out.pdf"_qs);
    ExportPagesToPdf(*pages->Storage, fileName);
    EXPECT_EQ(CountLines(InfoLines(ReadAll(fileName)), "/Title(Ordem Compra 7)"), 1);
    EXPECT_TRUE(PdfInfo(fileName).contains(u"Title:           Ordem Compra 7\n"_qs));

    TRLPDFFilter filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = fileName;
    filter.DocumentInfo().Title = u"Cotação"_qs;
    filter.FilterPages(*pages->Storage);
    const QList<QByteArray> info = InfoLines(ReadAll(fileName));
    EXPECT_EQ(CountLines(info, "/Title(Cota\xE7\xE3o)"), 1);
    EXPECT_EQ(CountLines(info, "/Title(Ordem Compra 7)"), 0);

    pages->Storage->SetTitle(QString());
    ExportPagesToPdf(*pages->Storage, fileName);
    for (const QByteArray& line : InfoLines(ReadAll(fileName)))
        EXPECT_FALSE(line.startsWith("/Title(")) << "no title, no entry: " << line.toStdString();
}
