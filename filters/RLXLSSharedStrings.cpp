#include "filters/RLXLSSharedStrings.h"

#include "filters/RLXLSErrors.h"
#include "filters/RLXLSRecordWriter.h"
#include "filters/RLXLSScratchFile.h"
#include "support/SaveFiles.h"

#include <QtEndian>
#include <algorithm>

namespace {

constexpr quint16 kRecordSst = 0x00FC;
constexpr quint16 kRecordExtSst = 0x00FF;
/// The SST data starts with the total and the unique string counts, both known only at the end.
constexpr qint64 kTotalCountField = TRLXLSRecordWriter::kRecordHeaderSize;
constexpr qint64 kUniqueCountField = kTotalCountField + 4;

/// Strings per EXTSST bucket, more when needed to keep the buckets to what one record holds.
constexpr quint32 kStringsPerBucket = 8;
constexpr quint32 kMaxBuckets = 128;

/// A place in the places file: the string's stream position in the table (32 bits) and its
/// offset inside its record (16 bits).
constexpr qint64 kPlaceSize = 6;
constexpr std::size_t kPlaceFlushSize = 64 * 1024;

} // namespace

TRLXLSSharedStrings::TRLXLSSharedStrings()
    : m_records(std::make_unique<TRLXLSScratchFile>())
    , m_writer(std::make_unique<TRLXLSRecordWriter>(m_records->File(), m_records->FileName()))
    , m_places(std::make_unique<TRLXLSScratchFile>())
{
    m_writer->BeginStringTable(kRecordSst);
    m_writer->WriteUInt32(0);
    m_writer->WriteUInt32(0);
    m_placeBuffer.reserve(kPlaceFlushSize + kPlaceSize);
}

TRLXLSSharedStrings::~TRLXLSSharedStrings() = default;

quint32 TRLXLSSharedStrings::Add(QStringView text)
{
    const TRLXLSStringPlace place = m_writer->WriteTableString(text);
    char bytes[kPlaceSize];
    qToLittleEndian(quint32(place.StreamPosition), bytes);
    qToLittleEndian(place.RecordOffset, bytes + 4);
    m_placeBuffer.append(bytes, sizeof bytes);
    if (m_placeBuffer.size() >= kPlaceFlushSize)
        FlushPlaces();
    return m_count++;
}

void TRLXLSSharedStrings::Finish()
{
    Q_ASSERT(!m_finished);
    m_finished = true;
    m_writer->End();
    m_writer->PatchUInt32(kTotalCountField, m_count);
    m_writer->PatchUInt32(kUniqueCountField, m_count);
    m_writer->Flush();
    FlushPlaces();
    if (!m_records->File().flush())
        RaiseXLSCannotWrite(m_records->FileName(), m_records->File());
    if (!m_places->File().flush())
        RaiseXLSCannotWrite(m_places->FileName(), m_places->File());
}

qint64 TRLXLSSharedStrings::TableSize() const
{
    Q_ASSERT(m_finished);
    return m_count == 0 ? 0 : m_writer->Position();
}

qint64 TRLXLSSharedStrings::CopyTable(QIODevice& out, const QString& target)
{
    const qint64 size = TableSize();
    m_records->CopyTo(out, target, size);
    return size;
}

void TRLXLSSharedStrings::WriteIndex(TRLXLSRecordWriter& out, qint64 tableStart)
{
    if (m_count == 0)
        return;
    const quint32 perBucket = std::max(kStringsPerBucket, (m_count + kMaxBuckets - 1) / kMaxBuckets);
    out.Begin(kRecordExtSst);
    out.WriteUInt16(quint16(perBucket));
    for (quint32 index = 0; index < m_count; index += perBucket) {
        quint32 position = 0;
        quint16 recordOffset = 0;
        ReadPlace(index, position, recordOffset);
        out.WriteUInt32(quint32(tableStart + position));
        out.WriteUInt16(recordOffset);
        out.WriteUInt16(0);
    }
    out.End();
}

void TRLXLSSharedStrings::FlushPlaces()
{
    QFile& file = m_places->File();
    const qint64 size = qint64(m_placeBuffer.size());
    if (!WriteWhole(file, QByteArrayView(m_placeBuffer.data(), size)))
        RaiseXLSCannotWrite(m_places->FileName(), file);
    m_placeBuffer.clear();
}

void TRLXLSSharedStrings::ReadPlace(quint32 index, quint32& position, quint16& recordOffset)
{
    QFile& file = m_places->File();
    char bytes[kPlaceSize];
    if (!file.seek(qint64(index) * kPlaceSize) || file.read(bytes, kPlaceSize) != kPlaceSize)
        RaiseXLSCannotRead(m_places->FileName(), file);
    position = qFromLittleEndian<quint32>(bytes);
    recordOffset = qFromLittleEndian<quint16>(bytes + 4);
}
