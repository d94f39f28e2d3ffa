#include "pages/RLByteWriter.h"

#include "platform/Exceptions.h"
#include "support/SaveFiles.h"
#include "support/Windows1252.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr qint64 kSizeFieldBytes = sizeof(qint32);

} // namespace

TRLByteWriter::TRLByteWriter(QIODevice& device, QString target)
    : m_device(&device)
    , m_target(std::move(target))
{
}

TRLByteWriter::TRLByteWriter(QByteArray& bytes, QString target)
    : m_bytes(&bytes)
    , m_target(std::move(target))
{
    m_bytes->resize(0);
}

TRLByteWriter::~TRLByteWriter()
{
    if (m_bytes)
        m_bytes->resize(m_end);
}

QByteArrayView TRLByteWriter::Written() const
{
    return m_bytes ? QByteArrayView(m_bytes->constData(), m_end) : QByteArrayView();
}

void TRLByteWriter::Reserve(qint64 end)
{
    if (end <= m_room)
        return;
    m_bytes->resize(std::max({ end, m_bytes->capacity(), 2 * m_bytes->size() }));
    m_data = m_bytes->data();
    m_room = m_bytes->size();
}

// The fixed-size writes copy a constant count, which compiles to a plain store: a page record is
// millions of small fields.
template<class T> void TRLByteWriter::WriteFixed(T value)
{
    const T little = qToLittleEndian(value);
    if (!m_bytes) {
        WriteBytes(QByteArrayView(reinterpret_cast<const char*>(&little), sizeof little));
        return;
    }
    const qint64 end = m_position + qint64(sizeof little);
    if (end > m_room)
        Reserve(end);
    std::memcpy(m_data + m_position, &little, sizeof little);
    m_position = end;
    m_end = std::max(m_end, end);
}

void TRLByteWriter::WriteUInt8(quint8 value)
{
    WriteFixed(value);
}

void TRLByteWriter::WriteUInt16(quint16 value)
{
    WriteFixed(value);
}

void TRLByteWriter::WriteInt32(qint32 value)
{
    WriteFixed(value);
}

void TRLByteWriter::WriteBytes(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_bytes) {
        const qint64 end = m_position + bytes.size();
        Reserve(end);
        std::memcpy(m_data + m_position, bytes.data(), std::size_t(bytes.size()));
        m_position = end;
        m_end = std::max(m_end, end);
        return;
    }
    if (!WriteWhole(*m_device, bytes))
        RaiseCannotWrite(m_target, m_device->errorString());
}

void TRLByteWriter::WriteText(QStringView text)
{
    WriteCountedBytes(ToWindows1252(text));
}

void TRLByteWriter::WriteCountedBytes(QByteArrayView bytes)
{
    if (bytes.size() > std::numeric_limits<qint32>::max())
        throw EReportError(QCoreApplication::translate(
            "TRLByteWriter", "Cannot write %1: a string of %2 bytes exceeds the 32-bit length field")
                               .arg(m_target)
                               .arg(bytes.size()));
    WriteInt32(qint32(bytes.size()));
    WriteBytes(bytes);
}

qint64 TRLByteWriter::BeginSized()
{
    const qint64 sizeField = Position();
    WriteInt32(0);
    return sizeField;
}

void TRLByteWriter::EndSized(qint64 sizeField)
{
    const qint64 end = Position();
    const qint64 size = end - sizeField - kSizeFieldBytes;
    if (size > std::numeric_limits<qint32>::max())
        throw EReportError(QCoreApplication::translate(
            "TRLByteWriter", "Cannot write %1: a body of %2 bytes exceeds the 32-bit size field")
                               .arg(m_target)
                               .arg(size));
    Seek(sizeField);
    WriteInt32(qint32(size));
    Seek(end);
}

qint64 TRLByteWriter::Position() const
{
    return m_bytes ? m_position : m_device->pos();
}

void TRLByteWriter::Seek(qint64 position)
{
    if (m_bytes) {
        if (position < 0 || position > m_end)
            throw EReportError(QCoreApplication::translate(
                "TRLByteWriter", "Cannot write %1: position %2 is outside the %3 bytes written")
                                   .arg(m_target)
                                   .arg(position)
                                   .arg(m_end));
        m_position = position;
        return;
    }
    if (!m_device->seek(position))
        RaiseCannotWrite(m_target, m_device->errorString());
}

void TRLByteWriter::SeekToEnd()
{
    Seek(m_bytes ? m_end : m_device->size());
}
