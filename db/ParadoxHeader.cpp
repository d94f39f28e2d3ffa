#include "db/DbErrors.h"
#include "db/ParadoxByteSource_p.h"
#include "db/ParadoxReader.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QtEndian>
#include <algorithm>

using namespace paradox;

namespace {

constexpr int kMaxWarnings = 20;
constexpr char16_t kReplacementCharacter = 0xFFFD;

struct TCodePageName {
    int number;
    const char* name;
};
constexpr TCodePageName kCodePages[] = { { 437, "IBM437" }, { 737, "IBM737" }, { 850, "IBM850" },
    { 852, "IBM852" }, { 857, "IBM857" }, { 860, "IBM860" }, { 861, "IBM861" }, { 862, "IBM862" },
    { 863, "IBM863" }, { 865, "IBM865" }, { 866, "IBM866" }, { 932, "Shift_JIS" }, { 936, "GBK" },
    { 1250, "windows-1250" }, { 1251, "windows-1251" }, { 1252, "windows-1252" }, { 1253, "windows-1253" },
    { 1254, "windows-1254" }, { 1255, "windows-1255" } };
constexpr int kMultiByteCodePages[] = { 932, 936 };
/// Tables with code page 0 name their character set only through the sort order.
constexpr QStringView kRoman8SortOrder = u"BLROM800";
constexpr char kRoman8Name[] = "hp-roman8";

const char* CodePageName(int number)
{
    for (const TCodePageName& page : kCodePages)
        if (page.number == number)
            return page.name;
    return nullptr;
}

/// Sizes of the types that have a fixed one; 0 for the sized ones.
int FixedSize(TPxFieldType type)
{
    switch (type) {
    case TPxFieldType::Date:
    case TPxFieldType::Long:
    case TPxFieldType::Time:
    case TPxFieldType::AutoIncrement:
        return 4;
    case TPxFieldType::Short:
        return 2;
    case TPxFieldType::Currency:
    case TPxFieldType::Number:
    case TPxFieldType::Timestamp:
        return 8;
    case TPxFieldType::Logical:
        return 1;
    default:
        return 0;
    }
}

bool IsKnownType(quint8 code)
{
    switch (TPxFieldType(code)) {
    case TPxFieldType::Alpha:
    case TPxFieldType::Date:
    case TPxFieldType::Short:
    case TPxFieldType::Long:
    case TPxFieldType::Currency:
    case TPxFieldType::Number:
    case TPxFieldType::Logical:
    case TPxFieldType::Memo:
    case TPxFieldType::Binary:
    case TPxFieldType::FormattedMemo:
    case TPxFieldType::Ole:
    case TPxFieldType::Graphic:
    case TPxFieldType::Time:
    case TPxFieldType::Timestamp:
    case TPxFieldType::AutoIncrement:
    case TPxFieldType::Bcd:
    case TPxFieldType::Bytes:
        return true;
    }
    return false;
}

/// Text up to the first NUL of a fixed-width area.
QByteArrayView UpToNul(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.first(end);
}

} // namespace

TParadoxReader::TParadoxReader(
    QByteArray table, std::optional<QByteArray> blobs, const QString& fileName, TPxLostRecords lost)
    : TParadoxReader(std::make_unique<TPxMemorySource>(std::move(table)), fileName, lost)
{
    ReadData(blobs ? std::make_unique<TPxMemorySource>(std::move(*blobs)) : nullptr);
}

TParadoxReader::TParadoxReader(
    std::unique_ptr<TPxByteSource> table, const QString& fileName, TPxLostRecords lost)
    : m_table(std::move(table))
    , m_fileName(fileName)
    , m_lost(lost)
{
    m_header = m_table->Peek(0, qsizetype(std::min<qint64>(m_table->Size(), kMaxHeaderSize)));
    ReadHeader();
    ReadVariablePart();
    CheckFields();
    m_header = QByteArray();
}

TParadoxReader::~TParadoxReader() = default;
TParadoxReader::TParadoxReader(TParadoxReader&&) noexcept = default;
TParadoxReader& TParadoxReader::operator=(TParadoxReader&&) noexcept = default;

