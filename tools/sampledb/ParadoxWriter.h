#pragma once

#include "db/ParadoxFormat.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <vector>

/// One column of a table to write.
struct TPxColumn {
    QString name;
    paradox::TPxFieldType type;
    /// Width of alpha fields; leader + 10 for memo and graphic; ignored for fixed-size types.
    int size = 0;
};

/// The bytes of a written table: the .DB and, when it has blob fields, the .MB (else empty).
struct TPxFiles {
    QByteArray db;
    QByteArray mb;
};

/// Writes a non-keyed version 7 table as the original engine lays one out: alpha, number, long,
/// date, logical, memo and graphic fields, code page 1252. Values as the reader returns them: QString,
/// double, int, QDate, bool, QByteArray (a graphic's BMP file, without the engine header); a null
/// QVariant is NULL.
class TPxTableWriter {
public:
    TPxTableWriter(const QString& tableName, std::vector<TPxColumn> columns);

    /// Throws EReportError naming the table, record and field when a value does not fit its field.
    void AddRecord(const std::vector<QVariant>& values);
    TPxFiles Write() const;

private:
    /// The .MB being built, with the type-3 block that small blobs currently go to.
    struct TBlobFile {
        QByteArray& bytes;
        qsizetype suballocated = -1;
        int nextSlot = -1;
        int nextChunk = 0;
    };
    bool HasBlobFields() const;
    QByteArray WriteHeader(int blockCount, int blockSizeCode) const;
    QByteArray EncodeText(const QString& text) const;
    void EncodeValue(QByteArray& record, int offset, const TPxColumn& column, const QVariant& value, int row,
        TBlobFile& blobs) const;
    void EncodeBlob(QByteArray& record, int offset, const TPxColumn& column, const QByteArray& blob,
        const QByteArray& leaderCopy, TBlobFile& blobs) const;
    [[noreturn]] void Fail(int row, const QString& field, const QString& fault) const;

    QString m_tableName;
    std::vector<TPxColumn> m_columns;
    std::vector<int> m_sizes;
    int m_recordSize = 0;
    std::vector<std::vector<QVariant>> m_records;
};

/// Writes NAME.DB (and NAME.MB when there is one) into `directory` without leaving a partial file;
/// throws EReportError naming the file on failure.
void SaveTableFiles(const QString& directory, const QString& fileName, const TPxFiles& files);
