#pragma once

#include "db/Field.h"
#include "db/ParadoxFormat.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class TPxByteSource;

/// One column of a Paradox table as its header describes it.
struct TPxField {
    QString name;
    paradox::TPxFieldType type;
    /// The header's size byte: the width for alpha and bytes, the decimals for BCD, leader + 10 for blobs.
    int sizeByte = 0;
    /// Bytes the field takes in a record.
    int storedSize = 0;
    /// Offset within the record.
    int offset = 0;
};

/// Memo, binary, formatted memo, OLE and graphic: fields whose value may live in the .MB.
bool IsPxBlobType(paradox::TPxFieldType type);
/// The field kind a Paradox column is read as.
TFieldType FieldTypeOf(paradox::TPxFieldType type);
/// "alpha", "number", "memo"...: the Paradox names, for messages and pxdump.
QString PxFieldTypeName(paradox::TPxFieldType type);

/// What a reader does with damage that loses records: refuse the table, or read what is left and
/// warn (for tools that inspect damaged tables).
enum class TPxLostRecords { Refuse, Warn };

/// A Paradox table (versions 3 to 7) read from its bytes. Nothing in the file is trusted: every size,
/// count, block number and blob reference is checked, and a fault throws EReportError naming the file
/// and what is wrong. Files are only read.
///
/// A table read from its files keeps only the header and an index of its blocks in memory; records and
/// blobs are read when asked for, through a small cache. A file that changes while it is read makes
/// the next read from it throw EReportError instead of mixing two versions of the table.
class TParadoxReader {
public:
    /// Text code page assumed for version 3 tables, which do not record theirs.
    static constexpr int kDefaultDosCodePage = 437;

    /// Opens `path` (the .DB) and, when the table has blob fields, the .MB beside it (any case of the
    /// extension); a missing .MB is then an error. Both stay open until the reader is destroyed.
    /// Anything but a regular file no larger than the format allows is refused before reading.
    static TParadoxReader FromFile(const QString& path, TPxLostRecords lost = TPxLostRecords::Refuse);
    /// A table from its bytes; `blobs` holds the .MB contents, if there is one. `fileName` names the
    /// table in messages.
    TParadoxReader(QByteArray table, std::optional<QByteArray> blobs, const QString& fileName,
        TPxLostRecords lost = TPxLostRecords::Refuse);
    ~TParadoxReader();
    TParadoxReader(TParadoxReader&&) noexcept;
    TParadoxReader& operator=(TParadoxReader&&) noexcept;

    const QString& FileName() const { return m_fileName; }
    /// The header's version byte: 3 = 3.0, 4 = 3.5, 5..9 = 4.x, 10..11 = 5.x, 12 = 7.
    int Version() const { return m_version; }
    /// The code page the text is decoded from (0 only with a sort order naming another character set).
    int CodePage() const { return m_codePage; }
    /// The name the table had when created, from the header.
    const QString& TableName() const { return m_tableName; }
    const QString& SortOrderId() const { return m_sortOrderId; }
    bool Keyed() const { return m_keyed; }
    int RecordSize() const { return m_recordSize; }
    /// The count the header claims; RecordCount is what the blocks hold.
    qint64 HeaderRecordCount() const { return m_headerRecordCount; }
    int RecordCount() const { return m_recordCount; }
    const std::vector<TPxField>& Fields() const { return m_fields; }
    /// Doubts that did not stop the read (count mismatch, unknown code page...).
    const QStringList& Warnings() const { return m_warnings; }
    /// Damage the read worked around without losing a record; the operator should hear of it.
    const QStringList& Repairs() const { return m_repairs; }

    bool IsNull(int record, int field) const;
    /// The decoded value (types as TFieldType documents; graphics keep their 8-byte header), null for
    /// NULL. Throws EReportError naming file, record and field for a value that cannot be read.
    QVariant Value(int record, int field) const;
    /// The raw bytes of a blob field as stored (from the leader or the .MB); empty for NULL.
    QByteArray BlobBytes(int record, int field) const;

private:
    /// Reads the header and checks the fields; ReadData must follow.
    TParadoxReader(std::unique_ptr<TPxByteSource> table, const QString& fileName, TPxLostRecords lost);
    void ReadData(std::unique_ptr<TPxByteSource> blobs);
    bool HasBlobFields() const;
    void RequireBytes(qint64 offset, int size) const;
    quint8 U8(qint64 offset) const;
    quint16 U16(qint64 offset) const;
    quint32 U32(qint64 offset) const;
    void ReadHeader();
    void ReadVariablePart();
    void CheckFields();
    void CheckEncryption() const;
    void ChooseCodePage();
    void Warn(const QString& doubt) const;
    struct TBlock;
    TBlock ReadBlock(int block, qint64 blocksInFile, int firstRecord, int& next) const;
    void ReadBlockChain();
    void ReadBlocksInFileOrder(qint64 chainRecords, int lastBlock, qint64 blocksInFile);
    void CheckBlobFile() const;
    QString Decode(QByteArrayView bytes) const;
    qint64 BlockOffset(int block) const;
    /// The run of blocks read together with `block`, and where `block` starts in it.
    QByteArray BlockRun(int block, qsizetype& blockStart) const;
    QByteArrayView FieldBytes(int record, int field) const;
    QByteArray BlobFromBlobFile(
        int record, int field, quint32 offsetAndIndex, quint32 length, quint16 modNumber) const;
    QVariant DecodeBcd(QByteArrayView bytes, int decimals) const;
    [[noreturn]] void Fail(const QString& fault) const;
    [[noreturn]] void FailValue(int record, int field, const QString& fault) const;

    std::unique_ptr<TPxByteSource> m_table;
    std::unique_ptr<TPxByteSource> m_blobs;
    /// The file's first bytes while the header is read; empty afterwards.
    QByteArray m_header;
    QString m_fileName;
    int m_version = 0;
    int m_codePage = 0;
    QString m_tableName;
    QString m_sortOrderId;
    bool m_keyed = false;
    int m_recordSize = 0;
    int m_headerSize = 0;
    int m_blockSize = 0;
    qint64 m_headerRecordCount = 0;
    int m_firstBlock = 0;
    std::vector<TPxField> m_fields;
    /// The chain's blocks that hold records, in reading order; records are located through them, never
    /// through a table as long as the record count.
    struct TBlock {
        int firstRecord;
        quint16 number;
        quint16 count;
    };
    std::vector<TBlock> m_blocks;
    /// The block last read from, which the next records most likely come from, and its first record
    /// in m_currentBytes.
    mutable TBlock m_current { 0, 0, 0 };
    mutable QByteArray m_currentBytes;
    mutable qsizetype m_currentRecords = 0;
    int m_recordCount = 0;
    bool m_extended = false;
    mutable QStringList m_warnings;
    QStringList m_repairs;
    TPxLostRecords m_lost = TPxLostRecords::Refuse;
    /// Single-byte code pages decode through this table; multi-byte ones through m_decoder.
    std::optional<std::array<char16_t, 256>> m_byteTable;
    mutable QStringDecoder m_decoder;
};