void TParadoxReader::ReadData(std::unique_ptr<TPxByteSource> blobs)
{
    m_blobs = std::move(blobs);
    if (HasBlobFields()) {
        if (!m_blobs)
            Fail(QStringLiteral("the table has blob fields but its blob file (.MB) is missing"));
        CheckBlobFile();
    }
    ReadBlockChain();
    // The headers were read unchecked; the index built on them must belong to the version opened.
    m_table->CheckUnchanged();
    if (m_blobs)
        m_blobs->CheckUnchanged();
}

bool TParadoxReader::HasBlobFields() const
{
    return std::any_of(
        m_fields.begin(), m_fields.end(), [](const TPxField& f) { return IsPxBlobType(f.type); });
}

void TParadoxReader::RequireBytes(qint64 offset, int size) const
{
    // The header is at most kMaxHeaderSize bytes, all of which m_header holds when the file has them.
    if (offset < 0 || offset + size > m_header.size())
        Fail(QStringLiteral("truncated: byte %1 lies past the end of the file (%2 bytes)")
                 .arg(offset + size - 1)
                 .arg(m_table->Size()));
}

quint8 TParadoxReader::U8(qint64 offset) const
{
    RequireBytes(offset, 1);
    return quint8(m_header[offset]);
}

quint16 TParadoxReader::U16(qint64 offset) const
{
    RequireBytes(offset, 2);
    return qFromLittleEndian<quint16>(m_header.constData() + offset);
}

quint32 TParadoxReader::U32(qint64 offset) const
{
    RequireBytes(offset, 4);
    return qFromLittleEndian<quint32>(m_header.constData() + offset);
}

void TParadoxReader::ReadHeader()
{
    if (m_table->Size() < kFixedHeaderSize)
        Fail(QStringLiteral("truncated: %1 bytes, but the header alone takes %2")
                 .arg(m_table->Size())
                 .arg(kFixedHeaderSize));
    m_recordSize = U16(kRecordSizeOffset);
    m_headerSize = U16(kHeaderSizeOffset);
    const int fileType = U8(kFileTypeOffset);
    const int maxTableSize = U8(kMaxTableSizeOffset);
    m_headerRecordCount = U32(kNumRecordsOffset);
    m_firstBlock = U16(kFirstBlockOffset);
    const int numFields = qint16(U16(kNumFieldsOffset));
    m_version = U8(kFileVersionOffset);

    if (fileType != kFileTypeKeyed && fileType != kFileTypeNonKeyed)
        Fail(QStringLiteral("not a table data file (file type %1)").arg(fileType));
    if (m_version < kFirstVersion || m_version > kLastVersion)
        Fail(QStringLiteral("unknown file version %1 (3 to 12 are read)").arg(m_version));
    m_extended = m_version >= kFirstExtendedVersion;
    m_keyed = fileType == kFileTypeKeyed;
    const int base = m_extended ? kExtendedHeaderSize : kFixedHeaderSize;
    if (m_table->Size() < base)
        Fail(QStringLiteral("truncated: %1 bytes, but the header alone takes %2")
                 .arg(m_table->Size())
                 .arg(base));
    CheckEncryption();
    if (maxTableSize < 1 || maxTableSize > kMaxTableSizeLimit)
        Fail(QStringLiteral("block size code %1 is outside 1 to %2")
                 .arg(maxTableSize)
                 .arg(kMaxTableSizeLimit));
    m_blockSize = maxTableSize * kBlockUnit;
    if (m_recordSize == 0)
        Fail(QStringLiteral("the record size is 0"));
    if (numFields < 1 || numFields > kMaxFields)
        Fail(QStringLiteral("field count %1 is outside 1 to %2").arg(numFields).arg(kMaxFields));
    if (m_headerSize > m_table->Size())
        Fail(QStringLiteral("header size %1 lies past the end of the file (%2 bytes)")
                 .arg(m_headerSize)
                 .arg(m_table->Size()));
    if (m_headerSize < base)
        Fail(QStringLiteral("header size %1 is smaller than the fixed header (%2 bytes)")
                 .arg(m_headerSize)
                 .arg(base));
    m_fields.resize(numFields);
}

