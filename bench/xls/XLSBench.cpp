// Times the spreadsheet export of a large order and follows the heap while it runs.
//
//   bench_xls [PAGES [ROWS]]     defaults: 209 pages of 48 item rows (order 7's size)
//
// The heap in use is sampled after each page: it should grow only by the shared strings of the
// pages done, never by their cells.

#include "XLSTestPages.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "support/Startup.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>
#include <vector>

namespace {

/// Processor time of this process (user and system), which a busy machine does not inflate.
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
    const int pages = argc > 1 ? std::atoi(argv[1]) : 209;
    const int rows = argc > 2 ? std::atoi(argv[2]) : 48;

    auto store = MakeOrderStore(pages, rows);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("order7.xls"));
    for (int run = 1; run <= 3; ++run) {
        TSampledXLSFilter filter(nullptr);
        filter.Options = foFindValueCells;
        const qint64 before = HeapInUse();
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = CpuMilliseconds();
        filter.SaveToFile(**store, fileName);
        const double cpu = CpuMilliseconds() - cpuBefore;
        const qint64 elapsed = timer.elapsed();
        std::printf("run %d: %d pages x %d rows -> %lld bytes in %lld ms (%.0f ms of processor time)\n", run,
            pages, rows, qint64(QFileInfo(fileName).size()), elapsed, cpu);
        const std::size_t n = filter.Heap.size();
        if (n >= 2) {
            const qint64 first = filter.Heap.front() - before;
            const qint64 last = filter.Heap.back() - before;
            std::printf(
                "  heap over the start: after page 1 %lld KiB, after page %zu %lld KiB, %.1f KiB a page\n",
                first / 1024, n, last / 1024, double(last - first) / 1024 / double(n - 1));
        }
    }
    return 0;
}
