#include "support/SaveFiles.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

bool CommitWholeFile(QSaveFile& file, QString& reason)
{
    // As in WriteWhole, a flush stopped part way gives its reason only when tried again.
    if (!file.flush() && !file.flush()) {
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

QString CreateFailureReason(const QString& path, const QString& systemReason)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    const QString folderName = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.exists())
        return QCoreApplication::translate("SaveFiles", "the folder %1 does not exist").arg(folderName);
    if (!folder.isDir())
        return QCoreApplication::translate("SaveFiles", "%1 is not a folder").arg(folderName);
    if (target.isDir())
        return QCoreApplication::translate("SaveFiles", "it is a folder; give a file name");
    if (!folder.isWritable())
        return QCoreApplication::translate("SaveFiles", "you may not write in the folder %1").arg(folderName);
    return systemReason;
}

bool WriteWhole(QIODevice& device, QByteArrayView bytes)
{
    bool failedOnce = false;
    while (!bytes.isEmpty()) {
        const qint64 written = device.write(bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.sliced(written);
            failedOnce = false;
            continue;
        }
        // A failed write takes nothing; when it failed in flushing the device's buffer part way,
        // only the next attempt meets the system's error and names it.
        if (failedOnce)
            return false;
        failedOnce = true;
    }
    return true;
}

void RaiseCannotWrite(const QString& target, const QString& reason)
{
    throw EReportError(QCoreApplication::translate("SaveFiles", "Cannot write %1: %2").arg(target, reason));
}
