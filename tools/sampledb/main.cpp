// sampledb [--large-order ITEMS] OUTDIR: writes the sample business database into OUTDIR, with
// order 9 of ITEMS items added when asked (for benchmarks).
#include "platform/Exceptions.h"
#include "tools/sampledb/ParadoxWriter.h"
#include "tools/sampledb/SampleData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <utility>
#include <vector>

namespace {
constexpr int kExitFailure = 2;
/// Far beyond any benchmark; a mistyped count cannot fill the disk.
constexpr int kMaxLargeOrderItems = 1'000'000;
constexpr char kUsage[] = "usage: sampledb [--large-order ITEMS] OUTDIR\n";
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    int largeOrderItems = 0;
    if (!arguments.isEmpty() && arguments.first() == u"--large-order") {
        bool valid = arguments.size() >= 2;
        if (valid)
            largeOrderItems = arguments[1].toInt(&valid);
        if (!valid || largeOrderItems < 1 || largeOrderItems > kMaxLargeOrderItems) {
            std::fprintf(stderr, "sampledb: --large-order needs an item count from 1 to %d, not \"%s\"\n",
                kMaxLargeOrderItems, arguments.size() >= 2 ? qPrintable(arguments[1]) : "");
            return kExitFailure;
        }
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 1 || arguments.first().startsWith(u'-')) {
        std::fputs(kUsage, stderr);
        return kExitFailure;
    }
    const QString directory = arguments.first();
    // Every table is built before anything is written: a table too large for the format then leaves
    // no half-written directory behind.
    bool created = false;
    try {
        std::vector<std::pair<QString, TPxFiles>> built;
        for (const TSampleTable& table : SampleDatabase(largeOrderItems)) {
            TPxTableWriter writer(table.fileName, table.columns);
            for (const auto& record : table.records)
                writer.AddRecord(record);
            built.emplace_back(table.fileName, writer.Write());
        }
        created = !QFileInfo::exists(directory);
        if (!QDir().mkpath(directory))
            throw EReportError(QStringLiteral("Cannot create the directory \"%1\"").arg(directory));
        for (const auto& [fileName, files] : built)
            SaveTableFiles(directory, fileName, files);
    } catch (const EReportError& error) {
        if (created)
            QDir(directory).removeRecursively();
        std::fputs(qPrintable(error.Message() + u'\n'), stderr);
        return kExitFailure;
    }
    return 0;
}
