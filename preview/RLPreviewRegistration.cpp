#include "preview/RLPreviewRegistration.h"

#include "filters/RLFilterProgress.h"
#include "filters/RLFilters.h"
#include "filters/RLSpoolFilter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLPrinters.h"
#include "platform/Exceptions.h"
#include "preview/RLFeedBack.h"
#include "preview/RLPreviewPages.h"
#include "preview/RLPrintDialog.h"
#include "preview/RLPrintParams.h"
#include "report/RLPageSetup.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <climits>

using enum TRLPreviewDefaults;
using enum TRLReportPhase;

namespace {
/// The progress window as the report and the filters drive it.
class TFeedBackProgress : public TRLProgress, public TRLFilterProgress {
public:
    TFeedBackProgress(const QString& caption, int levels, std::function<void()> cancel)
        : m_window(caption, levels)
    {
        m_window.OnCancel = [cancel = std::move(cancel)](TfrmRLFeedBack&, bool& canceled) {
            if (canceled && cancel)
                cancel();
        };
        m_window.show();
        m_window.repaint();
    }

    void SetMaximum(int maximum) override { m_window.SetMaxProgress(maximum); }
    void StepIt() override { m_window.StepForward(); }
    void SetText(const QString& text) override { m_window.SetStepName(text); }
    void SetMaxProgress(int maximum) override { m_window.SetMaxProgress(maximum); }
    void StepForward() override { m_window.StepForward(); }

private:
    TfrmRLFeedBack m_window;
};

void ShowErrorMessage(const QString& title, const QString& message)
{
    QString text = message;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::critical(QApplication::activeWindow(), title, text);
}

std::optional<TRLPrintJob> RunReportPrintDialog(TRLCustomReport& report)
{
    TRLPrintParams& params = PrintParams();
    if (auto* filter = dynamic_cast<TRLCustomPrintFilter*>(report.DefaultFilter()))
        params.SetFilter(filter);
    params.Reset();
    params.FromPage = 1;
    params.ToPage = INT_MAX;
    if (report.ReportPhase() == rpReady && report.Pages())
        params.SetMaxPage(report.Pages()->PageCount());
    params.Orientation = report.PageSetup()->Orientation();
    TRLPrintDialog dialog;
    if (!dialog.Execute())
        return std::nullopt;
    TRLPrintJob job;
    job.FromPage = params.FromPage;
    job.ToPage = params.ToPage;
    job.Filter = params.Filter();
    job.InBackground = params.PrintInBackground;
    return job;
}
}

bool ShowReportPreview(TRLCustomReport& report)
{
    if (!report.Pages())
        return false;
    if (auto* filter = dynamic_cast<TRLCustomPrintFilter*>(report.DefaultFilter()))
        PrintParams().SetFilter(filter);
    const TRLPreviewWindowOptions options = report.PreviewOptions()->Defaults == pdIgnoreDefaults
        ? PreviewWindowOptions(*report.PreviewOptions())
        : DefaultPreviewOptions();
    PreviewPages(*report.Pages(), true, options);
    return true;
}

void RunReportPrint(TRLCustomReport& report, const TRLPrintJob& job)
{
    if (!report.Pages())
        return;
    TRLCustomFilter* filter = dynamic_cast<TRLCustomFilter*>(job.Filter);
    TRLCustomFilter& chosen = filter ? *filter : static_cast<TRLCustomFilter&>(SpoolFilter());
    chosen.ShowProgress = report.ShowProgress;
    FilterPages(*report.Pages(), &chosen, job.FromPage, job.ToPage, job.InBackground);
}

void RegisterPreviewWindows(const QString& applicationTitle)
{
    TRLUserInterface& windows = RLUserInterface();
    windows.CreateProgress = [](const QString& caption, int reportCount, std::function<void()> cancel) {
        return std::unique_ptr<TRLProgress>(new TFeedBackProgress(caption, reportCount, std::move(cancel)));
    };
    windows.ShowError
        = [applicationTitle](const QString& message) { ShowErrorMessage(applicationTitle, message); };
    windows.ShowPreview = ShowReportPreview;
    windows.RunPrintDialog = RunReportPrintDialog;
    windows.RunPrint = RunReportPrint;
    SharedPrinter().SetupDialog = [](QPrinter& printer) {
        QPageSetupDialog dialog(&printer, QApplication::activeWindow());
        dialog.exec();
    };
    SetFilterProgressFactory([](const QString& caption, std::function<void()> cancel) {
        return std::unique_ptr<TRLFilterProgress>(new TFeedBackProgress(caption, 1, std::move(cancel)));
    });
}

void UnregisterPreviewWindows()
{
    RLUserInterface() = TRLUserInterface();
    SetFilterProgressFactory({});
    SharedPrinter().SetupDialog = nullptr;
}

void ShowPageFile(const QString& fileName)
{
    TComponent owner(nullptr);
    auto* pages = new TRLGraphicStorage(&owner);
    pages->LoadFromFile(fileName);
    PreviewPages(*pages, true, DefaultPreviewOptions());
}
