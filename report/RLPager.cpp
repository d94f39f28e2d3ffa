#include "report/RLPager.h"

#include "pages/RLGraphicSurface.h"
#include "platform/ComponentCast.h"
#include "report/RLBand.h"
#include "report/RLGroup.h"
#include "report/RLReport.h"
#include "support/TextUtils.h"

#include <QScopedValueRollback>
#include <algorithm>

using enum TRLBandType;
using enum TRLCompletionType;
using enum TRLControlAlign;
using enum TRLFooterMeasuring;
using enum TRLPageBreaking;

namespace {

constexpr int kAllowedBandHeight = 20;

} // namespace

TRLCustomPager::TRLCustomPager(TComponent* owner)
    : TRLCustomBandSet(owner)
{
    SetAutoExpandFlags(false, true);
}

QString TRLCustomPager::ClassName() const
{
    return QStringLiteral("TRLCustomPager");
}

std::vector<TRLCustomBand*> TRLCustomPager::ChildBands() const
{
    std::vector<TRLCustomBand*> bands;
    for (TControl* child : ChildrenInCreationOrder())
        if (auto* band = ComponentCast<TRLCustomBand>(child))
            bands.push_back(band);
    return bands;
}

std::vector<TRLCustomPager*> TRLCustomPager::ChildPagers() const
{
    std::vector<TRLCustomPager*> pagers;
    for (TControl* child : ChildrenInCreationOrder())
        if (auto* pager = ComponentCast<TRLCustomPager>(child))
            pagers.push_back(pager);
    return pagers;
}

TRLBandTypes TRLCustomPager::BandTypesPresent() const
{
    TRLBandTypes types = 0;
    for (const TRLCustomBand* band : ChildBands())
        types |= BandTypeBit(band->BandType());
    return types;
}

TRLControlAlign TRLCustomPager::AllowedBandAlign(TRLBandType type) const
{
    if (type == btDetail)
        return faClient;
    if (type == btColumnFooter || type == btSummary || type == btFooter)
        return faBottom;
    return faTop;
}

void TRLCustomPager::SetAllowedBands(TRLBandTypes types)
{
    if (IsLoading())
        return;
    const TRLBandTypes present = BandTypesPresent();
    for (int type = int(btHeader); type <= int(btFooter); ++type) {
        const TRLBandTypes bit = BandTypeBit(TRLBandType(type));
        if ((types & bit) && !(present & bit)) {
            auto* band = new TRLBand(Owner() ? Owner() : this);
            band->SetName(UniqueComponentName(*band));
            band->SetBandType(TRLBandType(type));
            band->SetHeight(kAllowedBandHeight);
            band->SetAlign(AllowedBandAlign(TRLBandType(type)));
            band->SetParent(this);
        } else if (!(types & bit) && (present & bit)) {
            for (TRLCustomBand* band : ChildBands())
                if (band->BandType() == TRLBandType(type))
                    delete band;
        }
    }
}

// ---- Runs and pages ------------------------------------------------------------------------

void TRLCustomPager::BuildSortedBands()
{
    m_sortedBands.Clear();
    for (TRLCustomBand* band : ChildBands())
        m_sortedBands.Add(band);
    for (TRLCustomPager* pager : ChildPagers())
        pager->BuildSortedBands();
}

void TRLCustomPager::ResetPagerState()
{
    m_sortedBands.ResetPrinted();
    ResetNotify();
    m_detailsPrinted = 0;
    ResetPage();
}

void TRLCustomPager::ResetPage()
{
    m_dataOnPage = false;
    m_detailsOnPage = 0;
    m_sortedBands.ResetPrintedExceptTitle();
    m_nextFreeRow = ClientInsets().Top;
}

void TRLCustomPager::BeforeSurfaceOpen()
{
    TRLCustomBandSet::BeforeSurfaceOpen();
    m_savedPagerBounds = BoundsRect();
    ResetPage();
}

void TRLCustomPager::CapturePrintBounds()
{
    auto* enclosing = ComponentCast<TRLCustomPager>(Parent());
    if (!enclosing) {
        TRLCustomBandSet::CapturePrintBounds();
        return;
    }
    int height = Height();
    if (ExpandsToContent())
        height = enclosing->PageLimit() - enclosing->NextFreeRow();
    SetPrintBounds(TRect::FromSize(Left(), enclosing->NextFreeRow(), Width(), height));
}

void TRLCustomPager::PrintContents()
{
    PrepareChildren();
    PrintChildren();
    if (!Enabled())
        return;
    PrintHeaderPart();
    PageStarted();
}

void TRLCustomPager::BeforeSurfaceClose()
{
    PrintFooterPart(false);
}

void TRLCustomPager::FinishSurface()
{
    m_nextFreeRow += ClientInsets().Bottom;
    if (ExpandsToContent()) {
        TRect bounds = PrintBounds();
        bounds.Bottom = bounds.Top + m_nextFreeRow;
        SetPrintBounds(bounds);
    }
}

