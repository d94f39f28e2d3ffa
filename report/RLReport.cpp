#include "report/RLReport.h"

#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "platform/Exceptions.h"
#include "report/RLErrors.h"
#include "report/RLMargins.h"
#include "report/RLPageSetup.h"
#include "report/RLUserInterface.h"
#include "support/Clock.h"
#include "support/LocaleTexts.h"

#include <QScopedValueRollback>
#include <climits>
#include <cmath>

using enum TRLControlAlign;
using enum TRLPageOrientation;
using enum TRLReportPhase;

namespace {

constexpr double kReportMarginMillimetres = 10.0;
constexpr int kReportFontHeight = -13;

int PrinterToScreen(int printerPixels, int dpi)
{
    if (dpi <= 0)
        return 0;
    return int(std::lround(double(printerPixels) * kScreenPixelsPerInch / dpi));
}

} // namespace

TRLCustomReport::TRLCustomReport(TComponent* owner)
    : TRLCustomSkipper(owner)
    , m_pages(new TRLGraphicStorage(nullptr))
    , m_pageSetup(std::make_unique<TRLPageSetup>(this))
    , m_previewOptions(std::make_unique<TRLPreviewOptions>())
{
    m_pages->Link(this);
    Margins()->SetDefaults(kReportMarginMillimetres);
    PrintEmpty = true;
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = kReportFontHeight;
    font.Style = {};
    font.Color = clBlack;
    SetFont(font);
    TRLCustomControl::SetColor(clWhite);
    PageSetupChanged();
}

TRLCustomReport::~TRLCustomReport()
{
    SetNextReport(nullptr);
    if (m_priorReport)
        m_priorReport->SetNextReport(nullptr);
    m_pageSurface.reset();
    if (m_pages) {
        TRLGraphicStorage* pages = m_pages;
        m_pages = nullptr;
        pages->Unlink(this);
    }
}

QString TRLCustomReport::ClassName() const
{
    return QStringLiteral("TRLCustomReport");
}

void TRLCustomReport::Notification(TComponent* component, TOperation operation)
{
    TRLCustomSkipper::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == m_nextReport)
        m_nextReport = nullptr;
    if (component == m_priorReport)
        m_priorReport = nullptr;
    if (component == m_defaultFilter)
        m_defaultFilter = nullptr;
    if (component == m_pages)
        m_pages = nullptr;
}

void TRLCustomReport::SetNextReport(TRLCustomReport* next)
{
    if (next == m_nextReport || next == this)
        return;
    // A chain that leads back here would have no first report.
    for (TRLCustomReport* prior = m_priorReport; prior; prior = prior->m_priorReport)
        if (prior == next)
            return;
    if (m_nextReport) {
        m_nextReport->m_priorReport = nullptr;
        RemoveFreeNotification(m_nextReport);
    }
    if (next && next->m_priorReport) {
        next->m_priorReport->m_nextReport = nullptr;
        next->m_priorReport->RemoveFreeNotification(next);
    }
    m_nextReport = next;
    if (next) {
        next->m_priorReport = this;
        FreeNotification(next);
    }
}

void TRLCustomReport::SetDefaultFilter(TComponent* filter)
{
    if (m_defaultFilter)
        m_defaultFilter->RemoveFreeNotification(this);
    m_defaultFilter = filter;
    if (filter)
        filter->FreeNotification(this);
}

// ---- Paper and margins --------------------------------------------------------------------

void TRLCustomReport::PageSetupChanged()
{
    ReadPrinterMetrics();
    const bool fixed = m_pageSetup->PaperSize() != TRLPaperSize::fpDefault;
    SetFixedSize(m_pageSetup->OrientedPixelWidth(), m_pageSetup->OrientedPixelHeight(), fixed);
    FitBounds();
}

void TRLCustomReport::ReadPrinterMetrics()
{
    m_printerMetrics = SharedPrinter().GetMetrics();
}

TRLInsets TRLCustomReport::MarginsPixels() const
{
    TRLInsets margins = TRLCustomSkipper::MarginsPixels();
    if (!AdjustableMargins)
        return margins;
    const TRLPrinterMetrics& m = m_printerMetrics;
    TRLInsets printer { PrinterToScreen(m.OffsetX, m.DpiX), PrinterToScreen(m.OffsetY, m.DpiY),
        PrinterToScreen(m.MarginRight, m.DpiX), PrinterToScreen(m.MarginBottom, m.DpiY) };
    if (m_pageSetup->Orientation() == poLandscape)
        printer = { printer.Top, printer.Right, printer.Bottom, printer.Left };
    return { std::max(margins.Left, printer.Left), std::max(margins.Top, printer.Top),
        std::max(margins.Right, printer.Right), std::max(margins.Bottom, printer.Bottom) };
}

