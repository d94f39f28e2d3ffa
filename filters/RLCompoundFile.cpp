#include "filters/RLCompoundFile.h"

#include "filters/RLXLSErrors.h"
#include "support/SaveFiles.h"

#include <QByteArray>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <array>

namespace {

constexpr int kSectorSize = 512;
constexpr quint16 kSectorShift = 9;
constexpr quint16 kMiniSectorShift = 6;
constexpr quint16 kMinorVersion = 0x003E;
constexpr quint16 kMajorVersion = 3;
constexpr quint16 kByteOrderMark = 0xFFFE;
constexpr quint32 kMiniStreamCutoff = 4096;
constexpr std::array<quint8, 8> kSignature { 0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1 };
constexpr int kHeaderTableSlots = 109;
constexpr int kEntriesPerSector = kSectorSize / 4;
/// An extra table sector lists 127 table sectors and then the next extra sector.
constexpr int kExtraEntriesPerSector = kEntriesPerSector - 1;

// Special sector numbers of the allocation tables.
constexpr quint32 kFreeSector = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kTableSector = 0xFFFFFFFD;
constexpr quint32 kExtraTableSector = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;

// Header field offsets.
constexpr int kHeaderMinorVersion = 24;
constexpr int kHeaderMajorVersion = 26;
constexpr int kHeaderByteOrder = 28;
constexpr int kHeaderSectorShift = 30;
constexpr int kHeaderMiniSectorShift = 32;
constexpr int kHeaderTableSectorCount = 44;
constexpr int kHeaderFirstDirectorySector = 48;
constexpr int kHeaderMiniStreamCutoff = 56;
constexpr int kHeaderFirstMiniTableSector = 60;
constexpr int kHeaderFirstExtraTableSector = 68;
constexpr int kHeaderExtraTableSectorCount = 72;
constexpr int kHeaderTableSlotsOffset = 76;

// Directory entries.
constexpr int kDirectoryEntrySize = 128;
constexpr int kEntryNameLength = 64;
constexpr int kEntryType = 66;
constexpr int kEntryColor = 67;
constexpr int kEntryLeftSibling = 68;
constexpr int kEntryRightSibling = 72;
constexpr int kEntryChild = 76;
constexpr int kEntryStartSector = 116;
constexpr int kEntrySize = 120;
constexpr int kEntryNameCapacity = 31;
constexpr quint8 kTypeStream = 2;
constexpr quint8 kTypeRoot = 5;
constexpr quint8 kColorBlack = 1;
constexpr quint32 kStreamEntry = 1;

/// A version-3 document numbers sectors in 32 bits and keeps a stream size in 32 bits.
constexpr qint64 kMaxStreamSize = 0x7FFFFFFF;
constexpr int kCopyChunk = 64 * kSectorSize;

void Put16(QByteArray& bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void Put32(QByteArray& bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

quint32 CeilDiv(quint64 value, quint64 divisor)
{
    return quint32((value + divisor - 1) / divisor);
}

class TSectorWriter {
public:
    TSectorWriter(QIODevice& out, const QString& target)
        : m_out(out)
        , m_target(target)
    {
    }
    void Write(QByteArrayView bytes)
    {
        if (!WriteWhole(m_out, bytes))
            RaiseXLSCannotWrite(m_target, m_out);
    }

private:
    QIODevice& m_out;
    const QString& m_target;
};

QByteArray Header(const TRLCompoundLayout& layout)
{
    QByteArray header(kSectorSize, '\0');
    std::copy(kSignature.begin(), kSignature.end(), header.begin());
    Put16(header, kHeaderMinorVersion, kMinorVersion);
    Put16(header, kHeaderMajorVersion, kMajorVersion);
    Put16(header, kHeaderByteOrder, kByteOrderMark);
    Put16(header, kHeaderSectorShift, kSectorShift);
    Put16(header, kHeaderMiniSectorShift, kMiniSectorShift);
    Put32(header, kHeaderTableSectorCount, layout.TableSectors);
    Put32(header, kHeaderFirstDirectorySector, layout.DirectorySector);
    Put32(header, kHeaderMiniStreamCutoff, kMiniStreamCutoff);
    Put32(header, kHeaderFirstMiniTableSector, kEndOfChain);
    const quint32 firstExtra = layout.StreamSectors + layout.TableSectors;
    Put32(header, kHeaderFirstExtraTableSector, layout.ExtraTableSectors ? firstExtra : kEndOfChain);
    Put32(header, kHeaderExtraTableSectorCount, layout.ExtraTableSectors);
    for (int slot = 0; slot < kHeaderTableSlots; ++slot) {
        const bool used = quint32(slot) < layout.TableSectors;
        Put32(header, kHeaderTableSlotsOffset + 4 * slot,
            used ? layout.StreamSectors + quint32(slot) : kFreeSector);
    }
    return header;
}

/// The allocation table, sector by sector, written as it is made so that a large stream does not
/// need the whole table in memory.
void WriteAllocationTable(TSectorWriter& out, const TRLCompoundLayout& layout)
{
    const quint32 tableStart = layout.StreamSectors;
    const quint32 extraStart = tableStart + layout.TableSectors;
    QByteArray sector(kSectorSize, '\0');
    quint32 entry = 0;
    for (quint32 s = 0; s < layout.TableSectors; ++s) {
        for (int slot = 0; slot < kEntriesPerSector; ++slot, ++entry) {
            quint32 value = kFreeSector;
            if (entry < layout.StreamSectors)
                value = entry + 1 < layout.StreamSectors ? entry + 1 : kEndOfChain;
            else if (entry < extraStart)
                value = kTableSector;
            else if (entry < layout.DirectorySector)
                value = kExtraTableSector;
            else if (entry == layout.DirectorySector)
                value = kEndOfChain;
            Put32(sector, 4 * slot, value);
        }
        out.Write(sector);
    }
}

void WriteExtraTable(TSectorWriter& out, const TRLCompoundLayout& layout)
{
    const quint32 extraStart = layout.StreamSectors + layout.TableSectors;
    quint32 tableIndex = kHeaderTableSlots;
    QByteArray sector(kSectorSize, '\0');
    for (quint32 s = 0; s < layout.ExtraTableSectors; ++s) {
        for (int slot = 0; slot < kExtraEntriesPerSector; ++slot, ++tableIndex) {
            const bool used = tableIndex < layout.TableSectors;
            Put32(sector, 4 * slot, used ? layout.StreamSectors + tableIndex : kFreeSector);
        }
        const bool last = s + 1 == layout.ExtraTableSectors;
        Put32(sector, 4 * kExtraEntriesPerSector, last ? kEndOfChain : extraStart + s + 1);
        out.Write(sector);
    }
}

void PutEntry(QByteArray& directory, int index, const QString& name, quint8 type, quint32 child,
    quint32 startSector, quint32 size)
{
    const int base = index * kDirectoryEntrySize;
    const QString shown = name.left(kEntryNameCapacity);
    for (int i = 0; i < shown.size(); ++i)
        Put16(directory, base + 2 * i, shown.at(i).unicode());
    Put16(directory, base + kEntryNameLength, quint16(2 * (shown.size() + 1)));
    directory[base + kEntryType] = char(type);
    directory[base + kEntryColor] = char(kColorBlack);
    Put32(directory, base + kEntryLeftSibling, kNoStream);
    Put32(directory, base + kEntryRightSibling, kNoStream);
    Put32(directory, base + kEntryChild, child);
    Put32(directory, base + kEntryStartSector, startSector);
    Put32(directory, base + kEntrySize, size);
}

QByteArray Directory(const QString& streamName, qint64 streamSize, const TRLCompoundLayout& layout)
{
    QByteArray directory(kSectorSize, '\0');
    PutEntry(directory, 0, QStringLiteral("Root Entry"), kTypeRoot, kStreamEntry, kEndOfChain, 0);
    PutEntry(directory, int(kStreamEntry), streamName, kTypeStream, kNoStream,
        layout.StreamSectors ? 0 : kEndOfChain, quint32(streamSize));
    for (int index = 2; index < kSectorSize / kDirectoryEntrySize; ++index) {
        const int base = index * kDirectoryEntrySize;
        Put32(directory, base + kEntryLeftSibling, kNoStream);
        Put32(directory, base + kEntryRightSibling, kNoStream);
        Put32(directory, base + kEntryChild, kNoStream);
    }
    return directory;
}

qint64 CopyStream(
    QIODevice& out, const QString& target, QIODevice& stream, qint64 streamSize, const QString& source)
{
    TSectorWriter writer(out, target);
    QByteArray chunk(kCopyChunk, '\0');
    qint64 left = streamSize;
    while (left > 0) {
        const qint64 wanted = std::min<qint64>(left, kCopyChunk);
        const qint64 got = stream.read(chunk.data(), wanted);
        if (got != wanted)
            RaiseXLSCannotRead(source, stream);
        writer.Write(QByteArrayView(chunk.constData(), got));
        left -= got;
    }
    return streamSize;
}

} // namespace

qint64 CompoundStoredSize(qint64 streamSize)
{
    // Readers look for a stream shorter than the cutoff in the mini stream, which this writer
    // does not make; so a short stream is padded with zeros to the cutoff.
    return streamSize > 0 && streamSize < kMiniStreamCutoff ? kMiniStreamCutoff : streamSize;
}

TRLCompoundLayout TRLCompoundLayout::ForStream(qint64 streamSize)
{
    TRLCompoundLayout layout;
    layout.StreamSectors = CeilDiv(quint64(CompoundStoredSize(streamSize)), kSectorSize);
    // The table covers the stream, itself, the extra table and the directory; growing the table
    // may grow the extra table, so look for the smallest table that holds them all.
    quint32 tables = 1;
    for (;;) {
        const quint32 extra
            = tables > kHeaderTableSlots ? CeilDiv(tables - kHeaderTableSlots, kExtraEntriesPerSector) : 0;
        const quint64 covered = quint64(layout.StreamSectors) + tables + extra + 1;
        if (quint64(tables) * kEntriesPerSector >= covered) {
            layout.TableSectors = tables;
            layout.ExtraTableSectors = extra;
            break;
        }
        ++tables;
    }
    layout.DirectorySector = layout.StreamSectors + layout.TableSectors + layout.ExtraTableSectors;
    return layout;
}

void WriteCompoundFile(QIODevice& out, const QString& target, const QString& streamName, QIODevice& stream,
    qint64 streamSize, const QString& streamSource)
{
    WriteCompoundFile(out, target, streamName, streamSize,
        [&](QIODevice& device) { return CopyStream(device, target, stream, streamSize, streamSource); });
}

void WriteCompoundFile(QIODevice& out, const QString& target, const QString& streamName, qint64 streamSize,
    const TRLCompoundStreamWriter& writeStream)
{
    if (streamSize < 0 || streamSize > kMaxStreamSize)
        RaiseXLSStreamTooLarge(target, streamSize);
    const TRLCompoundLayout layout = TRLCompoundLayout::ForStream(streamSize);
    TSectorWriter writer(out, target);
    writer.Write(Header(layout));
    const qint64 written = writeStream(out);
    // The layout already holds the announced size: other bytes would shift every sector after them.
    Q_ASSERT(written == streamSize);
    const qint64 storedSize = CompoundStoredSize(streamSize);
    const qint64 sectors = (storedSize + kSectorSize - 1) / kSectorSize;
    const qint64 padding = sectors * kSectorSize - written;
    if (padding > 0)
        writer.Write(QByteArray(padding, '\0'));
    WriteAllocationTable(writer, layout);
    WriteExtraTable(writer, layout);
    writer.Write(Directory(streamName, storedSize, layout));
}
