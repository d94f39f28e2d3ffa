#include "db/ParadoxReader.h"
#include "platform/Exceptions.h"
#include "tests/common/TestHelpers.h"
#include "tests/db/SampleTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Offsets in the sample tables used below, read off the files as the format notes describe them.
constexpr int kHeaderSize = 0x800;
constexpr int kBlock1 = kHeaderSize;
constexpr int kMemoRecordSize = 254;
constexpr int kMemoDescriptor = kBlock1 + 6 + 4 + 240; // row 1: Id (4), then the memo's 240-byte leader
constexpr int kMemoSlot3F = 0x1000 + 12 + 5 * 0x3F;

void PutU8(QByteArray& bytes, int offset, quint8 value)
{
    bytes[offset] = char(value);
}

void PutU16(QByteArray& bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void PutU32(QByteArray& bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

struct TableBytes {
    QByteArray db;
    std::optional<QByteArray> mb;
};

TableBytes Sample(const char* db, const char* mb = nullptr)
{
    TableBytes t { SampleBytes(QString::fromLatin1(db)), std::nullopt };
    if (mb)
        t.mb = SampleBytes(QString::fromLatin1(mb));
    return t;
}

/// Reads every value; returns the first error, or empty when all is well.
QString ReadEveryValue(const std::function<TParadoxReader()>& open)
{
    try {
        const TParadoxReader table = open();
        for (int r = 0; r < table.RecordCount(); ++r)
            for (int f = 0; f < int(table.Fields().size()); ++f)
                table.Value(r, f);
    } catch (const EReportError& error) {
        return error.Message();
    }
    return {};
}

/// Reads every value from the bytes, and from files holding them, which must end the same way.
QString ReadAll(const TableBytes& t, const QString& name)
{
    const QString message = ReadEveryValue([&] { return TParadoxReader(t.db, t.mb, name); });
    // One folder for every case: the sweeps below read thousands of tables.
    static const QTemporaryDir dir;
    const QString db = dir.filePath(name);
    // Rewritten in place, then cut: a file truncated to nothing first is flushed to disk on close.
    const auto save = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size()
            && file.resize(bytes.size());
    };
    const QString mb = dir.filePath(QFileInfo(name).completeBaseName() + u".mb"_s);
    if (!t.mb)
        QFile::remove(mb);
    if (!dir.isValid() || !save(db, t.db) || (t.mb && !save(mb, *t.mb))) {
        ADD_FAILURE() << "cannot write " << db.toStdString();
        return message;
    }
    QString fromFile = ReadEveryValue([&] { return TParadoxReader::FromFile(db); });
    fromFile.replace(db, name);
    // Without a blob file the two name what is missing differently.
    if (!(message.contains(u"blob file (.MB) is missing") && fromFile.contains(u".MB is missing"))) {
        EXPECT_EQ(fromFile, message) << "read from a file";
    }
    return message;
}

struct Case {
    const char* what;
    const char* db;
    const char* mb;
    std::function<void(TableBytes&)> corrupt;
    const char* message;
};

} // namespace

