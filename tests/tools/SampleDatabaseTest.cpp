#include "db/GraphicBlob.h"
#include "db/ParadoxReader.h"
#include "tools/sampledb/ParadoxWriter.h"
#include "tools/sampledb/SampleData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TPxFiles WriteTable(const TSampleTable& table)
{
    TPxTableWriter writer(table.fileName, table.columns);
    for (const auto& record : table.records)
        writer.AddRecord(record);
    return writer.Write();
}

} // namespace

TEST(SampleDatabase, ReaderReturnsExactlyWhatTheGeneratorMeantToWrite)
{
    for (const TSampleTable& table : SampleDatabase()) {
        SCOPED_TRACE(table.fileName.toStdString());
        const TPxFiles files = WriteTable(table);
        const TParadoxReader reader(
            files.db, files.mb.isEmpty() ? std::nullopt : std::optional(files.mb), table.fileName);
        EXPECT_TRUE(reader.Warnings().isEmpty()) << reader.Warnings().join(u"; "_s).toStdString();
        EXPECT_EQ(reader.Version(), 12);
        EXPECT_EQ(reader.CodePage(), 1252);
        ASSERT_EQ(reader.Fields().size(), table.columns.size());
        for (size_t f = 0; f < table.columns.size(); ++f)
            EXPECT_EQ(reader.Fields()[f].name, table.columns[f].name);
        ASSERT_EQ(reader.RecordCount(), int(table.records.size()));
        for (int r = 0; r < reader.RecordCount(); ++r) {
            for (size_t f = 0; f < table.columns.size(); ++f) {
                QVariant actual = reader.Value(r, int(f));
                if (table.columns[f].type == paradox::TPxFieldType::Graphic && !actual.isNull())
                    actual = GraphicPayload(actual.toByteArray()).toByteArray();
                const QVariant& expected = table.records[size_t(r)][f];
                ASSERT_EQ(actual, expected)
                    << "record " << r + 1 << " field " << table.columns[f].name.toStdString();
            }
        }
    }
}

TEST(SampleDatabase, OutputIsTheSameOnEveryRun)
{
    const std::vector<TSampleTable> first = SampleDatabase();
    const std::vector<TSampleTable> second = SampleDatabase();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        const TPxFiles a = WriteTable(first[i]);
        const TPxFiles b = WriteTable(second[i]);
        EXPECT_TRUE(a.db == b.db && a.mb == b.mb) << first[i].fileName.toStdString();
    }
}

TEST(SampleDatabase, BuildTreeCopyIsCurrent)
{
    const QDir built(QStringLiteral(QUIREL_BINARY_DIR "/sampledb"));
    ASSERT_TRUE(built.exists(u"OrdemCompra.DB"_s))
        << "the sample database is not built in " << built.path().toStdString();
    for (const TSampleTable& table : SampleDatabase()) {
        const TPxFiles files = WriteTable(table);
        QFile db(built.filePath(table.fileName));
        ASSERT_TRUE(db.open(QIODevice::ReadOnly)) << table.fileName.toStdString();
        EXPECT_TRUE(db.readAll() == files.db) << table.fileName.toStdString();
        if (!files.mb.isEmpty()) {
            QFile mb(built.filePath(QFileInfo(table.fileName).completeBaseName() + u".MB"_s));
            ASSERT_TRUE(mb.open(QIODevice::ReadOnly)) << mb.fileName().toStdString();
            EXPECT_TRUE(mb.readAll() == files.mb) << mb.fileName().toStdString();
        }
    }
}

TEST(SampleDatabase, LogoIsA24BitBitmap)
{
    const QByteArray logo = SampleLogo();
    ASSERT_GE(logo.size(), 54);
    EXPECT_EQ(logo.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(logo.constData() + 2), quint32(logo.size()));
    EXPECT_EQ(qFromLittleEndian<qint32>(logo.constData() + 18), 119);
    EXPECT_EQ(qFromLittleEndian<qint32>(logo.constData() + 22), 93);
    EXPECT_EQ(qFromLittleEndian<quint16>(logo.constData() + 28), 24);
    EXPECT_FALSE(QImage::fromData(logo, "BMP").isNull());
}

TEST(SampleDatabase, LargeOrderIsAddedWithoutChangingTheOthers)
{
    constexpr int kItems = 2500;
    const std::vector<TSampleTable> plain = SampleDatabase();
    const std::vector<TSampleTable> large = SampleDatabase(kItems);
    ASSERT_EQ(plain.size(), large.size());
    for (size_t t = 0; t < plain.size(); ++t) {
        SCOPED_TRACE(plain[t].fileName.toStdString());
        const auto orderColumn = std::find_if(large[t].columns.begin(), large[t].columns.end(),
            [&](const TPxColumn& column) { return column.name == (t == 0 ? u"CODIGO"_s : u"ORDEM"_s); });
        if (t > 1 || orderColumn == large[t].columns.end()) {
            EXPECT_EQ(large[t].records, plain[t].records);
            continue;
        }
        // The large order's rows come on top; every other row stays where it was.
        const size_t column = size_t(orderColumn - large[t].columns.begin());
        std::vector<std::vector<QVariant>> others;
        int largeRows = 0;
        for (const auto& record : large[t].records) {
            if (record[column].toInt() == kLargeOrderCode)
                ++largeRows;
            else
                others.push_back(record);
        }
        EXPECT_EQ(others, plain[t].records);
        EXPECT_EQ(largeRows, t == 0 ? 1 : kItems);
    }
}

TEST(SampleDatabase, OrderTooLargeForTheFormatLeavesNoDirectory)
{
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString target = work.filePath(u"db"_s);
    QProcess generator;
    generator.start(QStringLiteral(QUIREL_BINARY_DIR "/tools/sampledb/sampledb_generator"),
        { u"--large-order"_s, u"1000000"_s, target });
    ASSERT_TRUE(generator.waitForFinished(120'000));
    EXPECT_EQ(generator.exitCode(), 2);
    EXPECT_TRUE(generator.readAllStandardError().contains("need more than 65535 blocks"));
    EXPECT_FALSE(QFileInfo::exists(target)) << "half-written directory left";
}
