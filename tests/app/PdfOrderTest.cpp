// The built program writing the sample orders as PDF, read back by independent tools: qpdf checks
// the structure, pdfinfo the page size and count, pdftotext the texts.
#include "app/OrderTables.h"
#include "db/Alias.h"
#include "db/Table.h"
#include "support/LocaleTexts.h"
#include "tests/app/ProgramRun.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/PdfTestTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 2;
/// The first page holds 48 item rows below the letterhead, and so does every other page.
constexpr int kRowsPerPage = 48;
/// Two renderings of a page look the same when few pixels differ visibly: anti-aliased edges
/// of glyphs drawn from the same outlines.
constexpr double kMaxDifferingShare = 0.01;
constexpr double kMaxMeanDifference = 2.0;

QString Squeezed(QString text)
{
    return text.replace(QRegularExpression(u"\\s+"_s), u" "_s).trimmed();
}

/// The sample database's tables, opened under the alias as the program opens them.
class TOpenTables {
public:
    TOpenTables()
        : Tables(CreateOrderTables(&m_owner, kBusinessAlias.toString()))
    {
        OpenOrderTables(Tables);
    }
    QString Text(TDataSet* table, QStringView field) const
    {
        return table->FieldByName(field)->DisplayText();
    }

private:
    TComponent m_owner { nullptr };

public:
    TOrderTables Tables;
};

/// The texts of an order that its first page prints, in reading order (top to bottom, left to
/// right), read from the tables: letterhead, supplier and carrier, each item's product code,
/// name, reference and unit, payment and the remarks' lines.
QStringList OrderTextsInReadingOrder(TOpenTables& open, int order)
{
    const TOrderTables& t = open.Tables;
    QStringList texts;
    if (!t.Ordem->Locate(u"CODIGO", QString::number(order))) {
        ADD_FAILURE() << "order " << order << " is not in the sample database";
        return texts;
    }
    texts << open.Text(t.Parametros, u"RAZAO_SOCIAL") << open.Text(t.Parametros, u"CGC")
          << open.Text(t.Fornecedores, u"CODIGO") << open.Text(t.Fornecedores, u"NOME")
          << open.Text(t.Fornecedores, u"ENDERECO") << open.Text(t.Fornecedores, u"BAIRRO")
          << open.Text(t.Fornecedores, u"CIDADE") << open.Text(t.Fornecedores, u"CGC")
          << open.Text(t.Fornecedores, u"EMAIL") << open.Text(t.Transp, u"NOME");
    for (t.Itens->First(); !t.Itens->Eof(); t.Itens->Next()) {
        texts << open.Text(t.Itens, u"PRODUTO") << open.Text(t.Itens, u"NOME_PRODUTO")
              << open.Text(t.Produtos, u"REFERENCIA") << open.Text(t.Produtos, u"UNIDADE");
    }
    texts << open.Text(t.Ordem, u"FORMA_PAGAMENTO") << open.Text(t.Ordem, u"TIPO_PAGAMENTO");
    for (const QString& line : open.Text(t.Ordem, u"OBS").split(u'\n'))
        texts << line;
    texts.removeAll(QString());
    for (QString& text : texts)
        text = Squeezed(text);
    return texts;
}