TEST(ParadoxCorruption, DamagedTablesAreRefusedWithAMessageNamingFileAndFault)
{
    const Case cases[] = {
        { "empty file", "date5.db", nullptr, [](TableBytes& t) { t.db.clear(); }, "truncated: 0 bytes" },
        { "cut in the fixed header", "date5.db", nullptr, [](TableBytes& t) { t.db.truncate(0x57); },
            "truncated: 87 bytes" },
        { "cut in the v4 extension", "date5.db", nullptr, [](TableBytes& t) { t.db.truncate(0x70); },
            "truncated: 112 bytes, but the header alone takes 120" },
        { "cut in the field names", "date5.db", nullptr, [](TableBytes& t) { t.db.truncate(0x7FF); },
            "header size 2048 lies past the end of the file (2047 bytes)" },
        { "cut in a block header", "date5.db", nullptr, [](TableBytes& t) { t.db.truncate(kBlock1 + 3); },
            "block 1 is cut off by the end of the file" },
        { "cut in the records", "date5.db", nullptr, [](TableBytes& t) { t.db.truncate(kBlock1 + 10); },
            "block 1 is cut off by the end of the file: its 3 records do not fit" },
        { "index file type", "date5.db", nullptr, [](TableBytes& t) { PutU8(t.db, 0x04, 1); },
            "not a table data file (file type 1)" },
        { "version too old", "date5.db", nullptr, [](TableBytes& t) { PutU8(t.db, 0x39, 2); },
            "unknown file version 2" },
        { "version too new", "date5.db", nullptr, [](TableBytes& t) { PutU8(t.db, 0x39, 13); },
            "unknown file version 13" },
        { "block size 0", "date5.db", nullptr, [](TableBytes& t) { PutU8(t.db, 0x05, 0); },
            "block size code 0 is outside 1 to 32" },
        { "block size 33", "date5.db", nullptr, [](TableBytes& t) { PutU8(t.db, 0x05, 33); },
            "block size code 33 is outside 1 to 32" },
        { "record size 0", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x00, 0); },
            "the record size is 0" },
        { "record size off by one", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x00, 9); },
            "the record size 9 does not match the fields, whose sizes add up to 8" },
        { "no fields", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x21, 0); },
            "field count 0 is outside 1 to 255" },
        { "256 fields", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x21, 256); },
            "field count 256 is outside 1 to 255" },
        { "negative field count", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x21, 0xFFFF); },
            "field count -1 is outside 1 to 255" },
        { "255 fields in a small header", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x21, 255); },
            "field 3 \"\" has the unknown type code 0x22" },
        { "header size past the end", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x02, 0xFFFF); },
            "header size 65535 lies past the end of the file (4096 bytes)" },
        { "header size inside the fixed part", "date5.db", nullptr,
            [](TableBytes& t) { PutU16(t.db, 0x02, 0x10); },
            "header size 16 is smaller than the fixed header (120 bytes)" },
        { "unknown field type", "date5.db", nullptr, [](TableBytes& t) { PutU8(t.db, 0x78, 0x07); },
            "field 1 \"DATE\" has the unknown type code 0x07" },
        { "date of 3 bytes", "date5.db", nullptr, [](TableBytes& t) { PutU8(t.db, 0x79, 3); },
            "field 1 \"DATE\": a date field takes 4 bytes, the header says 3" },
        { "encrypted v5 (second code)", "date5.db", nullptr,
            [](TableBytes& t) { PutU32(t.db, 0x5C, 0x1234); },
            "the table is password-protected (encrypted)" },
        { "encrypted v5 (first code)", "date5.db", nullptr, [](TableBytes& t) { PutU32(t.db, 0x25, 0x1234); },
            "the table is password-protected (encrypted)" },
        { "encrypted v3.5", "date35.db", nullptr, [](TableBytes& t) { PutU32(t.db, 0x25, 0x1234); },
            "the table is password-protected (encrypted)" },
        { "first block beyond the file", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, 0x0E, 2); },
            "block 2 of the chain lies past the 1 blocks in the file" },
        { "chain loops on itself", "date5.db", nullptr, [](TableBytes& t) { PutU16(t.db, kBlock1, 1); },
            "the block chain loops back to block 1" },
        { "chain loops over two blocks", "CUSTOMER.DB", "CUSTOMER.MB",
            [](TableBytes& t) { PutU16(t.db, kBlock1 + 2 * 2048, 2); },
            "the block chain loops back to block 2" },
        { "record count not a multiple", "date5.db", nullptr,
            [](TableBytes& t) { PutU16(t.db, kBlock1 + 4, 7); },
            "block 1 claims an impossible amount of data (7 bytes" },
        { "more records than the block holds", "date5.db", nullptr,
            [](TableBytes& t) { PutU16(t.db, kBlock1 + 4, 8 * 255); },
            "block 1 claims an impossible amount" },
        { "field name without its NUL", "date5.db", nullptr,
            [](TableBytes& t) {
                for (int i = 0x78 + 83 + 12; i < kHeaderSize; ++i)
                    PutU8(t.db, i, 'A');
            },
            "the name of field 1 does not end within the header (2048 bytes)" },
        { "date beyond 9999", "date5.db", nullptr,
            [](TableBytes& t) { PutU32(t.db, kBlock1 + 6, 0x00003880); },
            "record 1, field \"DATE\": day number 3670016 is not a date" },
        { "time beyond midnight", "date5.db", nullptr,
            [](TableBytes& t) { PutU32(t.db, kBlock1 + 10, 0x005C2685); },
            "record 1, field \"TIME\": 86400000 ms is not a time of day" },
        { "number that is NaN", "DECIMAL.DB", nullptr,
            [](TableBytes& t) { t.db.replace(kBlock1 + 6, 8, QByteArray::fromHex("fff8000000000000")); },
            "record 1, field \"DECIMAL\": the stored number is not finite" },
        { "blob file missing", "memo.db", nullptr, [](TableBytes&) {},
            "the table has blob fields but its blob file (.MB) is missing" },
        { "blob file too short", "memo.db", "memo.mb", [](TableBytes& t) { t.mb->truncate(4095); },
            "blob file: 4095 bytes, shorter than its header block" },
        { "blob file of odd size", "memo.db", "memo.mb", [](TableBytes& t) { t.mb->truncate(5000); },
            "blob file: its size 5000 is not a multiple of 4096" },
        { "blob file without header block", "memo.db", "memo.mb", [](TableBytes& t) { PutU8(*t.mb, 0, 3); },
            "blob file: it does not start with a header block" },
        { "blob offset past the blob file", "memo.db", "memo.mb",
            [](TableBytes& t) { PutU32(t.db, kMemoDescriptor, 0x0010003F); },
            "record 1, field \"MEMO\": blob offset 0x100000 lies outside the blob file (8192 bytes)" },
        { "blob offset into the header block", "memo.db", "memo.mb",
            [](TableBytes& t) { PutU32(t.db, kMemoDescriptor, 0x0000003F); },
            "blob offset 0x0 lies outside" },
        { "blob offset not on a block", "memo.db", "memo.mb",
            [](TableBytes& t) { PutU32(t.db, kMemoDescriptor, 0x0000113F); },
            "blob offset 0x1100 lies outside" },
        { "blob longer than the blob file", "memo.db", "memo.mb",
            [](TableBytes& t) { PutU32(t.db, kMemoDescriptor + 4, 0xFFFFFFF0); },
            "blob length 4294967280 exceeds the blob file (8192 bytes)" },
        { "blob length differs from its slot", "memo.db", "memo.mb",
            [](TableBytes& t) { PutU32(t.db, kMemoDescriptor + 4, 556); },
            "the record gives the blob 556 bytes, slot 63 of the block at 0x1000 holds 555" },
        { "slot beyond 63", "memo.db", "memo.mb",
            [](TableBytes& t) { PutU32(t.db, kMemoDescriptor, 0x00001040); },
            "slot 64 does not exist in the blob block at 0x1000" },
        { "deleted slot", "memo.db", "memo.mb", [](TableBytes& t) { PutU8(*t.mb, kMemoSlot3F, 0); },
            "slot 63 of the blob block at 0x1000 is unused or corrupt" },
        { "slot running past its block", "memo.db", "memo.mb",
            [](TableBytes& t) { PutU8(*t.mb, kMemoSlot3F, 250); },
            "slot 63 of the blob block at 0x1000 is unused or corrupt" },
        { "blob in a free block", "memo.db", "memo.mb", [](TableBytes& t) { PutU8(*t.mb, 0x1000, 4); },
            "the blob reference points to a free block at 0x1000" },
        { "blob in an unknown block", "memo.db", "memo.mb", [](TableBytes& t) { PutU8(*t.mb, 0x1000, 9); },
            "the blob reference points to a block of unknown type 9 at 0x1000" },
        { "single blob referenced as a slot", "CUSTOMER.DB", "CUSTOMER.MB",
            [](TableBytes& t) {
                PutU8(t.db, kBlock1 + 6 + 3 * 394 + 4 + 51 + 50 + 100 + 30 + 15 + 20 + 10 + 100, 0x3F);
            },
            "slot 63 refers to the single-blob block at 0x2000" },
        { "single blob with huge units", "CUSTOMER.DB", "CUSTOMER.MB",
            [](TableBytes& t) { PutU16(*t.mb, 0x2001, 0xFFFF); },
            "the blob block at 0x2000 claims 65535 units, past the end of the blob file" },
        { "single blob length disagrees", "CUSTOMER.DB", "CUSTOMER.MB",
            [](TableBytes& t) { PutU32(*t.mb, 0x2003, 100); },
            "the record gives the blob 56864 bytes, its block at 0x2000 says 100" },
        { "header counts more records than the blocks hold", "date5.db", nullptr,
            [](TableBytes& t) { PutU32(t.db, 0x06, 0xFFFFFFFF); },
            "damaged: the block chain ends at block 1 with 3 of the 4294967295 records the header counts; "
            "the "
            "other records are lost" },
        { "block zeroed in the middle of the chain", "CUSTOMER.DB", "CUSTOMER.MB",
            [](TableBytes& t) { t.db.replace(kBlock1 + 2048, 2048, QByteArray(2048, 0)); },
            "damaged: the block chain ends at block 2" },
    };
    for (const Case& c : cases) {
        TableBytes t = Sample(c.db, c.mb);
        c.corrupt(t);
        const QString name = QString::fromLatin1(c.db);
        const QString message = ReadAll(t, name);
        EXPECT_TRUE(message.startsWith(u"Paradox table \""_s + name + u"\""_s))
            << c.what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.message)))
            << c.what << ": got \"" << message.toStdString() << "\", expected it to contain \"" << c.message
            << "\"";
    }
}

