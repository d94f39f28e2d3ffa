#include "app/ConsoleProgress.h"

#include "filters/RLFilterProgress.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace {

/// What the line shows now; its length is what a shorter text must blank.
QString& ShownLine()
{
    static QString shown;
    return shown;
}

void WriteLine(const QString& text)
{
    const qsizetype blank = std::max<qsizetype>(0, ShownLine().size() - text.size());
    const QString line = QLatin1Char('\r') + text + QString(blank, QLatin1Char(' '))
        + (blank > 0 ? QLatin1Char('\r') + text : QString());
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    ShownLine() = text;
}

class TPreparationLine : public TRLProgress {
public:
    TPreparationLine(const QString& label, const TRLCustomReport& report)
        : m_label(label)
        , m_report(report)
    {
    }
    void SetMaximum(int) override { }
    void StepIt() override
    {
        ShowProgressLine(QCoreApplication::translate("ConsoleProgress", "%1: preparing page %2")
                             .arg(m_label)
                             .arg(m_report.CurrentPageNumber()));
    }
    void SetText(const QString&) override { }

private:
    QString m_label;
    const TRLCustomReport& m_report;
};

class TFilterLine : public TRLFilterProgress {
public:
    explicit TFilterLine(const QString& label)
        : m_label(label)
    {
    }
    void SetMaxProgress(int maximum) override { m_maximum = maximum; }
    void StepForward() override
    {
        ++m_done;
        ShowProgressLine(QCoreApplication::translate("ConsoleProgress", "%1: page %2 of %3")
                             .arg(m_label)
                             .arg(m_done)
                             .arg(m_maximum));
    }

private:
    QString m_label;
    int m_maximum = 0;
    int m_done = 0;
};

} // namespace

bool TConsoleProgress::Wanted(bool quiet)
{
    return !quiet && ::isatty(STDERR_FILENO) == 1;
}

TConsoleProgress::TConsoleProgress(const QString& label, const TRLCustomReport* report)
{
    if (report) {
        RLUserInterface().CreateProgress = [label, report](const QString&, int, std::function<void()>) {
            return std::unique_ptr<TRLProgress>(new TPreparationLine(label, *report));
        };
    }
    SetFilterProgressFactory([label](const QString&, std::function<void()>) {
        return std::unique_ptr<TRLFilterProgress>(new TFilterLine(label));
    });
}

TConsoleProgress::~TConsoleProgress()
{
    RLUserInterface().CreateProgress = nullptr;
    SetFilterProgressFactory({});
    ClearProgressLine();
}

void ShowProgressLine(const QString& text)
{
    if (text != ShownLine())
        WriteLine(text);
}

void ClearProgressLine()
{
    if (ShownLine().isEmpty())
        return;
    const QString blank(ShownLine().size(), QLatin1Char(' '));
    std::fputs((QLatin1Char('\r') + blank + QLatin1Char('\r')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    ShownLine().clear();
}