void TRLCustomPager::AfterSurfaceClose()
{
    TRLCustomBandSet::AfterSurfaceClose();
    if (auto* enclosing = ComponentCast<TRLCustomPager>(Parent()))
        enclosing->m_nextFreeRow += PrintBounds().Height();
    SetBounds(m_savedPagerBounds.Left, m_savedPagerBounds.Top, m_savedPagerBounds.Width(),
        m_savedPagerBounds.Height());
}

void TRLCustomPager::FinishPager()
{
    CompleteBands();
    PrintFooterPart(true);
    CloseSiteSurface();
}

void TRLCustomPager::BeginNestedRun()
{
    TRLCustomReport* report = RequireReport();
    TRLCustomPager* pager = RequirePager();
    RequireSkipper();
    if (PageBreaking == pbBeforePrint && report->DataOnPage()) {
        BreakPage(pager, this, pager->KeepTogether());
        CapturePrintBounds();
    }
    ResetPagerState();
    CapturePrintBounds();
}

// ---- Band order ---------------------------------------------------------------------------

void TRLCustomPager::PrintHeaderPart()
{
    if (!Enabled())
        return;
    for (TRLBandType type : { btHeader, btTitle, btColumnHeader })
        if (!m_sortedBands.Printed(type) && PrintBandsOfType(type))
            return;
    if (FooterMeasuring == fmAfterHeader)
        MeasureFooters();
}

void TRLCustomPager::PrintDetailPart()
{
    if (FooterMeasuring == fmBeforeDetail)
        MeasureFooters();
    for (TRLCustomPager* pager : ChildPagers()) {
        if (pager->DecidePrint()) {
            pager->FitBounds();
            pager->PrintControl();
            pager->RaiseAfterPrint();
        }
    }
    PrintBandsOfType(btDetail);
}

void TRLCustomPager::PrintFooterPart(bool withSummary)
{
    if (!Enabled())
        return;
    PageEnding();
    // A column footer that is moving to the next page leaves the page its footer all the same.
    bool columnFooterMoving = !m_sortedBands.Printed(btColumnFooter) && PrintBandsOfType(btColumnFooter);
    if (!columnFooterMoving) {
        if (withSummary && !m_sortedBands.Printed(btSummary) && PrintBandsOfType(btSummary))
            return;
        // A summary that moved to a new page still owes that page its column footer.
        PageEnding();
        columnFooterMoving = !m_sortedBands.Printed(btColumnFooter) && PrintBandsOfType(btColumnFooter);
    }
    if (m_sortedBands.Printed(btFooter))
        return;
    if (!ExpandsToContent())
        m_nextFreeRow = PageLimit();
    PrintBandsOfType(btFooter);
}

void TRLCustomPager::PrintBandWithCopies(const std::vector<TRLCustomBand*>& block, bool& metBreaking)
{
    const int copies = block.front()->CarbonCopies();
    for (int copy = 0; copy < copies; ++copy)
        for (TRLCustomBand* band : block) {
            if (band == m_breakingBand) {
                metBreaking = true;
                return;
            }
            band->SetCurrentCopy(copy);
            band->PrintBand();
        }
}

bool TRLCustomPager::PrintBandsOfType(TRLBandType type)
{
    const std::vector<TRLCustomBand*> list = m_sortedBands.List(type);
    if (list.empty())
        return false;
    std::size_t index = 0;
    while (index < list.size()) {
        std::vector<TRLCustomBand*> block { list[index++] };
        const int group = block.front()->GroupIndex();
        if (group > 0)
            while (index < list.size() && list[index]->GroupIndex() == group)
                block.push_back(list[index++]);
        bool metBreaking = false;
        PrintBandWithCopies(block, metBreaking);
        if (metBreaking)
            return true;
    }
    m_sortedBands.SetPrinted(type, true);
    return false;
}

void TRLCustomPager::MeasureFooters()
{
    for (TRLCustomPager* pager = this; pager; pager = pager->OwnerPager())
        for (TRLCustomBand* band : pager->ChildBands())
            if (band->BandType() == btFooter)
                band->MeasureControl();
}

void TRLCustomPager::NotifyDetailPrinted(TRLCustomBand* band)
{
    for (TControl* child : Controls()) {
        auto* control = ComponentCast<TRLCustomControl>(child);
        if (!control || control == band)
            continue;
        if (ComponentCast<TRLCustomBand>(control) || !ComponentCast<TRLCustomSite>(control))
            control->DetailNotify(band);
    }
    ++m_detailsPrinted;
}

