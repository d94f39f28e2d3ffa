#include "filters/RLXLSScratchFile.h"

#include "filters/RLXLSErrors.h"
#include "support/SaveFiles.h"
#include "support/TempFiles.h"

#include <QByteArray>
#include <algorithm>

namespace {

constexpr qint64 kCopyChunk = 64 * 1024;

} // namespace

TRLXLSScratchFile::TRLXLSScratchFile()
    : m_fileName(OpenNewTempFile(m_file))
{
}

TRLXLSScratchFile::~TRLXLSScratchFile()
{
    m_file.close();
    QFile::remove(m_fileName);
    UnregisterTempFile(m_fileName);
}

void TRLXLSScratchFile::CopyTo(QIODevice& out, const QString& target, qint64 size)
{
    if (!m_file.seek(0))
        RaiseXLSCannotRead(m_fileName, m_file);
    QByteArray chunk(std::min(size, kCopyChunk), '\0');
    for (qint64 left = size; left > 0;) {
        const qint64 wanted = std::min(left, kCopyChunk);
        if (m_file.read(chunk.data(), wanted) != wanted)
            RaiseXLSCannotRead(m_fileName, m_file);
        if (!WriteWhole(out, QByteArrayView(chunk.constData(), wanted)))
            RaiseXLSCannotWrite(target, out);
        left -= wanted;
    }
}