TEST(ParadoxCorruption, BadValueSpoilsOnlyItselfAndTheRestOfTheRecordReads)
{
    TableBytes t = Sample("date5.db");
    PutU32(t.db, kBlock1 + 6, 0x00003880);
    const TParadoxReader table(t.db, t.mb, u"date5.db"_s);
    EXPECT_FALSE(ErrorOf([&] { table.Value(0, 0); }).isEmpty());
    EXPECT_EQ(table.Value(0, 1).toTime(), QTime(10, 0, 0));
    EXPECT_EQ(table.Value(1, 0).toDate(), QDate(2018, 2, 1));
}

TEST(ParadoxCorruption, BlocksWinOverTheHeaderRecordCount)
{
    struct CountCase {
        quint32 headerCount;
        const char* what;
    };
    for (const CountCase& c : { CountCase { 0, "zero" }, CountCase { 2, "short" } }) {
        TableBytes t = Sample("date5.db");
        PutU32(t.db, 0x06, c.headerCount);
        const TParadoxReader table(t.db, t.mb, u"date5.db"_s);
        EXPECT_EQ(table.RecordCount(), 3) << c.what;
        EXPECT_EQ(table.HeaderRecordCount(), qint64(c.headerCount)) << c.what;
        ASSERT_EQ(table.Warnings().size(), 1) << c.what;
        EXPECT_TRUE(table.Warnings().front().contains(u"the blocks hold 3")) << c.what;
    }
}

