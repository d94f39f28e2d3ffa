// The example programs run as a user would run them: each writes a PDF and a spreadsheet that
// outside readers (pdfinfo, pdftotext, Debian's python3-xlrd) must read back with the pages and texts
// expected.
#include "tests/common/TestHelpers.h"
#include "tests/filters/PdfTestTools.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TExample {
    const char* name;
    QString executable;
    int pages;
    /// Texts the PDF must show (pdftotext, layout kept), in the Brazilian locale.
    QStringList pdfTexts;
    /// Cells the spreadsheet must hold, as xls_dump prints them: "cell<TAB>sheet<TAB>...<TAB>value".
    QStringList xlsValues;
};

std::vector<TExample> Examples()
{
    return {
        { "listing", QStringLiteral(LISTING_EXECUTABLE), 4,
            { u"Lista de produtos"_s, u"1001"_s, u"1150"_s, u"Parafuso zincado M3"_s, u"Página 1"_s,
                u"de 4"_s, u"Total"_s },
            { u"Parafuso zincado M3"_s, u"Lista de produtos"_s } },
        { "masterdetail", QStringLiteral(MASTERDETAIL_EXECUTABLE), 0,
            { u"Vendas por cliente"_s, u"Ferragens Avenida"_s, u"Vidraçaria Luz"_s, u"Total geral"_s,
                u"pedidos"_s },
            { u"Ferragens Avenida"_s, u"Total geral"_s } },
        { "gallery", QStringLiteral(GALLERY_EXECUTABLE), 1,
            { u"Imagens, desenhos e bordas"_s, u"esticada"_s, u"triângulo"_s, u"todas, 4 pixels"_s },
            { u"Imagens, desenhos e bordas"_s } },
    };
}

int PdfPageCount(const QString& pdf)
{
    const std::optional<QString> info = RunTool(u"pdfinfo"_s, { pdf });
    if (!info)
        return -1;
    const QRegularExpressionMatch pages
        = QRegularExpression(u"^Pages:\\s+(\\d+)$"_s, QRegularExpression::MultilineOption).match(*info);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

} // namespace

TEST(Examples, EachWritesAReadablePdfAndSpreadsheet)
{
    for (const TExample& example : Examples()) {
        SCOPED_TRACE(example.name);
        QTemporaryDir out;
        ASSERT_TRUE(out.isValid());
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LANG"_s, u"pt_BR.UTF-8"_s);
        environment.insert(u"LC_ALL"_s, u"pt_BR.UTF-8"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"TMPDIR"_s, out.path());
        run.setProcessEnvironment(environment);
        run.start(example.executable, { out.path() });
        ASSERT_TRUE(run.waitForFinished(120000));
        ASSERT_EQ(run.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

        const QString pdf = QDir(out.path()).filePath(QString::fromLatin1(example.name) + u".pdf"_s);
        const QString xls = QDir(out.path()).filePath(QString::fromLatin1(example.name) + u".xls"_s);
        const int pages = PdfPageCount(pdf);
        if (example.pages > 0)
            EXPECT_EQ(pages, example.pages);
        else
            EXPECT_GE(pages, 2) << "the groups take more than one page";
        const std::optional<QString> text = RunTool(u"pdftotext"_s, { u"-layout"_s, pdf, u"-"_s });
        ASSERT_TRUE(text);
        for (const QString& expected : example.pdfTexts)
            EXPECT_TRUE(text->contains(expected)) << expected.toStdString();
        // The program says how many pages it wrote, as the PDF has them.
        EXPECT_EQ(QString::fromUtf8(run.readAllStandardOutput()).trimmed(),
            QString::fromLatin1(example.name) + u": "_s + QString::number(pages) + u" pages"_s);

        const std::optional<QString> cells
            = RunTool(u"/usr/bin/python3"_s, { TestSourcePath(u"filters/xls_dump.py"_s), xls });
        ASSERT_TRUE(cells);
        EXPECT_EQ(cells->count(QRegularExpression(u"^sheet\t"_s, QRegularExpression::MultilineOption)), pages)
            << "one sheet per page";
        for (const QString& expected : example.xlsValues)
            EXPECT_TRUE(cells->contains(u"\ttext\t"_s + expected + u'\t')) << expected.toStdString();
        // Nothing is left behind but the two outputs.
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
    }
}
