#include "db/ParadoxReader.h"

#include "db/DbErrors.h"
#include "db/ParadoxByteSource_p.h"
#include "db/ParadoxFileSource_p.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTime>
#include <QtEndian>
#include <algorithm>
#include <cmath>

using namespace paradox;

namespace {

bool AllZero(QByteArrayView bytes)
{
    for (char c : bytes)
        if (c != 0)
            return false;
    return true;
}

QByteArrayView UpToNul(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.first(end);
}

const uchar* Bytes(QByteArrayView view)
{
    return reinterpret_cast<const uchar*>(view.data());
}

/// Big-endian with the top bit flipped, as integer field values are stored.
qint64 FlippedInteger(QByteArrayView bytes)
{
    quint64 value = 0;
    for (char c : bytes)
        value = (value << 8) | quint8(c);
    const quint64 signBit = quint64(1) << (bytes.size() * 8 - 1);
    value ^= signBit;
    return (value & signBit) ? qint64(value) - qint64(signBit << 1) : qint64(value);
}

double FlippedDouble(QByteArrayView bytes)
{
    quint8 raw[8];
    for (int i = 0; i < 8; ++i)
        raw[i] = quint8(bytes[i]);
    if (raw[0] & 0x80) {
        raw[0] &= 0x7F;
    } else {
        for (quint8& b : raw)
            b = quint8(~b);
    }
    return qFromBigEndian<double>(raw);
}

} // namespace

TFieldType FieldTypeOf(TPxFieldType type)
{
    switch (type) {
    case TPxFieldType::Alpha:
        return TFieldType::ftString;
    case TPxFieldType::Date:
        return TFieldType::ftDate;
    case TPxFieldType::Short:
        return TFieldType::ftSmallint;
    case TPxFieldType::Long:
        return TFieldType::ftInteger;
    case TPxFieldType::Currency:
        return TFieldType::ftCurrency;
    case TPxFieldType::Number:
        return TFieldType::ftFloat;
    case TPxFieldType::Logical:
        return TFieldType::ftBoolean;
    case TPxFieldType::Memo:
        return TFieldType::ftMemo;
    case TPxFieldType::Binary:
        return TFieldType::ftBlob;
    case TPxFieldType::FormattedMemo:
        return TFieldType::ftFmtMemo;
    case TPxFieldType::Ole:
        return TFieldType::ftOle;
    case TPxFieldType::Graphic:
        return TFieldType::ftGraphic;
    case TPxFieldType::Time:
        return TFieldType::ftTime;
    case TPxFieldType::Timestamp:
        return TFieldType::ftDateTime;
    case TPxFieldType::AutoIncrement:
        return TFieldType::ftAutoInc;
    case TPxFieldType::Bcd:
        return TFieldType::ftBCD;
    case TPxFieldType::Bytes:
        return TFieldType::ftBytes;
    }
    return TFieldType::ftBytes;
}

QString PxFieldTypeName(TPxFieldType type)
{
    switch (type) {
    case TPxFieldType::Alpha:
        return QStringLiteral("alpha");
    case TPxFieldType::Date:
        return QStringLiteral("date");
    case TPxFieldType::Short:
        return QStringLiteral("short");
    case TPxFieldType::Long:
        return QStringLiteral("long");
    case TPxFieldType::Currency:
        return QStringLiteral("currency");
    case TPxFieldType::Number:
        return QStringLiteral("number");
    case TPxFieldType::Logical:
        return QStringLiteral("logical");
    case TPxFieldType::Memo:
        return QStringLiteral("memo");
    case TPxFieldType::Binary:
        return QStringLiteral("binary");
    case TPxFieldType::FormattedMemo:
        return QStringLiteral("formatted memo");
    case TPxFieldType::Ole:
        return QStringLiteral("OLE");
    case TPxFieldType::Graphic:
        return QStringLiteral("graphic");
    case TPxFieldType::Time:
        return QStringLiteral("time");
    case TPxFieldType::Timestamp:
        return QStringLiteral("timestamp");
    case TPxFieldType::AutoIncrement:
        return QStringLiteral("autoincrement");
    case TPxFieldType::Bcd:
        return QStringLiteral("BCD");
    case TPxFieldType::Bytes:
        return QStringLiteral("bytes");
    }
    return QStringLiteral("unknown");
}