TEST(ParadoxCorruption, ModificationNumberMismatchIsAWarningNotAFailure)
{
    TableBytes t = Sample("memo.db", "memo.mb");
    PutU16(t.db, kMemoDescriptor + 8, 7);
    const TParadoxReader table(t.db, t.mb, u"memo.db"_s);
    EXPECT_EQ(table.Value(0, 1).toString().size(), 555);
    ASSERT_EQ(table.Warnings().size(), 1);
    EXPECT_TRUE(table.Warnings().front().contains(u"modification number 7 differs from the blob file's 1"));
}

TEST(ParadoxCorruption, EveryTruncationEndsInAResultOrAClearError)
{
    struct SweepCase {
        const char* db;
        const char* mb;
        int step;
    };
    for (const SweepCase& c :
        { SweepCase { "date5.db", nullptr, 1 }, SweepCase { "CUSTOMER.DB", "CUSTOMER.MB", 13 } }) {
        const TableBytes whole = Sample(c.db, c.mb);
        int refused = 0;
        for (qsizetype size = 0; size < whole.db.size(); size += c.step) {
            TableBytes t = whole;
            t.db.truncate(size);
            const QString message = ReadAll(t, QString::fromLatin1(c.db));
            if (!message.isEmpty()) {
                ++refused;
                EXPECT_TRUE(message.contains(QString::fromLatin1(c.db)))
                    << size << ": " << message.toStdString();
            }
        }
        // Below the end of the last record every cut loses data and must be refused.
        EXPECT_GT(refused, 0) << c.db;
        if (c.mb) {
            for (qsizetype size = 0; size < whole.mb->size(); size += 4096 / 4) {
                TableBytes t = whole;
                t.mb->truncate(size);
                EXPECT_FALSE(ReadAll(t, QString::fromLatin1(c.db)).isEmpty()) << "blob file cut at " << size;
            }
        }
    }
}

