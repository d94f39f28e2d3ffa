#include "pages/RLByteWriter.h"
#include "tests/common/TestHelpers.h"

#include <QBuffer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The same fields, sized bodies and seeks, written by `out`.
void WriteSample(TRLByteWriter& out, int bodies)
{
    out.WriteUInt8(0xA5);
    for (int i = 0; i < bodies; ++i) {
        const qint64 size = out.BeginSized();
        out.WriteInt32(-i);
        out.WriteUInt16(quint16(0xBEEF + i));
        out.WriteText(QStringLiteral("ação %1").arg(i));
        out.WriteCountedBytes(QByteArray(i % 7, char(i)));
        out.EndSized(size);
    }
    out.Seek(1);
    out.WriteInt32(0x01020304);
    out.SeekToEnd();
    out.WriteUInt8(0x5A);
}

QByteArray ThroughDevice(int bodies)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TRLByteWriter out(buffer, QStringLiteral("device"));
    WriteSample(out, bodies);
    return bytes;
}

} // namespace

TEST(ByteWriter, MemoryAndDeviceWriteTheSameBytes)
{
    // Enough bodies that the memory buffer grows several times while size fields are filled.
    for (int bodies : { 0, 1, 3, 2000 }) {
        SCOPED_TRACE(bodies);
        QByteArray memory = "left over from the previous record";
        QByteArrayView written;
        {
            TRLByteWriter out(memory, QStringLiteral("memory"));
            WriteSample(out, bodies);
            written = out.Written();
            EXPECT_EQ(out.Position(), written.size());
            EXPECT_EQ(QByteArray(written.data(), written.size()), ThroughDevice(bodies));
        }
        EXPECT_EQ(memory, ThroughDevice(bodies)) << "the buffer keeps no spare room once written";
    }
}

TEST(ByteWriter, MemorySeekBeyondTheWrittenBytesIsRefused)
{
    QByteArray memory;
    TRLByteWriter out(memory, QStringLiteral("page record"));
    out.WriteInt32(7);
    out.WriteInt32(8);
    // The buffer has spare room beyond these eight bytes; it is not part of what was written.
    EXPECT_EQ(ErrorOf([&] { out.Seek(9); }),
        u"Cannot write page record: position 9 is outside the 8 bytes written");
    EXPECT_EQ(ErrorOf([&] { out.Seek(-1); }),
        u"Cannot write page record: position -1 is outside the 8 bytes written");
    out.Seek(8);
    out.WriteUInt8(1);
    EXPECT_EQ(out.Written().size(), 9);
}
