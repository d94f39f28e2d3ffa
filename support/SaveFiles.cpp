#include "support/SaveFiles.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QSaveFile>

bool CommitWholeFile(QSaveFile& file, QString& reason)
{
    if (!file.flush()) {
        reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

void RaiseCannotWrite(const QString& target, const QString& reason)
{
    throw EReportError(QCoreApplication::translate("SaveFiles", "Cannot write %1: %2").arg(target, reason));
}
