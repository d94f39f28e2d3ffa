// Several orders in one run, page ranges of the exports, and the progress line on a terminal, run
// through the built program.
#include "pages/RLGraphicStorage.h"
#include "tests/app/CommandLineFixture.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/PdfTestTools.h"
#include "tests/filters/XLSTestReader.h"

#include <QRegularExpression>

namespace {

const QString kSummary = u"ordemcompra: ordens gravadas: %1, não encontradas: %2, com falha: %3"_s;

QByteArray FileBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int PdfPageCount(const QString& fileName)
{
    const auto info = RunTool(u"pdfinfo"_s, { fileName });
    const QRegularExpressionMatch pages
        = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(info.value_or(QString()));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

QString PdfPageText(const QString& fileName, int page)
{
    const QString number = QString::number(page);
    return RunTool(u"pdftotext"_s, { u"-f"_s, number, u"-l"_s, number, fileName, u"-"_s })
        .value_or(QString());
}

/// Each sheet's cells as xlrd reads them (tests/filters/xls_dump.py), without the sheet's name.
QList<QStringList> SheetCells(const QString& fileName)
{
    QList<QStringList> sheets;
    QString error;
    const QString dump = XlrdDump(fileName, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split(u'\t');
        if (fields[0] == u"sheet")
            sheets.append(QStringList());
        else if (fields[0] == u"cell" && !sheets.isEmpty())
            sheets.back().append(fields.mid(2).join(u'\t'));
    }
    return sheets;
}

} // namespace

// A batch writes each order found, names the one missing and sums up; with -j the same files come
// from separate processes. An order whose file cannot be written fails alone.
TEST_F(CommandLine, BatchWritesEachOrderFoundAndSumsUp)
{
    struct Case {
        QStringList jobs;
        const char* what;
    };
    const Case cases[] = { { {}, "in turn" }, { { u"-j"_s, u"3"_s }, "three at once" } };
    for (const Case& c : cases) {
        const TProgramRun run = Run(QStringList { u"1-3"_s, u"99"_s, u"5"_s, u"2"_s, u"--pdf"_s,
                                        Output(u"OC-{order}.pdf"_s), u"--rpf"_s, Output(u"OC-{order}.rpf"_s) }
            + c.jobs + Data());
        EXPECT_EQ(run.ExitCode, kExitOrderNotFound) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(u"ordemcompra: Ordem 99: "_s + kNotFound))
            << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.endsWith(kSummary.arg(4).arg(1).arg(0) + u'\n'))
            << c.what << ": " << run.Err.toStdString();
        const QStringList expected { u"OC-1.pdf"_s, u"OC-1.rpf"_s, u"OC-2.pdf"_s, u"OC-2.rpf"_s,
            u"OC-3.pdf"_s, u"OC-3.rpf"_s, u"OC-5.pdf"_s, u"OC-5.rpf"_s };
        EXPECT_EQ(Outputs(), expected) << c.what;
        for (const QString& order : { u"3"_s, u"5"_s }) {
            const TProgramRun single
                = Run(QStringList { order, u"--pdf"_s, Output(u"single.pdf"_s) } + Data());
            ASSERT_EQ(single.ExitCode, kExitSuccess) << single.Err.toStdString();
            EXPECT_EQ(FileBytes(Output(u"OC-"_s + order + u".pdf"_s)), FileBytes(Output(u"single.pdf"_s)))
                << c.what << ": order " << order.toStdString() << " as a run of its own writes it";
            QFile::remove(Output(u"single.pdf"_s));
        }
        for (const QString& file : Outputs())
            QFile::remove(Output(file));
    }

    // A folder where order 2's file would go: that order fails, the others are written.
    ASSERT_TRUE(QDir(m_work.path()).mkdir(u"OC-2.xls"_s));
    for (const Case& c : cases) {
        const TProgramRun run
            = Run(QStringList { u"1"_s, u"2"_s, u"3"_s, u"--xls"_s, Output(u"OC-{order}.xls"_s) } + c.jobs
                + Data());
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(u"ordemcompra: Ordem 2: "_s)) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.endsWith(kSummary.arg(2).arg(0).arg(1) + u'\n'))
            << c.what << ": " << run.Err.toStdString();
        EXPECT_EQ(Outputs(), (QStringList { u"OC-1.xls"_s, u"OC-3.xls"_s })) << c.what;
        for (const QString& file : Outputs())
            QFile::remove(Output(file));
    }
}

