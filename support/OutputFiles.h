#pragma once

#include <QString>
#include <memory>

class QFile;
class QIODevice;
class QSaveFile;

/// Whether TOutputFile writes `fileName` as it is, in one pass that a failure cannot take back
/// (one of the program's descriptors, a pipe, a character device), rather than beside it.
bool WritesThrough(const QString& fileName);

/// The file a command-line output option names: "-" is standard output, written through the
/// descriptor the program was given.
QString OutputPathOfOption(const QString& option);

/// Where an export writes. A regular file, or a name not yet taken, is written beside the target
/// and renamed over it by Commit, so a failed save leaves the old file as it was. The program's
/// own descriptors (/dev/stdout, /dev/fd/N, /proc/self/fd/N, also through links), pipes and
/// character devices are written into as they are, in one pass: a FIFO or a device node is never
/// replaced by a regular file. Block devices and sockets are refused, and so is a directory.
class TOutputFile {
public:
    explicit TOutputFile(QString fileName);
    /// Discards what was written unless Commit succeeded.
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    /// False, with `reason` (CreateFailureReason's for a file), when the target cannot be opened or
    /// is of a kind that is refused.
    /// Opening a FIFO waits for its reader, as writing into it from a shell does.
    bool Open(QString& reason);
    /// The open target; writes are sequential, with no seek.
    QIODevice& Device();
    /// True when the bytes go straight into the target, so that a failure cannot take them back.
    bool IsStream() const { return m_stream != nullptr; }
    /// Puts the whole output in place (renames, or flushes and closes a stream). False, with
    /// `reason`, when the last bytes could not be written; a regular target is then left as it was.
    bool Commit(QString& reason);
    /// Drops a regular file's temporary copy; a stream is closed as it stands.
    void Discard();
    const QString& FileName() const { return m_fileName; }

private:
    QString m_fileName;
    std::unique_ptr<QSaveFile> m_saveFile;
    std::unique_ptr<QFile> m_stream;
};
