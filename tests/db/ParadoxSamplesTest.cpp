#include "db/GraphicBlob.h"
#include "db/ParadoxReader.h"
#include "platform/Picture.h"
#include "tests/common/TestHelpers.h"
#include "tests/db/SampleTables.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QTime>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace paradox;
using namespace Qt::StringLiterals;

namespace {

TParadoxReader OpenSample(const QString& name)
{
    return TParadoxReader::FromFile(QDir(SampleDir()).filePath(name));
}

struct FieldCase {
    const char* name;
    TPxFieldType type;
    int size;
};

struct StructureCase {
    const char* file;
    int version;
    int codePage;
    bool keyed;
    int records;
    std::vector<FieldCase> fields;
};

} // namespace

TEST(ParadoxSamples, StructureOfEveryTable)
{
    using T = TPxFieldType;
    const StructureCase cases[] = {
        { "bcd.db", 11, 850, false, 3, { { "A", T::Bcd, 2 }, { "B", T::Bcd, 0 }, { "C", T::Bcd, 32 } } },
        { "bytes.db", 11, 850, false, 1, { { "BYTES", T::Bytes, 255 } } },
        { "date35.db", 4, TParadoxReader::kDefaultDosCodePage, false, 3, { { "DATE", T::Date, 4 } } },
        { "date4.db", 9, 850, false, 3, { { "DATE", T::Date, 4 } } },
        { "date5.db", 11, 850, false, 3, { { "DATE", T::Date, 4 }, { "TIME", T::Time, 4 } } },
        { "date7.db", 11, 850, false, 5, { { "DATE", T::Date, 4 }, { "TIME", T::Time, 4 } } },
        { "fmemo.db", 11, 850, true, 2,
            { { "Id", T::AutoIncrement, 4 }, { "FMEMO", T::FormattedMemo, 10 } } },
        { "graphic.db", 11, 850, true, 3,
            { { "Id", T::AutoIncrement, 4 }, { "Graphic", T::Graphic, 10 }, { "Type", T::Alpha, 3 } } },
        { "graphic240.db", 11, 850, true, 1,
            { { "Id", T::AutoIncrement, 4 }, { "Graph", T::Graphic, 250 } } },
        { "logical.db", 11, 1252, false, 4, { { "BOOL", T::Logical, 1 } } },
        { "long.db", 11, 850, true, 3, { { "Id", T::AutoIncrement, 4 }, { "LONG", T::Long, 4 } } },
        { "memo.db", 11, 850, true, 2, { { "Id", T::AutoIncrement, 4 }, { "MEMO", T::Memo, 250 } } },
        { "ole.db", 11, 850, true, 1, { { "Id", T::AutoIncrement, 4 }, { "OLE", T::Ole, 10 } } },
        { "time.db", 11, 1252, false, 3, { { "Time", T::Time, 4 } } },
        { "timestamp.db", 11, 850, false, 2, { { "Timestamp", T::Timestamp, 8 } } },
        { "CUSTOMER.DB", 12, 1252, true, 20,
            { { "CustNo", T::AutoIncrement, 4 }, { "FirstName", T::Alpha, 51 }, { "LastName", T::Alpha, 50 },
                { "EMail", T::Alpha, 100 }, { "Street", T::Alpha, 30 }, { "City", T::Alpha, 15 },
                { "State/Prov", T::Alpha, 20 }, { "Zip/Postal Code", T::Alpha, 10 },
                { "Comments", T::Memo, 110 }, { "DateEntered", T::Date, 4 } } },
        { "ROMAN8.db", 9, 0, false, 1, { { "A", T::Alpha, 20 } } },
        { "DECIMAL.DB", 12, 1252, false, 9, { { "DECIMAL", T::Number, 8 } } },
        { "GENERAL.DB", 11, 936, true, 3,
            { { "ID", T::Long, 4 }, { "NAME", T::Alpha, 25 }, { "MONEYS", T::Currency, 8 } } },
    };
    for (const StructureCase& c : cases) {
        SCOPED_TRACE(c.file);
        const TParadoxReader table = OpenSample(QString::fromLatin1(c.file));
        EXPECT_EQ(table.Version(), c.version);
        EXPECT_EQ(table.CodePage(), c.codePage);
        EXPECT_EQ(table.Keyed(), c.keyed);
        EXPECT_EQ(table.RecordCount(), c.records);
        EXPECT_EQ(table.HeaderRecordCount(), c.records);
        EXPECT_TRUE(table.Warnings().isEmpty()) << table.Warnings().join(u"; ").toStdString();
        ASSERT_EQ(table.Fields().size(), c.fields.size());
        for (size_t i = 0; i < c.fields.size(); ++i) {
            EXPECT_EQ(table.Fields()[i].name, QString::fromUtf8(c.fields[i].name));
            EXPECT_EQ(table.Fields()[i].type, c.fields[i].type) << c.fields[i].name;
            EXPECT_EQ(table.Fields()[i].sizeByte, c.fields[i].size) << c.fields[i].name;
        }
    }
}