namespace {

/// Block numbers are 16 bits wide: no table reaches past this many blocks.
constexpr qint64 kMaxBlocks = 0xFFFF;
/// Blob offsets are 32 bits wide, and the last blob may run 65535 blocks further.
constexpr qint64 kMaxBlobFileSize = qint64(kBlobOffsetMask) + 0xFFFF * qint64(kMbBlockSize);
/// Blocks kept in memory per file: enough for a run over a table and the few blocks a detail's lookups
/// return to, whatever the table's size.
constexpr qint64 kTableCacheBytes = 1 << 20;
constexpr qint64 kBlobCacheBytes = 1 << 20;
/// Files are read this much at a time: blocks are mostly read in file order, and one read (with its
/// check that the file is unchanged) per block made a small table slower to print.
constexpr qint64 kReadRunSize = 64 * 1024;
static_assert(kReadRunSize % kMbBlockSize == 0);

qint64 TableSizeLimit(QByteArrayView head)
{
    int headerSize = 0xFFFF;
    int blockCode = kMaxTableSizeLimit;
    if (head.size() > kMaxTableSizeOffset) {
        headerSize = qFromLittleEndian<quint16>(head.data() + kHeaderSizeOffset);
        blockCode = qBound(1, int(quint8(head[kMaxTableSizeOffset])), kMaxTableSizeLimit);
    }
    return headerSize + kMaxBlocks * blockCode * kBlockUnit;
}

} // namespace

TParadoxReader TParadoxReader::FromFile(const QString& path, TPxLostRecords lost)
{
    TParadoxReader reader(
        std::make_unique<TPxFileSource>(path, path, TableSizeLimit, kTableVersionFields, kTableCacheBytes),
        path, lost);
    // The header comes first so that a table without blob fields never looks for a .MB.
    if (!reader.HasBlobFields()) {
        reader.ReadData(nullptr);
        return reader;
    }
    const QFileInfo info(path);
    const QString wanted = info.completeBaseName() + QStringLiteral(".MB");
    QString blobPath;
    for (const QFileInfo& candidate :
        info.dir().entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden))
        if (candidate.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            blobPath = candidate.filePath();
    if (blobPath.isEmpty())
        RaiseTableError(
            path, QCoreApplication::translate("TParadoxReader", "the blob file %1 is missing").arg(wanted));
    reader.ReadData(std::make_unique<TPxFileSource>(
        blobPath, path, [](QByteArrayView) { return kMaxBlobFileSize; }, kBlobFileVersionFields,
        kBlobCacheBytes));
    return reader;
}

bool IsPxBlobType(TPxFieldType type)
{
    return type == TPxFieldType::Memo || type == TPxFieldType::Binary || type == TPxFieldType::FormattedMemo
        || type == TPxFieldType::Ole || type == TPxFieldType::Graphic;
}

qint64 TParadoxReader::BlockOffset(int block) const
{
    return m_headerSize + qint64(block - 1) * m_blockSize;
}

QByteArray TParadoxReader::BlockRun(int block, qsizetype& blockStart) const
{
    const int perRun = std::max(1, int(kReadRunSize / m_blockSize));
    const qint64 start = BlockOffset((block - 1) / perRun * perRun + 1);
    blockStart = qsizetype(BlockOffset(block) - start);
    return m_table->Block(
        start, qsizetype(std::min<qint64>(qint64(perRun) * m_blockSize, m_table->Size() - start)));
}

QByteArrayView TParadoxReader::FieldBytes(int record, int field) const
{
    Q_ASSERT(record >= 0 && record < m_recordCount && field >= 0 && field < int(m_fields.size()));
    if (record < m_current.firstRecord || record >= m_current.firstRecord + m_current.count) {
        m_current = *(std::upper_bound(m_blocks.begin(), m_blocks.end(), record, [](int r, const TBlock& b) {
            return r < b.firstRecord;
        }) - 1);
        m_currentBytes = BlockRun(m_current.number, m_currentRecords);
        m_currentRecords += kBlockHeaderSize;
    }
    const qsizetype offset = m_currentRecords + qsizetype(record - m_current.firstRecord) * m_recordSize
        + m_fields[field].offset;
    return QByteArrayView(m_currentBytes.constData() + offset, m_fields[field].storedSize);
}

bool TParadoxReader::IsNull(int record, int field) const
{
    const QByteArrayView bytes = FieldBytes(record, field);
    switch (m_fields[field].type) {
    case TPxFieldType::Alpha:
    case TPxFieldType::Bcd:
        return bytes[0] == 0;
    default:
        if (IsPxBlobType(m_fields[field].type))
            return BlobBytes(record, field).isEmpty();
        return AllZero(bytes);
    }
}

