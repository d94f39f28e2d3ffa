#include "pages/RLByteWriter.h"

#include "pages/RLCodePage.h"
#include "platform/Exceptions.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>
#include <limits>

namespace {

constexpr qint64 kSizeFieldBytes = sizeof(qint32);

[[noreturn]] void RaiseWriteError(const QString& target, const QIODevice& device)
{
    throw EReportError(QStringLiteral("Cannot write %1: %2").arg(target, device.errorString()));
}

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

void TRLByteWriter::WriteUInt8(quint8 value)
{
    WriteBytes(QByteArrayView(reinterpret_cast<const char*>(&value), 1));
}

void TRLByteWriter::WriteUInt16(quint16 value)
{
    const quint16 little = qToLittleEndian(value);
    WriteBytes(QByteArrayView(reinterpret_cast<const char*>(&little), sizeof little));
}

void TRLByteWriter::WriteInt32(qint32 value)
{
    const qint32 little = qToLittleEndian(value);
    WriteBytes(QByteArrayView(reinterpret_cast<const char*>(&little), sizeof little));
}

void TRLByteWriter::WriteBytes(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_bytes) {
        const qint64 end = m_position + bytes.size();
        if (end > m_bytes->size())
            m_bytes->resize(end);
        std::memcpy(m_bytes->data() + m_position, bytes.data(), std::size_t(bytes.size()));
        m_position = end;
        return;
    }
    if (m_device->write(bytes.data(), bytes.size()) != bytes.size())
        RaiseWriteError(m_target, *m_device);
}

void TRLByteWriter::WriteText(QStringView text)
{
    WriteCountedBytes(ToWindows1252(text));
}

void TRLByteWriter::WriteCountedBytes(QByteArrayView bytes)
{
    if (bytes.size() > std::numeric_limits<qint32>::max())
        throw EReportError(
            QStringLiteral("Cannot write %1: a string of %2 bytes exceeds the 32-bit length field")
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
        throw EReportError(QStringLiteral("Cannot write %1: a body of %2 bytes exceeds the 32-bit size field")
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
        if (position < 0 || position > m_bytes->size())
            throw EReportError(QStringLiteral("Cannot write %1: position %2 is outside the %3 bytes written")
                                   .arg(m_target)
                                   .arg(position)
                                   .arg(m_bytes->size()));
        m_position = position;
        return;
    }
    if (!m_device->seek(position))
        RaiseWriteError(m_target, *m_device);
}

void TRLByteWriter::SeekToEnd()
{
    Seek(m_bytes ? m_bytes->size() : m_device->size());
}