TEST(ParadoxCorruption, EveryHeaderByteFlipEndsInAResultOrAClearError)
{
    for (const char* file : { "CUSTOMER.DB", "date35.db", "GENERAL.DB" }) {
        const TableBytes whole = Sample(file, QByteArray(file) == "CUSTOMER.DB" ? "CUSTOMER.MB" : nullptr);
        const int realHeaderSize = qFromLittleEndian<quint16>(whole.db.constData() + 0x51);
        const int end = std::max(realHeaderSize, 0x120);
        for (int offset = 0; offset < end; ++offset) {
            for (const quint8 mask : { quint8(0x01), quint8(0x80), quint8(0xFF) }) {
                TableBytes t = whole;
                t.db[offset] = char(quint8(t.db[offset]) ^ mask);
                const QString message = ReadAll(t, QString::fromLatin1(file));
                if (!message.isEmpty()) {
                    EXPECT_TRUE(message.startsWith(u"Paradox table \""_s + QString::fromLatin1(file)))
                        << file << " byte " << offset << " ^ " << int(mask) << ": " << message.toStdString();
                }
            }
        }
    }
}

TEST(ParadoxCorruption, MissingFilesAreNamed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(u"NOWHERE.DB"_s);
    EXPECT_EQ(ErrorOf([&] { TParadoxReader::FromFile(missing); }),
        u"Paradox table \""_s + missing + u"\": the file does not exist"_s);

    const QString db = dir.filePath(u"memo.db"_s);
    ASSERT_TRUE(QFile::copy(QDir(SampleDir()).filePath(u"memo.db"_s), db));
    EXPECT_EQ(ErrorOf([&] { TParadoxReader::FromFile(db); }),
        u"Paradox table \""_s + db + u"\": the blob file memo.MB is missing"_s);

    // The blob file is found whatever the case of its extension.
    ASSERT_TRUE(QFile::copy(QDir(SampleDir()).filePath(u"memo.mb"_s), dir.filePath(u"memo.Mb"_s)));
    EXPECT_EQ(TParadoxReader::FromFile(db).Value(1, 1).toString(), u"01234567890\n"_s);
}