class PdfOrders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_work.isValid());
        // Qt's runtime directory would otherwise default into the temporary directory.
        ASSERT_TRUE(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void TearDown() override
    {
        // Only the PDFs the tests asked for: no temporary file of the page store or the writer.
        for (const QString& left : QDir(m_work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            EXPECT_TRUE(left.endsWith(u".pdf")) << "left behind: " << left.toStdString();
    }
    QString Output(const QString& name) const { return m_work.filePath(name); }

    /// Writes the order's PDF; empty when the run failed.
    QString WriteOrder(int order)
    {
        const QString file = Output(QStringLiteral("order-%1.pdf").arg(order));
        const TProgramRun run = Run({ QString::number(order), u"--pdf"_s, file });
        EXPECT_EQ(run.ExitCode, kExitSuccess) << "order " << order << ": " << run.Err.toStdString();
        return run.ExitCode == kExitSuccess ? file : QString();
    }

    TProgramRun Run(const QStringList& arguments, QStringList environment = {}) const
    {
        environment << u"XDG_RUNTIME_DIR="_s + m_runtime.path();
        return RunOrdemCompra(arguments, { m_work.path(), {} }, environment);
    }

    QTemporaryDir m_work;
    QTemporaryDir m_runtime;
};

}

TEST_F(PdfOrders, EveryOrderIsAValidA4FileWithItsPageCount)
{
    TOpenTables open;
    struct Case {
        int order;
        int pages;
        const char* why;
    };
    // Rows fill 48 to a page; the summary follows the last row when it fits below it.
    const Case cases[] = {
        { 1, 1, "3 items and the summary" },
        { 2, 1, "no item: the header and the summary" },
        { 3, 2, "48 items fill page 1, the summary goes to page 2" },
        { 4, 2, "60 items: 48 + 12 and the summary" },
        { 5, 1, "2 items" },
        { 6, 22, "1000 items: 21 pages of 48 leave 40 rows on page 21, no room for the summary" },
        { 7, 209, "10000 items: 208 pages of 48 and 16 rows with the summary" },
        { 8, 2, "45 items leave no room for the summary" },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(open.Tables.Ordem->Locate(u"CODIGO", QString::number(c.order)));
        const int items = open.Tables.Itens->RecordCount();
        const int rowPages = std::max(1, (items + kRowsPerPage - 1) / kRowsPerPage);
        EXPECT_TRUE(c.pages == rowPages || c.pages == rowPages + 1)
            << "order " << c.order << ": " << items << " items cannot make " << c.pages << " pages";

        const QString file = WriteOrder(c.order);
        ASSERT_FALSE(file.isEmpty());
        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.read(10) == "%PDF-1.2\r\n") << "order " << c.order;

        const auto check = RunTool(u"qpdf"_s, { u"--check"_s, file });
        if (!check)
            FAIL() << "qpdf is not installed";
        EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_s))
            << "order " << c.order << ": " << check->toStdString();
        const auto info = RunTool(u"pdfinfo"_s, { u"-enc"_s, u"UTF-8"_s, file });
        if (!info)
            FAIL() << "pdfinfo (poppler-utils) is not installed";
        // Viewers show the document's name and the creator's dash as written (the dash read "Š").
        EXPECT_TRUE(info->contains(u"Title:           Ordem Compra %1\n"_s.arg(c.order)))
            << "order " << c.order << ": " << info->toStdString();
        EXPECT_TRUE(
            info->contains(u"Creator:         QuirelReport v0.6 \u2014 band-oriented report library\n"_s))
            << "order " << c.order << ": " << info->toStdString();
        EXPECT_TRUE(info->contains(QRegularExpression(u"Pages:\\s+%1\\n"_s.arg(c.pages))))
            << "order " << c.order << " (" << c.why << "): " << info->toStdString();
        EXPECT_TRUE(info->contains(QRegularExpression(u"Page size:\\s+595.5 x 842.25 pts"_s)))
            << "order " << c.order << ": " << info->toStdString();
        QFile::remove(file);
    }
}

TEST_F(PdfOrders, OrderOneReadsBackInReadingOrder)
{
    TOpenTables open;
    const QStringList expected = OrderTextsInReadingOrder(open, 1);
    ASSERT_GE(expected.size(), 20);
    const QString file = WriteOrder(1);
    ASSERT_FALSE(file.isEmpty());
    const auto text = RunTool(u"pdftotext"_s, { u"-layout"_s, u"-enc"_s, u"UTF-8"_s, file, u"-"_s });
    if (!text)
        FAIL() << "pdftotext (poppler-utils) is not installed";
    const QString read = Squeezed(*text);
    qsizetype at = 0;
    for (const QString& item : expected) {
        const qsizetype found = read.indexOf(item, at);
        EXPECT_GE(found, 0) << "\"" << item.toStdString() << "\" not found after position " << at
                            << " in: " << read.toStdString();
        if (found >= 0)
            at = found + item.size();
    }
    EXPECT_TRUE(read.contains(u"Ordem Compra: 1"_s)) << read.toStdString();
}

