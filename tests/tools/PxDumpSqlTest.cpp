#include "tools/pxdump/PxDumpSql.h"
#include "db/GraphicBlob.h"
#include "db/ParadoxReader.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "tests/db/SqlTestDatabases.h"
#include "tools/sampledb/ParadoxWriter.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace paradox;
using namespace Qt::StringLiterals;

namespace {

QByteArray SmallBitmap()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(1, 1, qRgb(0, 0, 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return buffer.data();
}

/// Values that quoting, escaping and number text get wrong first.
TPxFiles AwkwardTable()
{
    TPxTableWriter writer(u"Awkward.DB"_s,
        { { u"NOME"_s, TPxFieldType::Alpha, 40 }, { u"VALOR"_s, TPxFieldType::Number, 8 },
            { u"QTD"_s, TPxFieldType::Long, 4 }, { u"DATA"_s, TPxFieldType::Date, 4 },
            { u"OK"_s, TPxFieldType::Logical, 1 }, { u"OBS"_s, TPxFieldType::Memo, 20 },
            { u"FOTO"_s, TPxFieldType::Graphic, 10 }, { u"Misto \"Nome\""_s, TPxFieldType::Alpha, 5 } });
    writer.AddRecord({ u"D'Ávila; DROP TABLE x; -- \\ \"aspas\""_s, 0.1, -2147483647, QDate(1, 1, 1), true,
        u"linha 1\r\nlinha 2 'citada'\n\\x00"_s + QString(3000, u'é'), SmallBitmap(), u"€"_s });
    writer.AddRecord({ u"   espaços à frente"_s, -1.7976931348623157e308, 0, QDate(9999, 12, 31), false,
        QVariant(), QVariant(), QVariant() });
    writer.AddRecord({ QVariant(), 1e-300, QVariant(), QVariant(), QVariant(), u"?"_s, QVariant(), u"x"_s });
    return writer.Write();
}

class PxDumpSqlTest : public ::testing::TestWithParam<TSqlBackend> { };

} // namespace

TEST_P(PxDumpSqlTest, MovedTableReadsBackAsTheParadoxTable)
{
    const TPxFiles files = AwkwardTable();
    const TParadoxReader table(files.db, files.mb, u"Awkward.DB"_s);
    const TScratchDatabase database(GetParam());
    const TSqlDialect dialect
        = GetParam() == TSqlBackend::Sqlite ? TSqlDialect::Sqlite : TSqlDialect::PostgreSql;
    ASSERT_EQ(database.Load("BEGIN;\n" + DumpSql(table, dialect) + "COMMIT;\n"), QString());

    TComponent owner(nullptr);
    auto* connection = new TSqlConnection(&owner);
    connection->SetUrl(database.Url());
    auto* query = new TSqlQuery(&owner);
    query->SetName(u"Awkward"_s);
    query->SetConnection(connection);
    query->SetSQL(u"SELECT * FROM \"Awkward\""_s);
    // The fields as the program declares them: the kinds a Paradox table is read as.
    for (const TPxField& column : table.Fields())
        query->AddField(column.name, FieldTypeOf(column.type), column.sizeByte);
    query->Open();
    ASSERT_EQ(query->RecordCount(), table.RecordCount());
    int record = 0;
    for (query->First(); !query->Eof(); query->Next(), ++record) {
        for (int field = 0; field < int(table.Fields().size()); ++field) {
            const TPxField& column = table.Fields()[size_t(field)];
            QVariant expected = table.Value(record, field);
            if (column.type == TPxFieldType::Graphic && !expected.isNull())
                expected = GraphicPayload(expected.toByteArray()).toByteArray();
            // A text keeps its trailing blanks nowhere; a dataset reads an empty text as null.
            if (expected.typeId() == QMetaType::QString && expected.toString().isEmpty())
                expected = QVariant();
            const QVariant actual = query->FieldByName(column.name)->Value();
            EXPECT_EQ(actual, expected) << "record " << record + 1 << ", field " << column.name.toStdString()
                                        << ": " << actual.toString().left(80).toStdString();
        }
    }
    EXPECT_EQ(query->FieldByName(u"FOTO"_s)->DataType(), TFieldType::ftGraphic);
    query->First();
    EXPECT_EQ(query->FieldByName(u"FOTO"_s)->Picture().pixel(1, 1), qRgb(0, 0, 255));
}

INSTANTIATE_TEST_SUITE_P(Backends, PxDumpSqlTest,
    ::testing::Values(TSqlBackend::Sqlite, TSqlBackend::PostgreSql),
    [](const auto& info) { return std::string(BackendName(info.param)); });

TEST(PxDumpSql, CommandLine)
{
    const QTemporaryDir dir;
    const TPxFiles files = AwkwardTable();
    const QString table = dir.filePath(u"Awkward.DB"_s);
    QFile db(table), mb(dir.filePath(u"Awkward.MB"_s)), damaged(dir.filePath(u"Damaged.DB"_s));
    ASSERT_TRUE(db.open(QIODevice::WriteOnly) && db.write(files.db) == files.db.size());
    ASSERT_TRUE(mb.open(QIODevice::WriteOnly) && mb.write(files.mb) == files.mb.size());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write(files.db.left(100)) == 100);
    db.close();
    mb.close();
    damaged.close();
    struct Case {
        QStringList arguments;
        int exitCode;
        QString out;
        QString err;
    };
    const Case cases[] = {
        { { u"--sql"_s, table }, 0, u"BEGIN;\nCREATE TABLE \"Awkward\" (\n    \"NOME\" VARCHAR(40),"_s, {} },
        { { u"--sql"_s, u"--dialect"_s, u"postgresql"_s, table }, 0, u"BEGIN;\nCREATE TABLE"_s, {} },
        { { u"--sql"_s, u"--dialect"_s, u"oracle"_s, table }, 2, {}, u"unknown SQL dialect \"oracle\""_s },
        { { u"--sql"_s, u"--dialect"_s }, 2, {}, u"usage: pxdump"_s },
        { { u"--dialect"_s, u"sqlite"_s, table }, 2, {}, u"usage: pxdump"_s },
        { { u"--sql"_s, u"--json"_s, table }, 2, {}, u"usage: pxdump"_s },
        // A damaged table among good ones writes nothing: no half-moved database.
        { { u"--sql"_s, table, dir.filePath(u"Damaged.DB"_s) }, 2, {}, u"Damaged.DB"_s },
    };
    for (const Case& c : cases) {
        QProcess pxdump;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"LANG"_s, u"C"_s);
        environment.remove(u"LC_ALL"_s);
        environment.remove(u"LANGUAGE"_s);
        pxdump.setProcessEnvironment(environment);
        pxdump.start(QStringLiteral(QUIREL_BINARY_DIR "/tools/pxdump/pxdump"), c.arguments);
        ASSERT_TRUE(pxdump.waitForFinished(60000));
        const QString out = QString::fromUtf8(pxdump.readAllStandardOutput());
        const QString err = QString::fromUtf8(pxdump.readAllStandardError());
        const std::string what = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(pxdump.exitCode(), c.exitCode) << what << ": " << err.toStdString();
        EXPECT_TRUE(c.out.isEmpty() ? out.isEmpty() : out.startsWith(c.out))
            << what << ": " << out.left(200).toStdString();
        EXPECT_TRUE(err.contains(c.err)) << what << ": " << err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_TRUE(out.endsWith(u"COMMIT;\n"_s)) << what;
        }
    }
}
