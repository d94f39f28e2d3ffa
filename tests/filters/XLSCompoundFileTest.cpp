#include "../common/TestHelpers.h"
#include "XLSTestReader.h"
#include "filters/RLCompoundFile.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray Pattern(qint64 size)
{
    QByteArray bytes(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

QByteArray Compound(const QByteArray& stream)
{
    QBuffer source;
    source.setData(stream);
    source.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    WriteCompoundFile(out, QStringLiteral("out.xls"), QStringLiteral("Workbook"), source, stream.size(),
        QStringLiteral("stream.tmp"));
    return out.data();
}

} // namespace

TEST(XLSCompoundFile, LayoutHoldsStreamTableAndDirectory)
{
    // Worked by hand: 128 table entries per sector cover the stream, the table, any extra
    // table sector and the directory; the header lists 109 table sectors, an extra sector 127.
    struct Case {
        qint64 size;
        quint32 stream, tables, extra, directory;
        const char* what;
    };
    const Case cases[] = {
        { 0, 0, 1, 0, 1, "empty stream" },
        { 1, 8, 1, 0, 9, "one byte, padded to the mini-stream cutoff" },
        { 4095, 8, 1, 0, 9, "just under the cutoff" },
        { 4096, 8, 1, 0, 9, "at the cutoff" },
        { 4097, 9, 1, 0, 10, "one byte into the ninth sector" },
        { 126 * 512, 126, 1, 0, 127, "one table sector exactly full" },
        { 126 * 512 + 1, 127, 2, 0, 129, "second table sector" },
        { 13842LL * 512, 13842, 109, 0, 13951, "every header slot used" },
        { 13843LL * 512, 13843, 110, 1, 13954, "first extra table sector" },
    };
    for (const Case& c : cases) {
        const TRLCompoundLayout layout = TRLCompoundLayout::ForStream(c.size);
        EXPECT_EQ(layout.StreamSectors, c.stream) << c.what;
        EXPECT_EQ(layout.TableSectors, c.tables) << c.what;
        EXPECT_EQ(layout.ExtraTableSectors, c.extra) << c.what;
        EXPECT_EQ(layout.DirectorySector, c.directory) << c.what;
    }
}

TEST(XLSCompoundFile, StreamsReadBackThroughAnIndependentReader)
{
    struct Case {
        qint64 size;
        int tables, extra;
        const char* what;
    };
    const Case cases[] = {
        { 100, 1, 0, "short stream, padded to the mini-stream cutoff" },
        { 4096, 1, 0, "at the mini-stream cutoff" },
        { 5000, 1, 0, "padded last sector" },
        { 70000, 2, 0, "two table sectors" },
        { 13843LL * 512, 110, 1, "past the header's 109 table sectors" },
    };
    for (const Case& c : cases) {
        const QByteArray stream = Pattern(c.size);
        const QByteArray file = Compound(stream);
        const TXLSTestStream read = ReadCompoundStream(file);
        EXPECT_EQ(read.Error, QString()) << c.what;
        const QByteArray padded = stream + QByteArray(std::max<qint64>(0, 4096 - c.size), '\0');
        EXPECT_TRUE(read.Bytes == padded) << c.what;
        EXPECT_EQ(read.AllocationSectors, c.tables) << c.what;
        EXPECT_EQ(read.ExtraTableSectors, c.extra) << c.what;
    }
}

TEST(XLSCompoundFile, HeaderAndDirectoryFieldsAreThoseOfVersion3)
{
    const QByteArray file = Compound(Pattern(5000));
    EXPECT_EQ(file.size(), 512 * (1 + 10 + 1 + 1));
    EXPECT_EQ(U16(file, 24), 0x003E);
    EXPECT_EQ(U16(file, 26), 3);
    EXPECT_EQ(U16(file, 32), 6);
    EXPECT_EQ(U32(file, 44), 1u);
    EXPECT_EQ(U32(file, 48), 11u);
    EXPECT_EQ(U32(file, 56), 4096u);
    EXPECT_EQ(U32(file, 60), 0xFFFFFFFEu);
    EXPECT_EQ(U32(file, 68), 0xFFFFFFFEu);
    EXPECT_EQ(U32(file, 76), 10u);
    EXPECT_EQ(U32(file, 80), 0xFFFFFFFFu);
    const QByteArray table = file.mid(512 * 11, 512);
    EXPECT_EQ(U32(table, 0), 1u);
    EXPECT_EQ(U32(table, 4 * 8), 9u);
    EXPECT_EQ(U32(table, 4 * 9), 0xFFFFFFFEu);
    EXPECT_EQ(U32(table, 4 * 10), 0xFFFFFFFDu);
    EXPECT_EQ(U32(table, 4 * 11), 0xFFFFFFFEu);
    EXPECT_EQ(U32(table, 4 * 12), 0xFFFFFFFFu);
    const QByteArray directory = file.mid(512 * 12, 512);
    struct Entry {
        int index;
        int nameLength, type, left, right, child;
        quint32 start, size;
    };
    const Entry entries[] = {
        { 0, 22, 5, -1, -1, 1, 0xFFFFFFFE, 0 },
        { 1, 18, 2, -1, -1, -1, 0, 5000 },
        { 2, 0, 0, -1, -1, -1, 0, 0 },
        { 3, 0, 0, -1, -1, -1, 0, 0 },
    };
    for (const Entry& e : entries) {
        const int base = 128 * e.index;
        EXPECT_EQ(U16(directory, base + 64), e.nameLength) << "entry " << e.index;
        EXPECT_EQ(quint8(directory.at(base + 66)), e.type) << "entry " << e.index;
        EXPECT_EQ(qint32(U32(directory, base + 68)), e.left) << "entry " << e.index;
        EXPECT_EQ(qint32(U32(directory, base + 72)), e.right) << "entry " << e.index;
        EXPECT_EQ(qint32(U32(directory, base + 76)), e.child) << "entry " << e.index;
        EXPECT_EQ(U32(directory, base + 116), e.start) << "entry " << e.index;
        EXPECT_EQ(U32(directory, base + 120), e.size) << "entry " << e.index;
    }
}

TEST(XLSCompoundFile, ShortSourceAndFailingOutputAreNamed)
{
    QBuffer source;
    source.setData(Pattern(100));
    source.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(ErrorOf([&] {
        WriteCompoundFile(out, QStringLiteral("out.xls"), QStringLiteral("Workbook"), source, 200,
            QStringLiteral("stream.tmp"));
    }).startsWith(QStringLiteral("Cannot read stream.tmp")));

    source.seek(0);
    QBuffer closed;
    EXPECT_TRUE(ErrorOf([&] {
        WriteCompoundFile(closed, QStringLiteral("out.xls"), QStringLiteral("Workbook"), source, 100,
            QStringLiteral("stream.tmp"));
    }).startsWith(QStringLiteral("Cannot write out.xls")));
}
