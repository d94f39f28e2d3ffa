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

/// The root of a report: owns the page store and the page setup, prepares the pages from its
/// bands and data, and hands them to the preview or a filter.
///
/// Call order: create it with an owner, give it bands (TRLBand with SetParent(report)) and a
/// DataSource, open the data, Prepare(), then send Pages() to a filter or call Preview().
/// Its own size is the paper's, in pixels at 96 dpi (794 x 1123 for A4 portrait).
class TRLCustomReport : public TRLCustomSkipper {
public:
    /// An A4 portrait report with 10 mm margins, deleted by `owner` (none: by the caller).
    explicit TRLCustomReport(TComponent* owner);
    ~TRLCustomReport() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

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

    /// Idle, preparing, finishing (summaries and last footers), or ready after a Prepare.
    TRLReportPhase ReportPhase() const { return m_phase; }
    /// The prepared pages, owned by the report; what a filter or the preview takes.
    TRLGraphicStorage* Pages() const { return m_pages; }
    /// Paper and orientation (the margins are Margins(), in millimetres); changing it re-sizes
    /// the report.
    TRLPageSetup* PageSetup() const { return m_pageSetup.get(); }
    /// How the preview window opens (position, size, zoom, buttons).
    TRLPreviewOptions* PreviewOptions() const { return m_previewOptions.get(); }
    /// When the last preparation started; the date and hour that system-info controls print.
    const QDateTime& PrepareDateTime() const { return m_prepareDateTime; }

    /// The report prepared after this one into the same pages; nullptr when none.
    TRLCustomReport* NextReport() const { return m_nextReport; }
    /// Chains B after this report, releasing both sides' former partners; never itself.
    void SetNextReport(TRLCustomReport* next);
    /// The report whose NextReport this one is.
    TRLCustomReport* PriorReport() const { return m_priorReport; }

    /// A non-owning reference to the filter the print parameters take (a filter component).
    TComponent* DefaultFilter() const { return m_defaultFilter; }
    /// Cleared when that filter is destroyed.
    void SetDefaultFilter(TComponent* filter);

    /// The number the first page prints as.
    int FirstPageNumber = 1;
    /// Print() asks the registered print dialog first.
    bool PrintDialog = true;
    /// Kept for layouts that store it; no effect at run time.
    bool ShowDesigners = true;
    /// Kept for layouts that store it; no effect at run time.
    bool ShowTracks = true;
    /// Kept for layouts that store it; no effect at run time.
    bool ShowExplosion = false;
    /// Prepare() opens the registered progress window (with a cancel button).
    bool ShowProgress = true;
    /// Margins grow to the printer's unprintable edges when those are wider.
    bool AdjustableMargins = false;
    /// Preview() prepares again even when pages are ready.
    bool ForcePrepare = true;
    /// pqFixedOnly prints only the borders marked Fixed.
    TRLPrintQuality PrintQuality = TRLPrintQuality::pqFullFeature;
    /// The document's title: the page store's, the PDF's and the preview window's.
    QString Title;
    /// Set by the progress window's cancel; read after each record.
    bool CancelRequested = false;

    /// Raised with every text a control prints, after its own events: may change it, or clear
    /// printIt to leave it out.
    TRLOnFilterTextEvent OnFilterText;
    /// Raised when a new page starts, before its headers print.
    TRLNotifyEvent OnPageStarting;
    /// Raised once per page before its footers print.
    TRLNotifyEvent OnPageEnding;

    /// Pages stored by this run so far.
    int StoredPageCount() const { return m_storedPageCount; }
    /// The selected printer's resolution and margins, read when the paper size changes.
    const TRLPrinterMetrics& PrinterMetrics() const { return m_printerMetrics; }

    /// @cond ENGINE
    /// Formula evaluation with `current` as the current object; a null value without an evaluator.
    QVariant EvaluateFormula(TRLCustomControl& current, const QString& formula);
    TRLCustomControl* FormulaObject() const { return m_formulaObject; }
    TRLFormulaEvaluator ExpressionParser;
    TRLInsets MarginsPixels() const override;
    /// @endcond

protected:
    /// @cond ENGINE
    // The run: the controls, bands and pagers of the report, and its page setup, reach the page
    // and the run's state through these.
    friend class TRLCustomControl;
    friend class TRLCustomBand;
    friend class TRLCustomPager;
    friend class TRLCustomSkipper;
    friend class TRLCustomGroup;
    friend class TRLPageSetup;

    TRLGraphicSurface* PageSurface();
    bool HasPageSurface() const { return m_pageSurface != nullptr; }
    void ReadPrinterMetrics();
    /// Set by a band or group with pbAfterPrint, consumed by the next detail or summary band.
    bool PageBreakPending = false;

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

    void Notification(TComponent* component, TOperation operation) override;
    /// A transparent report is white.
    void TakeTransparentColor() override;
    /// The pending break is the report's own: a nested pager opening leaves it alone.
    void BeforeSurfaceOpen() override;
    bool NothingDrawn() const override;
    /// Every band the report creates is laid at the top.
    TRLControlAlign AllowedBandAlign(TRLBandType type) const override;
    void PageStarted() override;
    /// Once per page, before the page's footers: on the last page those print before it closes.
    void PageEnding() override;
    void AfterSurfaceClose() override;
    /// @endcond

private:
    TRLPrepareResult RunPreparation();
    /// Prepares from idle; a failure goes to the registered ShowError. False unless prepared.
    bool PrepareShowingFailure();
    void WriteStoreMacros();
    int ChainLength() const;
    void StepProgress();

    TRLReportPhase m_phase = TRLReportPhase::rpIdle;
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

/// The report component a program creates; see TRLCustomReport.
class TRLReport : public TRLCustomReport {
public:
    /// An A4 portrait report deleted by `owner`.
    explicit TRLReport(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
