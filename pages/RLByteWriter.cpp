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
    // In memory the text is encoded in place, behind its count, without a byte array of its own.
    if (!m_bytes || text.size() > std::numeric_limits<qint32>::max()) {
        WriteCountedBytes(ToWindows1252(text));
        return;
    }
    const qint64 countField = m_position;
    Reserve(countField + kSizeFieldBytes + text.size());
    const qsizetype count = ToWindows1252(text, m_data + countField + kSizeFieldBytes);
    WriteInt32(qint32(count));
    m_position = countField + kSizeFieldBytes + count;
    m_end = std::max(m_end, m_position);
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
