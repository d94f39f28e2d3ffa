#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// An independent reader of the files the spreadsheet output writes: the compound document's
// sector chains and directory, and the BIFF records of the workbook stream. Faults come back as
// texts, so that a test shows what is wrong instead of crashing.

struct TXLSTestStream {
    QByteArray Bytes;
    /// Empty when the document is sound.
    QString Error;
    int AllocationSectors = 0;
    int ExtraTableSectors = 0;
};

/// The "Workbook" stream of a compound document, after checking the header, the allocation
/// table (with its extra sectors), the directory and the stream's chain against its size.
TXLSTestStream ReadCompoundStream(const QByteArray& file);

struct TXLSTestRecord {
    quint16 Type = 0;
    /// Stream position of the record's header.
    qint64 Offset = 0;
    QByteArray Data;
};

/// Every record of the stream, checking that each lies inside it, holds at most 8224 bytes and
/// that CONTINUE comes only after SST (or its CONTINUE) or after a record of 8224 bytes. Zeros
/// after the last EOF are padding and end the walk.
std::vector<TXLSTestRecord> WalkRecords(const QByteArray& stream, QString* error);

/// The records of one substream: the globals (0) or a sheet (1, 2, ...), BOF to EOF.
std::vector<TXLSTestRecord> Substream(const std::vector<TXLSTestRecord>& records, int index);
/// Records of one type.
std::vector<TXLSTestRecord> RecordsOfType(const std::vector<TXLSTestRecord>& records, quint16 type);
/// The strings of the SST record with its CONTINUE records.
QStringList SharedStrings(const std::vector<TXLSTestRecord>& records);

quint16 U16(const QByteArray& data, int offset);
quint32 U32(const QByteArray& data, int offset);
double F64(const QByteArray& data, int offset);
/// A counted 16-bit-character string (count of `countBytes`, flag 1) at offset.
QString CountedString(const QByteArray& data, int offset, int countBytes);

QByteArray ReadWholeFile(const QString& fileName);

/// A python with xlrd (Debian's interpreter first, since a user-level one may lack the module),
/// looked up once; empty when there is none.
QString PythonWithXlrd();
/// xlrd's dump of the workbook (tests/filters/xls_dump.py); `error` gets xlrd's complaint when
/// it cannot read the file.
QString XlrdDump(const QString& fileName, QString* error);
