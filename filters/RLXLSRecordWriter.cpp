#include "filters/RLXLSRecordWriter.h"

#include "filters/RLXLSErrors.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

/// The flag byte of a string stored as 16-bit characters.
constexpr quint8 kStringUncompressed = 0x01;
/// Count and flag of a table string stay together in one record, with room for a character.
constexpr int kStringTableMinRoom = 4;

template<class T> void AppendLittle(QByteArray& data, T value)
{
    const T little = qToLittleEndian(value);
    data.append(reinterpret_cast<const char*>(&little), sizeof little);
}

} // namespace

TRLXLSRecordWriter::TRLXLSRecordWriter(QIODevice& device, QString target)
    : m_device(device)
    , m_target(std::move(target))
{
    m_data.reserve(kMaxRecordData + kRecordHeaderSize);
}

void TRLXLSRecordWriter::Begin(quint16 type)
{
    Q_ASSERT(!m_open);
    m_type = type;
    m_open = true;
    m_stringTable = false;
    m_data.clear();
    m_recordStart = m_device.pos();
}

void TRLXLSRecordWriter::WriteUInt8(quint8 value)
{
    m_data.append(char(value));
}

void TRLXLSRecordWriter::WriteUInt16(quint16 value)
{
    AppendLittle(m_data, value);
}

void TRLXLSRecordWriter::WriteUInt32(quint32 value)
{
    AppendLittle(m_data, value);
}

void TRLXLSRecordWriter::WriteDouble(double value)
{
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    AppendLittle(m_data, bits);
}

void TRLXLSRecordWriter::WriteBytes(QByteArrayView bytes)
{
    m_data.append(bytes.data(), bytes.size());
}

void TRLXLSRecordWriter::WriteCharacters(QStringView text)
{
    for (const QChar c : text)
        AppendLittle(m_data, c.unicode());
}

void TRLXLSRecordWriter::WriteString16(QStringView text)
{
    WriteUInt16(quint16(text.size()));
    WriteUInt8(kStringUncompressed);
    WriteCharacters(text);
}

void TRLXLSRecordWriter::WriteString8(QStringView text)
{
    WriteUInt8(quint8(text.size()));
    WriteUInt8(kStringUncompressed);
    WriteCharacters(text);
}

qint64 TRLXLSRecordWriter::End()
{
    Q_ASSERT(m_open);
    m_open = false;
    if (m_stringTable) {
        WriteRecord(m_type, m_data);
        return m_recordStart;
    }
    QByteArrayView rest(m_data);
    quint16 type = m_type;
    do {
        const qsizetype part = std::min<qsizetype>(rest.size(), kMaxRecordData);
        WriteRecord(type, rest.first(part));
        rest = rest.sliced(part);
        type = kRecordContinue;
    } while (!rest.isEmpty());
    return m_recordStart;
}

void TRLXLSRecordWriter::WriteStoredRecord(QByteArrayView record)
{
    Q_ASSERT(!m_open);
    WriteDevice(record);
}

void TRLXLSRecordWriter::BeginStringTable(quint16 type)
{
    Begin(type);
    m_stringTable = true;
}

TRLXLSStringPlace TRLXLSRecordWriter::WriteTableString(QStringView text)
{
    Q_ASSERT(m_open && m_stringTable);
    if (kMaxRecordData - m_data.size() <= kStringTableMinRoom)
        FlushPart();
    TRLXLSStringPlace place;
    place.StreamPosition = m_device.pos() + kRecordHeaderSize + m_data.size();
    place.RecordOffset = quint16(kRecordHeaderSize + m_data.size());
    WriteUInt16(quint16(text.size()));
    WriteUInt8(kStringUncompressed);
    // A UTF-16 character must not straddle two records, so every part holds an even byte count.
    QStringView rest = text;
    while (!rest.isEmpty()) {
        const qsizetype room = (kMaxRecordData - m_data.size()) / 2;
        if (room == 0) {
            FlushPart();
            WriteUInt8(kStringUncompressed);
            continue;
        }
        const qsizetype part = std::min(room, rest.size());
        WriteCharacters(rest.first(part));
        rest = rest.sliced(part);
    }
    return place;
}

qint64 TRLXLSRecordWriter::Position() const
{
    return m_device.pos();
}

void TRLXLSRecordWriter::Patch(qint64 position, QByteArrayView bytes)
{
    Q_ASSERT(!m_open);
    const qint64 end = m_device.pos();
    if (!m_device.seek(position))
        RaiseXLSCannotWrite(m_target, m_device);
    WriteDevice(bytes);
    if (!m_device.seek(end))
        RaiseXLSCannotWrite(m_target, m_device);
}

void TRLXLSRecordWriter::PatchUInt32(qint64 position, quint32 value)
{
    QByteArray bytes;
    AppendLittle(bytes, value);
    Patch(position, bytes);
}

void TRLXLSRecordWriter::FlushPart()
{
    WriteRecord(m_type, m_data);
    m_type = kRecordContinue;
    m_data.clear();
}

void TRLXLSRecordWriter::WriteRecord(quint16 type, QByteArrayView data)
{
    Q_ASSERT(data.size() <= kMaxRecordData);
    char header[kRecordHeaderSize];
    qToLittleEndian(type, header);
    qToLittleEndian(quint16(data.size()), header + 2);
    WriteDevice(QByteArrayView(header, kRecordHeaderSize));
    WriteDevice(data);
}

void TRLXLSRecordWriter::WriteDevice(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_device.write(bytes.data(), bytes.size()) != bytes.size())
        RaiseXLSCannotWrite(m_target, m_device);
}
