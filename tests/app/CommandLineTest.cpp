// The built program run as a script runs it: exit codes, messages, and the files it leaves.
#include "PageDump.h"
#include "SampleOrders.h"

#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "tests/common/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitOrderNotFound = 1;
constexpr int kExitFailure = 2;
constexpr int kRunTimeoutMs = 120000;

struct TRun {
    int exitCode = -1;
    QString out;
    QString err;
};

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

    TRun Run(const QStringList& arguments, const QStringList& environment = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"DISPLAY"_s);
        env.remove(u"WAYLAND_DISPLAY"_s);
        env.remove(u"LC_ALL"_s);
        env.remove(u"LC_MESSAGES"_s);
        env.remove(u"LC_NUMERIC"_s);
        env.remove(u"LC_TIME"_s);
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"LANG"_s, u"pt_BR.UTF-8"_s);
        env.insert(u"SOURCE_DATE_EPOCH"_s, u"1795272800"_s);
        env.insert(u"TMPDIR"_s, TempPath());
        env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        // "NAME=value" sets a variable, "-NAME" removes it.
        for (const QString& setting : environment) {
            if (setting.startsWith(u'-'))
                env.remove(setting.mid(1));
            else
                env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        }
        process.setProcessEnvironment(env);
        // Relative names and stray outputs land where Outputs() looks.
        process.setWorkingDirectory(m_work.path());
        process.start(QStringLiteral(ORDEMCOMPRA_EXECUTABLE), arguments);
        TRun run;
        if (!process.waitForFinished(kRunTimeoutMs)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "ordemcompra did not finish: " << arguments.join(u' ').left(200).toStdString();
            return run;
        }
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "ordemcompra crashed";
        run.exitCode = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
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
    const TRun run = Run(QStringList { u"4"_s, u"--rpf"_s, file } + Data());
    ASSERT_EQ(run.exitCode, kExitSuccess) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

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
    const TRun run = Run(QStringList { u"1"_s, u"--rpf"_s, Output(u"o.rpf"_s), u"--pdf"_s, Output(u"o.pdf"_s),
                             u"--xls"_s, Output(u"o.xls"_s) }
        + Data());
    ASSERT_EQ(run.exitCode, kExitSuccess) << run.err.toStdString();
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
    };
    for (const Case& c : cases) {
        const TRun run = Run(QStringList { c.order, u"--rpf"_s, Output(u"missing.rpf"_s) } + Data());
        EXPECT_EQ(run.exitCode, kExitOrderNotFound) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(kNotFound)) << c.what << ": " << run.err.toStdString();
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
        const TRun run = Run(Data() + c.arguments);
        EXPECT_EQ(run.exitCode, kExitFailure) << c.what;
        EXPECT_TRUE(run.err.contains(c.expected)) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(u"Usage: ordemcompra"_s)) << c.what << ": usage follows the reason";
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
        const TRun run = Run({ u"1"_s, u"--rpf"_s, Output(u"x.rpf"_s), u"--data"_s, c.directory });
        EXPECT_EQ(run.exitCode, kExitFailure) << c.what;
        EXPECT_TRUE(run.err.contains(c.named)) << c.what << ": " << run.err.toStdString();
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
        const TRun run = Run(QStringList { u"1"_s, c.option, c.path } + Data());
        EXPECT_EQ(run.exitCode, kExitFailure) << c.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.path))
            << c.what << ": the message names the file: " << run.err.toStdString();
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
        const TRun run = Run(arguments + Data(), { u"-QT_QPA_PLATFORM"_s });
        EXPECT_EQ(run.exitCode, kExitFailure) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(u"no display"_s)) << run.err.toStdString();
    }
}

TEST_F(CommandLine, HelpAndVersion)
{
    const TRun help = Run({ u"--help"_s });
    EXPECT_EQ(help.exitCode, kExitSuccess);
    EXPECT_TRUE(help.out.startsWith(u"Usage: ordemcompra"_s)) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(u"--rpf FILE"_s));
    const TRun version = Run({ u"--version"_s });
    EXPECT_EQ(version.exitCode, kExitSuccess);
    EXPECT_TRUE(version.out.contains(u"0.6"_s)) << version.out.toStdString();
}