void TRLCustomPager::CompleteBands()
{
    TRLCustomBand* band = nullptr;
    for (TRLCustomBand* candidate : m_sortedBands.List(btDetail))
        if (candidate->Completion != ctNone && candidate->Computable) {
            band = candidate;
            break;
        }
    if (!band)
        return;
    TRLCustomReport* root = RequireReport()->RootReport();
    const int page = root->StoredPageCount();
    m_completing = true;
    struct CompletingReset {
        bool& flag;
        ~CompletingReset() { flag = false; }
    } reset { m_completing };
    // A blank copy that prints nothing, has no height or starts a new page would never reach
    // the target, so completion fills the current page only and stops when a copy adds nothing.
    auto printedSomething = [&](int rowBefore, int detailsBefore) {
        return root->StoredPageCount() == page
            && (m_nextFreeRow > rowBefore || m_detailsOnPage > detailsBefore);
    };
    switch (band->Completion) {
    case ctFullPage:
        while (band->Height() + m_nextFreeRow < ColumnFooterLimit()
            && band->Height() + m_nextFreeRow <= PageLimit() - PendingColumnFooters(false)) {
            if (MaxBands > 0 && m_detailsOnPage >= MaxBands)
                break;
            const int row = m_nextFreeRow;
            const int details = m_detailsOnPage;
            band->PrintBand();
            if (!printedSomething(row, details) || m_nextFreeRow <= row)
                break;
        }
        break;
    case ctMaxBands:
    case ctMinBands: {
        const int target = band->Completion == ctMaxBands ? MaxBands : MinBands;
        while (m_detailsOnPage < target) {
            const int row = m_nextFreeRow;
            const int details = m_detailsOnPage;
            band->PrintBand();
            if (!printedSomething(row, details) || m_detailsOnPage <= details)
                break;
        }
        break;
    }
    case ctNone:
        break;
    }
}

// ---- Limits and breaks --------------------------------------------------------------------

int TRLCustomPager::AbsoluteTop() const
{
    int top = 0;
    for (const TRLCustomSite* site = this; site && !ComponentCast<const TRLCustomReport>(site);
         site = site->OwnerSite())
        top += site->PrintBounds().Top;
    return top;
}

bool TRLCustomPager::NothingDrawn() const
{
    const TRLGraphicSurface* surface = Surface();
    return !(surface->Opened() && surface->ObjectCount() > 0);
}

int TRLCustomPager::VisibleHeights(TRLBandType type, bool alignedToBottomOnly) const
{
    // Runs several times for every band printed; a sum needs no creation order, so the children
    // are walked where they are, without a sorted copy.
    int sum = 0;
    for (const TControl* child : Controls()) {
        const auto* band = ComponentCast<const TRLCustomBand>(child);
        if (band && band->BandType() == type && band->Visible()
            && (!alignedToBottomOnly || band->AlignToBottom))
            sum += band->Height();
    }
    return sum;
}

int TRLCustomPager::PageLimit() const
{
    const TRLCustomReport* report = RequireReport();
    int limit = report->PrintBounds().Bottom - AbsoluteTop();
    for (const TRLCustomPager* pager = this; pager; pager = pager->OwnerPager())
        limit -= pager->ClientInsets().Bottom + pager->VisibleHeights(btFooter, false);
    return limit;
}

int TRLCustomPager::SummaryLimit() const
{
    int limit = PageLimit();
    for (const TRLCustomPager* pager = this; pager; pager = pager->OwnerPager())
        limit -= pager->VisibleHeights(btSummary, true);
    return limit;
}

int TRLCustomPager::ColumnFooterLimit() const
{
    int limit = SummaryLimit();
    for (const TRLCustomPager* pager = this; pager; pager = pager->OwnerPager())
        limit -= pager->VisibleHeights(btColumnFooter, true);
    return limit;
}

int TRLCustomPager::PendingColumnFooters(bool enclosingOnly) const
{
    int sum = 0;
    for (const TRLCustomPager* pager = enclosingOnly ? OwnerPager() : this; pager;
         pager = pager->OwnerPager())
        if (!pager->m_sortedBands.Printed(btColumnFooter))
            sum += pager->VisibleHeights(btColumnFooter, false);
    return sum;
}

bool TRLCustomPager::BreakInProgress() const
{
    for (const TRLCustomPager* pager = this; pager; pager = pager->OwnerPager())
        if (pager->m_breakingBand)
            return true;
    return false;
}

bool TRLCustomPager::KeepTogether() const
{
    return !(m_dataOnPage && (!ForceMinBands || MinBands <= 0 || m_detailsOnPage >= MinBands));
}

void TRLCustomPager::BreakPage(TRLCustomPager* pager, TRLCustomSite* caller, bool keep)
{
    // The pager's BreakingBand is back to what it was when the break ends, also on failure.
    const QScopedValueRollback breaking(pager->m_breakingBand, caller);
    if (!keep)
        pager->CloseSiteSurface();
    if (auto* enclosing = ComponentCast<TRLCustomPager>(pager->Parent()))
        BreakPage(enclosing, caller, false);
    if (keep)
        pager->CapturePrintBounds();
    else
        pager->OpenSiteSurface();
}
