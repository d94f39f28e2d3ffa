#include "filters/RLXLSRecordWriter.h"

#include "filters/RLXLSErrors.h"
#include "support/SaveFiles.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

namespace {

/// The flag byte of a string stored as 16-bit characters.
constexpr quint8 kStringUncompressed = 0x01;
/// Count and flag of a table string stay together in one record, with room for a character.
constexpr int kStringTableMinRoom = 4;
/// Gathered output reaches the device in pieces of about this size.
constexpr qsizetype kFlushSize = 64 * 1024;

template<class Bytes, class T> void AppendLittle(Bytes& data, T value)
{
    const T little = qToLittleEndian(value);
    data.append(reinterpret_cast<const char*>(&little), sizeof little);
}

} // namespace

TRLXLSRecordWriter::TRLXLSRecordWriter(QIODevice& device, QString target)
    : m_device(device)
    , m_target(std::move(target))
    , m_bufferStart(device.pos())
{
    m_buffer.reserve(std::size_t(kFlushSize + kMaxRecordData + kRecordHeaderSize));
}

void TRLXLSRecordWriter::Begin(quint16 type)
{
    Q_ASSERT(!m_open);
    m_open = true;
    m_stringTable = false;
    m_recordStart = Position();
    BeginPart(type);
}

void TRLXLSRecordWriter::WriteUInt8(quint8 value)
{
    m_buffer.push_back(char(value));
}

void TRLXLSRecordWriter::WriteUInt16(quint16 value)
{
    AppendLittle(m_buffer, value);
}

void TRLXLSRecordWriter::WriteUInt32(quint32 value)
{
    AppendLittle(m_buffer, value);
}

void TRLXLSRecordWriter::WriteDouble(double value)
{
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    AppendLittle(m_buffer, bits);
}

void TRLXLSRecordWriter::WriteBytes(QByteArrayView bytes)
{
    m_buffer.append(bytes.data(), std::size_t(bytes.size()));
}

void TRLXLSRecordWriter::WriteCharacters(QStringView text)
{
    if constexpr (std::endian::native == std::endian::little) {
        m_buffer.append(reinterpret_cast<const char*>(text.utf16()), 2 * std::size_t(text.size()));
    } else {
        for (const QChar c : text)
            AppendLittle(m_buffer, c.unicode());
    }
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
    if (m_stringTable || PartSize() <= kMaxRecordData) {
        EndPart();
    } else {
        const std::string data = m_buffer.substr(std::size_t(m_partHeader + kRecordHeaderSize));
        m_buffer.resize(std::size_t(m_partHeader));
        QByteArrayView rest(data.data(), qsizetype(data.size()));
        quint16 type = m_type;
        while (!rest.isEmpty()) {
            const qsizetype part = std::min<qsizetype>(rest.size(), kMaxRecordData);
            BeginPart(type);
            m_buffer.append(rest.data(), std::size_t(part));
            EndPart();
            rest = rest.sliced(part);
            type = kRecordContinue;
        }
    }
    FlushWhenFull();
    return m_recordStart;
}

void TRLXLSRecordWriter::WriteStoredRecord(QByteArrayView record)
{
    Q_ASSERT(!m_open);
    m_buffer.append(record.data(), std::size_t(record.size()));
    FlushWhenFull();
}

void TRLXLSRecordWriter::BeginStringTable(quint16 type)
{
    Begin(type);
    m_stringTable = true;
}

TRLXLSStringPlace TRLXLSRecordWriter::WriteTableString(QStringView text)
{
    Q_ASSERT(m_open && m_stringTable);
    if (kMaxRecordData - PartSize() <= kStringTableMinRoom)
        FlushPart();
    TRLXLSStringPlace place;
    place.StreamPosition = Position();
    place.RecordOffset = quint16(kRecordHeaderSize + PartSize());
    WriteUInt16(quint16(text.size()));
    WriteUInt8(kStringUncompressed);
    // A UTF-16 character must not straddle two records, so every part holds an even byte count.
    QStringView rest = text;
    while (!rest.isEmpty()) {
        const qsizetype room = (kMaxRecordData - PartSize()) / 2;
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

void TRLXLSRecordWriter::Patch(qint64 position, QByteArrayView bytes)
{
    Q_ASSERT(!m_open);
    if (position >= m_bufferStart && position + bytes.size() <= Position()) {
        std::memcpy(m_buffer.data() + (position - m_bufferStart), bytes.data(), std::size_t(bytes.size()));
        return;
    }
    Flush();
    const qint64 end = m_device.pos();
    if (!m_device.seek(position))
        RaiseXLSCannotWrite(m_target, m_device);
    if (!WriteWhole(m_device, bytes))
        RaiseXLSCannotWrite(m_target, m_device);
    if (!m_device.seek(end))
        RaiseXLSCannotWrite(m_target, m_device);
}

void TRLXLSRecordWriter::PatchUInt32(qint64 position, quint32 value)
{
    QByteArray bytes;
    AppendLittle(bytes, value);
    Patch(position, bytes);
}

void TRLXLSRecordWriter::Flush()
{
    WriteDevice(m_open ? m_partHeader : qsizetype(m_buffer.size()));
    // Others may have written to the device since; what comes next goes where it now stands.
    if (m_buffer.empty())
        m_bufferStart = m_device.pos();
}

void TRLXLSRecordWriter::FlushPart()
{
    EndPart();
    BeginPart(kRecordContinue);
    FlushWhenFull();
}

void TRLXLSRecordWriter::BeginPart(quint16 type)
{
    m_type = type;
    m_partHeader = qsizetype(m_buffer.size());
    m_buffer.append(kRecordHeaderSize, '\0');
}

void TRLXLSRecordWriter::EndPart()
{
    Q_ASSERT(PartSize() <= kMaxRecordData);
    char* header = m_buffer.data() + m_partHeader;
    qToLittleEndian(m_type, header);
    qToLittleEndian(quint16(PartSize()), header + 2);
}

void TRLXLSRecordWriter::FlushWhenFull()
{
    if (qsizetype(m_buffer.size()) >= kFlushSize)
        WriteDevice(m_open ? m_partHeader : qsizetype(m_buffer.size()));
}

void TRLXLSRecordWriter::WriteDevice(qsizetype length)
{
    if (length <= 0)
        return;
    if (!WriteWhole(m_device, QByteArrayView(m_buffer.data(), length)))
        RaiseXLSCannotWrite(m_target, m_device);
    m_buffer.erase(0, std::size_t(length));
    m_bufferStart += length;
    m_partHeader -= length;
}
