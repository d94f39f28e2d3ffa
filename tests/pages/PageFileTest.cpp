#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "tests/common/TestHelpers.h"
#include "tests/pages/PageTestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray StorageMagic()
{
    return QByteArray("RLGraphicStorage3") + char(0x1A);
}

std::unique_ptr<TRLGraphicStorage> ThreePageStore()
{
    UseTestTempDir();
    auto store = std::make_unique<TRLGraphicStorage>();
    for (int i = 0; i < 3; ++i) {
        auto page = std::make_unique<TRLGraphicSurface>();
        page->Width = 100 + i;
        page->Height = 200;
        for (int j = 0; j <= i; ++j)
            page->Rectangle(j, j, j + 10, j + 10);
        store->Add(std::move(page));
    }
    store->SetFirstPageNumber(1);
    store->SetLastPageNumber(3);
    return store;
}

QByteArray SaveStore(TRLGraphicStorage& store)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    store.SaveToStream(buffer);
    return bytes;
}

void LoadStore(TRLGraphicStorage& store, const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    store.LoadFromStream(buffer, QStringLiteral("test.rpf"));
}

QByteArray FileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint32 Int32At(const QByteArray& bytes, qsizetype position)
{
    return qFromLittleEndian<qint32>(bytes.constData() + position);
}

/// Accepts writes without keeping them, starting far into the stream.
class TFarDevice : public QIODevice {
public:
    explicit TFarDevice(qint64 start)
        : m_size(start)
    {
        open(QIODevice::WriteOnly);
        seek(start);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        m_size = std::max(m_size, pos() + length);
        return length;
    }

private:
    qint64 m_size;
};

TEST(PageFile, EmptyStoreWritesHeaderMacrosAndZeroPages)
{
    UseTestTempDir();
    TRLGraphicStorage store;
    store.SetTitle(QStringLiteral("Ordem"));
    EXPECT_EQ(SaveStore(store), TBytes().Raw(StorageMagic()).I32(1).Str("Title=Ordem").I32(0).Data());
}

TEST(PageFile, OffsetTableHoldsThePositionsOfTheLengthFields)
{
    const auto store = ThreePageStore();
    const QByteArray file = SaveStore(*store);
    const QByteArray macros = TBytes().I32(2).Str("FirstPageNumber=1").Str("LastPageNumber=3");
    ASSERT_TRUE(file.startsWith(StorageMagic() + macros));
    const qsizetype countAt = StorageMagic().size() + macros.size();
    ASSERT_EQ(Int32At(file, countAt), 3);
    qsizetype expectedOffset = countAt + 4 + 3 * 4;
    for (int i = 0; i < 3; ++i) {
        const qint32 offset = Int32At(file, countAt + 4 + 4 * i);
        EXPECT_EQ(offset, expectedOffset) << "page " << i;
        const QByteArray record = SavePage(*store->Pages(i));
        EXPECT_EQ(Int32At(file, offset), record.size()) << "page " << i;
        EXPECT_EQ(file.mid(offset + 4, record.size()), record) << "page " << i;
        expectedOffset = offset + 4 + record.size();
    }
    EXPECT_EQ(expectedOffset, file.size());
}

TEST(PageFile, ModifiedCachedPageIsStoredBeforeSaving)
{
    const auto store = ThreePageStore();
    store->Pages(2)->FillRect({ 1, 1, 2, 2 });
    const QByteArray file = SaveStore(*store);
    TRLGraphicStorage reread;
    LoadStore(reread, file);
    ASSERT_EQ(reread.PageCount(), 3);
    EXPECT_EQ(reread.Pages(2)->ObjectCount(), 4);
}

TEST(PageFile, ReadingGivesBackTheSamePagesAndMacros)
{
    const auto store = ThreePageStore();
    const QByteArray file = SaveStore(*store);
    TRLGraphicStorage reread;
    LoadStore(reread, file);
    EXPECT_EQ(reread.PageCount(), 3);
    EXPECT_EQ(reread.LastPageNumber(), 3);
    EXPECT_EQ(SaveStore(reread), file);
}

