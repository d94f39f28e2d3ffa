#include "tests/db/SampleTables.h"

#include <QDir>
#include <QFile>

QString SampleDir()
{
    const QDir dir(QStringLiteral(QUIREL_SOURCE_DIR "/../shared/paradox-samples"));
    return dir.exists(QStringLiteral("CUSTOMER.DB")) ? dir.absolutePath() : QString();
}

QByteArray SampleBytes(const QString& name)
{
    QFile file(QDir(SampleDir()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