// ---- Pages --------------------------------------------------------------------------------

TRLGraphicSurface* TRLCustomReport::PageSurface()
{
    if (!m_pageSurface) {
        m_pageSurface = std::make_unique<TRLGraphicSurface>();
        m_pageSurface->Width = Width();
        m_pageSurface->Height = Height();
        m_pageSurface->SetOrientation(m_pageSetup->Orientation());
        m_pageSurface->SetPaperWidth(m_pageSetup->PaperWidth());
        m_pageSurface->SetPaperHeight(m_pageSetup->PaperHeight());
        m_pageSurface->Open();
    }
    return m_pageSurface.get();
}

TRLGraphicSurface* TRLCustomReport::SurfaceForChildren()
{
    return PageSurface();
}

void TRLCustomReport::TakeTransparentColor()
{
    TControl::SetColor(clWhite);
}

void TRLCustomReport::BeforeSurfaceOpen()
{
    TRLCustomSkipper::BeforeSurfaceOpen();
    PageBreakPending = false;
}

bool TRLCustomReport::NothingDrawn() const
{
    // A page not open yet is opened by the break, which adds no page.
    return m_pageSurface && !(m_pageSurface->Opened() && m_pageSurface->ObjectCount() > 0);
}

TRLControlAlign TRLCustomReport::AllowedBandAlign(TRLBandType) const
{
    return faTop;
}

TRLGraphicSurface* TRLCustomReport::OwnerSurface()
{
    return PageSurface();
}

void TRLCustomReport::CapturePrintBounds()
{
    SetPrintBounds(TRect::FromSize(0, 0, Width(), Height()));
}

void TRLCustomReport::AfterSurfaceClose()
{
    TRLCustomSkipper::AfterSurfaceClose();
    TRLCustomReport* root = RootReport();
    if (!m_pageSurface || !root->m_pages)
        return;
    root->m_pages->Add(std::move(m_pageSurface));
    ++root->m_storedPageCount;
}

void TRLCustomReport::ClearPages()
{
    m_pageSurface.reset();
    // A failed run may have left band and pager surfaces open.
    DiscardSurfaces();
    if (m_pages)
        m_pages->Clear();
    m_phase = rpIdle;
    CancelRequested = false;
    m_storedPageCount = 0;
}

int TRLCustomReport::CurrentPageNumber() const
{
    const TRLCustomReport* root = RootReport();
    return root->FirstPageNumber + root->m_storedPageCount;
}

// ---- Records and progress ------------------------------------------------------------------

void TRLCustomReport::FirstRecord()
{
    if (TRLCustomReport* root = RootReport(); root->m_progress)
        root->m_progress->SetMaximum(DataCount());
    TRLCustomSkipper::FirstRecord();
}

void TRLCustomReport::NextRecord()
{
    StepProgress();
    TRLCustomSkipper::NextRecord();
}

void TRLCustomReport::StepProgress()
{
    TRLCustomReport* root = RootReport();
    if (!root->m_progress)
        return;
    root->m_progress->StepIt();
    root->m_progress->SetText(
        LocaleText(TLocaleTextId::Page) + QLatin1Char(' ') + QString::number(CurrentPageNumber()));
}

int TRLCustomReport::ChainLength() const
{
    int count = 0;
    for (const TRLCustomReport* report = this; report; report = report->m_nextReport)
        ++count;
    return count;
}

// ---- Preparation --------------------------------------------------------------------------

TRLPrepareResult TRLCustomReport::Prepare()
{
    const TRect savedBounds = BoundsRect();
    TRLCustomReport* root = RootReport();
    const bool ownsProgress = root == this && ShowProgress && RLUserInterface().CreateProgress;
    TRLPrepareResult result;
    // The preparation's errors become the result here, the one place its caller looks.
    try {
        ClearPages();
        m_phase = rpPreparing;
        m_prepareDateTime = Now();
        if (ownsProgress)
            m_progress = RLUserInterface().CreateProgress(LocaleText(TLocaleTextId::PreparingReport),
                ChainLength(), [this] { CancelRequested = true; });
        result = RunPreparation();
    } catch (const EAbort&) {
        result = { TRLPrepareOutcome::Cancelled, QString() };
    } catch (const EReportError& error) {
        result = { TRLPrepareOutcome::Failed, PreparationErrorMessage(Name(), error.Message()) };
    } catch (const std::exception& error) {
        result = { TRLPrepareOutcome::Failed,
            PreparationErrorMessage(Name(), QString::fromLocal8Bit(error.what())) };
    }
    if (!result)
        m_phase = rpIdle;
    if (ownsProgress)
        m_progress.reset();
    SetBounds(savedBounds.Left, savedBounds.Top, savedBounds.Width(), savedBounds.Height());
    return result;
}

