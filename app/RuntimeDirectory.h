#pragma once

#include <QByteArray>

/// Qt warns on every start when XDG_RUNTIME_DIR is unset and then leaves a runtime-<user> folder
/// in the temporary directory. When it is unset, this gives the process a private one (mode 0700
/// in TMPDIR) for its lifetime; it is also removed when a signal ends the program.
class TPrivateRuntimeDirectory {
public:
    TPrivateRuntimeDirectory();
    ~TPrivateRuntimeDirectory();
    TPrivateRuntimeDirectory(const TPrivateRuntimeDirectory&) = delete;
    TPrivateRuntimeDirectory& operator=(const TPrivateRuntimeDirectory&) = delete;

private:
    QByteArray m_path;
};
