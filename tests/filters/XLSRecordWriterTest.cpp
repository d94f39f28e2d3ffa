#include "../common/TestHelpers.h"
#include "XLSTestReader.h"
#include "filters/RLXLSRecordWriter.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;

struct TPart {
    quint16 type;
    int length;
};

std::vector<TPart> Parts(const QByteArray& stream)
{
    QString error;
    std::vector<TPart> parts;
    for (const TXLSTestRecord& record : WalkRecords(stream, &error))
        parts.push_back({ record.Type, int(record.Data.size()) });
    EXPECT_EQ(error, QString());
    return parts;
}

} // namespace

TEST(XLSRecordWriter, LongRecordContinuesIn8224ByteParts)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TRLXLSRecordWriter out(buffer, QStringLiteral("test"));
    out.Begin(0x00FF);
    out.WriteBytes(QByteArray(20000, 'x'));
    EXPECT_EQ(out.End(), 0);
    out.Flush();
    const std::vector<TPart> parts = Parts(buffer.data());
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].type, 0x00FF);
    EXPECT_EQ(parts[0].length, 8224);
    EXPECT_EQ(parts[1].type, kContinue);
    EXPECT_EQ(parts[1].length, 8224);
    EXPECT_EQ(parts[2].type, kContinue);
    EXPECT_EQ(parts[2].length, 20000 - 2 * 8224);
}

TEST(XLSRecordWriter, StringTableSplitsOnlyAtStringsOrEvenBytes)
{
    // The table starts with 8 bytes of counts; a string takes 3 bytes plus 2 per character.
    struct Case {
        int first;
        int second;
        std::vector<int> lengths;
        /// Data offset in the second part where a continued string's flag byte sits; -1: none.
        int flagInSecondPart;
        quint16 secondStringOffset;
        const char* what;
    };
    const Case cases[] = {
        { 4105, 3, { 8221, 9 }, -1, 4, "3 bytes left: the next string starts a CONTINUE record" },
        { 4104, 3, { 8224, 5 }, 0, 8223,
            "5 bytes left: count, flag and one character, then the rest after a flag" },
        { 5000, 0, { 8223, 1789 }, 0, 0, "a long string splits at an even byte count" },
        { 10, 10, { 8 + 23 + 23 }, -1, 35, "both fit" },
    };
    for (const Case& c : cases) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        TRLXLSRecordWriter out(buffer, QStringLiteral("test"));
        out.BeginStringTable(kSst);
        out.WriteUInt32(2);
        out.WriteUInt32(2);
        const TRLXLSStringPlace first = out.WriteTableString(QString(c.first, QLatin1Char('a')));
        TRLXLSStringPlace second;
        if (c.second > 0)
            second = out.WriteTableString(QString(c.second, QLatin1Char('b')));
        out.End();
        out.Flush();
        const QByteArray stream = buffer.data();
        const std::vector<TPart> parts = Parts(stream);
        ASSERT_EQ(parts.size(), c.lengths.size()) << c.what;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_EQ(parts[i].type, i == 0 ? kSst : kContinue) << c.what;
            EXPECT_EQ(parts[i].length, c.lengths[i]) << c.what << ", part " << i;
        }
        EXPECT_EQ(first.StreamPosition, 12) << c.what;
        EXPECT_EQ(first.RecordOffset, 12) << c.what;
        if (c.flagInSecondPart >= 0) {
            EXPECT_EQ(stream.at(4 + parts[0].length + 4 + c.flagInSecondPart), 1) << c.what;
        }
        if (c.second > 0) {
            EXPECT_EQ(second.RecordOffset, c.secondStringOffset) << c.what;
        }
        QString error;
        const QStringList strings = SharedStrings(WalkRecords(stream, &error));
        QStringList expected { QString(c.first, QLatin1Char('a')) };
        if (c.second > 0)
            expected << QString(c.second, QLatin1Char('b'));
        EXPECT_EQ(strings, expected) << c.what;
    }
}

TEST(XLSRecordWriter, StringsAreCountedUtf16WithFlagOne)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TRLXLSRecordWriter out(buffer, QStringLiteral("test"));
    out.Begin(0x0014);
    out.WriteString16(QStringLiteral("Página €"));
    out.End();
    out.Begin(0x0085);
    out.WriteString8(QStringLiteral("çã"));
    out.End();
    out.Flush();
    const QByteArray expected = QByteArray::fromHex("1400 1300 0800 01 5000e100670069006e0061002000ac20"
                                                    "8500 0600 02 01 e700e300");
    EXPECT_EQ(buffer.data().toHex(), expected.toHex());
}

TEST(XLSRecordWriter, OutputReachesTheDeviceInPiecesAndPatchesFindTheirBytes)
{
    // 20,000 records of 8 bytes: far more than is gathered before the device gets a piece.
    constexpr int kRecords = 20000;
    constexpr quint16 kType = 0x0208;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TRLXLSRecordWriter out(buffer, QStringLiteral("test"));
    std::vector<qint64> starts;
    for (int i = 0; i < kRecords; ++i) {
        EXPECT_EQ(out.Position(), qint64(12) * i);
        out.Begin(kType);
        out.WriteUInt32(0);
        out.WriteUInt32(quint32(i));
        starts.push_back(out.End());
    }
    EXPECT_GT(buffer.size(), 0) << "nothing reached the device before Flush";
    EXPECT_LT(buffer.size(), qint64(12) * kRecords) << "everything reached the device before Flush";
    // The first record lies in the device, the last one still in memory.
    out.PatchUInt32(starts.front() + 4, 0xA0A0A0A0);
    out.PatchUInt32(starts.back() + 4, 0xB0B0B0B0);
    out.Begin(kType);
    out.End();
    out.Flush();
    QString error;
    const std::vector<TXLSTestRecord> records = WalkRecords(buffer.data(), &error);
    ASSERT_EQ(error, QString());
    ASSERT_EQ(records.size(), std::size_t(kRecords + 1));
    for (int i = 0; i < kRecords; ++i) {
        const TXLSTestRecord& record = records[std::size_t(i)];
        ASSERT_EQ(record.Offset, starts[std::size_t(i)]) << "record " << i;
        const quint32 patched = i == 0 ? 0xA0A0A0A0 : i == kRecords - 1 ? 0xB0B0B0B0 : 0;
        ASSERT_EQ(U32(record.Data, 0), patched) << "record " << i;
        ASSERT_EQ(U32(record.Data, 4), quint32(i)) << "record " << i;
    }
    EXPECT_EQ(records.back().Data.size(), 0);
}

TEST(XLSRecordWriter, WriteFailureNamesTheTarget)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadOnly);
    TRLXLSRecordWriter out(buffer, QStringLiteral("sheet part"));
    out.Begin(0x000A);
    out.End();
    const QString error = ErrorOf([&] { out.Flush(); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot write sheet part: "))) << error.toStdString();
}