TEST_F(PdfOrders, StandardOutputGetsTheSameFile)
{
    const QString file = WriteOrder(1);
    ASSERT_FALSE(file.isEmpty());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray expected = written.readAll();
    for (const QString& output : { u"-"_s, u"/dev/stdout"_s }) {
        const TProgramRun run = Run({ u"1"_s, u"--pdf"_s, output });
        EXPECT_EQ(run.ExitCode, kExitSuccess) << output.toStdString() << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.OutBytes.startsWith("%PDF-1.2\r\n")) << output.toStdString();
        EXPECT_TRUE(run.OutBytes == expected) << output.toStdString() << ": " << run.OutBytes.size()
                                              << " bytes on stdout, " << expected.size() << " in the file";
        EXPECT_FALSE(QFile::exists(Output(output.section(u'/', -1))))
            << "a file named " << output.toStdString();
    }
    const TProgramRun run = Run({ u"1"_s, u"--pdf"_s, u"-"_s });
    const QString piped = Output(u"piped.pdf"_s);
    QFile copy(piped);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly) && copy.write(run.OutBytes) == run.OutBytes.size());
    copy.close();
    const auto text = RunTool(u"pdftotext"_s, { u"-layout"_s, u"-enc"_s, u"UTF-8"_s, piped, u"-"_s });
    if (!text)
        FAIL() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(Squeezed(*text).contains(u"Ordem Compra: 1"_s)) << text->toStdString();
}

// The first output is written on a second thread while the order is prepared; one asked for beside
// the page file is written after the preparation, as a single thread does. The bytes are the same.
TEST_F(PdfOrders, OutputWrittenWhileTheOrderIsPreparedIsTheOneWrittenAfter)
{
    const auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QStringList kinds = { u"pdf"_s, u"xls"_s, u"xlsx"_s };
    for (const int order : { 2, 3, 7 }) {
        QStringList arguments = { QString::number(order), u"--rpf"_s, Output(u"after.rpf"_s) };
        for (const QString& kind : kinds)
            arguments << u"--"_s + kind << Output(u"after."_s + kind);
        const TProgramRun after = Run(arguments);
        ASSERT_EQ(after.ExitCode, kExitSuccess) << "order " << order << ": " << after.Err.toStdString();
        for (const QString& kind : kinds) {
            const QString meanwhile = Output(u"meanwhile."_s + kind);
            const TProgramRun run = Run({ QString::number(order), u"--"_s + kind, meanwhile });
            EXPECT_EQ(run.ExitCode, kExitSuccess) << "order " << order << ": " << run.Err.toStdString();
            const QByteArray expected = bytes(Output(u"after."_s + kind));
            EXPECT_FALSE(expected.isEmpty()) << "order " << order << " --" << kind.toStdString();
            EXPECT_TRUE(bytes(meanwhile) == expected) << "order " << order << " --" << kind.toStdString();
            QFile::remove(meanwhile);
            QFile::remove(Output(u"after."_s + kind));
        }
        QFile::remove(Output(u"after.rpf"_s));
    }
}

// A page file saved from an order is as good as the order: converted with no window, it gives
// the very texts, page by page, of the order written directly.
TEST_F(PdfOrders, SavedPageFileConvertsToTheOrdersTexts)
{
    for (const int order : { 3, 8 }) {
        const QString direct = WriteOrder(order);
        ASSERT_FALSE(direct.isEmpty());
        const QString pageFile = Output(u"order-%1.rpf"_s.arg(order));
        const TProgramRun saved = Run({ QString::number(order), u"--rpf"_s, pageFile });
        ASSERT_EQ(saved.ExitCode, kExitSuccess) << saved.Err.toStdString();
        const QString converted = Output(u"view-%1.pdf"_s.arg(order));
        const QString portable = Output(u"view-portable-%1.pdf"_s.arg(order));
        const TProgramRun view
            = Run({ u"--view"_s, pageFile, u"--pdf"_s, converted, u"--pdf-portable"_s, portable });
        QFile::remove(pageFile);
        ASSERT_EQ(view.ExitCode, kExitSuccess) << "order " << order << ": " << view.Err.toStdString();
        EXPECT_EQ(view.Err, QString()) << "order " << order;

        const QStringList layout { u"-layout"_s, u"-enc"_s, u"UTF-8"_s };
        const auto expected = RunTool(u"pdftotext"_s, layout + QStringList { direct, u"-"_s });
        const auto read = RunTool(u"pdftotext"_s, layout + QStringList { converted, u"-"_s });
        if (!expected || !read)
            FAIL() << "pdftotext (poppler-utils) is not installed";
        EXPECT_TRUE(read->contains(u"Ordem Compra: %1"_s.arg(order))) << read->toStdString();
        EXPECT_EQ(read->count(u'\f'), 2) << "both orders fill two pages";
        EXPECT_EQ(*read, *expected) << "order " << order;
        const auto readPortable = RunTool(u"pdftotext"_s, layout + QStringList { portable, u"-"_s });
        ASSERT_TRUE(readPortable.has_value());
        EXPECT_EQ(*readPortable, *expected) << "order " << order << ", portable";
        QFile::remove(direct);
        QFile::remove(converted);
        QFile::remove(portable);
    }
}

