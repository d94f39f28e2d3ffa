#include "support/SaveFiles.h"

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
