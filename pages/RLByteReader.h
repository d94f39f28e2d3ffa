#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>

class QIODevice;

/// Little-endian reader for the page record and the page file, bounded by a limit so that every
/// count and length is checked against the bytes left before anything is allocated. Reading past
/// the limit throws EReportError naming `source` and the field being read.
class TRLByteReader {
public:
    /// Reads from the device's current position up to `limit` (an absolute position), or to the
    /// device's end when `limit` is negative.
    TRLByteReader(QIODevice& device, QString source, qint64 limit = -1);
    /// Reads `bytes` from their start; a page record is read in one piece and parsed this way,
    /// since a file seeks with a system call at every object.
    TRLByteReader(QByteArray bytes, QString source);

    quint8 ReadUInt8(QStringView field);
    quint16 ReadUInt16(QStringView field);
    qint32 ReadInt32(QStringView field);
    QByteArray ReadBytes(qint64 count, QStringView field);
    /// Int32 byte count (checked against the bytes left), then Windows-1252 bytes.
    QString ReadText(QStringView field);
    /// Int32 byte count, then the bytes as they are.
    QByteArray ReadCountedBytes(QStringView field);
    /// A count of items of `itemSize` bytes each, refused when negative or beyond the bytes left.
    qint32 ReadCount(qint64 itemSize, QStringView field);
    void Skip(qint64 count, QStringView field);

    qint64 Position() const;
    /// Moves within the bounds; refused beyond the limit.
    void Seek(qint64 position, QStringView field);
    qint64 Remaining() const;
    qint64 Limit() const { return m_limit; }
    /// A reader of the next `length` bytes only (checked against the bytes left).
    TRLByteReader Sub(qint64 length, QStringView field);
    const QString& Source() const { return m_source; }

    /// The error for a malformed field, naming the source, the field and the position.
    [[noreturn]] void Fail(QStringView field, QStringView problem) const;
    [[noreturn]] void FailAt(qint64 position, QStringView field, QStringView problem) const;

private:
    void ReadInto(char* buffer, qint64 count, QStringView field);
    template<class T> T ReadFixed(QStringView field);
    /// Refuses a negative length or one beyond the bytes left; `start` is where its field began.
    void CheckLength(qint64 start, qint64 length, QStringView field) const;

    TRLByteReader(const TRLByteReader& parent, qint64 limit);

    QIODevice* m_device = nullptr;
    /// In memory, the bytes and the position shared with the readers made by Sub, as a device
    /// shares its position.
    QByteArray m_bytes;
    std::shared_ptr<qint64> m_position;
    QString m_source;
    qint64 m_limit;
};