// Order 1's logo with an impossible bitmap header: the page file still converts, the logo an
// empty frame with the notice in the operator's language, every text of the order in place.
TEST_F(PdfOrders, PageFileWithADamagedPictureConvertsWithAFrameInItsPlace)
{
    const QString pageFile = Output(u"order-1.rpf"_s);
    const TProgramRun saved = Run({ u"1"_s, u"--rpf"_s, pageFile });
    ASSERT_EQ(saved.ExitCode, kExitSuccess) << saved.Err.toStdString();
    QFile file(pageFile);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    // The picture data: the "BMP" tag, then the bitmap's 14-byte file header and its info header.
    const qsizetype picture = bytes.indexOf("BMPBM");
    ASSERT_GE(picture, 0) << "order 1 prints its logo as a bitmap";
    bytes.replace(picture + 3 + 14, 4, QByteArray("\xFF\xFF\xFF\x7F", 4));
    ASSERT_TRUE(file.seek(0) && file.write(bytes) == bytes.size());
    file.close();

    const QString converted = Output(u"damaged.pdf"_s);
    const TProgramRun view = Run({ u"--view"_s, pageFile, u"--pdf"_s, converted });
    QFile::remove(pageFile);
    ASSERT_EQ(view.ExitCode, kExitSuccess) << view.Err.toStdString();
    EXPECT_EQ(view.Err, QString());
    const auto text = RunTool(u"pdftotext"_s, { u"-layout"_s, u"-enc"_s, u"UTF-8"_s, converted, u"-"_s });
    if (!text)
        FAIL() << "pdftotext (poppler-utils) is not installed";
    EXPECT_TRUE(text->contains(u"Imagem danificada"_s)) << text->toStdString();
    EXPECT_TRUE(text->contains(u"Ordem Compra: 1"_s)) << text->toStdString();
}

TEST_F(PdfOrders, PrintWithoutAnyPrinterIsAClearError)
{
    // A scheduler socket that does not exist: there is no printer at all.
    const QString noScheduler = u"CUPS_SERVER="_s + Output(u"no-cups.sock"_s);
    SelectLanguage(TLanguage::English);
    const QString notFound = LocaleText(3);
    SelectLanguage();
    const QString pageFile = Output(u"order-1.rpf"_s);
    ASSERT_EQ(Run({ u"1"_s, u"--rpf"_s, pageFile }).ExitCode, kExitSuccess);
    struct Case {
        QStringList arguments;
        QString message;
    };
    const Case cases[] = {
        { { u"1"_s, u"--print"_s }, u"ordemcompra: "_s + notFound + u'\n' },
        { { u"1"_s, u"--print"_s, u"QuirelPDF"_s }, u"ordemcompra: "_s + notFound + u": QuirelPDF\n"_s },
        { { u"--view"_s, pageFile, u"--print"_s }, u"ordemcompra: "_s + notFound + u'\n' },
        { { u"--view"_s, pageFile, u"--print"_s, u"QuirelPDF"_s },
            u"ordemcompra: "_s + notFound + u": QuirelPDF\n"_s },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(c.arguments, { noScheduler, u"LANG=C"_s });
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.Err.endsWith(c.message)) << run.Err.toStdString();
    }
    QFile::remove(pageFile);
}

