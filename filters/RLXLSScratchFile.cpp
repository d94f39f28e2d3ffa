#include "filters/RLXLSScratchFile.h"

#include "support/TempFiles.h"

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
