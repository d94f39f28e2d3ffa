// Times the PDF export of real orders of the sample database: the preparation and the PDF filter
// apart, each as the median of several runs, wall clock and CPU, and the peak memory.
//
//   bench_pdf [--runs N] [ORDER...]      default: 5 runs of orders 6 and 7
//
// The alias resolves as in the program ($QUIREL_ALIAS_KORVANE, else the built sample database).
// On a shared machine the wall clock also counts waiting for a core, so CPU time is printed too.
// whole-process.sh times the program itself.

#include "app/TelaPrincipal.h"
#include "filters/RLFilterCommands.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "report/RLReport.h"
#include "support/Startup.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kDefaultRuns = 5;

double CpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

double PeakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct TTiming {
    std::vector<double> Wall;
    std::vector<double> Cpu;

    template<typename F> void Measure(F&& work)
    {
        QElapsedTimer timer;
        timer.start();
        const double cpu = CpuSeconds();
        work();
        Cpu.push_back(CpuSeconds() - cpu);
        Wall.push_back(timer.nsecsElapsed() / 1e9);
    }
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Prepares the order on the form's report; the report keeps the pages.
int PrepareOrder(TForm1& form, int order)
{
    if (!form.LocateOrder(QString::number(order)))
        throw EReportError(QStringLiteral("order %1 does not exist").arg(order));
    form.RLReport1->ShowProgress = false;
    if (!form.RLReport1->Prepare())
        throw EReportError(QStringLiteral("order %1 could not be prepared").arg(order));
    return form.RLReport1->Pages()->PageCount();
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const TQuirelLibrary library;
    int runs = kDefaultRuns;
    QList<int> orders;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == u"--runs" && i + 1 < argc)
            runs = std::max(1, QString::fromLocal8Bit(argv[++i]).toInt());
        else
            orders << argument.toInt();
    }
    if (orders.isEmpty())
        orders = { 6, 7 };

    const QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("bench.pdf"));
    try {
        TForm1 form(nullptr);
        form.OpenTables();
        for (const int order : orders) {
            TTiming prepare;
            TTiming pdf;
            int pages = 0;
            for (int run = 0; run < runs; ++run) {
                prepare.Measure([&] { pages = PrepareOrder(form, order); });
                pdf.Measure([&] { ExportPagesToPdf(*form.RLReport1->Pages(), fileName); });
            }
            std::printf("order %d, %d pages, median of %d: prepared %.3f s (CPU %.3f), PDF filter %.3f s "
                        "(CPU %.3f), %lld bytes; peak memory %.1f MB\n",
                order, pages, runs, Median(prepare.Wall), Median(prepare.Cpu), Median(pdf.Wall),
                Median(pdf.Cpu), QFileInfo(fileName).size(), PeakMegabytes());
        }
    } catch (const EReportError& error) {
        std::fprintf(stderr, "bench_pdf: %s\n", error.Message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