// A page file from elsewhere may set the flag with any non-zero byte; writing it back keeps
// the byte, so that reading and saving a page file changes nothing in it.
TEST(PageFile, IntegralWidthFlagByteIsWrittenBackAsStored)
{
    UseTestTempDir();
    TBytes page;
    page.Raw(SurfaceMagic()).I32(100).I32(200).I32(0).I32(0).I32(4);
    for (const int flag : { 0, 1, 2, 0xFF }) {
        const QByteArray body = BaseBody(0, 0, 10, 10).Str("NIL").U8(flag);
        page.U8(9).I32(body.size()).Raw(body);
    }
    const QByteArray record = page;
    const QByteArray file = TBytes().Raw(StorageMagic()).I32(0).I32(1).I32(30).I32(record.size()).Raw(record);
    ASSERT_EQ(StorageMagic().size() + 12, 30);

    TRLGraphicStorage store;
    LoadStore(store, file);
    ASSERT_EQ(store.PageCount(), 1);
    ASSERT_EQ(store.Pages(0)->ObjectCount(), 4);
    EXPECT_EQ(SaveStore(store).toHex(' ').toStdString(), file.toHex(' ').toStdString());
}

TEST(PageFile, SaveToFileAndLoadFromFile)
{
    const auto store = ThreePageStore();
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("order.rpf"));
    store->SaveToFile(name);
    TRLGraphicStorage reread;
    reread.LoadFromFile(name);
    EXPECT_EQ(reread.PageCount(), 3);
    EXPECT_EQ(SaveStore(reread), SaveStore(*store));
    EXPECT_EQ(ErrorOf([&] { reread.LoadFromFile(directory.filePath(QStringLiteral("missing.rpf"))); }),
        QStringLiteral("Cannot open %1: No such file or directory")
            .arg(directory.filePath(QStringLiteral("missing.rpf"))));
    const QString badPath = directory.filePath(QStringLiteral("no/such/dir/x.rpf"));
    EXPECT_TRUE(
        ErrorOf([&] { store->SaveToFile(badPath); }).startsWith(QStringLiteral("Cannot create ") + badPath));
}

TEST(PageFile, SaveCutShortByTheFileSizeLimitFailsAndKeepsThePreviousFile)
{
    const auto store = ThreePageStore();
    QTemporaryDir directory;
    const QString name = directory.filePath(QStringLiteral("order.rpf"));
    store->SaveToFile(name);
    const QByteArray previous = FileBytes(name);
    // Small enough to sit in the write buffer until the last flush, which then fails as it
    // would on a full disk.
    ASSERT_LT(previous.size(), 16 * 1024);
    QString error;
    {
        const TFileSizeLimit limit(rlim_t(previous.size() / 2));
        error = ErrorOf([&] { store->SaveToFile(name); });
    }
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot write ") + name)) << error.toStdString();
    EXPECT_EQ(FileBytes(name), previous);
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files), QStringList { QStringLiteral("order.rpf") });
}

TEST(PageFile, OffsetsBeyondTwoGibibytesAreRefused)
{
    const auto store = ThreePageStore();
    // The header alone carries the first entry past the 32-bit range.
    TFarDevice device(0x7FFFFFF0);
    EXPECT_EQ(ErrorOf([&] { store->SaveToStream(device); }),
        QStringLiteral(
            "Cannot write the page file: page 1 would start at byte 2147483711, beyond the 2 GiB that its "
            "32-bit offset can address"));
}

TEST(PageFile, EveryTruncationFailsAndLeavesTheStoreAsItWas)
{
    const auto source = ThreePageStore();
    const QByteArray file = SaveStore(*source);
    const auto target = ThreePageStore();
    target->SetTitle(QStringLiteral("kept"));
    for (qsizetype length = 0; length < file.size(); ++length) {
        const QString error = ErrorOf([&] { LoadStore(*target, file.left(length)); });
        EXPECT_FALSE(error.isEmpty()) << "cut at " << length;
        EXPECT_EQ(target->PageCount(), 3) << "cut at " << length;
        EXPECT_EQ(target->Title(), QStringLiteral("kept")) << "cut at " << length;
    }
}

