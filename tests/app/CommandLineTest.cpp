// The built program run as a script runs it: exit codes, messages, and the files it leaves.
#include "PageDump.h"
#include "SampleOrders.h"

#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "tests/app/ProgramRun.h"
#include "tests/common/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitOrderNotFound = 1;
constexpr int kExitFailure = 2;

/// Runs the program with its own temporary directory (which the run must leave empty), no
/// display, the Brazilian locale and a fixed clock unless `environment` says otherwise.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_work.isValid());
        ASSERT_TRUE(QDir(m_work.path()).mkdir(u"tmp"_s));
        // Qt's runtime directory would otherwise default into the temporary directory.
        ASSERT_TRUE(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void TearDown() override
    {
        const QStringList left
            = QDir(TempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        EXPECT_TRUE(left.isEmpty()) << "temporary files left behind: " << left.join(u' ').toStdString();
    }

    TProgramRun Run(const QStringList& arguments, const QStringList& environment = {})
    {
        return RunOrdemCompra(arguments, { TempPath(), m_work.path() },
            QStringList { u"XDG_RUNTIME_DIR="_s + m_runtime.path() } + environment);
    }

    QStringList Data() const { return { u"--data"_s, SampleDatabaseDirectory() }; }
    QString Output(const QString& name) const { return QDir(m_work.path()).filePath(name); }
    QString TempPath() const { return QDir(m_work.path()).filePath(u"tmp"_s); }
    QStringList Outputs() const
    {
        return QDir(m_work.path()).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_work;
    QTemporaryDir m_runtime;
};

const QString kNotFound = u"Ordem Compra não Encontrada!"_s;

} // namespace

TEST_F(CommandLine, PageFileOfAnOrderReadsBackAsTheGoldenPages)
{
    const QString file = Output(u"order-4.rpf"_s);
    const TProgramRun run = Run(QStringList { u"4"_s, u"--rpf"_s, file } + Data());
    ASSERT_EQ(run.ExitCode, kExitSuccess) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();

    TRLGraphicStorage pages;
    pages.LoadFromFile(file);
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.LastPageNumber(), 2);
    for (int page = 0; page < 2; ++page)
        ExpectMatchesGolden(
            DumpPage(*pages.Pages(page)), QStringLiteral("app/order-4-page-%1.txt").arg(page + 1));
}

TEST_F(CommandLine, SeveralExportsInOneRun)
{
    const TProgramRun run = Run(QStringList { u"1"_s, u"--rpf"_s, Output(u"o.rpf"_s), u"--pdf"_s,
                                    Output(u"o.pdf"_s), u"--xls"_s, Output(u"o.xls"_s) }
        + Data());
    ASSERT_EQ(run.ExitCode, kExitSuccess) << run.Err.toStdString();
    QFile pdf(Output(u"o.pdf"_s));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    QFile xls(Output(u"o.xls"_s));
    ASSERT_TRUE(xls.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xls.read(8) == QByteArray::fromHex("D0CF11E0A1B11AE1")) << "a compound document";
    TRLGraphicStorage pages;
    pages.LoadFromFile(Output(u"o.rpf"_s));
    EXPECT_EQ(pages.PageCount(), 1);
}

TEST_F(CommandLine, OrdersThatDoNotExistExitWithOneAndWriteNothing)
{
    struct Case {
        QString order;
        const char* what;
    };
    const Case cases[] = {
        { QString(), "empty" },
        { u"abc"_s, "not a number" },
        { u"1e999"_s, "beyond double" },
        { QString(10240, u'9'), "ten kilobytes of digits" },
        { u"-1"_s, "negative" },
        { u"99"_s, "no such order" },
        { u"1.000"_s, "one thousand in Brazil, not order 1" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(QStringList { c.order, u"--rpf"_s, Output(u"missing.rpf"_s) } + Data());
        EXPECT_EQ(run.ExitCode, kExitOrderNotFound) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(kNotFound)) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(Outputs().isEmpty()) << c.what << ": " << Outputs().join(u' ').toStdString();
    }
}