// The portable PDF of an order beside its exact PDF, written in one run: a valid PDF 1.4 with
// every font embedded as a subset, the same text, a fraction of the size, and the same look on a
// machine that has none of the order's fonts (nor any other).
TEST_F(PdfOrders, PortableFileEmbedsItsFontsAndReadsAsTheExactOne)
{
    struct Case {
        int order;
        /// The last page too, when it differs from the first in kind.
        int lastPage;
    };
    const Case cases[] = { { 1, 1 }, { 3, 2 }, { 7, 209 } };
    const QStringList noFonts = NoFontsEnvironment(m_work.path() + u"/fonts"_s);
    for (const Case& c : cases) {
        const std::string what = "order " + std::to_string(c.order);
        const QString exact = Output(u"exact-%1.pdf"_s.arg(c.order));
        const QString portable = Output(u"portable-%1.pdf"_s.arg(c.order));
        const TProgramRun run
            = Run({ QString::number(c.order), u"--pdf"_s, exact, u"--pdf-portable"_s, portable });
        ASSERT_EQ(run.ExitCode, kExitSuccess) << what << ": " << run.Err.toStdString();
        EXPECT_EQ(run.Err, QString()) << what;

        QFile file(portable);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << what;
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF-1.4\r\n")) << what;
        EXPECT_TRUE(bytes.contains("/Lang(pt-BR)")) << what << ": the order's texts are Portuguese";

        const auto check = RunTool(u"qpdf"_s, { u"--check"_s, portable });
        ASSERT_TRUE(check.has_value()) << "qpdf is not installed";
        EXPECT_TRUE(check->contains(u"No syntax or stream encoding errors"_s))
            << what << check->toStdString();
        const auto info = RunTool(u"pdfinfo"_s, { u"-enc"_s, u"UTF-8"_s, portable });
        ASSERT_TRUE(info.has_value()) << "pdfinfo (poppler-utils) is not installed";
        EXPECT_TRUE(info->contains(u"Title:           Ordem Compra %1\n"_s.arg(c.order)))
            << info->toStdString();
        EXPECT_TRUE(info->contains(QRegularExpression(u"PDF version:\\s+1.4\\n"_s))) << info->toStdString();

        const QList<TPdfFontRow> fonts = PdfFonts(portable);
        // Arial regular, bold and bold italic; Verdana regular and bold.
        EXPECT_EQ(fonts.size(), 5) << what;
        for (const TPdfFontRow& font : fonts) {
            EXPECT_TRUE(font.Embedded) << what << ": " << font.Name.toStdString() << " is not embedded";
            EXPECT_TRUE(font.Subset) << what << ": " << font.Name.toStdString() << " is not a subset";
            EXPECT_EQ(font.Type, u"TrueType"_s) << what << ": " << font.Name.toStdString();
        }

        const QStringList layout { u"-layout"_s, u"-enc"_s, u"UTF-8"_s };
        const auto expectedText = RunTool(u"pdftotext"_s, layout + QStringList { exact, u"-"_s });
        const auto portableText = RunTool(u"pdftotext"_s, layout + QStringList { portable, u"-"_s });
        ASSERT_TRUE(expectedText && portableText) << "pdftotext (poppler-utils) is not installed";
        EXPECT_TRUE(portableText->contains(u"Ordem Compra: %1"_s.arg(c.order))) << what;
        EXPECT_TRUE(*portableText == *expectedText) << what << ": the texts differ";

        for (const int page : { 1, c.lastPage }) {
            const TRenderDifference difference
                = CompareRenderings(exact, portable, page, m_work.path() + u"/renderings"_s, noFonts);
            std::cout << what << ", page " << page << ": " << difference.DifferingShare * 100
                      << " % of pixels differ visibly, mean difference " << difference.MeanDifference << "; "
                      << difference.SecondImage.toStdString() << '\n';
            EXPECT_LT(difference.DifferingShare, kMaxDifferingShare) << what << ", page " << page;
            EXPECT_LT(difference.MeanDifference, kMaxMeanDifference) << what << ", page " << page;
        }

        const qint64 exactSize = QFileInfo(exact).size();
        std::cout << what << ": exact PDF " << exactSize << " bytes, portable " << bytes.size() << " bytes\n";
        if (c.order == 7) {
            EXPECT_LE(bytes.size() * 4, exactSize) << "at most a quarter of the exact PDF";
        }
        QFile::remove(exact);
        QFile::remove(portable);
    }
    QDir(m_work.path() + u"/fonts"_s).removeRecursively();
    QDir(m_work.path() + u"/renderings"_s).removeRecursively();
}

