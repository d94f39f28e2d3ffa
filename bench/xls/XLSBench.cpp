// Times the spreadsheet export alone over a prepared order of the sample database and follows the
// heap while it runs.
//
//   bench_xls [ORDER|PAGES.rpf [RUNS [FILE]]]    defaults: order 7 (10,000 items, 209 pages), 5 runs
//
// Preparation (or reading the page file) is done once and not timed. Each run prints its wall and processor
// time; the last line gives their medians. The heap in use is sampled after each page: it should grow only by
// the names and places of the sheets done, never by their cells or texts. With FILE the last run's output is
// kept there, for byte comparisons between builds.

#include "app/TelaPrincipal.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "report/RLReport.h"
#include "support/Startup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>
#include <vector>

namespace {

/// Processor time of this process (user and system), which a busy machine inflates less than
/// wall time.
double CpuMilliseconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000 + double(t.tv_usec) / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

qint64 HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

class TSampledXLSFilter : public TRLXLSFilter {
public:
    using TRLXLSFilter::TRLXLSFilter;
    std::vector<qint64> Heap;

protected:
    void InternalDrawPage(TRLGraphicSurface& page) override
    {
        TRLXLSFilter::InternalDrawPage(page);
        Heap.push_back(HeapInUse());
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const TQuirelLibrary library;
    const QString order = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("7");
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const QString keep = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    // A page file gives the same pages whatever the preparation code of the build.
    TComponent owner(nullptr);
    TForm1 form(nullptr);
    TRLGraphicStorage* store = nullptr;
    QElapsedTimer preparing;
    preparing.start();
    if (order.endsWith(QStringLiteral(".rpf"))) {
        store = new TRLGraphicStorage(&owner);
        try {
            store->LoadFromFile(order);
        } catch (const EReportError& error) {
            std::fprintf(stderr, "bench_xls: %s\n", qPrintable(error.Message()));
            return 2;
        }
    } else {
        form.OpenTables();
        if (!form.LocateOrder(order)) {
            std::fprintf(stderr, "bench_xls: order %s does not exist\n", qPrintable(order));
            return 1;
        }
        form.RLReport1->ShowProgress = false;
        if (!form.RLReport1->Prepare())
            return 2;
        store = form.RLReport1->Pages();
    }
    TRLGraphicStorage& pages = *store;
    std::printf("order %s: %d pages prepared in %lld ms (not counted)\n", qPrintable(order),
        pages.PageCount(), qint64(preparing.elapsed()));

    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("order.xls"));
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int run = 1; run <= runs; ++run) {
        TSampledXLSFilter filter(nullptr);
        const qint64 before = HeapInUse();
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = CpuMilliseconds();
        filter.SaveToFile(pages, fileName);
        const double cpu = CpuMilliseconds() - cpuBefore;
        const double elapsed = double(timer.nsecsElapsed()) / 1e6;
        walls.push_back(elapsed);
        cpus.push_back(cpu);
        std::printf("run %d: %lld bytes in %.0f ms (%.0f ms of processor time)\n", run,
            qint64(QFileInfo(fileName).size()), elapsed, cpu);
        const std::size_t n = filter.Heap.size();
        if (n >= 2) {
            const qint64 first = filter.Heap.front() - before;
            const qint64 last = filter.Heap.back() - before;
            std::printf(
                "  heap over the start: after page 1 %lld KiB, after page %zu %lld KiB, %.1f KiB a page\n",
                first / 1024, n, last / 1024, double(last - first) / 1024 / double(n - 1));
        }
    }
    std::printf("median of %d runs: %.0f ms wall, %.0f ms processor\n", runs, Median(walls), Median(cpus));
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        if (!QFile::copy(fileName, keep)) {
            std::fprintf(stderr, "bench_xls: cannot keep the output as %s\n", qPrintable(keep));
            return 2;
        }
    }
    return 0;
}