TEST(PageFile, HostileHeadersFailNamingTheFault)
{
    const QByteArray page = TBytes().Raw(SurfaceMagic()).I32(1).I32(1).I32(0).I32(0).I32(0);
    const QByteArray huge = TBytes().Raw(SurfaceMagic()).I32(20000).I32(20000).I32(0).I32(0).I32(0);
    const QByteArray negative = TBytes().Raw(SurfaceMagic()).I32(-1).I32(1123).I32(0).I32(0).I32(0);
    const QByteArray head = TBytes().Raw(StorageMagic()).I32(0);
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        { "wrong magic", QByteArray("RLGraphicStorage2") + char(0x1A) + TBytes().I32(0).I32(0).Data(),
            QStringLiteral(
                "test.rpf: page file header at byte 18: not a page file (\"RLGraphicStorage3\" expected)") },
        { "huge page count", TBytes().Raw(head).I32(0x40000000),
            QStringLiteral(
                "test.rpf: page count at byte 22: 1073741824 items of at least 8 bytes do not fit in the 0 "
                "bytes left") },
        { "offset beyond the file", TBytes().Raw(head).I32(1).I32(5000).I32(page.size()).Raw(page),
            QStringLiteral("test.rpf: page 1 at byte 30: position 5000 is outside the 72 bytes") },
        { "negative offset", TBytes().Raw(head).I32(1).I32(-4).I32(page.size()).Raw(page),
            QStringLiteral("test.rpf: page 1 at byte 30: position -4 is outside the 72 bytes") },
        { "record length beyond the file", TBytes().Raw(head).I32(1).I32(30).I32(9999).Raw(page),
            QStringLiteral("test.rpf: page 1 at byte 34: 9999 byte(s) needed, 38 left") },
        { "offset into the header", TBytes().Raw(head).I32(1).I32(0).I32(page.size()).Raw(page),
            QStringLiteral("test.rpf: page 1 at byte 4: 1917275218 byte(s) needed, 68 left") },
        { "record that is not a page", TBytes().Raw(head).I32(1).I32(30).I32(8).Raw("NOTAPAGE"),
            QStringLiteral("test.rpf: page 1: File is corrupted!") },
        // A copy of such a page in the preview was a bitmap of 1.6 GB.
        { "page of 20000 x 20000 dots", TBytes().Raw(head).I32(1).I32(30).I32(huge.size()).Raw(huge),
            QStringLiteral(
                "test.rpf: page 1: test.rpf: page size at byte 60: 20000 x 20000 dots is outside 0 "
                "to 16384 on a side") },
        { "negative page width", TBytes().Raw(head).I32(1).I32(30).I32(negative.size()).Raw(negative),
            QStringLiteral("test.rpf: page 1: test.rpf: page size at byte 60: -1 x 1123 dots is outside 0 to "
                           "16384 on a side") },
        { "paper of a million metres",
            TBytes().Raw(StorageMagic()).I32(1).Str("PaperHeight=1000000000").I32(0),
            QStringLiteral(
                "test.rpf: paper size at byte 48: 0 x 1e+09 mm is outside 0 to 4335 mm on a side") },
        { "paper that is not a number", TBytes().Raw(StorageMagic()).I32(1).Str("PaperWidth=nan").I32(0),
            QStringLiteral("test.rpf: paper size at byte 40: nan x 0 mm is outside 0 to 4335 mm on a side") },
    };
    for (const Case& c : cases) {
        UseTestTempDir();
        TRLGraphicStorage store;
        EXPECT_EQ(ErrorOf([&] { LoadStore(store, c.bytes); }), c.message) << c.what;
        EXPECT_EQ(store.PageCount(), 0) << c.what;
    }
}

} // namespace