TRLPrepareResult TRLCustomReport::RunPreparation()
{
    TRLCustomReport* root = RootReport();
    bool printIt = true;
    RaiseBeforePrint(printIt);
    if (!printIt)
        return { TRLPrepareOutcome::Declined, QString() };
    BuildSortedBands();
    ReadPrinterMetrics();
    ResetPagerState();
    CapturePrintBounds();
    // A filter writing pages while they are prepared reads the title and paper size at its start;
    // the final values replace these in place, keeping the macros' order.
    WriteStoreMacros();
    FirstRecord();
    RunRecordLoop();
    m_phase = rpFinishing;
    if (PrintEmpty && DetailsPrinted() == 0) {
        OpenSiteSurface();
        PrintEmptySkippers();
    }
    FinishPager();
    m_phase = rpReady;
    if (root->CancelRequested)
        return { TRLPrepareOutcome::Cancelled, QString() };
    RaiseAfterPrint();
    if (m_nextReport) {
        // A chained report's failure names that report.
        if (TRLPrepareResult next = m_nextReport->Prepare(); !next)
            return next;
    }
    WriteStoreMacros();
    return { TRLPrepareOutcome::Prepared, QString() };
}

bool TRLCustomReport::PrepareShowingFailure()
{
    const TRLPrepareResult prepared = Prepare();
    if (prepared.Outcome == TRLPrepareOutcome::Failed)
        ReportErrorMessage(prepared.Message);
    return bool(prepared);
}

void TRLCustomReport::WriteStoreMacros()
{
    TRLGraphicStorage* store = RootReport()->m_pages;
    if (!store)
        return;
    store->SetFirstPageNumber(FirstPageNumber);
    store->SetLastPageNumber(store->PageCount() + FirstPageNumber - 1);
    store->SetTitle(Title);
    store->SetOrientation(m_pageSetup->Orientation());
    store->SetPaperWidth(m_pageSetup->PaperWidth());
    store->SetPaperHeight(m_pageSetup->PaperHeight());
    store->SetWidth(Width());
    store->SetHeight(Height());
}

bool TRLCustomReport::Preview()
{
    if (ForcePrepare)
        ClearPages();
    if (m_phase == rpIdle && !PrepareShowingFailure())
        return false;
    if (!RLUserInterface().ShowPreview)
        return false;
    return RLUserInterface().ShowPreview(*this);
}

void TRLCustomReport::Print()
{
    SharedPrinter().SetPaperSize(m_pageSetup->Orientation() == poLandscape, m_pageSetup->ForceEmulation(),
        m_pageSetup->PaperWidth(), m_pageSetup->PaperHeight());
    TRLPrintJob job;
    job.FromPage = 1;
    job.ToPage = INT_MAX;
    job.Filter = m_defaultFilter;
    if (PrintDialog && RLUserInterface().RunPrintDialog) {
        const std::optional<TRLPrintJob> chosen = RLUserInterface().RunPrintDialog(*this);
        if (!chosen) {
            CancelRequested = true;
            throw EAbort();
        }
        job = *chosen;
    }
    if (m_phase == rpIdle && !PrepareShowingFailure())
        return;
    if (!RLUserInterface().RunPrint)
        RaiseNoPrintOutput(*this);
    RLUserInterface().RunPrint(*this, job);
}

// ---- Formulas and events ------------------------------------------------------------------

QVariant TRLCustomReport::EvaluateFormula(TRLCustomControl& current, const QString& formula)
{
    if (!ExpressionParser)
        return {};
    const QScopedValueRollback restore(m_formulaObject, &current);
    return ExpressionParser(current, formula);
}

void TRLCustomReport::RaiseFilterText(QString& text, bool& printIt)
{
    if (OnFilterText)
        OnFilterText(this, text, printIt);
}

void TRLCustomReport::RaisePageStarting()
{
    if (OnPageStarting)
        OnPageStarting(this);
}

void TRLCustomReport::PageStarted()
{
    m_pageEndingRaised = false;
    RaisePageStarting();
}

void TRLCustomReport::PageEnding()
{
    if (m_pageEndingRaised)
        return;
    m_pageEndingRaised = true;
    RaisePageEnding();
}

void TRLCustomReport::RaisePageEnding()
{
    if (OnPageEnding)
        OnPageEnding(this);
}

TRLReport::TRLReport(TComponent* owner)
    : TRLCustomReport(owner)
{
}

QString TRLReport::ClassName() const
{
    return QStringLiteral("TRLReport");
}
