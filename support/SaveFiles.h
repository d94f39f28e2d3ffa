#pragma once

#include <QString>

class QSaveFile;

/// Flushes what `file` still buffers and renames it over its target. QSaveFile::commit() ignores
/// a failure of that last flush, so on a full disk it would put a truncated file in place of the
/// old one and report success. On failure the temporary file is removed, the target is left as
/// it was, `reason` says why and the result is false.
bool CommitWholeFile(QSaveFile& file, QString& reason);

/// Throws EReportError "Cannot write <target>: <reason>", the message of every failed write.
[[noreturn]] void RaiseCannotWrite(const QString& target, const QString& reason);
