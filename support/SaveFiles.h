#pragma once

#include <QByteArrayView>
#include <QString>

class QIODevice;
class QSaveFile;

/// Flushes what `file` still buffers and renames it over its target. QSaveFile::commit() ignores
/// a failure of that last flush, so on a full disk it would put a truncated file in place of the
/// old one and report success. On failure the temporary file is removed, the target is left as
/// it was, `reason` says why and the result is false.
bool CommitWholeFile(QSaveFile& file, QString& reason);

/// Why `path` could not be created, in words an operator acts on: a missing folder, a folder
/// that is a file, a folder the user may not write in, a path that is a folder; otherwise
/// `systemReason` (the system's own text) as it is.
QString CreateFailureReason(const QString& path, const QString& systemReason);

/// Writes all of `bytes`, false on failure. A disk that fills part way through one write (or
/// through a buffered file's flush) takes only some of the bytes and sets no error; the rest is
/// written again, so that the device reports the system's reason (no space left) instead of an
/// unknown error.
bool WriteWhole(QIODevice& device, QByteArrayView bytes);

/// Throws EReportError "Cannot write <target>: <reason>", the message of every failed write.
[[noreturn]] void RaiseCannotWrite(const QString& target, const QString& reason);
