#include "tools/sampledb/ParadoxWriter.h"

#include "platform/Exceptions.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

using namespace paradox;

namespace {

constexpr int kWrittenCodePage = 1252;
constexpr char kUnmappable = '?';
constexpr quint8 kSortOrderAnsi850 = 0x11;
constexpr char kSortOrderId[] = "ANSII850";
constexpr int kHeaderAllocation = 0x800;
constexpr quint16 kChangeCounter = 3;
constexpr quint8 kChangeCount = 1;
constexpr quint16 kExtensionChange = 1;
/// Fixed so that the output is the same on every build: 2026-01-01T00:00:00Z.
constexpr quint32 kUpdateTime = 1767225600;
constexpr int kBlockSizeCodes[] = { 2, 4, 8, 16, 32 };
constexpr int kMbModNumber = 1;
/// Block numbers are 16-bit.
constexpr int kMaxBlockNumber = 0xFFFF;
constexpr quint8 kGraphicPrefix[] = { 0x01, 0x00, 0x00, 0x01 };
constexpr int kGraphicPrefixSize = 8;
constexpr int kFirstSlot = kSlotCount - 1;

// The .MB header block: constants found in every engine-written blob file.
constexpr int kMbConstantsOffset = 0x05;
constexpr quint8 kMbConstants[]
    = { 0x82, 0x73, 0x02, 0x00, 0x29, 0x00, 0x00, 0x10, 0x00, 0x10, 0x00, 0x10, 0x40, 0x00, 0x00, 0x08 };
constexpr int kMbTrailerOffset = 0x29;
constexpr quint8 kMbTrailer[] = { 0xA1, 0x02 };

/// Overwrites bytes in place; the array never changes size.
void PutBytes(QByteArray& bytes, qsizetype offset, QByteArrayView value)
{
    Q_ASSERT(offset >= 0 && offset + value.size() <= bytes.size());
    std::memcpy(bytes.data() + offset, value.data(), size_t(value.size()));
}

void PutU16(QByteArray& bytes, qsizetype offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void PutU32(QByteArray& bytes, qsizetype offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

/// Big-endian with the top bit flipped, as integer field values are stored.
void PutFlippedInt32(QByteArray& bytes, int offset, qint32 value)
{
    qToBigEndian(quint32(value) ^ 0x80000000u, bytes.data() + offset);
}

/// Positive doubles get the top bit set, negative ones all bits inverted, so that bytes sort as numbers.
void PutFlippedDouble(QByteArray& bytes, int offset, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    bits = (bits & 0x8000000000000000ull) ? ~bits : (bits | 0x8000000000000000ull);
    qToBigEndian(bits, bytes.data() + offset);
}

int StoredSize(const TPxColumn& column)
{
    switch (column.type) {
    case TPxFieldType::Number:
        return 8;
    case TPxFieldType::Long:
    case TPxFieldType::Date:
        return 4;
    case TPxFieldType::Logical:
        return 1;
    default:
        return column.size;
    }
}

bool IsBlob(TPxFieldType type)
{
    return type == TPxFieldType::Memo || type == TPxFieldType::Graphic;
}

} // namespace

TPxTableWriter::TPxTableWriter(const QString& tableName, std::vector<TPxColumn> columns)
    : m_tableName(tableName)
    , m_columns(std::move(columns))
{
    for (const TPxColumn& column : m_columns) {
        const bool supported = column.type == TPxFieldType::Alpha || column.type == TPxFieldType::Number
            || column.type == TPxFieldType::Long || column.type == TPxFieldType::Date
            || column.type == TPxFieldType::Logical || IsBlob(column.type);
        if (!supported)
            Fail(0, column.name, QStringLiteral("field type not written by this writer"));
        if ((column.type == TPxFieldType::Alpha && (column.size < 1 || column.size > 255))
            || (IsBlob(column.type) && (column.size < kBlobDescriptorSize || column.size > 255)))
            Fail(0, column.name, QStringLiteral("size %1 is not possible").arg(column.size));
        m_sizes.push_back(StoredSize(column));
        m_recordSize += m_sizes.back();
    }
    if (m_columns.empty() || m_columns.size() > size_t(kMaxFields))
        Fail(0, QString(),
            QStringLiteral("%1 fields; 1 to %2 are possible").arg(m_columns.size()).arg(kMaxFields));
}

void TPxTableWriter::AddRecord(const std::vector<QVariant>& values)
{
    if (values.size() != m_columns.size())
        Fail(int(m_records.size()) + 1, QString(),
            QStringLiteral("%1 values for %2 fields").arg(values.size()).arg(m_columns.size()));
    m_records.push_back(values);
}

bool TPxTableWriter::HasBlobFields() const
{
    for (const TPxColumn& column : m_columns)
        if (IsBlob(column.type))
            return true;
    return false;
}

TPxFiles TPxTableWriter::Write() const
{
    int blockSizeCode = 0;
    for (const int code : kBlockSizeCodes) {
        if (m_recordSize <= code * kBlockUnit - kBlockHeaderSize) {
            blockSizeCode = code;
            break;
        }
    }
    if (blockSizeCode == 0)
        Fail(0, QString(), QStringLiteral("a record of %1 bytes fits no block").arg(m_recordSize));
    const int blockSize = blockSizeCode * kBlockUnit;
    const int perBlock = (blockSize - kBlockHeaderSize) / m_recordSize;
    const int blockCount = int((m_records.size() + size_t(perBlock) - 1) / size_t(perBlock));
    if (blockCount > kMaxBlockNumber)
        Fail(0, QString(),
            QStringLiteral("%1 records need more than %2 blocks").arg(m_records.size()).arg(kMaxBlockNumber));

    TPxFiles files;
    TBlobFile blobs { files.mb };
    if (HasBlobFields()) {
        files.mb = QByteArray(kMbBlockSize, '\0');
        files.mb[kMbBlockTypeOffset] = char(kMbHeaderBlock);
        PutU16(files.mb, kMbBlockUnitsOffset, 1);
        PutU16(files.mb, kMbModCountOffset, kMbModNumber);
        PutBytes(files.mb, kMbConstantsOffset, QByteArrayView(kMbConstants, sizeof kMbConstants));
        PutBytes(files.mb, kMbTrailerOffset, QByteArrayView(kMbTrailer, sizeof kMbTrailer));
    }

    files.db = WriteHeader(blockCount, blockSizeCode);
    const qsizetype headerSize = files.db.size();
    files.db.resize(headerSize + qsizetype(blockCount) * blockSize, '\0');
    for (int block = 0; block < blockCount; ++block) {
        const qsizetype base = headerSize + qsizetype(block) * blockSize;
        const int first = block * perBlock;
        const int count = std::min(perBlock, int(m_records.size()) - first);
        PutU16(files.db, base + kBlockNextOffset, quint16(block + 1 < blockCount ? block + 2 : 0));
        PutU16(files.db, base + kBlockPrevOffset, quint16(block));
        PutU16(files.db, base + kBlockAddDataSizeOffset, quint16((count - 1) * m_recordSize));
        for (int r = 0; r < count; ++r) {
            QByteArray record(m_recordSize, '\0');
            int offset = 0;
            for (size_t f = 0; f < m_columns.size(); ++f) {
                EncodeValue(record, offset, m_columns[f], m_records[size_t(first) + size_t(r)][f],
                    first + r + 1, blobs);
                offset += m_sizes[f];
            }
            PutBytes(files.db, base + kBlockHeaderSize + qsizetype(r) * m_recordSize, record);
        }
    }
    return files;
}

QByteArray TPxTableWriter::WriteHeader(int blockCount, int blockSizeCode) const
{
    const int n = int(m_columns.size());
    const int fieldList = kExtendedHeaderSize;
    const int tableNamePointer = fieldList + n * kFieldEntrySize;
    const int tableName = tableNamePointer + kPointerSize + n * kPointerSize;
    QByteArray names;
    std::vector<int> nameOffsets;
    int position = tableName + kTableNameSizeV7;
    for (const TPxColumn& column : m_columns) {
        nameOffsets.push_back(position);
        const QByteArray encoded = EncodeText(column.name);
        names += encoded + '\0';
        position += int(encoded.size()) + 1;
    }
    const int fieldNumbers = position;
    const int sortOrderId = fieldNumbers + n * 2;
    const int realHeaderSize = sortOrderId + int(sizeof kSortOrderId);
    const int headerSize = (realHeaderSize + kHeaderAllocation - 1) / kHeaderAllocation * kHeaderAllocation;

    QByteArray h(headerSize, '\0');
    PutU16(h, kRecordSizeOffset, quint16(m_recordSize));
    PutU16(h, kHeaderSizeOffset, quint16(headerSize));
    h[kFileTypeOffset] = char(kFileTypeNonKeyed);
    h[kMaxTableSizeOffset] = char(blockSizeCode);
    PutU32(h, kNumRecordsOffset, quint32(m_records.size()));
    PutU16(h, kNextBlockOffset, quint16(blockCount));
    PutU16(h, kFileBlocksOffset, quint16(blockCount));
    PutU16(h, kFirstBlockOffset, quint16(blockCount > 0 ? 1 : 0));
    PutU16(h, kLastBlockOffset, quint16(blockCount));
    PutU16(h, kChangeCounterOffset, kChangeCounter);
    PutU16(h, kNumFieldsOffset, quint16(n));
    PutU32(h, kEncryption1Offset, kNotEncryptedV4);
    h[kSortOrderOffset] = char(kSortOrderAnsi850);
    h[kChangeCount1Offset] = char(kChangeCount);
    h[kChangeCount2Offset] = char(kChangeCount);
    PutU32(h, kTableNamePointerOffset, quint32(tableNamePointer));
    PutU32(h, kFieldListPointerOffset, quint32(fieldList));
    h[kFileVersionOffset] = char(kVersion7);
    PutU16(h, kMaxBlocksOffset, quint16(blockCount));
    PutU16(h, kHeaderConstantOffset, kHeaderConstant);
    PutU16(h, kRealHeaderSizeOffset, quint16(realHeaderSize));
    h[kDataFileMarkOffset] = char(kDataFileMark);
    PutU16(h, kVersionWordOffset, kVersionWordV7);
    PutU16(h, kVersionWord2Offset, kVersionWordV7);
    PutU32(h, kUpdateTimeOffset, kUpdateTime);
    PutU16(h, kHiFieldIdOffset, quint16(n + 1));
    PutU16(h, kFieldNumbersOffset, quint16(fieldNumbers - kExtensionBase));
    PutU16(h, kCodePageOffset, kWrittenCodePage);
    PutU16(h, kExtensionConstantOffset, kExtensionConstant);
    PutU16(h, kSortOrderIdOffset, quint16(sortOrderId - kExtensionBase));
    PutU16(h, kExtensionChangeOffset, kExtensionChange);

    for (int i = 0; i < n; ++i) {
        h[fieldList + i * kFieldEntrySize] = char(m_columns[size_t(i)].type);
        h[fieldList + i * kFieldEntrySize + 1] = char(StoredSize(m_columns[size_t(i)]));
        PutU32(h, tableNamePointer + kPointerSize + i * kPointerSize, quint32(nameOffsets[size_t(i)]));
        PutU16(h, fieldNumbers + i * 2, quint16(i + 1));
    }
    PutU32(h, tableNamePointer, quint32(tableName));
    PutBytes(h, tableName, EncodeText(m_tableName).left(kTableNameSizeV7 - 1));
    PutBytes(h, nameOffsets.front(), names);
    PutBytes(h, sortOrderId, QByteArrayView(kSortOrderId, sizeof kSortOrderId));
    return h;
}

QByteArray TPxTableWriter::EncodeText(const QString& text) const
{
    // The encoder would substitute its own control byte; a character 1252 lacks becomes "?" instead.
    static const std::map<char32_t, char> kByteOf = [] {
        std::map<char32_t, char> map;
        for (int byte = 1; byte < 256; ++byte) {
            const char c = char(byte);
            QStringDecoder decoder("windows-1252");
            const QString decoded = decoder(QByteArrayView(&c, 1));
            if (decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter)
                map.emplace(decoded[0].unicode(), c);
        }
        return map;
    }();
    QByteArray bytes;
    for (const char32_t codePoint : text.toUcs4()) {
        const auto found = kByteOf.find(codePoint);
        bytes += found == kByteOf.end() ? kUnmappable : found->second;
    }
    return bytes;
}

void TPxTableWriter::EncodeValue(QByteArray& record, int offset, const TPxColumn& column,
    const QVariant& value, int row, TBlobFile& mb) const
{
    if (value.isNull() || !value.isValid())
        return;
    switch (column.type) {
    case TPxFieldType::Alpha: {
        const QByteArray text = EncodeText(value.toString());
        if (text.size() > column.size)
            Fail(row, column.name,
                QStringLiteral("%1 bytes do not fit in %2").arg(text.size()).arg(column.size));
        PutBytes(record, offset, text);
        return;
    }
    case TPxFieldType::Number:
        if (!std::isfinite(value.toDouble()))
            Fail(row, column.name, QStringLiteral("not a finite number"));
        PutFlippedDouble(record, offset, value.toDouble());
        return;
    case TPxFieldType::Long:
        // The flipped encoding of the smallest value is all zero bytes, the NULL pattern.
        if (value.toLongLong() <= std::numeric_limits<qint32>::min()
            || value.toLongLong() > std::numeric_limits<qint32>::max())
            Fail(row, column.name,
                QStringLiteral("%1 cannot be stored, its bytes mean NULL").arg(value.toLongLong()));
        PutFlippedInt32(record, offset, value.toInt());
        return;
    case TPxFieldType::Date: {
        const QDate date = value.toDate();
        const qint64 day = date.isValid() ? date.toJulianDay() - kJulianDayOfDayZero : 0;
        if (day < 1 || day > kLastDay)
            Fail(row, column.name, QStringLiteral("not a date between the years 1 and 9999"));
        PutFlippedInt32(record, offset, qint32(day));
        return;
    }
    case TPxFieldType::Logical:
        record[offset] = char(value.toBool() ? kLogicalTrue : kLogicalFalse);
        return;
    case TPxFieldType::Memo: {
        const QByteArray text = EncodeText(value.toString());
        EncodeBlob(record, offset, column, text, text, mb);
        return;
    }
    case TPxFieldType::Graphic: {
        const QByteArray bitmap = value.toByteArray();
        QByteArray blob(reinterpret_cast<const char*>(kGraphicPrefix), sizeof kGraphicPrefix);
        blob.resize(kGraphicPrefixSize);
        PutU32(blob, sizeof kGraphicPrefix, quint32(bitmap.size()));
        // The leader holds the bitmap's first bytes, not the engine header.
        EncodeBlob(record, offset, column, blob + bitmap, bitmap, mb);
        return;
    }
    default:
        Fail(row, column.name, QStringLiteral("field type not written by this writer"));
    }
}

void TPxTableWriter::EncodeBlob(QByteArray& record, int offset, const TPxColumn& column,
    const QByteArray& blob, const QByteArray& leaderCopy, TBlobFile& blobs) const
{
    if (blob.isEmpty())
        return;
    const int leader = column.size - kBlobDescriptorSize;
    const int descriptor = offset + leader;
    PutU32(record, descriptor + 4, quint32(blob.size()));
    if (blob.size() <= leader) {
        PutBytes(record, offset, blob);
        return;
    }
    PutBytes(record, offset, leaderCopy.left(leader));
    PutU16(record, descriptor + 8, kMbModNumber);
    QByteArray& mb = blobs.bytes;
    if (blob.size() > kSuballocationLimit) {
        const qsizetype blockOffset = mb.size();
        const qsizetype units = (blob.size() + kSingleBlobDataOffset + kMbBlockSize - 1) / kMbBlockSize;
        mb.resize(blockOffset + units * kMbBlockSize, '\0');
        mb[blockOffset + kMbBlockTypeOffset] = char(kMbSingleBlob);
        PutU16(mb, blockOffset + kMbBlockUnitsOffset, quint16(units));
        PutU32(mb, blockOffset + kSingleBlobLengthOffset, quint32(blob.size()));
        PutU16(mb, blockOffset + kSingleBlobModOffset, kMbModNumber);
        PutBytes(mb, blockOffset + kSingleBlobDataOffset, blob);
        PutU32(record, descriptor, quint32(blockOffset) | kSingleBlobIndex);
        return;
    }
    // Small blobs share type-3 blocks: slots from the top down, chunks from the data area up.
    const int chunks = int((blob.size() + kChunkSize - 1) / kChunkSize);
    if (blobs.suballocated < 0 || blobs.nextSlot < 0 || blobs.nextChunk + chunks > kChunksPerBlock) {
        blobs.suballocated = mb.size();
        mb.resize(blobs.suballocated + kMbBlockSize, '\0');
        mb[blobs.suballocated + kMbBlockTypeOffset] = char(kMbSuballocated);
        PutU16(mb, blobs.suballocated + kMbBlockUnitsOffset, 1);
        blobs.nextSlot = kFirstSlot;
        blobs.nextChunk = kFirstDataChunk;
    }
    const int slot = blobs.nextSlot--;
    const int chunk = blobs.nextChunk;
    blobs.nextChunk += chunks;
    const qsizetype entry = blobs.suballocated + kSlotTableOffset + slot * kSlotSize;
    mb[entry] = char(chunk);
    mb[entry + 1] = char(chunks);
    PutU16(mb, entry + 2, kMbModNumber);
    mb[entry + 4] = char(blob.size() - qsizetype(chunks - 1) * kChunkSize);
    PutBytes(mb, blobs.suballocated + qsizetype(chunk) * kChunkSize, blob);
    PutU32(record, descriptor, quint32(blobs.suballocated) | quint32(slot));
}

void TPxTableWriter::Fail(int row, const QString& field, const QString& fault) const
{
    QString where = QStringLiteral("Writing table \"%1\"").arg(m_tableName);
    if (row > 0)
        where += QStringLiteral(", record %1").arg(row);
    if (!field.isEmpty())
        where += QStringLiteral(", field \"%1\"").arg(field);
    throw EReportError(where + QStringLiteral(": ") + fault);
}

void SaveTableFiles(const QString& directory, const QString& fileName, const TPxFiles& files)
{
    const auto save = [](const QString& path, const QByteArray& bytes) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            throw EReportError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
    };
    const QDir dir(directory);
    save(dir.filePath(fileName), files.db);
    if (!files.mb.isEmpty())
        save(dir.filePath(QFileInfo(fileName).completeBaseName() + QStringLiteral(".MB")), files.mb);
}
