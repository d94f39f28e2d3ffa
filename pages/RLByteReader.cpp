#include "pages/RLByteReader.h"

#include "platform/Exceptions.h"
#include "support/Windows1252.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QtEndian>
#include <cstring>

TRLByteReader::TRLByteReader(QIODevice& device, QString source, qint64 limit)
    : m_device(&device)
    , m_source(std::move(source))
    , m_limit(limit < 0 ? device.size() : limit)
{
}

TRLByteReader::TRLByteReader(QByteArray bytes, QString source)
    : m_bytes(std::move(bytes))
    , m_position(std::make_shared<qint64>(0))
    , m_source(std::move(source))
    , m_limit(m_bytes.size())
{
}

TRLByteReader::TRLByteReader(const TRLByteReader& parent, qint64 limit)
    : m_device(parent.m_device)
    , m_bytes(parent.m_bytes)
    , m_position(parent.m_position)
    , m_source(parent.m_source)
    , m_limit(limit)
{
}

void TRLByteReader::Fail(QStringView field, QStringView problem) const
{
    FailAt(Position(), field, problem);
}

void TRLByteReader::FailAt(qint64 position, QStringView field, QStringView problem) const
{
    throw EReportError(QCoreApplication::translate("TRLByteReader", "%1: %2 at byte %3: %4")
                           .arg(m_source, field)
                           .arg(position)
                           .arg(problem));
}

void TRLByteReader::CheckLength(qint64 start, qint64 length, QStringView field) const
{
    if (length < 0)
        FailAt(start, field, QCoreApplication::translate("TRLByteReader", "negative length %1").arg(length));
    if (length > Remaining())
        FailAt(start, field,
            QCoreApplication::translate("TRLByteReader", "%1 byte(s) needed, %2 left")
                .arg(length)
                .arg(Remaining()));
}

QByteArray TRLByteReader::ReadBytes(qint64 count, QStringView field)
{
    CheckLength(Position(), count, field);
    if (!m_device) {
        QByteArray bytes = m_bytes.sliced(*m_position, count);
        *m_position += count;
        return bytes;
    }
    QByteArray bytes = m_device->read(count);
    if (bytes.size() != count)
        Fail(field,
            QCoreApplication::translate("TRLByteReader", "the data ends early (%1)")
                .arg(m_device->errorString()));
    return bytes;
}

void TRLByteReader::ReadInto(char* buffer, qint64 count, QStringView field)
{
    CheckLength(Position(), count, field);
    if (!m_device) {
        std::memcpy(buffer, m_bytes.constData() + *m_position, std::size_t(count));
        *m_position += count;
        return;
    }
    if (m_device->read(buffer, count) != count)
        Fail(field,
            QCoreApplication::translate("TRLByteReader", "the data ends early (%1)")
                .arg(m_device->errorString()));
}

// A page record in memory is read field by field, millions of them per report: a field that fits
// is copied at once, and only one that does not goes the long way, to its error.
template<class T> T TRLByteReader::ReadFixed(QStringView field)
{
    if (!m_device && m_limit - *m_position >= qint64(sizeof(T))) {
        T value;
        std::memcpy(&value, m_bytes.constData() + *m_position, sizeof value);
        *m_position += qint64(sizeof value);
        return qFromLittleEndian(value);
    }
    char bytes[sizeof(T)];
    ReadInto(bytes, sizeof bytes, field);
    return qFromLittleEndian<T>(bytes);
}

quint8 TRLByteReader::ReadUInt8(QStringView field)
{
    return ReadFixed<quint8>(field);
}

quint16 TRLByteReader::ReadUInt16(QStringView field)
{
    return ReadFixed<quint16>(field);
}

qint32 TRLByteReader::ReadInt32(QStringView field)
{
    return ReadFixed<qint32>(field);
}

QString TRLByteReader::ReadText(QStringView field)
{
    return FromWindows1252(ReadCountedBytes(field));
}

QByteArray TRLByteReader::ReadCountedBytes(QStringView field)
{
    const qint64 start = Position();
    const qint32 count = ReadInt32(field);
    CheckLength(start, count, field);
    return ReadBytes(count, field);
}

qint32 TRLByteReader::ReadCount(qint64 itemSize, QStringView field)
{
    const qint64 start = Position();
    const qint32 count = ReadInt32(field);
    if (count < 0)
        FailAt(start, field, QCoreApplication::translate("TRLByteReader", "negative count %1").arg(count));
    if (qint64(count) * itemSize > Remaining())
        FailAt(start, field,
            QCoreApplication::translate(
                "TRLByteReader", "%1 items of at least %2 bytes do not fit in the %3 bytes left")
                .arg(count)
                .arg(itemSize)
                .arg(Remaining()));
    return count;
}

void TRLByteReader::Skip(qint64 count, QStringView field)
{
    CheckLength(Position(), count, field);
    Seek(Position() + count, field);
}

qint64 TRLByteReader::Position() const
{
    return m_device ? m_device->pos() : *m_position;
}

void TRLByteReader::Seek(qint64 position, QStringView field)
{
    if (position < 0 || position > m_limit)
        Fail(field,
            QCoreApplication::translate("TRLByteReader", "position %1 is outside the %2 bytes")
                .arg(position)
                .arg(m_limit));
    if (!m_device) {
        *m_position = position;
        return;
    }
    if (!m_device->seek(position))
        Fail(field,
            QCoreApplication::translate("TRLByteReader", "cannot seek to %1 (%2)")
                .arg(position)
                .arg(m_device->errorString()));
}

qint64 TRLByteReader::Remaining() const
{
    return m_limit - Position();
}

TRLByteReader TRLByteReader::Sub(qint64 length, QStringView field)
{
    CheckLength(Position(), length, field);
    return TRLByteReader(*this, Position() + length);
}
