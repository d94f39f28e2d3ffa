#include "app/BatchRun.h"

#include "app/CommandLine.h"
#include "app/ConsoleProgress.h"
#include "app/HeadlessRun.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>

namespace {

class TBatchSummary {
public:
    void Add(int exitCode)
    {
        if (exitCode == kExitSuccess)
            ++m_written;
        else if (exitCode == kExitOrderNotFound)
            ++m_notFound;
        else
            ++m_failed;
        m_worst = std::max(m_worst, exitCode);
    }
    int Done() const { return m_written + m_notFound + m_failed; }
    int Worst() const { return m_worst; }
    void Print(bool quiet) const
    {
        ClearProgressLine();
        if (quiet)
            return;
        const QString line
            = QCoreApplication::translate("OrdemCompra", "orders written: %1, not found: %2, failed: %3")
                  .arg(m_written)
                  .arg(m_notFound)
                  .arg(m_failed);
        std::fprintf(stderr, "ordemcompra: %s\n", line.toLocal8Bit().constData());
        std::fflush(stderr);
    }

private:
    int m_written = 0;
    int m_notFound = 0;
    int m_failed = 0;
    int m_worst = kExitSuccess;
};

int RunInTurn(const TCommandLine& options)
{
    TBatchSummary summary;
    for (const QString& order : options.Orders)
        summary.Add(RunOneExport(ForOrder(options, order), OrderLabel(order)));
    summary.Print(options.Quiet);
    return summary.Worst();
}

/// The orders run by processes of this program, at most options.Jobs at a time. Their messages
/// are passed on when each ends, every line naming its order.
class TProcessBatch {
public:
    explicit TProcessBatch(const TCommandLine& options)
        : m_options(options)
        , m_showProgress(TConsoleProgress::Wanted(options.Quiet))
    {
    }

    int Run()
    {
        StartMore();
        if (m_running > 0)
            m_loop.exec();
        m_summary.Print(m_options.Quiet);
        return m_summary.Worst();
    }

private:
    void StartMore()
    {
        while (m_running < m_options.Jobs && m_next < m_options.Orders.size()) {
            const QString order = m_options.Orders[m_next++];
            auto* process = new QProcess;
            process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
            // An order still running when the batch is killed ends too, deleting its temporary
            // files, rather than go on writing unseen.
            process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
            QObject::connect(
                process, &QProcess::finished, process, [this, process, order] { Finished(*process, order); });
            QObject::connect(process, &QProcess::errorOccurred, process,
                [this, process, order](QProcess::ProcessError error) {
                    if (error == QProcess::FailedToStart)
                        Finished(*process, order);
                });
            ++m_running;
            process->start(QCoreApplication::applicationFilePath(), ArgumentsForOrder(m_options, order));
        }
    }

    void Finished(QProcess& process, const QString& order)
    {
        const QString label = OrderLabel(order);
        const QString prefix = QStringLiteral("ordemcompra: ");
        for (QString line :
            QString::fromLocal8Bit(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(prefix))
                line = line.mid(prefix.size());
            PrintProgramError(label + QStringLiteral(": ") + line);
        }
        int exitCode = kExitFailure;
        if (process.error() == QProcess::FailedToStart || process.exitStatus() == QProcess::CrashExit)
            PrintProgramError(label + QStringLiteral(": ") + process.errorString());
        else if (process.exitCode() == kExitSuccess || process.exitCode() == kExitOrderNotFound)
            exitCode = process.exitCode();
        m_summary.Add(exitCode);
        --m_running;
        process.deleteLater();
        if (m_showProgress)
            ShowProgressLine(QCoreApplication::translate("OrdemCompra", "orders done: %1 of %2")
                                 .arg(m_summary.Done())
                                 .arg(m_options.Orders.size()));
        StartMore();
        if (m_running == 0)
            m_loop.quit();
    }

    const TCommandLine& m_options;
    const bool m_showProgress;
    TBatchSummary m_summary;
    QEventLoop m_loop;
    qsizetype m_next = 0;
    int m_running = 0;
};

} // namespace

int RunBatch(const TCommandLine& options)
{
    if (options.Jobs <= 1)
        return RunInTurn(options);
    return TProcessBatch(options).Run();
}