// --pages takes the pages of the whole order, in their order, to PDF, spreadsheet and page file;
// the page count that texts may print ({LastPageNumber}) stays the whole order's.
TEST_F(CommandLine, PagesSelectThePagesOfEveryExport)
{
    const QString all = Output(u"all.pdf"_s);
    const QString allXls = Output(u"all.xls"_s);
    ASSERT_EQ(
        Run(QStringList { u"7"_s, u"--pdf"_s, all, u"--xls"_s, allXls } + Data()).ExitCode, kExitSuccess);
    const int total = PdfPageCount(all);
    ASSERT_GE(total, 10);
    const TProgramRun run
        = Run(QStringList { u"7"_s, u"--pages"_s, u"9,2-4,3"_s, u"--pdf"_s, Output(u"some.pdf"_s), u"--xls"_s,
                  Output(u"some.xls"_s), u"--rpf"_s, Output(u"some.rpf"_s) }
            + Data());
    ASSERT_EQ(run.ExitCode, kExitSuccess) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();

    const int chosen[] = { 2, 3, 4, 9 };
    EXPECT_EQ(PdfPageCount(Output(u"some.pdf"_s)), 4);
    const QList<QStringList> allSheets = SheetCells(allXls);
    const QList<QStringList> someSheets = SheetCells(Output(u"some.xls"_s));
    ASSERT_EQ(allSheets.size(), total);
    ASSERT_EQ(someSheets.size(), 4);
    TRLGraphicStorage pages;
    pages.LoadFromFile(Output(u"some.rpf"_s));
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.LastPageNumber(), total);
    for (int i = 0; i < 4; ++i) {
        const QString text = PdfPageText(Output(u"some.pdf"_s), i + 1);
        EXPECT_EQ(text, PdfPageText(all, chosen[i])) << "page " << i + 1 << " is page " << chosen[i];
        EXPECT_NE(text, PdfPageText(all, chosen[i] + 1))
            << "pages " << chosen[i] << " and " << chosen[i] + 1 << " differ";
        EXPECT_EQ(someSheets[i], allSheets[chosen[i] - 1]) << "sheet " << i + 1 << " is page " << chosen[i];
    }

    // Pages past the last are left out, as in the print dialog; a list of none of them is refused.
    const TProgramRun past
        = Run(QStringList { u"1"_s, u"--pages"_s, u"1,5-9"_s, u"--pdf"_s, Output(u"past.pdf"_s) } + Data());
    EXPECT_EQ(past.ExitCode, kExitSuccess) << past.Err.toStdString();
    EXPECT_EQ(PdfPageCount(Output(u"past.pdf"_s)), 1);
    const TProgramRun none
        = Run(QStringList { u"1"_s, u"--pages"_s, u"5-9"_s, u"--pdf"_s, Output(u"none.pdf"_s) } + Data());
    EXPECT_EQ(none.ExitCode, kExitFailure);
    EXPECT_TRUE(none.Err.contains(u"--pages 5-9 não indica nenhuma página: as páginas vão de 1 a 1"_s))
        << none.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Output(u"none.pdf"_s)));
}

// On a terminal the run shows its progress on one line rewritten in place, in the operator's
// language; --quiet and a standard error that is no terminal show none.
TEST_F(CommandLine, ProgressOnATerminalOnly)
{
    struct Case {
        QStringList extra;
        QStringList environment;
        QStringList expected;
    };
    const Case cases[] = {
        { {}, {}, { u"\rOrdem 7: preparando a página 2"_s, u"\rOrdem 7: página 1 de "_s } },
        { {}, { u"LANG=en_US.UTF-8"_s }, { u"\rOrder 7: preparing page 2"_s, u"\rOrder 7: page 1 of "_s } },
        { { u"--quiet"_s }, {}, {} },
    };
    for (const Case& c : cases) {
        const std::string what = (c.extra + c.environment).join(u' ').toStdString();
        TTerminal terminal;
        ASSERT_FALSE(terminal.Device.isEmpty()) << "no pseudo-terminal";
        TNodeReader reader(dup(terminal.Master));
        const TProgramRun run
            = RunOrdemCompra(QStringList { u"7"_s, u"--pdf"_s, Output(u"o.pdf"_s) } + c.extra + Data(),
                { TempPath(), m_work.path(), terminal.Device },
                QStringList { u"XDG_RUNTIME_DIR="_s + m_runtime.path() } + c.environment);
        const QString shown = QString::fromUtf8(reader.Finish());
        EXPECT_EQ(run.ExitCode, kExitSuccess) << what << ": " << shown.toStdString();
        for (const QString& part : c.expected)
            EXPECT_TRUE(shown.contains(part)) << what << ": " << shown.toStdString();
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(shown.isEmpty()) << what << ": " << shown.toStdString();
        } else {
            // The last page written, and the line blanked at the end so the shell's prompt starts clean.
            const int pages = PdfPageCount(Output(u"o.pdf"_s));
            EXPECT_TRUE(shown.contains(QStringLiteral("%1 de %2").arg(pages).arg(pages))
                || shown.contains(QStringLiteral("%1 of %2").arg(pages).arg(pages)))
                << what << ": " << shown.toStdString();
            EXPECT_TRUE(shown.endsWith(u'\r')) << what;
            EXPECT_FALSE(shown.contains(u'\n')) << what << ": nothing but the progress line";
        }
        QFile::remove(Output(u"o.pdf"_s));
    }
}
