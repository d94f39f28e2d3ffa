#include "filters/RLXLSScratchFile.h"

#include "filters/RLXLSErrors.h"
#include "support/TempFiles.h"

TRLXLSScratchFile::TRLXLSScratchFile()
    : m_file(NewTempFileName())
{
    RegisterTempFile(m_file.fileName());
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        const QString reason = m_file.errorString();
        m_file.remove();
        UnregisterTempFile(m_file.fileName());
        RaiseXLSCannotCreate(m_file.fileName(), reason);
    }
}

TRLXLSScratchFile::~TRLXLSScratchFile()
{
    m_file.close();
    m_file.remove();
    UnregisterTempFile(m_file.fileName());
}
