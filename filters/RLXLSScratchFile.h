#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

class QIODevice;

/// An exclusive temporary file, registered for deletion at program end and deleted with this
/// object, on every path; used only through the descriptor that created it.
class TRLXLSScratchFile {
public:
    /// Throws EReportError when the temporary directory takes no new file.
    TRLXLSScratchFile();
    ~TRLXLSScratchFile();
    TRLXLSScratchFile(const TRLXLSScratchFile&) = delete;
    TRLXLSScratchFile& operator=(const TRLXLSScratchFile&) = delete;

    QFile& File() { return m_file; }
    const QString& FileName() const { return m_fileName; }
    /// Copies the file's first `size` bytes into `out`; throws EReportError naming this file when
    /// it holds fewer, or `target` when `out` does not take them.
    void CopyTo(QIODevice& out, const QString& target, qint64 size);

private:
    QFile m_file;
    QString m_fileName;
};
