#pragma once

#include "pages/RLPrinters.h"
#include "report/RLPrepareResult.h"
#include "report/RLPreviewOptions.h"
#include "report/RLSkipper.h"

#include <QDateTime>
#include <QVariant>
#include <memory>

class TRLGraphicStorage;
class TRLGraphicSurface;
class TRLPageSetup;
class TRLProgress;

/// Evaluates a formula for a control (the expression parser registers itself here).
using TRLFormulaEvaluator = std::function<QVariant(TRLCustomControl& current, const QString& formula)>;

/// The root skipper: owns the page store and the page setup, prepares the pages and hands them
/// to the preview or a filter.
class TRLCustomReport : public TRLCustomSkipper {
public:
    explicit TRLCustomReport(TComponent* owner);
    ~TRLCustomReport() override;
    QString ClassName() const override;

    /// Builds every page into Pages(), after the report and its controls are configured and the
    /// data is open; then the pages go to a filter or the preview. Says whether the pages are
    /// ready, declined or cancelled, or why it failed; it shows nothing and throws nothing, and
    /// leaves the report idle unless prepared.
    TRLPrepareResult Prepare();
    /// Prepares if needed and shows the preview; false when preparation did not end prepared (a
    /// failure is shown through the registered ShowError) or no preview window is available.
    bool Preview();
    /// Print dialog (if configured), preparation from idle (a failure is shown as by Preview),
    /// then the chosen output.
    void Print();
    /// Drops the current page and the stored pages; back to idle.
    void ClearPages();
    /// The root report's FirstPageNumber plus the pages it stored so far.
    int CurrentPageNumber() const;

    TRLReportPhase ReportPhase() const { return m_phase; }
    TRLGraphicStorage* Pages() const { return m_pages; }
    /// The page being built, created on first use.
    TRLGraphicSurface* PageSurface();
    bool HasPageSurface() const { return m_pageSurface != nullptr; }
    int StoredPageCount() const { return m_storedPageCount; }
    TRLPageSetup* PageSetup() const { return m_pageSetup.get(); }
    TRLPreviewOptions* PreviewOptions() const { return m_previewOptions.get(); }
    const TRLPrinterMetrics& PrinterMetrics() const { return m_printerMetrics; }
    void ReadPrinterMetrics();
    const QDateTime& PrepareDateTime() const { return m_prepareDateTime; }

    TRLCustomReport* NextReport() const { return m_nextReport; }
    /// Chains B after this report, releasing both sides' former partners; never itself.
    void SetNextReport(TRLCustomReport* next);
    /// The report whose NextReport this one is.
    TRLCustomReport* PriorReport() const { return m_priorReport; }

    /// A non-owning reference to the filter the print parameters take (a filter component).
    TComponent* DefaultFilter() const { return m_defaultFilter; }
    void SetDefaultFilter(TComponent* filter);

    int FirstPageNumber = 1;
    bool PrintDialog = true;
    bool ShowDesigners = true;
    bool ShowTracks = true;
    bool ShowExplosion = false;
    bool ShowProgress = true;
    bool AdjustableMargins = false;
    bool ForcePrepare = true;
    TRLPrintQuality PrintQuality = pqFullFeature;
    QString Title;
    /// Set by the progress window's cancel; read after each record.
    bool CancelRequested = false;
    /// Set by a band or group with pbAfterPrint, consumed by the next detail or summary band.
    bool PageBreakPending = false;

    /// Formula evaluation with `current` as the current object; a null value without an evaluator.
    QVariant EvaluateFormula(TRLCustomControl& current, const QString& formula);
    TRLCustomControl* FormulaObject() const { return m_formulaObject; }
    TRLFormulaEvaluator ExpressionParser;

    TRLInsets MarginsPixels() const override;
    TRLGraphicSurface* SurfaceForChildren() override;
    TRLGraphicSurface* OwnerSurface() override;
    void CapturePrintBounds() override;
    void FirstRecord() override;
    void NextRecord() override;

    /// Paper size changed: size in pixels, printer metrics, re-fit.
    void PageSetupChanged();

    void RaiseFilterText(QString& text, bool& printIt);
    void RaisePageStarting();
    void RaisePageEnding();

    TRLNotifyEvent OnPageStarting;
    TRLNotifyEvent OnPageEnding;
    TRLOnFilterTextEvent OnFilterText;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void PageStarted() override;
    /// Once per page, before the page's footers: on the last page those print before it closes.
    void PageEnding() override;
    void AfterSurfaceClose() override;

private:
    TRLPrepareResult RunPreparation();
    /// Prepares from idle; a failure goes to the registered ShowError. False unless prepared.
    bool PrepareShowingFailure();
    void WriteStoreMacros();
    int ChainLength() const;
    void StepProgress();

    TRLReportPhase m_phase = rpIdle;
    TRLGraphicStorage* m_pages = nullptr;
    std::unique_ptr<TRLGraphicSurface> m_pageSurface;
    int m_storedPageCount = 0;
    std::unique_ptr<TRLPageSetup> m_pageSetup;
    std::unique_ptr<TRLPreviewOptions> m_previewOptions;
    TRLPrinterMetrics m_printerMetrics;
    QDateTime m_prepareDateTime;
    TRLCustomReport* m_nextReport = nullptr;
    TRLCustomReport* m_priorReport = nullptr;
    TComponent* m_defaultFilter = nullptr;
    TRLCustomControl* m_formulaObject = nullptr;
    std::unique_ptr<TRLProgress> m_progress;
    bool m_pageEndingRaised = false;
};

class TRLReport : public TRLCustomReport {
public:
    explicit TRLReport(TComponent* owner);
    QString ClassName() const override;
};
