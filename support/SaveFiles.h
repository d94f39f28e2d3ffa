#pragma once

#include <QString>

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

/// Throws EReportError "Cannot write <target>: <reason>", the message of every failed write.
[[noreturn]] void RaiseCannotWrite(const QString& target, const QString& reason);
