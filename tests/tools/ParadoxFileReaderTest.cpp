#include "db/ParadoxReader.h"
#include "platform/Exceptions.h"
#include "tests/common/TestHelpers.h"
#include "tools/sampledb/ParadoxWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace paradox;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRecords = 20000;

/// Memos of every placement: in the leader, in a shared blob block, in a block of their own.
QVariant MemoOf(int record)
{
    if (record % 7 == 0)
        return QVariant();
    if (record % 50 == 0)
        return QString(2100 + record % 3000, QChar(u'A' + record % 26));
    if (record % 3 == 0)
        return u"m%1"_s.arg(record);
    return QString(30 + record % 400, QChar(u'a' + record % 26));
}

/// A table larger than the reader's cache, in both of its files.
TPxFiles LargeTable()
{
    TPxTableWriter writer(u"GRANDE.DB"_s,
        { { u"NOME"_s, TPxFieldType::Alpha, 60 }, { u"VALOR"_s, TPxFieldType::Number, 8 },
            { u"SEQ"_s, TPxFieldType::Long, 4 }, { u"OBS"_s, TPxFieldType::Memo, 20 } });
    for (int r = 0; r < kRecords; ++r)
        writer.AddRecord({ u"registro %1"_s.arg(r), r * 0.25, r, MemoOf(r) });
    return writer.Write();
}

struct TableFiles {
    QTemporaryDir dir;
    QString db;
    QString mb;
    TPxFiles bytes;
};

std::unique_ptr<TableFiles> SaveLargeTable()
{
    auto files = std::make_unique<TableFiles>();
    files->bytes = LargeTable();
    SaveTableFiles(files->dir.path(), u"GRANDE.DB"_s, files->bytes);
    files->db = files->dir.filePath(u"GRANDE.DB"_s);
    files->mb = files->dir.filePath(u"GRANDE.MB"_s);
    return files;
}