void TParadoxReader::CheckEncryption() const
{
    const quint32 encryption1 = U32(kEncryption1Offset);
    bool encrypted = encryption1 != 0;
    if (m_extended)
        encrypted = U32(kEncryption2Offset) != 0 || (encryption1 != 0 && encryption1 != kNotEncryptedV4);
    if (encrypted)
        Fail(QStringLiteral(
            "the table is password-protected (encrypted); encrypted tables are not supported"));
}

void TParadoxReader::ReadVariablePart()
{
    const qint64 base = m_extended ? kExtendedHeaderSize : kFixedHeaderSize;
    const qint64 count = qint64(m_fields.size());
    const qint64 tableNameOffset = base + count * kFieldEntrySize + kPointerSize + count * kPointerSize;
    const qint64 tableNameSize = m_version == kVersion7 ? kTableNameSizeV7 : kTableNameSize;
    const qint64 namesOffset = tableNameOffset + tableNameSize;
    if (namesOffset > m_headerSize)
        Fail(QStringLiteral("the field names would start at byte %1, past the header (%2 bytes)")
                 .arg(namesOffset)
                 .arg(m_headerSize));
    const QByteArrayView header = QByteArrayView(m_header).first(m_headerSize);
    for (qint64 i = 0; i < count; ++i) {
        m_fields[i].type = TPxFieldType(header[base + i * kFieldEntrySize]);
        m_fields[i].sizeByte = quint8(header[base + i * kFieldEntrySize + 1]);
    }
    const QByteArrayView rawTableName = UpToNul(header.sliced(tableNameOffset, tableNameSize));
    std::vector<QByteArrayView> rawNames;
    qint64 position = namesOffset;
    for (qint64 i = 0; i < count; ++i) {
        const qsizetype end = header.indexOf('\0', position);
        if (end < 0)
            Fail(QStringLiteral("the name of field %1 does not end within the header (%2 bytes)")
                     .arg(i + 1)
                     .arg(m_headerSize));
        rawNames.push_back(header.sliced(position, end - position));
        position = end + 1;
    }
    if (m_extended) {
        const qint64 sortOrderOffset = kExtensionBase + qint64(U16(kSortOrderIdOffset));
        if (sortOrderOffset >= position && sortOrderOffset < m_headerSize) {
            const qsizetype end = header.indexOf('\0', sortOrderOffset);
            if (end >= 0)
                m_sortOrderId = QString::fromLatin1(header.sliced(sortOrderOffset, end - sortOrderOffset));
        }
        m_codePage = U16(kCodePageOffset);
    } else {
        m_codePage = kDefaultDosCodePage;
    }
    ChooseCodePage();
    m_tableName = Decode(rawTableName);
    for (qint64 i = 0; i < count; ++i)
        m_fields[i].name = Decode(rawNames[i]);
}

void TParadoxReader::ChooseCodePage()
{
    const char* name = nullptr;
    if (m_codePage == 0 && m_sortOrderId == kRoman8SortOrder) {
        name = kRoman8Name;
    } else {
        name = CodePageName(m_codePage);
        if (!name) {
            Warn(QStringLiteral("unknown code page %1, text read as code page %2")
                     .arg(m_codePage)
                     .arg(kDefaultDosCodePage));
            m_codePage = kDefaultDosCodePage;
            name = CodePageName(m_codePage);
        }
    }
    m_decoder = QStringDecoder(name);
    if (!m_decoder.isValid()) {
        Warn(QStringLiteral("no decoder for %1, text read as Latin-1").arg(QString::fromLatin1(name)));
        m_decoder = QStringDecoder(QStringConverter::Latin1);
    }
    if (std::find(std::begin(kMultiByteCodePages), std::end(kMultiByteCodePages), m_codePage)
        != std::end(kMultiByteCodePages))
        return;
    // Single-byte pages: decode each byte once, then text converts by table lookup.
    std::array<char16_t, 256> table {};
    for (int byte = 0; byte < 256; ++byte) {
        const char c = char(byte);
        m_decoder.resetState();
        const QString decoded = m_decoder(QByteArrayView(&c, 1));
        table[byte] = decoded.size() == 1 ? decoded[0].unicode() : kReplacementCharacter;
    }
    table[0] = 0;
    m_byteTable = table;
}

