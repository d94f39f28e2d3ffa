// quirel printing from SQL: the example layout over the sample database moved to SQLite and to the
// fixture's PostgreSQL server, named on the command line or beside the layout.
#include "tests/db/SqlTestDatabases.h"
#include "tests/tools/QuirelRun.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kOrder = 3;

QString SqlExample()
{
    return QStringLiteral(QUIREL_SOURCE_DIR "/examples/order-items-sql.json");
}

/// The rows of a query as the sqlite3 client prints them, fields separated by one blank.
QStringList SqliteRows(const QString& file, const QString& sql)
{
    QProcess client;
    client.start(u"sqlite3"_s, { u"-readonly"_s, u"-separator"_s, u" "_s, file, sql });
    EXPECT_TRUE(client.waitForFinished(60000)) << "sqlite3 did not finish";
    EXPECT_EQ(client.exitCode(), 0) << client.readAllStandardError().toStdString();
    QStringList rows = QString::fromUtf8(client.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (QString& row : rows)
        row = row.simplified();
    return rows;
}

/// Renders the example to `pdf`, reading the connection "orders" from `url`, and gives its text.
QStringList RenderExample(const QString& layout, const QString& url, const QString& workDir)
{
    const QString pdf = QDir(workDir).filePath(u"items.pdf"_s);
    QFile::remove(pdf);
    QStringList arguments { u"render"_s, layout, u"--pdf"_s, pdf };
    if (!url.isEmpty())
        arguments << u"--connection"_s << u"orders="_s + url;
    const TQuirelRun run = RunQuirel(arguments, workDir);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    return PdfLines(pdf);
}

} // namespace

TEST(QuirelSql, ExamplePrintsAnOrdersItemsFromSQLiteAndPostgreSQL)
{
    const TScratchDatabase sqlite(TSqlBackend::Sqlite);
    ASSERT_EQ(sqlite.Load(SampleDatabaseAsSql(TSqlBackend::Sqlite)), QString());
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QStringList lines = RenderExample(SqlExample(), sqlite.Url(), work.path());

    // What the database holds, as its own client reads it.
    const QString items = u"FROM \"OrdemCompraItens\" WHERE \"ORDEM\" = %1 ORDER BY \"SEQ\""_s.arg(kOrder);
    const QStringList rows = SqliteRows(
        sqlite.File(), u"SELECT CAST(\"SEQ\" AS INTEGER), \"PRODUTO\", \"NOME_PRODUTO\" "_s + items);
    ASSERT_GT(rows.size(), 40) << "an order long enough for two pages";
    qsizetype at = 0;
    for (const QString& row : rows) {
        const auto found = std::find_if(lines.begin() + at, lines.end(),
            [&](const QString& line) { return line.startsWith(row + u' '); });
        ASSERT_NE(found, lines.end()) << "missing or out of order: " << row.toStdString();
        at = found - lines.begin() + 1;
    }
    const QString order = u"FROM \"OrdemCompra\" WHERE \"CODIGO\" = %1"_s.arg(kOrder);
    const QStringList supplier = SqliteRows(sqlite.File(),
        u"SELECT \"RAZAO_SOCIAL\", \"CIDADE\" || ' / ' || \"UF\" FROM \"Acadforn\" WHERE \"CODIGO\" = "
        u"(SELECT \"FORNECEDOR\" "_s
            + order + u')');
    ASSERT_EQ(supplier.size(), 1);
    EXPECT_TRUE(lines.contains(supplier[0])) << "the supplier, a query on the order's supplier code";
    const QStringList total = SqliteRows(sqlite.File(), u"SELECT \"TOTAL_NOTA\" "_s + order);
    ASSERT_EQ(total.size(), 1);
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    // The count and the order's own total share the summary band.
    EXPECT_TRUE(lines.contains(
        u"Itens: %1 Total da ordem: %2"_s.arg(rows.size()).arg(brazil.toString(total[0].toDouble(), 'f', 2))))
        << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(u"Ordem de compra %1 Digitada em 03/11/2026"_s.arg(kOrder)))
        << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(u"Página 2"_s));

    // The same file named by a relative path in a layout beside it, run from another folder.
    const QDir dir(work.path());
    ASSERT_TRUE(dir.mkdir(u"beside"_s));
    ASSERT_TRUE(QFile::copy(sqlite.File(), dir.filePath(u"beside/orders.db"_s)));
    QFile example(SqlExample());
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QFile beside(dir.filePath(u"beside/items.json"_s));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.write(
        example.readAll().replace("\"connection\": \"orders\"", "\"connection\": \"sqlite:orders.db\""));
    beside.close();
    EXPECT_EQ(RenderExample(u"beside/items.json"_s, {}, work.path()), lines);

    const TScratchDatabase postgres(TSqlBackend::PostgreSql);
    ASSERT_EQ(postgres.Load(SampleDatabaseAsSql(TSqlBackend::PostgreSql)), QString());
    EXPECT_EQ(RenderExample(SqlExample(), postgres.Url(), work.path()), lines);
}