QVariant TParadoxReader::Value(int record, int field) const
{
    const QByteArrayView bytes = FieldBytes(record, field);
    const TPxFieldType type = m_fields[field].type;
    if (IsPxBlobType(type)) {
        const QByteArray blob = BlobBytes(record, field);
        if (blob.isEmpty())
            return {};
        return type == TPxFieldType::Memo ? QVariant(Decode(blob)) : QVariant(blob);
    }
    if (IsNull(record, field))
        return {};
    switch (type) {
    case TPxFieldType::Alpha:
        return Decode(UpToNul(bytes));
    case TPxFieldType::Bytes:
        return QByteArray(bytes.data(), bytes.size());
    case TPxFieldType::Short:
    case TPxFieldType::Long:
    case TPxFieldType::AutoIncrement:
        return int(FlippedInteger(bytes));
    case TPxFieldType::Logical:
        return quint8(bytes[0]) != kLogicalFalse;
    case TPxFieldType::Date: {
        const qint64 days = FlippedInteger(bytes);
        if (days < 1 || days > kLastDay)
            FailValue(record, field, QStringLiteral("day number %1 is not a date").arg(days));
        return QDate::fromJulianDay(days + kJulianDayOfDayZero);
    }
    case TPxFieldType::Time: {
        const qint64 milliseconds = FlippedInteger(bytes);
        if (milliseconds < 0 || milliseconds >= kMillisecondsPerDay)
            FailValue(record, field, QStringLiteral("%1 ms is not a time of day").arg(milliseconds));
        return QTime::fromMSecsSinceStartOfDay(int(milliseconds));
    }
    case TPxFieldType::Currency:
    case TPxFieldType::Number: {
        const double value = FlippedDouble(bytes);
        if (!std::isfinite(value))
            FailValue(record, field, QStringLiteral("the stored number is not finite"));
        return value;
    }
    case TPxFieldType::Timestamp: {
        const double value = FlippedDouble(bytes);
        if (!std::isfinite(value) || value < double(kMillisecondsPerDay)
            || value >= double(kLastDay + 1) * double(kMillisecondsPerDay))
            FailValue(record, field, QStringLiteral("%1 ms is not a timestamp").arg(value, 0, 'g', 17));
        const qint64 total = std::llround(value);
        const qint64 days = total / kMillisecondsPerDay;
        const QDate date = QDate::fromJulianDay(days + kJulianDayOfDayZero);
        return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(total % kMillisecondsPerDay)), Qt::UTC);
    }
    case TPxFieldType::Bcd:
        return DecodeBcd(bytes, m_fields[field].sizeByte);
    default:
        break;
    }
    return {};
}

QVariant TParadoxReader::DecodeBcd(QByteArrayView bytes, int decimals) const
{
    const bool negative = (quint8(bytes[0]) & kBcdPositiveBit) == 0;
    QByteArray digits(kBcdDigits, '0');
    for (int i = 0; i < kBcdDigits; ++i) {
        const quint8 byte = quint8(bytes[1 + i / 2]);
        quint8 nibble = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
        if (negative)
            nibble ^= 0x0F;
        // Engines store only about 18 real digits; whatever follows the first non-digit is noise.
        if (nibble > 9)
            break;
        digits[i] = char('0' + nibble);
    }
    const QByteArray text = (negative ? QByteArray("-") : QByteArray()) + digits.first(kBcdDigits - decimals)
        + '.' + digits.sliced(kBcdDigits - decimals);
    return text.toDouble();
}

QByteArray TParadoxReader::BlobBytes(int record, int field) const
{
    const QByteArrayView bytes = FieldBytes(record, field);
    const int leader = m_fields[field].storedSize - kBlobDescriptorSize;
    const uchar* descriptor = Bytes(bytes) + leader;
    const quint32 offsetAndIndex = qFromLittleEndian<quint32>(descriptor);
    const quint32 length = qFromLittleEndian<quint32>(descriptor + 4);
    const quint16 modNumber = qFromLittleEndian<quint16>(descriptor + 8);
    if (length == 0)
        return {};
    if (length <= quint32(leader))
        return QByteArray(bytes.data(), length);
    return BlobFromBlobFile(record, field, offsetAndIndex, length, modNumber);
}

