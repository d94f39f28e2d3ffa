#include "filters/RLXLSWorkbookWriter.h"

#include "filters/RLCompoundFile.h"
#include "filters/RLXLSErrors.h"
#include "filters/RLXLSGlobalsWriter.h"
#include "filters/RLXLSRecordWriter.h"
#include "filters/RLXLSScratchFile.h"

#include <QSaveFile>

namespace {

const QString kStreamName = QStringLiteral("Workbook");
constexpr qint64 kCopyChunk = 64 * 1024;

void CopyDevice(QIODevice& from, const QString& source, QIODevice& to, const QString& target)
{
    if (!from.seek(0))
        RaiseXLSCannotRead(source, from);
    QByteArray chunk(kCopyChunk, '\0');
    for (;;) {
        const qint64 got = from.read(chunk.data(), kCopyChunk);
        if (got < 0)
            RaiseXLSCannotRead(source, from);
        if (got == 0)
            break;
        if (to.write(chunk.constData(), got) != got)
            RaiseXLSCannotWrite(target, to);
    }
}

} // namespace

TRLXLSWorkbookWriter::TRLXLSWorkbookWriter(const TRLXLSPageSetup& setup)
    : m_setup(setup)
    , m_sheetPart(std::make_unique<TRLXLSScratchFile>())
    , m_sheetWriter(std::make_unique<TRLXLSRecordWriter>(m_sheetPart->File(), m_sheetPart->FileName()))
{
}

TRLXLSWorkbookWriter::~TRLXLSWorkbookWriter() = default;

void TRLXLSWorkbookWriter::AddSheet(const TRLXLSWorksheet& sheet)
{
    m_places.push_back(WriteWorksheet(*m_sheetWriter, sheet, m_setup, m_tables, m_places.empty()));
}

void TRLXLSWorkbookWriter::WriteStream(QIODevice& out, const QString& target, const QString& userName)
{
    std::vector<QString> titles;
    for (const TRLXLSSheetPlace& place : m_places)
        titles.push_back(place.Title);
    TRLXLSRecordWriter writer(out, target);
    const std::vector<qint64> boundSheets = WriteGlobals(writer, m_tables, userName, titles);
    const qint64 base = writer.Position();
    if (!m_sheetPart->File().flush())
        RaiseXLSCannotWrite(m_sheetPart->FileName(), m_sheetPart->File());
    CopyDevice(m_sheetPart->File(), m_sheetPart->FileName(), out, target);
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const TRLXLSSheetPlace& place = m_places[i];
        writer.PatchUInt32(boundSheets[i], quint32(base + place.Start));
        for (std::size_t block = 0; block < place.DbCells.size(); ++block)
            writer.PatchUInt32(
                base + place.IndexPositions + qint64(4 * block), quint32(base + place.DbCells[block]));
    }
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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        RaiseXLSCannotCreate(fileName, file.errorString());
    try {
        WriteCompoundFile(file, fileName, kStreamName, stream.File(), size, stream.FileName());
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        RaiseXLSCannotWrite(fileName, file);
}
