#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <string>

class QIODevice;

/// Record types that more than one writer needs.
constexpr quint16 kRecordContinue = 0x003C;

/// Where a string of a string table starts: its stream position, and its offset inside its
/// record counted from the record's header.
struct TRLXLSStringPlace {
    qint64 StreamPosition = 0;
    quint16 RecordOffset = 0;
};

/// BIFF8 record output, little-endian. This is the only place that writes record headers and
/// CONTINUE records: a record is built between Begin and End. Output is gathered in memory and
/// reaches the device in large pieces, so that a record costs no call into the device; Flush
/// before the device is used in any other way. Write failures throw EReportError naming `target`.
class TRLXLSRecordWriter {
public:
    /// Data bytes of one record at most; more continue in CONTINUE records.
    static constexpr int kMaxRecordData = 8224;
    /// Type and length.
    static constexpr int kRecordHeaderSize = 4;

    TRLXLSRecordWriter(QIODevice& device, QString target);
    TRLXLSRecordWriter(const TRLXLSRecordWriter&) = delete;
    TRLXLSRecordWriter& operator=(const TRLXLSRecordWriter&) = delete;

    void Begin(quint16 type);
    void WriteUInt8(quint8 value);
    void WriteUInt16(quint16 value);
    void WriteUInt32(quint32 value);
    void WriteDouble(double value);
    void WriteBytes(QByteArrayView bytes);
    /// UTF-16LE code units, no count.
    void WriteCharacters(QStringView text);
    /// Character count (16 bits), flag 1, characters.
    void WriteString16(QStringView text);
    /// Character count (8 bits), flag 1, characters; the caller keeps the text under 256.
    void WriteString8(QStringView text);
    /// Ends the record (with CONTINUE records past kMaxRecordData) and returns the stream
    /// position of its header.
    qint64 End();

    /// A whole record as stored, header included.
    void WriteStoredRecord(QByteArrayView record);

    /// Starts a string table: strings never split their count and flag, a CONTINUE record starts
    /// before a string when 4 bytes or fewer remain, and a string that does not fit is split at
    /// an even byte count and goes on after a flag byte 1. End closes it.
    void BeginStringTable(quint16 type);
    TRLXLSStringPlace WriteTableString(QStringView text);

    /// Stream position of the next byte, whether gathered or already in the device.
    qint64 Position() const { return m_bufferStart + qint64(m_buffer.size()); }
    /// Overwrites bytes already written (a record's data fixed later), in memory while they are
    /// still there, else in the device, which then goes back to its end.
    void Patch(qint64 position, QByteArrayView bytes);
    void PatchUInt32(qint64 position, quint32 value);
    /// Hands every finished record to the device.
    void Flush();
    const QString& Target() const { return m_target; }

private:
    /// Ends the part gathered so far as one record and goes on with a CONTINUE record.
    void FlushPart();
    void BeginPart(quint16 type);
    void EndPart();
    qsizetype PartSize() const { return qsizetype(m_buffer.size()) - m_partHeader - kRecordHeaderSize; }
    void FlushWhenFull();
    void WriteDevice(qsizetype length);

    QIODevice& m_device;
    QString m_target;
    /// Bytes not yet in the device: finished records, then the open record's parts. A plain
    /// string, whose small appends cost less than a QByteArray's.
    std::string m_buffer;
    /// Device position of the buffer's first byte.
    qint64 m_bufferStart = 0;
    /// Buffer offset of the header of the open record, or of its current CONTINUE part.
    qsizetype m_partHeader = 0;
    quint16 m_type = 0;
    bool m_open = false;
    bool m_stringTable = false;
    qint64 m_recordStart = 0;
};
