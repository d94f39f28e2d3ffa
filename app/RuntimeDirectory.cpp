#include "app/RuntimeDirectory.h"

#include "support/TempFiles.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

TPrivateRuntimeDirectory::TPrivateRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray base = qEnvironmentVariableIsEmpty("TMPDIR") ? QByteArray("/tmp") : qgetenv("TMPDIR");
    QByteArray name = base + "/~qr-runtime-XXXXXX";
    // mkdtemp makes it 0700, which Qt requires of a runtime directory. When TMPDIR does not take
    // it, the run fails later naming TMPDIR; Qt's warning is then the lesser matter.
    if (mkdtemp(name.data()) == nullptr)
        return;
    m_path = name;
    RegisterTempFile(QFile::decodeName(m_path));
    qputenv("XDG_RUNTIME_DIR", m_path);
}

TPrivateRuntimeDirectory::~TPrivateRuntimeDirectory()
{
    if (m_path.isEmpty())
        return;
    qunsetenv("XDG_RUNTIME_DIR");
    const QString path = QFile::decodeName(m_path);
    UnregisterTempFile(path);
    QDir(path).removeRecursively();
}
