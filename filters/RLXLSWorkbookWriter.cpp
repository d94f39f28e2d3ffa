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

#include <QtEndian>

namespace {

const QString kStreamName = QStringLiteral("Workbook");
constexpr qint64 kCopyChunk = 64 * 1024;

/// Copies `from` whole into `to`, adding `base` to the 32-bit values at `relocations` (offsets in
/// `from`, ascending): stream positions counted from the start of `from`.
void CopyRelocated(QIODevice& from, const QString& source, QIODevice& to, const QString& target,
    const std::vector<qint64>& relocations, quint32 base)
{
    if (!from.seek(0))
        RaiseXLSCannotRead(source, from);
    QByteArray chunk(kCopyChunk, '\0');
    qint64 position = 0;
    auto next = relocations.begin();
    for (;;) {
        qint64 wanted = kCopyChunk;
        // A value is never split between two pieces.
        if (next != relocations.end() && *next<position + wanted&& * next + 4> position + wanted)
            wanted = *next - position;
        const qint64 got = from.read(chunk.data(), wanted);
        if (got < 0)
            RaiseXLSCannotRead(source, from);
        if (got == 0)
            break;
        for (; next != relocations.end() && *next + 4 <= position + got; ++next) {
            char* value = chunk.data() + (*next - position);
            qToLittleEndian(quint32(qFromLittleEndian<quint32>(value) + base), value);
        }
        if (to.write(chunk.constData(), got) != got)
            RaiseXLSCannotWrite(target, to);
        position += got;
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

void TRLXLSWorkbookWriter::WriteStream(QIODevice& out, const QString& target, const QString& userName)
{
    std::vector<QString> titles;
    std::vector<qint64> relocations;
    for (const TRLXLSSheetPlace& place : m_places) {
        titles.push_back(place.Title);
        for (int block = 0; block < place.BlockCount; ++block)
            relocations.push_back(place.IndexPositions + qint64(4 * block));
    }
    TRLXLSRecordWriter writer(out, target);
    const std::vector<qint64> boundSheets = WriteGlobals(writer, m_tables, *m_strings, userName, titles);
    const qint64 base = writer.Position();
    writer.Flush();
    m_sheetWriter->Flush();
    if (!m_sheetPart->File().flush())
        RaiseXLSCannotWrite(m_sheetPart->FileName(), m_sheetPart->File());
    // The sheets' INDEX records point at their row blocks from the start of the sheet part.
    CopyRelocated(m_sheetPart->File(), m_sheetPart->FileName(), out, target, relocations, quint32(base));
    for (std::size_t i = 0; i < m_places.size(); ++i)
        writer.PatchUInt32(boundSheets[i], quint32(base + m_places[i].Start));
    writer.Flush();
}

void SaveXLSFile(const QString& fileName, TRLXLSWorkbookWriter& workbook, const QString& userName)
{
    TRLXLSScratchFile stream;
    workbook.WriteStream(stream.File(), stream.FileName(), userName);
    if (!stream.File().flush())
        RaiseXLSCannotWrite(stream.FileName(), stream.File());
    const qint64 size = stream.File().size();
    if (!stream.File().seek(0))
        RaiseXLSCannotRead(stream.FileName(), stream.File());
    TOutputFile file(fileName);
    if (QString reason; !file.Open(reason))
        RaiseXLSCannotCreate(fileName, reason);
    // A failed write is discarded by the file's destructor.
    WriteCompoundFile(file.Device(), fileName, kStreamName, stream.File(), size, stream.FileName());
    QString reason;
    if (!file.Commit(reason))
        RaiseCannotWrite(fileName, reason);
}
