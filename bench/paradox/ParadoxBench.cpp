// paradox_bench [RECORDS]: times reading a table of 36-byte records (alpha 20, number, long, date).
#include "db/MemoryDataSet.h"
#include "db/ParadoxReader.h"
#include "tools/sampledb/ParadoxWriter.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace paradox;

namespace {

constexpr int kDefaultRecords = 100000;
constexpr int kRuns = 7;

TPxFiles MakeTable(int records)
{
    TPxTableWriter writer(QStringLiteral("BENCH.DB"),
        { { QStringLiteral("NOME"), TPxFieldType::Alpha, 20 },
            { QStringLiteral("VALOR"), TPxFieldType::Number, 8 },
            { QStringLiteral("QTD"), TPxFieldType::Long, 4 },
            { QStringLiteral("DATA"), TPxFieldType::Date, 4 } });
    for (int i = 0; i < records; ++i)
        writer.AddRecord(
            { QStringLiteral("Registro nº %1").arg(i), i * 1.25, i, QDate(2000, 1, 1).addDays(i % 9000) });
    return writer.Write();
}

/// Milliseconds of one full read: open (header, chain) and decode every value.
double TimeRead(const TPxFiles& files, qint64& checksum)
{
    QElapsedTimer timer;
    timer.start();
    const TParadoxReader table(files.db, std::nullopt, QStringLiteral("BENCH.DB"));
    for (int r = 0; r < table.RecordCount(); ++r) {
        checksum += table.Value(r, 0).toString().size();
        checksum += qint64(table.Value(r, 1).toDouble());
        checksum += table.Value(r, 2).toInt();
        checksum += table.Value(r, 3).toDate().day();
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : kDefaultRecords;
    const TPxFiles files = MakeTable(records);
    std::vector<double> times;
    qint64 checksum = 0;
    for (int run = 0; run < kRuns; ++run)
        times.push_back(TimeRead(files, checksum));
    std::sort(times.begin(), times.end());
    std::printf("%d records of 36 bytes (%lld bytes): read in min %.1f ms, median %.1f ms, max %.1f ms "
                "over %d runs (checksum %lld)\n",
        records, qint64(files.db.size()), times.front(), times[times.size() / 2], times.back(), kRuns,
        checksum);
    return 0;
}
