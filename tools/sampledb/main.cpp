// sampledb OUTDIR: writes the sample business database into OUTDIR.
#include "platform/Exceptions.h"
#include "tools/sampledb/ParadoxWriter.h"
#include "tools/sampledb/SampleData.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {
constexpr int kExitFailure = 2;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: sampledb OUTDIR\n", stderr);
        return kExitFailure;
    }
    const QString directory = arguments[1];
    try {
        if (!QDir().mkpath(directory))
            throw EReportError(QStringLiteral("Cannot create the directory \"%1\"").arg(directory));
        for (const TSampleTable& table : SampleDatabase()) {
            TPxTableWriter writer(table.fileName, table.columns);
            for (const auto& record : table.records)
                writer.AddRecord(record);
            SaveTableFiles(directory, table.fileName, writer.Write());
        }
    } catch (const EReportError& error) {
        std::fputs(qPrintable(error.Message() + u'\n'), stderr);
        return kExitFailure;
    }
    return 0;
}