void TParadoxReader::CheckFields()
{
    int offset = 0;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        TPxField& field = m_fields[i];
        const quint8 code = quint8(field.type);
        if (!IsKnownType(code))
            Fail(QStringLiteral("field %1 \"%2\" has the unknown type code 0x%3")
                     .arg(int(i) + 1)
                     .arg(field.name)
                     .arg(int(code), 2, 16, QChar(u'0')));
        const int fixed = FixedSize(field.type);
        const QString typeName = PxFieldTypeName(field.type);
        if (fixed != 0 && field.sizeByte != fixed)
            Fail(QStringLiteral("field %1 \"%2\": a %3 field takes %4 bytes, the header says %5")
                     .arg(int(i) + 1)
                     .arg(field.name, typeName)
                     .arg(fixed)
                     .arg(field.sizeByte));
        if ((field.type == TPxFieldType::Alpha || field.type == TPxFieldType::Bytes) && field.sizeByte < 1)
            Fail(QStringLiteral("field %1 \"%2\": an %3 field of size 0")
                     .arg(int(i) + 1)
                     .arg(field.name, typeName));
        if (field.type == TPxFieldType::Bcd && field.sizeByte > kBcdMaxDecimals)
            Fail(QStringLiteral("field %1 \"%2\": %3 decimals, at most %4 are possible")
                     .arg(int(i) + 1)
                     .arg(field.name)
                     .arg(field.sizeByte)
                     .arg(kBcdMaxDecimals));
        if (IsPxBlobType(field.type) && field.sizeByte < kBlobDescriptorSize)
            Fail(QStringLiteral("field %1 \"%2\": a %3 field of size %4 has no room for its blob reference")
                     .arg(int(i) + 1)
                     .arg(field.name, typeName)
                     .arg(field.sizeByte));
        field.storedSize
            = field.type == TPxFieldType::Bcd ? kBcdStoredSize : (fixed ? fixed : field.sizeByte);
        field.offset = offset;
        offset += field.storedSize;
    }
    if (offset != m_recordSize)
        Fail(QStringLiteral("the record size %1 does not match the fields, whose sizes add up to %2")
                 .arg(m_recordSize)
                 .arg(offset));
}

void TParadoxReader::CheckBlobFile() const
{
    const qint64 size = m_blobs->Size();
    const QString what = QStringLiteral("blob file: ");
    if (size < kMbBlockSize)
        Fail(what + QStringLiteral("%1 bytes, shorter than its header block").arg(size));
    if (size % kMbBlockSize != 0)
        Fail(what + QStringLiteral("its size %1 is not a multiple of %2").arg(size).arg(kMbBlockSize));
    if (quint8(m_blobs->Peek(kMbBlockTypeOffset, 1)[0]) != kMbHeaderBlock)
        Fail(what + QStringLiteral("it does not start with a header block"));
}

TParadoxReader::TBlock TParadoxReader::ReadBlock(
    int block, qint64 blocksInFile, int firstRecord, int& next) const
{
    if (block > blocksInFile)
        Fail(QStringLiteral("block %1 of the chain lies past the %2 blocks in the file")
                 .arg(block)
                 .arg(blocksInFile));
    const qint64 fileSize = m_table->Size();
    const qint64 offset = BlockOffset(block);
    if (offset + kBlockHeaderSize > fileSize)
        Fail(QStringLiteral("block %1 is cut off by the end of the file").arg(block));
    qsizetype blockStart = 0;
    const QByteArray run = BlockRun(block, blockStart);
    const char* head = run.constData() + blockStart;
    next = qFromLittleEndian<quint16>(head + kBlockNextOffset);
    const int addDataSize = qFromLittleEndian<qint16>(head + kBlockAddDataSizeOffset);
    int count = 0;
    if (addDataSize >= 0) {
        if (addDataSize % m_recordSize != 0 || addDataSize + m_recordSize > m_blockSize - kBlockHeaderSize)
            Fail(QStringLiteral("block %1 claims an impossible amount of data (%2 bytes after the first "
                                "record of %3)")
                     .arg(block)
                     .arg(addDataSize)
                     .arg(m_recordSize));
        count = addDataSize / m_recordSize + 1;
    }
    if (offset + kBlockHeaderSize + qint64(count) * m_recordSize > fileSize)
        Fail(QStringLiteral("block %1 is cut off by the end of the file: its %2 records do not fit")
                 .arg(block)
                 .arg(count));
    return { firstRecord, quint16(block), quint16(count) };
}

