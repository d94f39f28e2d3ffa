#include "tests/db/SampleTables.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

QString SampleDir()
{
    return QStringLiteral(QUIREL_SOURCE_DIR "/tests/data/paradox");
}

QByteArray SampleBytes(const QString& name)
{
    QFile file(QDir(SampleDir()).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "sample table " << file.fileName().toStdString() << ": "
                      << file.errorString().toStdString();
        return {};
    }
    return file.readAll();
}
