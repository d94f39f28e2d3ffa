#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtEndian>
#include <QtGlobal>
#include <cstring>

class QIODevice;

/// Little-endian writer for the page record and the page file, onto a device or into memory.
/// Write failures throw EReportError naming `target` (a file name or "page record").
class TRLByteWriter {
public:
    TRLByteWriter(QIODevice& device, QString target);
    /// Writes into `bytes` from its start; a page record is built this way and handed to its
    /// file in one write, since seeking back to fill size fields would otherwise flush the file
    /// at every object. While writing, `bytes` may hold spare room past the end: use Written(),
    /// or `bytes` once the writer is gone.
    TRLByteWriter(QByteArray& bytes, QString target);
    ~TRLByteWriter();
    TRLByteWriter(const TRLByteWriter&) = delete;
    TRLByteWriter& operator=(const TRLByteWriter&) = delete;

    // Inline: a page record is millions of small fields, and a call each would cost more than
    // the store.
    void WriteUInt8(quint8 value) { WriteFixed(value); }
    void WriteUInt16(quint16 value) { WriteFixed(value); }
    void WriteInt32(qint32 value) { WriteFixed(value); }
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
    /// In memory, the bytes written so far.
    QByteArrayView Written() const;

private:
    /// Makes room in memory up to `end`, doubling, so that a field costs no reallocation.
    void Reserve(qint64 end);
    template<class T> void WriteFixed(T value)
    {
        const T little = qToLittleEndian(value);
        const qint64 end = m_position + qint64(sizeof little);
        if (!m_bytes || end > m_room) {
            WriteBytes(QByteArrayView(reinterpret_cast<const char*>(&little), sizeof little));
            return;
        }
        std::memcpy(m_data + m_position, &little, sizeof little);
        m_position = end;
        if (end > m_end)
            m_end = end;
    }

    QIODevice* m_device = nullptr;
    QByteArray* m_bytes = nullptr;
    qint64 m_position = 0;
    /// In memory, the bytes written; `m_bytes` is larger while the writer works.
    qint64 m_end = 0;
    /// In memory, `m_bytes`'s data and size, kept so that a field costs no call into it.
    char* m_data = nullptr;
    qint64 m_room = 0;
    QString m_target;
};