void Overwrite(const QString& path, qint64 offset, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(file.seek(offset));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void Append(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

/// The file's modification time, or sets it.
timespec ModifiedTime(const QString& path)
{
    struct stat info { };
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mtim;
}

void SetModifiedTime(const QString& path, timespec time)
{
    const timespec times[2] = { { 0, UTIME_OMIT }, time };
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

} // namespace

TEST(ParadoxFileReader, TableLargerThanTheCacheReadsAsFromMemory)
{
    const auto files = SaveLargeTable();
    const TParadoxReader fromMemory(files->bytes.db, files->bytes.mb, u"GRANDE.DB"_s);
    const TParadoxReader fromFile = TParadoxReader::FromFile(files->db);
    ASSERT_EQ(fromFile.RecordCount(), kRecords);
    ASSERT_EQ(fromMemory.RecordCount(), kRecords);
    EXPECT_TRUE(fromFile.Warnings().isEmpty()) << fromFile.Warnings().join(u"; "_s).toStdString();
    // Forwards, backwards and in strides, so that blocks leave the cache and come back.
    const std::vector<std::function<int(int)>> orders = { [](int i) { return i; },
        [](int i) { return kRecords - 1 - i; }, [](int i) { return int((qint64(i) * 7919) % kRecords); } };
    for (size_t o = 0; o < orders.size(); ++o) {
        for (int i = 0; i < kRecords; ++i) {
            const int r = orders[o](i);
            for (int f = 0; f < 4; ++f)
                ASSERT_EQ(fromFile.Value(r, f), fromMemory.Value(r, f)) << "order " << o << " record " << r;
        }
    }
    EXPECT_EQ(fromFile.Value(50, 3).toString(), QString(2150, u'Y'));
    EXPECT_EQ(fromFile.Value(kRecords - 1, 0).toString(), u"registro %1"_s.arg(kRecords - 1));
}

TEST(ParadoxFileReader, TableChangedUnderTheReadIsRefusedWithoutMixingVersions)
{
    struct Case {
        const char* what;
        std::function<void(TableFiles&)> change;
        bool blobFile;
    };
    // Record 2000 lies in a block the reader has not fetched yet when the change comes.
    const auto changeRecord = [](TableFiles& t) {
        const QByteArray& db = t.bytes.db;
        const int headerSize = qFromLittleEndian<quint16>(db.constData() + kHeaderSizeOffset);
        const int blockSize = quint8(db[kMaxTableSizeOffset]) * kBlockUnit;
        const int recordSize = qFromLittleEndian<quint16>(db.constData() + kRecordSizeOffset);
        const int perBlock = (blockSize - kBlockHeaderSize) / recordSize;
        const qint64 record = headerSize + qint64(2000 / perBlock) * blockSize + kBlockHeaderSize
            + qint64(2000 % perBlock) * recordSize;
        Overwrite(t.db, record, QByteArray("mudado"));
    };
    const auto bumpCounter
        = [](TableFiles& t) { Overwrite(t.db, kChangeCounterOffset, QByteArray("\x09\x00", 2)); };
    const Case cases[] = {
        { "a record rewritten and the change counter moved",
            [&](TableFiles& t) {
                changeRecord(t);
                bumpCounter(t);
            },
            false },
        { "a record rewritten with the file time set back (a coarse network share)",
            [&](TableFiles& t) {
                const timespec before = ModifiedTime(t.db);
                changeRecord(t);
                bumpCounter(t);
                SetModifiedTime(t.db, before);
            },
            false },
        { "only the file time moved",
            [](TableFiles& t) {
                SetModifiedTime(t.db, { 1000000000, 0 });
            },
            false },
        { "a block appended", [](TableFiles& t) { Append(t.db, QByteArray(2048, '\0')); }, false },
        { "replaced through a rename by the same bytes",
            [](TableFiles& t) {
                const QString copy = t.dir.filePath(u"copia.tmp"_s);
                ASSERT_TRUE(QFile::copy(t.db, copy));
                ASSERT_EQ(
                    ::rename(QFile::encodeName(copy).constData(), QFile::encodeName(t.db).constData()), 0);
            },
            false },
        { "removed", [](TableFiles& t) { ASSERT_TRUE(QFile::remove(t.db)); }, false },
        { "a blob block appended to the blob file",
            [](TableFiles& t) { Append(t.mb, QByteArray(kMbBlockSize, '\0')); }, true },
        { "the blob file's modification count moved with its time set back",
            [](TableFiles& t) {
                const timespec before = ModifiedTime(t.mb);
                Overwrite(t.mb, kMbModCountOffset, QByteArray("\x02\x00", 2));
                SetModifiedTime(t.mb, before);
            },
            true },
    };
    for (const Case& c : cases) {
        const auto files = SaveLargeTable();
        const TParadoxReader original(files->bytes.db, files->bytes.mb, u"GRANDE.DB"_s);
        const TParadoxReader table = TParadoxReader::FromFile(files->db);
        for (int f = 0; f < 4; ++f)
            ASSERT_EQ(table.Value(0, f), original.Value(0, f)) << c.what;
        c.change(*files);
        int record = 0;
        const QString message = ErrorOf([&] {
            for (; record < table.RecordCount(); ++record)
                for (int f = 0; f < 4; ++f)
                    ASSERT_EQ(table.Value(record, f), original.Value(record, f))
                        << c.what << ": record " << record << " field " << f;
        });
        const QString expected = c.blobFile ? u"Paradox table \""_s + files->db + u"\": its blob file "_s
                + files->mb + u" changed while the report was being made; run it again"_s
                                            : u"Paradox table \""_s + files->db
                + u"\" changed while the report was being made; run it again"_s;
        EXPECT_EQ(message, expected) << c.what;
        // The blocks already fetched may still be read; nothing from the changed file is.
        EXPECT_LT(record, 2000) << c.what;
    }
}
