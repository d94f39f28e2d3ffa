#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

class QIODevice;

/// Little-endian writer for the page record and the page file, onto a device or into memory.
/// Write failures throw EReportError naming `target` (a file name or "page record").
class TRLByteWriter {
public:
    TRLByteWriter(QIODevice& device, QString target);
    /// Writes into `bytes` from its start, growing it as needed; a page record is built this way
    /// and handed to its file in one write, since seeking back to fill size fields would
    /// otherwise flush the file at every object.
    TRLByteWriter(QByteArray& bytes, QString target);

    void WriteUInt8(quint8 value);
    void WriteUInt16(quint16 value);
    void WriteInt32(qint32 value);
    void WriteBytes(QByteArrayView bytes);
    /// Int32 byte count, then the Windows-1252 bytes ('?' for a character it lacks).
    void WriteText(QStringView text);
    /// Int32 byte count, then the bytes as they are.
    void WriteCountedBytes(QByteArrayView bytes);

    /// Reserves an int32 size field and returns its position.
    qint64 BeginSized();
    /// Fills the size field with the byte count written after it.
    void EndSized(qint64 sizeField);

    qint64 Position() const;
    void Seek(qint64 position);
    void SeekToEnd();
    const QString& Target() const { return m_target; }

private:
    QIODevice* m_device = nullptr;
    QByteArray* m_bytes = nullptr;
    qint64 m_position = 0;
    QString m_target;
};