void TParadoxReader::ReadBlockChain()
{
    const qint64 dataBytes = m_table->Size() - m_headerSize;
    const qint64 blocksInFile = dataBytes <= 0 ? 0 : (dataBytes + m_blockSize - 1) / m_blockSize;
    std::vector<bool> visited(size_t(blocksInFile) + 1, false);
    qint64 total = 0;
    int lastBlock = 0;
    for (int block = m_firstBlock; block != 0;) {
        if (block <= blocksInFile && visited[block])
            Fail(QStringLiteral("the block chain loops back to block %1").arg(block));
        int next = 0;
        const TBlock read = ReadBlock(block, blocksInFile, int(total), next);
        visited[block] = true;
        if (read.count > 0)
            m_blocks.push_back(read);
        total += read.count;
        lastBlock = block;
        block = next;
    }
    if (total < m_headerRecordCount)
        ReadBlocksInFileOrder(total, lastBlock, blocksInFile);
    else
        m_recordCount = int(total);
    if (total > m_headerRecordCount)
        Warn(QStringLiteral("the header counts %1 records, the blocks hold %2; the blocks are read")
                 .arg(m_headerRecordCount)
                 .arg(total));
}

void TParadoxReader::ReadBlocksInFileOrder(qint64 chainRecords, int lastBlock, qint64 blocksInFile)
{
    // A chain cut short leaves its later blocks in the file: when every block, in file order, holds
    // exactly the records the header counts, nothing is lost.
    std::vector<TBlock> blocks;
    qint64 total = 0;
    bool readable = true;
    try {
        for (int block = 1; block <= blocksInFile; ++block) {
            int next = 0;
            const TBlock read = ReadBlock(block, blocksInFile, int(total), next);
            if (read.count > 0)
                blocks.push_back(read);
            total += read.count;
        }
    } catch (const EReportError&) {
        // A table changed under this pass says so, rather than passing for a damaged one.
        m_table->CheckUnchanged();
        readable = false;
    }
    const QString chain = QCoreApplication::translate(
        "TParadoxReader", "the block chain ends at block %1 with %2 of the %3 records the header counts")
                              .arg(lastBlock)
                              .arg(chainRecords)
                              .arg(m_headerRecordCount);
    if (!readable || total != m_headerRecordCount) {
        const QString lost
            = QCoreApplication::translate("TParadoxReader", "damaged: %1; the other records are lost")
                  .arg(chain);
        if (m_lost == TPxLostRecords::Refuse)
            Fail(lost);
        Warn(lost);
        m_recordCount = int(chainRecords);
        return;
    }
    m_blocks = std::move(blocks);
    m_recordCount = int(total);
    m_repairs.append(QCoreApplication::translate(
        "TParadoxReader", "damaged: %1; all %2 records were read from the blocks in file order")
                         .arg(chain)
                         .arg(total));
}

void TParadoxReader::Warn(const QString& doubt) const
{
    if (m_warnings.size() < kMaxWarnings)
        m_warnings.append(doubt);
}

void TParadoxReader::Fail(const QString& fault) const
{
    RaiseTableError(m_fileName, fault);
}

void TParadoxReader::FailValue(int record, int field, const QString& fault) const
{
    RaiseTableValueError(m_fileName, record + 1, m_fields[field].name, fault);
}
