#include "tests/app/ProgramRun.h"
#include "tests/db/SqlTestDatabases.h"
#include "tests/filters/PdfTestTools.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 2;
constexpr int kSampleOrders = 8;

QString SampleDatabase()
{
    return QStringLiteral(QUIREL_BINARY_DIR "/sampledb");
}

/// What a reader of the PDF sees: its text and its page count.
struct TPrintedOrder {
    QString Text;
    int Pages = 0;
};

TPrintedOrder PrintOrder(int order, const QStringList& source, const QTemporaryDir& dir)
{
    const QString pdf = dir.filePath(u"order-%1.pdf"_s.arg(order));
    QFile::remove(pdf);
    const TProgramRun run = RunOrdemCompra(
        QStringList { QString::number(order), u"--pdf"_s, pdf } + source, { dir.path(), {} });
    EXPECT_EQ(run.ExitCode, kExitSuccess) << "order " << order << ": " << run.Err.toStdString();
    TPrintedOrder printed;
    printed.Text = RunTool(u"pdftotext"_s, { u"-layout"_s, pdf, u"-"_s }).value_or(u"(no pdftotext)"_s);
    const QString info = RunTool(u"pdfinfo"_s, { pdf }).value_or(QString());
    const QRegularExpressionMatch pages = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(info);
    printed.Pages = pages.hasMatch() ? pages.captured(1).toInt() : -1;
    return printed;
}

class SqlOrdersTest : public ::testing::TestWithParam<TSqlBackend> {
protected:
    /// Every sample order printed from the Paradox tables, once for both databases.
    static const QMap<int, TPrintedOrder>& FromParadox()
    {
        static const QMap<int, TPrintedOrder> printed = [] {
            const QTemporaryDir dir;
            QMap<int, TPrintedOrder> orders;
            for (int order = 1; order <= kSampleOrders; ++order)
                orders[order] = PrintOrder(order, { u"--data"_s, SampleDatabase() }, dir);
            return orders;
        }();
        return printed;
    }
};

} // namespace

TEST_P(SqlOrdersTest, EveryOrderMovedWithPxdumpPrintsAsFromTheParadoxTables)
{
    const TScratchDatabase database(GetParam());
    ASSERT_EQ(database.Load(SampleDatabaseAsSql(GetParam())), QString());
    const QTemporaryDir dir;
    for (int order = 1; order <= kSampleOrders; ++order) {
        const TPrintedOrder paradox = FromParadox()[order];
        const TPrintedOrder sql = PrintOrder(order, { u"--db"_s, database.Url() }, dir);
        ASSERT_GT(paradox.Pages, 0) << "order " << order;
        EXPECT_EQ(sql.Pages, paradox.Pages) << "order " << order;
        EXPECT_EQ(sql.Text, paradox.Text) << "order " << order;
        EXPECT_TRUE(sql.Text.contains(u"Ordem Compra: %1 "_s.arg(order)))
            << "order " << order << " printed no order";
    }
    const TProgramRun missing = RunOrdemCompra(
        { u"99"_s, u"--pdf"_s, dir.filePath(u"99.pdf"_s), u"--db"_s, database.Url() }, { dir.path(), {} });
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_TRUE(missing.Err.contains(u"Ordem Compra não Encontrada!"_s)) << missing.Err.toStdString();
}

TEST_P(SqlOrdersTest, BadDatabasesEndWithAClearMessage)
{
    const TScratchDatabase database(GetParam());
    // Only the order table, and that without its remarks.
    ASSERT_EQ(database.Load("CREATE TABLE \"OrdemCompra\" (\"CODIGO\" NUMERIC, \"TOTAL_NOTA\" TEXT);\n"
                            "INSERT INTO \"OrdemCompra\" VALUES (1, 'muito');\n"),
        QString());
    const QTemporaryDir dir;
    const TProgramRun run = RunOrdemCompra(
        { u"1"_s, u"--pdf"_s, dir.filePath(u"o.pdf"_s), u"--db"_s, database.Url() }, { dir.path(), {} });
    EXPECT_EQ(run.ExitCode, kExitFailure);
    const QString column = GetParam() == TSqlBackend::Sqlite ? u"no such column: DATA_DIGITACAO"_s
                                                             : u"column \"DATA_DIGITACAO\" does not exist"_s;
    EXPECT_TRUE(run.Err.startsWith(u"ordemcompra: Ordem em \"%1\", SQL \"SELECT "_s.arg(database.Url())))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(column)) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(u"o.pdf"_s)));
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList())
        << "nothing left behind";
}

INSTANTIATE_TEST_SUITE_P(Backends, SqlOrdersTest,
    ::testing::Values(TSqlBackend::Sqlite, TSqlBackend::PostgreSql),
    [](const auto& info) { return std::string(BackendName(info.param)); });

TEST(SqlOrders, CommandLineFaultsOfTheDatabase)
{
    const QTemporaryDir dir;
    const QString socket = PostgresSocketDir();
    const QString file = dir.filePath(u"orders.db"_s);
    {
        QFile db(file);
        ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    }
    // An existing but empty file: SQLite reads it as a database with no tables.
    struct Case {
        QStringList arguments;
        int exitCode;
        QString message;
    };
    const Case cases[] = {
        { { u"1"_s, u"--pdf"_s, u"o.pdf"_s, u"--db"_s, u"sqlite://"_s + dir.filePath(u"none.db"_s) },
            kExitFailure,
            u"ordemcompra: Banco de dados \"sqlite://%1\": o arquivo \"%1\" não existe"_s.arg(
                dir.filePath(u"none.db"_s)) },
        { { u"1"_s, u"--pdf"_s, u"o.pdf"_s, u"--db"_s,
              u"postgresql://postgres:s3cret@/absent?host=%1&port=%2"_s.arg(socket).arg(PostgresPort()) },
            kExitFailure,
            u"ordemcompra: Banco de dados \"postgresql://postgres:***@/absent?host=%1&port=%2\": não foi "
            u"possível "
            "conectar: "_s.arg(socket)
                .arg(PostgresPort()) },
        { { u"1"_s, u"--pdf"_s, u"o.pdf"_s, u"--db"_s, u"sqlite://"_s + file }, kExitFailure,
            u"no such table: OrdemCompra"_s },
        { { u"1"_s, u"--pdf"_s, file, u"--db"_s, u"sqlite://"_s + file }, kExitFailure,
            u"ordemcompra: A gravação em \"%1\" foi recusada: é o banco de dados \"%1\""_s.arg(file) },
        { { u"1"_s, u"--pdf"_s, u"o.pdf"_s, u"--db"_s, u"sqlite://"_s + file, u"--data"_s, dir.path() },
            kExitFailure, u"--data"_s },
    };
    for (const Case& c : cases) {
        const TProgramRun run = RunOrdemCompra(c.arguments, { dir.path(), {} });
        EXPECT_EQ(run.ExitCode, c.exitCode) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.Err.contains(c.message)) << c.arguments.join(u' ').toStdString() << "\n"
                                                 << run.Err.toStdString();
        EXPECT_FALSE(run.Err.contains(u"s3cret"_s)) << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath(u"o.pdf"_s)));
        EXPECT_EQ(QFileInfo(file).size(), 0) << "the database file is left as it was";
    }
}
