#include "tools/pxdump/PxDump.h"
#include "db/ParadoxReader.h"
#include "tools/sampledb/ParadoxWriter.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace paradox;
using namespace Qt::StringLiterals;

namespace {

TPxFiles SmallTable()
{
    TPxTableWriter writer(u"P.DB"_s,
        { { u"NOME"_s, TPxFieldType::Alpha, 10 }, { u"VALOR"_s, TPxFieldType::Number, 8 },
            { u"QTD"_s, TPxFieldType::Long, 4 }, { u"DATA"_s, TPxFieldType::Date, 4 },
            { u"OK"_s, TPxFieldType::Logical, 1 }, { u"OBS"_s, TPxFieldType::Memo, 20 },
            { u"FOTO"_s, TPxFieldType::Graphic, 10 } });
    writer.AddRecord(
        { u"São \"Zé\""_s, 12.5, -3, QDate(2026, 12, 8), true, u"linha 1\nlinha 2"_s, QByteArray("BM12") });
    writer.AddRecord({ QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant() });
    return writer.Write();
}

QString PxDumpPath()
{
    return QStringLiteral(QUIREL_BINARY_DIR "/tools/pxdump/pxdump");
}

} // namespace

TEST(PxDump, JsonHoldsTypedValuesAndNulls)
{
    const TPxFiles files = SmallTable();
    const TParadoxReader table(files.db, files.mb, u"P.DB"_s);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(DumpJson(table), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = json.object();
    EXPECT_EQ(root[u"version"_s].toInt(), 12);
    EXPECT_EQ(root[u"codepage"_s].toInt(), 1252);
    const QJsonArray fields = root[u"fields"_s].toArray();
    ASSERT_EQ(fields.size(), 7);
    EXPECT_EQ(fields[0].toObject()[u"name"_s].toString(), u"NOME"_s);
    EXPECT_EQ(fields[0].toObject()[u"type"_s].toString(), u"alpha"_s);
    EXPECT_EQ(fields[0].toObject()[u"size"_s].toInt(), 10);
    EXPECT_EQ(fields[6].toObject()[u"type"_s].toString(), u"graphic"_s);
    const QJsonArray records = root[u"records"_s].toArray();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject first = records[0].toObject();
    EXPECT_EQ(first[u"NOME"_s].toString(), u"São \"Zé\""_s);
    EXPECT_TRUE(first[u"VALOR"_s].isDouble());
    EXPECT_EQ(first[u"VALOR"_s].toDouble(), 12.5);
    EXPECT_EQ(first[u"QTD"_s].toInt(), -3);
    EXPECT_EQ(first[u"DATA"_s].toString(), u"2026-12-08"_s);
    EXPECT_EQ(first[u"OK"_s].toBool(false), true);
    EXPECT_EQ(first[u"OBS"_s].toString(), u"linha 1\nlinha 2"_s);
    // Graphics stay as stored: the engine header, then the bitmap.
    EXPECT_EQ(QByteArray::fromBase64(first[u"FOTO"_s].toString().toLatin1()).toHex(),
        QByteArray("0100000104000000424d3132"));
    const QJsonObject second = records[1].toObject();
    for (const QString& name : second.keys())
        EXPECT_TRUE(second[name].isNull()) << name.toStdString();
    EXPECT_EQ(second.keys().size(), 7);
}

TEST(PxDump, StructureListsVersionCodePageCountAndFields)
{
    const TPxFiles files = SmallTable();
    const QStringList lines = DumpStructure(TParadoxReader(files.db, files.mb, u"P.DB"_s)).split(u'\n');
    EXPECT_TRUE(lines.contains(u"Version: 12 (Paradox 7)"_s));
    EXPECT_TRUE(lines.contains(u"Code page: 1252"_s));
    EXPECT_TRUE(lines.contains(u"Records: 2"_s));
    EXPECT_TRUE(lines.contains(u"Fields: 7"_s));
    EXPECT_TRUE(lines.contains(u"    6 OBS                       memo           20"_s));
}

TEST(PxDump, ProgramExitsWithTwoAndTheReadersMessageOnACorruptTable)
{
    ASSERT_TRUE(QFile::exists(PxDumpPath())) << "pxdump is not built at " << PxDumpPath().toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TPxFiles files = SmallTable();
    SaveTableFiles(dir.path(), u"P.DB"_s, files);
    struct Case {
        QStringList arguments;
        int exitCode;
        QString stderrStart;
        QString stdoutStart;
    };
    const QString table = dir.filePath(u"P.DB"_s);
    const QString corrupt = dir.filePath(u"C.DB"_s);
    files.db[0x39] = char(99);
    SaveTableFiles(dir.path(), u"C.DB"_s, files);
    // Three more records counted than the blocks hold: shown, with the damage named.
    files = SmallTable();
    qToLittleEndian<quint32>(5, files.db.data() + 0x06);
    SaveTableFiles(dir.path(), u"L.DB"_s, files);
    const QString lost = dir.filePath(u"L.DB"_s);
    const Case cases[] = {
        { { lost }, 0,
            u"warning: damaged: the block chain ends at block 1 with 2 of the 5 records the header counts; "
            "the other records are lost"_s,
            u"File: "_s },
        { { table }, 0, {}, u"File: "_s },
        { { u"--json"_s, table }, 0, {}, u"{\"version\":12,\"codepage\":1252,\"fields\":["_s },
        { { u"--json"_s, corrupt }, 2, u"Paradox table \""_s + corrupt + u"\": unknown file version 99"_s,
            {} },
        { { dir.filePath(u"NONE.DB"_s) }, 2,
            u"Paradox table \""_s + dir.filePath(u"NONE.DB"_s) + u"\": the file does not exist"_s, {} },
        { {}, 2, u"usage: pxdump [--json] TABLE.DB"_s, {} },
    };
    // The messages in their source language; the Portuguese ones are checked below.
    QProcessEnvironment english = QProcessEnvironment::systemEnvironment();
    english.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    for (const Case& c : cases) {
        QProcess process;
        process.setProcessEnvironment(english);
        process.start(PxDumpPath(), c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), c.exitCode) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(err.startsWith(c.stderrStart)) << err.toStdString();
        EXPECT_TRUE(out.startsWith(c.stdoutStart)) << out.left(80).toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(out.isEmpty()) << out.left(80).toStdString();
        }
    }
}

TEST(PxDump, MessagesSpeakTheOperatorsLanguage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcessEnvironment portuguese = QProcessEnvironment::systemEnvironment();
    portuguese.insert(u"LC_ALL"_s, u"pt_BR.UTF-8"_s);
    const QString missing = dir.filePath(u"NONE.DB"_s);
    const std::pair<QStringList, QString> cases[] = {
        { { missing }, u"Tabela Paradox \""_s + missing + u"\": o arquivo não existe"_s },
        { {}, u"uso: pxdump [--json] TABELA.DB"_s },
    };
    for (const auto& [arguments, expected] : cases) {
        QProcess process;
        process.setProcessEnvironment(portuguese);
        process.start(PxDumpPath(), arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 2);
        EXPECT_TRUE(err.startsWith(expected)) << err.toStdString();
    }
}