QByteArray TParadoxReader::BlobFromBlobFile(
    int record, int field, quint32 offsetAndIndex, quint32 length, quint16 modNumber) const
{
    if (!m_blobs)
        FailValue(record, field, QStringLiteral("the blob file (.MB) is missing"));
    const qint64 mbSize = m_blobs->Size();
    const qint64 offset = offsetAndIndex & kBlobOffsetMask;
    const int index = int(offsetAndIndex & kBlobIndexMask);
    if (offset < kMbBlockSize || offset % kMbBlockSize != 0 || offset + kMbBlockSize > mbSize)
        FailValue(record, field,
            QStringLiteral("blob offset 0x%1 lies outside the blob file (%2 bytes)")
                .arg(offset, 0, 16)
                .arg(mbSize));
    if (qint64(length) > mbSize)
        FailValue(record, field,
            QStringLiteral("blob length %1 exceeds the blob file (%2 bytes)").arg(length).arg(mbSize));
    const qint64 runStart = offset / kReadRunSize * kReadRunSize;
    const QByteArray run = m_blobs->Block(runStart, qsizetype(std::min(kReadRunSize, mbSize - runStart)));
    const qsizetype blockStart = qsizetype(offset - runStart);
    const uchar* block = Bytes(run) + blockStart;
    const quint8 blockType = block[kMbBlockTypeOffset];
    qint64 dataOffset = 0;
    quint16 storedMod = 0;
    if (blockType == kMbSingleBlob) {
        const qint64 units = qFromLittleEndian<quint16>(block + kMbBlockUnitsOffset);
        const quint32 storedLength = qFromLittleEndian<quint32>(block + kSingleBlobLengthOffset);
        if (index != kSingleBlobIndex)
            FailValue(record, field,
                QStringLiteral("slot %1 refers to the single-blob block at 0x%2")
                    .arg(index)
                    .arg(offset, 0, 16));
        if (units < 1 || offset + units * kMbBlockSize > mbSize)
            FailValue(record, field,
                QStringLiteral("the blob block at 0x%1 claims %2 units, past the end of the blob file")
                    .arg(offset, 0, 16)
                    .arg(units));
        if (storedLength != length)
            FailValue(record, field,
                QStringLiteral("the record gives the blob %1 bytes, its block at 0x%2 says %3")
                    .arg(length)
                    .arg(offset, 0, 16)
                    .arg(storedLength));
        if (kSingleBlobDataOffset + qint64(length) > units * kMbBlockSize)
            FailValue(record, field,
                QStringLiteral("the blob of %1 bytes overflows its block at 0x%2")
                    .arg(length)
                    .arg(offset, 0, 16));
        dataOffset = kSingleBlobDataOffset;
        storedMod = qFromLittleEndian<quint16>(block + kSingleBlobModOffset);
    } else if (blockType == kMbSuballocated) {
        if (index >= kSlotCount)
            FailValue(record, field,
                QStringLiteral("slot %1 does not exist in the blob block at 0x%2")
                    .arg(index)
                    .arg(offset, 0, 16));
        const uchar* slot = block + kSlotTableOffset + index * kSlotSize;
        const int chunk = slot[0];
        const int chunks = slot[1];
        const int tail = slot[4];
        if (chunk < kFirstDataChunk || chunks < 1 || tail < 1 || tail > kChunkSize
            || chunk + chunks > kChunksPerBlock)
            FailValue(record, field,
                QStringLiteral("slot %1 of the blob block at 0x%2 is unused or corrupt")
                    .arg(index)
                    .arg(offset, 0, 16));
        const qint64 slotLength = qint64(chunks - 1) * kChunkSize + tail;
        if (slotLength != qint64(length))
            FailValue(record, field,
                QStringLiteral("the record gives the blob %1 bytes, slot %2 of the block at 0x%3 holds %4")
                    .arg(length)
                    .arg(index)
                    .arg(offset, 0, 16)
                    .arg(slotLength));
        dataOffset = qint64(chunk) * kChunkSize;
        storedMod = qFromLittleEndian<quint16>(slot + 2);
    } else {
        const QString kind = blockType == kMbHeaderBlock ? QStringLiteral("the header block")
            : blockType == kMbFreeBlock                  ? QStringLiteral("a free block")
                                        : QStringLiteral("a block of unknown type %1").arg(blockType);
        FailValue(record, field,
            QStringLiteral("the blob reference points to %1 at 0x%2").arg(kind).arg(offset, 0, 16));
    }
    if (storedMod != modNumber)
        Warn(QStringLiteral("record %1, field \"%2\": modification number %3 differs from the blob file's %4")
                 .arg(record + 1)
                 .arg(m_fields[field].name)
                 .arg(modNumber)
                 .arg(storedMod));
    if (blockStart + dataOffset + qint64(length) <= run.size())
        return run.sliced(blockStart + dataOffset, length);
    return m_blobs->Read(offset + dataOffset, qsizetype(length));
}

QString TParadoxReader::Decode(QByteArrayView bytes) const
{
    if (!m_byteTable) {
        m_decoder.resetState();
        return m_decoder(bytes);
    }
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes)
        *out++ = QChar((*m_byteTable)[quint8(c)]);
    return text;
}