TEST(ParadoxSamples, HeaderNamesAndSortOrders)
{
    struct Case {
        const char* file;
        const char* tableName;
        const char* sortOrder;
    };
    const Case cases[] = { { "bytes.db", "bytes.db", "ascii" }, { "logical.db", "resttemp.DB", "ANSII850" },
        { "ROMAN8.db", "sql-link-roman8.db", "BLROM800" }, { "time.db", nullptr, "DBWINWE0" },
        { "GENERAL.DB", nullptr, "china" }, { "date35.db", nullptr, "" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const TParadoxReader table = OpenSample(QString::fromLatin1(c.file));
        if (c.tableName) {
            EXPECT_EQ(table.TableName(), QString::fromLatin1(c.tableName));
        }
        EXPECT_EQ(table.SortOrderId(), QString::fromLatin1(c.sortOrder));
    }
}

TEST(ParadoxSamples, ScalarValuesOfEveryType)
{
    const QVariant null;
    const auto date = [](int y, int m, int d) { return QVariant(QDate(y, m, d)); };
    const auto time = [](int h, int m, int s) { return QVariant(QTime(h, m, s)); };
    struct Case {
        const char* file;
        std::vector<std::vector<QVariant>> rows;
    };
    const Case cases[] = {
        { "date35.db", { { date(2018, 1, 1) }, { date(2018, 2, 1) }, { date(2018, 1, 2) } } },
        { "date4.db", { { date(2018, 1, 1) }, { date(2018, 2, 1) }, { date(2018, 1, 2) } } },
        { "date5.db",
            { { date(2018, 1, 1), time(10, 0, 0) }, { date(2018, 2, 1), time(10, 30, 0) },
                { date(2018, 1, 2), time(9, 25, 25) } } },
        { "date7.db",
            { { date(2018, 1, 1), time(10, 0, 0) }, { date(2018, 2, 1), time(10, 30, 0) },
                { date(2018, 1, 2), time(9, 25, 25) }, { null, time(10, 0, 0) },
                { date(2018, 1, 1), null } } },
        { "logical.db", { { true }, { false }, { true }, { true } } },
        { "long.db", { { 1, 1 }, { 2, 2 }, { 3, null } } },
        { "time.db", { { time(1, 0, 1) }, { null }, { time(3, 0, 3) } } },
        { "timestamp.db", { { null }, { QDateTime(QDate(2020, 2, 1), QTime(1, 0, 1), Qt::UTC) } } },
        { "bcd.db", { { 1.23, 1.0, 0.123 }, { -1.23, -1.0, -0.123 }, { 0.0, null, 0.9999 } } },
        { "DECIMAL.DB",
            { { -200.0 }, { -20.0 }, { -1.0 }, { 1.0 }, { 20.0 }, { 200.0 }, { 200.36 }, { 1.37 },
                { -1.387 } } },
        { "GENERAL.DB",
            { { 1, u"Mari"_s, 100.0 }, { 2, u"Katty"_s, 150.0 }, { 333333333, u"Elizabet"_s, 75.0 } } },
        { "ROMAN8.db", { { u"Š½ƒ¶"_s } } },
    };
    for (const Case& c : cases) {
        const TParadoxReader table = OpenSample(QString::fromLatin1(c.file));
        ASSERT_EQ(table.RecordCount(), int(c.rows.size())) << c.file;
        for (size_t r = 0; r < c.rows.size(); ++r) {
            for (size_t f = 0; f < c.rows[r].size(); ++f) {
                const QVariant expected = c.rows[r][f];
                const QVariant actual = table.Value(int(r), int(f));
                const std::string where = std::string(c.file) + " row " + std::to_string(r + 1) + " field "
                    + table.Fields()[f].name.toStdString();
                EXPECT_EQ(actual.isNull(), expected.isNull()) << where;
                EXPECT_EQ(table.IsNull(int(r), int(f)), expected.isNull()) << where;
                if (expected.isNull() || actual.isNull())
                    continue;
                if (expected.typeId() == QMetaType::Double)
                    EXPECT_NEAR(actual.toDouble(), expected.toDouble(), 1e-9) << where;
                else
                    EXPECT_EQ(actual, expected) << where << ": " << actual.toString().toStdString();
            }
        }
    }
}

TEST(ParadoxSamples, BcdAndDoublesDecodeFromTheirStoredBytes)
{
    // Row 3 of bcd.db has B all zero (NULL) but A = 0.00 stored as C2 00..00: zero is not NULL.
    const TParadoxReader bcd = OpenSample(u"bcd.db"_s);
    EXPECT_FALSE(bcd.IsNull(2, 0));
    EXPECT_EQ(bcd.Value(2, 0).toDouble(), 0.0);
    EXPECT_TRUE(bcd.IsNull(2, 1));
    // With 32 decimals only the leading digits are real: 0.122999999999999998 then noise.
    EXPECT_NEAR(bcd.Value(0, 2).toDouble(), 0.123, 1e-15);
}

TEST(ParadoxSamples, BytesFieldKeepsEmbeddedZeros)
{
    const TParadoxReader table = OpenSample(u"bytes.db"_s);
    const QByteArray value = table.Value(0, 0).toByteArray();
    ASSERT_EQ(value.size(), 255);
    EXPECT_EQ(value.first(6),
        QByteArray("1\0"
                   "2\0"
                   "3\0",
            6));
    EXPECT_EQ(value.sliced(6), QByteArray(249, '\0'));
}

TEST(ParadoxSamples, CustomerRowsAndMemosInLeaderSuballocatedAndSingleBlocks)
{
    const TParadoxReader table = OpenSample(u"CUSTOMER.DB"_s);
    struct Case {
        int row;
        int custNo;
        const char* email;
    };
    for (const Case& c : { Case { 1, 1, "luke@fun.com" }, Case { 2, 2, "fmallory@freeport.org" },
             Case { 3, 3, "lpetzold@earthenwear.com" } }) {
        EXPECT_EQ(table.Value(c.row - 1, 0).toInt(), c.custNo);
        EXPECT_EQ(table.Value(c.row - 1, 3).toString(), QString::fromLatin1(c.email));
    }
    EXPECT_EQ(table.Value(0, 1).toString(), u"Luke"_s);
    EXPECT_EQ(table.Value(0, 2).toString(), u"Justice"_s);
    EXPECT_EQ(table.Value(0, 5).toString(), u"Santa Cruz"_s);
    EXPECT_EQ(table.Value(0, 6).toString(), u"CA"_s);
    EXPECT_EQ(table.Value(0, 7).toString(), u"94766"_s);
    EXPECT_EQ(table.Value(0, 9).toDate(), QDate(1996, 2, 2));
    EXPECT_EQ(table.Value(0, 8).toString(), u"Small comment (less 100 symbols)"_s);

    const QString row2 = table.Value(1, 8).toString();
    EXPECT_EQ(row2.size(), 518);
    EXPECT_TRUE(row2.startsWith(u"\tThe length of the leader may be zero")) << row2.left(40).toStdString();

    const QString row4 = table.Value(3, 8).toString();
    EXPECT_EQ(row4.size(), 56864);
    EXPECT_TRUE(row4.startsWith(u" The PARADOX File Structure"));
    EXPECT_TRUE(row4.endsWith(u"End.\r\n"));

    for (int row = 6; row <= 20; ++row)
        EXPECT_TRUE(table.Value(row - 1, 8).isNull()) << "row " << row;
    EXPECT_EQ(table.Value(19, 0).toInt(), 20);
    EXPECT_EQ(table.Value(19, 1).toString(), u"Trent"_s);
    EXPECT_EQ(table.Value(19, 2).toString(), u"Romar"_s);
    EXPECT_EQ(table.Value(19, 9).toDate(), QDate(1996, 4, 8));
}

TEST(ParadoxSamples, MemoFromSuballocatedBlockAndFromLeader)
{
    const TParadoxReader table = OpenSample(u"memo.db"_s);
    const QString row1 = table.Value(0, 1).toString();
    EXPECT_EQ(row1.size(), 555);
    EXPECT_TRUE(row1.startsWith(u"0123456789001234567890"));
    EXPECT_TRUE(row1.endsWith(u"3456789001234567890\n"));
    EXPECT_EQ(row1.count(u'\n'), 5);
    EXPECT_EQ(table.Value(1, 1).toString(), u"01234567890\n"_s);
}

TEST(ParadoxSamples, FormattedMemoIsReadAsStoredBytes)
{
    const TParadoxReader table = OpenSample(u"fmemo.db"_s);
    const QByteArray row1 = table.Value(0, 1).toByteArray();
    ASSERT_EQ(row1.size(), 169);
    EXPECT_EQ(row1.first(12),
        QByteArray::fromHex("07000000"
                            "04000000"
                            "0a001100"));
    EXPECT_EQ(row1.sliced(44, 4), QByteArray("123\0", 4));
    const QByteArray row2 = table.Value(1, 1).toByteArray();
    ASSERT_EQ(row2.size(), 726);
    EXPECT_EQ(row2.first(8), QByteArray::fromHex("0700000031020000"));
    EXPECT_EQ(row2.sliced(44, 22), QByteArray("0123456789001234567890"));
}

TEST(ParadoxSamples, GraphicBlobsCarryTheEightByteHeaderBeforeTheBitmap)
{
    struct Case {
        const char* file;
        int row;
        int field;
        qsizetype length;
        const char* prefixHex;
    };
    const Case cases[] = { { "graphic.db", 1, 1, 20086, "010000016e4e0000" },
        { "graphic.db", 2, 1, 9626, "0100000192250000" }, { "graphic.db", 3, 1, 2074686, "0100000136a81f00" },
        { "graphic240.db", 1, 1, 20086, "010000016e4e0000" } };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " row " + std::to_string(c.row));
        const TParadoxReader table = OpenSample(QString::fromLatin1(c.file));
        const QByteArray blob = table.Value(c.row - 1, c.field).toByteArray();
        ASSERT_EQ(blob.size(), c.length);
        EXPECT_EQ(blob.first(8), QByteArray::fromHex(c.prefixHex));
        const QByteArrayView bitmap = GraphicPayload(blob);
        ASSERT_EQ(bitmap.size(), c.length - 8);
        EXPECT_EQ(bitmap.first(2), "BM");
        // The bitmap's own size field agrees with the header's length.
        EXPECT_EQ(qFromLittleEndian<quint32>(bitmap.data() + 2), quint32(c.length - 8));
        const QImage image = LoadPicture(bitmap);
        EXPECT_EQ(image.width(), qFromLittleEndian<qint32>(bitmap.data() + 18));
        EXPECT_EQ(std::abs(image.height()), std::abs(qFromLittleEndian<qint32>(bitmap.data() + 22)));
    }
    const TParadoxReader table = OpenSample(u"graphic.db"_s);
    EXPECT_EQ(table.Value(0, 2).toString(), u"GIF"_s);
    EXPECT_EQ(table.Value(1, 2).toString(), u"BMP"_s);
    EXPECT_TRUE(table.Value(2, 2).isNull());
    // graphic240's leader copy is the bitmap without the header; the blob read is the .MB one.
    EXPECT_EQ(OpenSample(u"graphic240.db"_s).Value(0, 1), table.Value(0, 1));
}

TEST(ParadoxSamples, OleBlobKeepsItsKindTwoHeader)
{
    const QByteArray blob = OpenSample(u"ole.db"_s).Value(0, 1).toByteArray();
    ASSERT_EQ(blob.size(), 365928);
    EXPECT_EQ(blob.first(8), QByteArray::fromHex("0100000260950500"));
    EXPECT_EQ(blob.sliced(8, 2), QByteArray::fromHex("0100"));
    EXPECT_EQ(blob.sliced(10, 16), QByteArray("Paradox Document"));
    // Kind 2 is not a graphic header: nothing is stripped.
    EXPECT_EQ(GraphicPayload(blob).size(), blob.size());
}