TEST_F(CommandLine, BadCommandLinesExitWithTwoAndSayWhy)
{
    struct Case {
        QStringList arguments;
        QString expected;
        const char* what;
    };
    const Case cases[] = {
        { { u"--rpf"_s, Output(u"x.rpf"_s) }, u"an export option needs an order number"_s, "no order" },
        { { u"1"_s, u"--bogus"_s }, u"unknown option --bogus"_s, "unknown option" },
        { { u"1"_s, u"--rpf"_s }, u"--rpf needs a value"_s, "option without its value at the end" },
        { { u"1"_s, u"--rpf"_s, u"--pdf"_s, u"x.pdf"_s }, u"--rpf needs a value"_s,
            "an option is not taken as the value of another" },
        { { u"1"_s, u"--pdf="_s }, u"--pdf needs a file name"_s, "empty file name" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(Data() + c.arguments);
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.what;
        EXPECT_TRUE(run.Err.contains(c.expected)) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(u"Usage: ordemcompra"_s)) << c.what << ": usage follows the reason";
        EXPECT_TRUE(Outputs().isEmpty()) << c.what;
    }
}

TEST_F(CommandLine, DataProblemsExitWithTwoAndNameWhatIsWrong)
{
    // A copy of the sample database whose item table stops inside its header.
    QDir work(m_work.path());
    ASSERT_TRUE(work.mkdir(u"truncated"_s));
    ASSERT_TRUE(work.mkdir(u"empty"_s));
    const QDir sample(SampleDatabaseDirectory());
    for (const QString& name : sample.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(sample.filePath(name), work.filePath(u"truncated/"_s + name)));
    QFile items(work.filePath(u"truncated/OrdemCompraItens.DB"_s));
    ASSERT_TRUE(items.resize(100));

    struct Case {
        QString directory;
        QString named;
        const char* what;
    };
    const Case cases[] = {
        { work.filePath(u"no-such-directory"_s), work.filePath(u"no-such-directory"_s), "missing directory" },
        { work.filePath(u"empty"_s), u"OrdemCompra.DB"_s, "directory without the tables" },
        { work.filePath(u"truncated"_s), u"OrdemCompraItens.DB"_s, "truncated table" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run({ u"1"_s, u"--rpf"_s, Output(u"x.rpf"_s), u"--data"_s, c.directory });
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.what;
        EXPECT_TRUE(run.Err.contains(c.named)) << c.what << ": " << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Output(u"x.rpf"_s))) << c.what;
    }
}

TEST_F(CommandLine, UnwritableOutputExitsWithTwoAndLeavesNoFile)
{
    QFile blocker(Output(u"plain-file"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a directory");
    blocker.close();
    ASSERT_TRUE(QDir(m_work.path()).mkdir(u"a-directory"_s));
    struct Case {
        QString option;
        QString path;
        const char* what;
    };
    const Case cases[] = {
        { u"--rpf"_s, Output(u"plain-file/order.rpf"_s), "page file under a plain file" },
        { u"--rpf"_s, Output(u"a-directory"_s), "page file over a directory" },
        { u"--pdf"_s, Output(u"plain-file/order.pdf"_s), "PDF under a plain file" },
        { u"--xls"_s, Output(u"plain-file/order.xls"_s), "spreadsheet under a plain file" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run(QStringList { u"1"_s, c.option, c.path } + Data());
        EXPECT_EQ(run.ExitCode, kExitFailure) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(c.path))
            << c.what << ": the message names the file: " << run.Err.toStdString();
        EXPECT_EQ(Outputs(), QStringList { u"plain-file"_s }) << c.what;
        EXPECT_EQ(
            QDir(Output(u"a-directory"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList())
            << c.what;
    }
}

TEST_F(CommandLine, WindowsWithoutADisplayAreRefusedWithAReason)
{
    for (const QStringList& arguments :
        { QStringList { u"1"_s }, QStringList(), QStringList { u"--view"_s, u"x.rpf"_s } }) {
        const TProgramRun run = Run(arguments + Data(), { u"-QT_QPA_PLATFORM"_s });
        EXPECT_EQ(run.ExitCode, kExitFailure) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.Err.contains(u"no display"_s)) << run.Err.toStdString();
    }
}

TEST_F(CommandLine, HelpAndVersion)
{
    const TProgramRun help = Run({ u"--help"_s });
    EXPECT_EQ(help.ExitCode, kExitSuccess);
    EXPECT_TRUE(help.Out.startsWith(u"Usage: ordemcompra"_s)) << help.Out.toStdString();
    EXPECT_TRUE(help.Out.contains(u"--rpf FILE"_s));
    const TProgramRun version = Run({ u"--version"_s });
    EXPECT_EQ(version.ExitCode, kExitSuccess);
    EXPECT_TRUE(version.Out.contains(u"0.6"_s)) << version.Out.toStdString();
}
