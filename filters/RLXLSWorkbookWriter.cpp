#include "filters/RLXLSWorkbookWriter.h"

#include "filters/RLCompoundFile.h"
#include "filters/RLXLSErrors.h"
#include "filters/RLXLSGlobalsWriter.h"
#include "filters/RLXLSRecordWriter.h"
#include "filters/RLXLSScratchFile.h"
#include "filters/RLXLSSharedStrings.h"
#include "platform/Exceptions.h"
#include "support/OutputFiles.h"
#include "support/SaveFiles.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>

namespace {

const QString kStreamName = QStringLiteral("Workbook");
constexpr qint64 kCopyChunk = 64 * 1024;

void WriteWhole(QIODevice& out, const QString& target, QByteArrayView bytes)
{
    if (!WriteWhole(out, bytes))
        RaiseXLSCannotWrite(target, out);
}

/// Copies the first `size` bytes of `from` into `to`, adding `base` to the 32-bit values at
/// `relocations` (offsets in `from`, ascending): stream positions counted from the start of `from`.
void CopyRelocated(QIODevice& from, const QString& source, QIODevice& to, const QString& target, qint64 size,
    const std::vector<qint64>& relocations, quint32 base)
{
    if (!from.seek(0))
        RaiseXLSCannotRead(source, from);
    QByteArray chunk(kCopyChunk, '\0');
    auto next = relocations.begin();
    for (qint64 position = 0; position < size;) {
        qint64 wanted = std::min(kCopyChunk, size - position);
        // A value is never split between two pieces.
        if (next != relocations.end() && *next<position + wanted&& * next + 4> position + wanted)
            wanted = *next - position;
        if (from.read(chunk.data(), wanted) != wanted)
            RaiseXLSCannotRead(source, from);
        for (; next != relocations.end() && *next + 4 <= position + wanted; ++next) {
            char* value = chunk.data() + (*next - position);
            qToLittleEndian(quint32(qFromLittleEndian<quint32>(value) + base), value);
        }
        WriteWhole(to, target, QByteArrayView(chunk.constData(), wanted));
        position += wanted;
    }
}

} // namespace

TRLXLSWorkbookWriter::TRLXLSWorkbookWriter(const TRLXLSPageSetup& setup)
    : m_setup(setup)
    , m_strings(std::make_unique<TRLXLSSharedStrings>())
    , m_sheetPart(std::make_unique<TRLXLSScratchFile>())
    , m_sheetWriter(std::make_unique<TRLXLSRecordWriter>(m_sheetPart->File(), m_sheetPart->FileName()))
{
}

TRLXLSWorkbookWriter::~TRLXLSWorkbookWriter() = default;

void TRLXLSWorkbookWriter::AddSheet(const TRLXLSWorksheet& sheet)
{
    m_places.push_back(
        WriteWorksheet(*m_sheetWriter, sheet, m_setup, m_tables, *m_strings, m_places.empty()));
}

void TRLXLSWorkbookWriter::WriteDocument(QIODevice& out, const QString& target, const QString& userName)
{
    std::vector<QString> titles;
    std::vector<qint64> relocations;
    for (const TRLXLSSheetPlace& place : m_places) {
        titles.push_back(place.Title);
        for (int block = 0; block < place.BlockCount; ++block)
            relocations.push_back(place.IndexPositions + qint64(4 * block));
    }
    m_strings->Finish();
    m_sheetWriter->Flush();
    if (!m_sheetPart->File().flush())
        RaiseXLSCannotWrite(m_sheetPart->FileName(), m_sheetPart->File());
    const qint64 sheetsSize = m_sheetWriter->Position();

    // The globals around the shared strings are small and made in memory, where the sheets'
    // stream positions are filled in once the table's size is known.
    QBuffer head;
    head.open(QIODevice::ReadWrite);
    TRLXLSRecordWriter headWriter(head, target);
    const std::vector<qint64> boundSheets = WriteGlobals(headWriter, m_tables, userName, titles);
    const qint64 tableStart = headWriter.Position();
    QBuffer end;
    end.open(QIODevice::ReadWrite);
    TRLXLSRecordWriter endWriter(end, target);
    WriteGlobalsEnd(endWriter, *m_strings, tableStart);
    endWriter.Flush();
    const qint64 base = tableStart + m_strings->TableSize() + endWriter.Position();
    for (std::size_t i = 0; i < m_places.size(); ++i)
        headWriter.PatchUInt32(boundSheets[i], quint32(base + m_places[i].Start));
    headWriter.Flush();

    const qint64 streamSize = base + sheetsSize;
    WriteCompoundFile(out, target, kStreamName, streamSize, [&](QIODevice& device) {
        WriteWhole(device, target, head.data());
        m_strings->CopyTable(device, target);
        WriteWhole(device, target, end.data());
        // The sheets' INDEX records point at their row blocks from the start of the sheet part.
        CopyRelocated(m_sheetPart->File(), m_sheetPart->FileName(), device, target, sheetsSize, relocations,
            quint32(base));
        return streamSize;
    });
}

void SaveXLSFile(const QString& fileName, TRLXLSWorkbookWriter& workbook, const QString& userName)
{
    TOutputFile file(fileName);
    if (QString reason; !file.Open(reason))
        RaiseXLSCannotCreate(fileName, reason);
    // A failed write is discarded by the file's destructor.
    workbook.WriteDocument(file.Device(), fileName, userName);
    QString reason;
    if (!file.Commit(reason))
        RaiseCannotWrite(fileName, reason);
}