TEST_F(PdfOrders, EditedLayoutPrintsWithItsChangesAndABrokenOneNamesItsLine)
{
    QTemporaryDir layouts;
    ASSERT_TRUE(layouts.isValid());
    const QString builtIn = layouts.filePath(u"purchase-order.json"_s);
    const TProgramRun written = Run({ u"--write-layout"_s, builtIn });
    ASSERT_EQ(written.ExitCode, kExitSuccess) << written.Err.toStdString();
    QFile shipped(TestSourcePath(u"../app/layouts/purchase-order.json"_s));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    QFile builtInFile(builtIn);
    ASSERT_TRUE(builtInFile.open(QIODevice::ReadOnly));
    const QByteArray layout = builtInFile.readAll();
    EXPECT_TRUE(layout == shipped.readAll()) << "--write-layout writes the layout the program prints with";

    // A caption changed, and the summary's "Total  R$:" moved 204 pixels to the left.
    QByteArray edited = layout;
    ASSERT_EQ(edited.count("\"Caption\": \"Fornecedor:\""), 1);
    ASSERT_EQ(edited.count("\"Left\": 504,"), 1);
    edited.replace("\"Caption\": \"Fornecedor:\"", "\"Caption\": \"Vendedor:\"")
        .replace("\"Left\": 504,", "\"Left\": 300,");
    // A table of the layout's own, beside the program's six: the supplier's code shows the first
    // carrier's plate instead.
    const QByteArray supplierCode
        = "\"DataField\": \"CODIGO\",\n                \"DataSource\": \"DSFornecedores\"";
    ASSERT_EQ(edited.count(supplierCode), 1);
    ASSERT_EQ(edited.count("\"tables\": ["), 1);
    edited.replace(supplierCode, "\"DataField\": \"PLACA\", \"DataSource\": \"DSTodasTransp\"")
        .replace("\"tables\": [",
            "\"tables\": [ { \"dataSource\": \"DSTodasTransp\", \"file\": \"Acadtran.DB\", \"name\": "
            "\"TodasTransp\" },");
    const QString editedFile = layouts.filePath(u"edited.json"_s);
    QFile editedOut(editedFile);
    ASSERT_TRUE(editedOut.open(QIODevice::WriteOnly));
    editedOut.write(edited);
    editedOut.close();
    const TProgramRun run = Run({ u"1"_s, u"--layout"_s, editedFile, u"--pdf"_s, Output(u"edited.pdf"_s) });
    ASSERT_EQ(run.ExitCode, kExitSuccess) << run.Err.toStdString();
    EXPECT_EQ(run.Err, QString());
    const QString original = WriteOrder(1);

    const auto totalLeft = [](const QString& pdf) -> std::optional<double> {
        const std::optional<QString> words = RunTool(u"pdftotext"_s, { u"-bbox"_s, pdf, u"-"_s });
        const QRegularExpressionMatch match
            = QRegularExpression(u"<word xMin=\"([0-9.]+)\"[^>]*>Total</word>"_s)
                  .match(words.value_or(QString()));
        return match.hasMatch() ? std::optional(match.captured(1).toDouble()) : std::nullopt;
    };
    const std::optional<double> moved = totalLeft(Output(u"edited.pdf"_s));
    const std::optional<double> before = totalLeft(original);
    ASSERT_TRUE(moved && before);
    EXPECT_NEAR(*before - *moved, 204 * 72.0 / 96, 0.01);
    const std::optional<QString> text = RunTool(u"pdftotext"_s, { Output(u"edited.pdf"_s), u"-"_s });
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains(u"Vendedor:"_s));
    EXPECT_TRUE(text->contains(u"IXA-101"_s));
    EXPECT_FALSE(text->contains(u"Fornecedor:"_s));

    struct Broken {
        const char* what;
        QByteArray from;
        QByteArray to;
        QString message;
    };
    const Broken cases[] = {
        { "a comma missing", "\"Caption\": \"Fornecedor:\",", "\"Caption\": \"Fornecedor:\"",
            u"broken.json:283:18: unterminated object"_s },
        { "a number written as text", "\"Left\": 504,", "\"Left\": \"504\",",
            u"broken.json:1501:17: RLLabel23: property Left must be a whole number"_s },
        { "a class misspelt", "\"class\": \"TRLDetailGrid\"", "\"class\": \"TRLDetalGrid\"",
            u"broken.json:1253:13: Unknown class TRLDetalGrid"_s },
    };
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray text = layout;
        ASSERT_EQ(text.count(c.from), 1);
        text.replace(c.from, c.to);
        const QString brokenFile = layouts.filePath(u"broken.json"_s);
        QFile out(brokenFile);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(text);
        out.close();
        const TProgramRun failed
            = Run({ u"1"_s, u"--layout"_s, brokenFile, u"--pdf"_s, Output(u"broken.pdf"_s) },
                { u"LC_MESSAGES=en_US.UTF-8"_s });
        EXPECT_EQ(failed.ExitCode, kExitFailure);
        EXPECT_EQ(failed.Err, u"ordemcompra: "_s + layouts.path() + u'/' + c.message + u'\n');
        EXPECT_FALSE(QFile::exists(Output(u"broken.pdf"_s)));
    }
}
