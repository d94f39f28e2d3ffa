#include "report/RLBand.h"

#include "pages/RLGraphicSurface.h"
#include "platform/ComponentCast.h"
#include "report/RLReport.h"

#include <QScopeGuard>
#include <algorithm>

using enum TRLBandOption;
using enum TRLBandType;
using enum TRLControlAlign;
using enum TRLPageBreaking;

namespace {

constexpr int kBandDefaultWidth = 185;
constexpr int kBandDefaultHeight = 16;

std::vector<TRLCustomBand*> SiblingBands(const TRLCustomBand& band)
{
    std::vector<TRLCustomBand*> bands;
    if (!band.Parent())
        return bands;
    for (TControl* child : band.Parent()->Controls())
        if (auto* other = ComponentCast<TRLCustomBand>(child); other && other != &band)
            bands.push_back(other);
    return bands;
}

} // namespace

TRLCustomBand::TRLCustomBand(TComponent* owner)
    : TRLCustomBandSet(owner)
{
    SetAlignDefault(faTop);
    SetAutoExpandDefault(true);
    SetAutoExpandFlags(false, true);
    SetBounds(Left(), Top(), kBandDefaultWidth, kBandDefaultHeight);
}

QString TRLCustomBand::ClassName() const
{
    return QStringLiteral("TRLCustomBand");
}

void TRLCustomBand::SetParent(TControl* parent)
{
    if (ComponentCast<TRLCustomBand>(parent))
        parent = parent->Parent();
    TRLCustomBandSet::SetParent(parent);
}

void TRLCustomBand::SetBandType(TRLBandType type)
{
    if (type == m_bandType)
        return;
    m_bandType = type;
    if (TRLCustomSite* site = OwnerSite())
        site->Realign();
}

void TRLCustomBand::SetCarbonCopies(int copies)
{
    m_carbonCopies = std::max(copies, 1);
    if (m_groupIndex == 0)
        return;
    for (TRLCustomBand* band : SiblingBands(*this))
        if (band->m_groupIndex == m_groupIndex)
            band->m_carbonCopies = m_carbonCopies;
}

void TRLCustomBand::SetGroupIndex(int index)
{
    m_groupIndex = std::max(index, 0);
    if (m_groupIndex == 0)
        return;
    for (TRLCustomBand* band : SiblingBands(*this))
        if (band->m_groupIndex == m_groupIndex) {
            m_carbonCopies = band->m_carbonCopies;
            break;
        }
}

QString TRLCustomBand::BandTypeName() const
{
    static const char* const kNames[kBandTypeCount]
        = { "Header", "Title", "ColumnHeader", "Detail", "ColumnFooter", "Summary", "Footer" };
    return QString::fromLatin1(kNames[int(m_bandType)]);
}

bool TRLCustomBand::IsCounting() const
{
    return m_bandType == btDetail && Computable && !IsBlank();
}

void TRLCustomBand::PrintBand()
{
    // The band and its controls get their saved bounds back when printing ends, also on failure.
    SaveBoundsTree();
    const auto restoreBounds = qScopeGuard([this] { RestoreBoundsTree(); });
    m_brokeSinceLastPiece = false;
    if (!Visible())
        return;
    BeforePrintBand();
    if (!(Options & boOptimisticPageBreak) && m_bandType != btFooter) {
        int available = 0;
        if (!FitsInPager(Height(), available) && (IntegralHeight || available < Constraints().MinHeight))
            BreakPageForBand();
    }
    if (DecidePrint()) {
        FitBounds();
        PrintControl();
        RaiseAfterPrint();
    }
}

void TRLCustomBand::EmitToSurface()
{
    const bool counting = IsCounting();
    if (counting)
        TRLCustomSite::DetailNotify(this);
    PrintSite();
    if (counting)
        RequirePager()->NotifyDetailPrinted(this);
    if (counting || m_bandType == btSummary)
        MarkDataPrinted();
}

void TRLCustomBand::AfterSurfaceClose()
{
    TRLCustomBandSet::AfterSurfaceClose();
    if (m_bandType == btDetail && Computable)
        RequirePager()->AddDetailOnPage();
    if (PageBreaking == pbAfterPrint)
        RequireReport()->PageBreakPending = true;
}

void TRLCustomBand::MarkDataPrinted()
{
    for (TRLCustomPager* pager = OwnerPager(); pager; pager = pager->OwnerPager())
        pager->SetDataOnPage(true);
}

void TRLCustomBand::BreakForBand(bool keep)
{
    TRLCustomPager* pager = RequirePager();
    if (PageIsBlank()) {
        // The band is already at the top of an empty page; it prints here, past the limit if it must.
        m_brokeSinceLastPiece = true;
        return;
    }
    const TRLCustomReport* root = RequireReport()->RootReport();
    const int storedBefore = root->StoredPageCount();
    TRLCustomPager::BreakPage(pager, this, keep);
    if (root->StoredPageCount() != storedBefore)
        m_brokeSinceLastPiece = true;
}

bool TRLCustomBand::PageIsBlank() const
{
    for (const TRLCustomPager* pager = OwnerPager(); pager; pager = pager->OwnerPager())
        if (!pager->NothingDrawn())
            return false;
    return true;
}

int TRLCustomBand::BandLimit() const
{
    const TRLCustomPager* pager = RequirePager();
    if (m_bandType == btFooter)
        return pager->PageLimit();
    return pager->PageLimit() - pager->PendingColumnFooters(m_bandType == btColumnFooter);
}

void TRLCustomBand::CapturePrintBounds()
{
    const TRLCustomPager* pager = RequirePager();
    SetPrintBounds(TRect::FromSize(Left(), pager->NextFreeRow(), Width(), Height()));
}

bool TRLCustomBand::FitsInPager(int height, int& available)
{
    const TRLCustomPager* pager = RequirePager();
    available = BandLimit() - pager->NextFreeRow();
    return available >= height;
}

void TRLCustomBand::BreakPageForBand()
{
    BreakForBand(false);
    CapturePrintBounds();
}

void TRLCustomBand::AdvancePagerRow(int width, int height)
{
    Q_UNUSED(width);
    TRLCustomPager* pager = RequirePager();
    pager->SetNextFreeRow(pager->NextFreeRow() + height);
}

void TRLCustomBand::DrawOnParent()
{
    TRLCustomReport* report = RequireReport();
    TRLCustomPager* pager = RequirePager();
    RequireSurface();

    bool breakBefore = false;
    if ((m_bandType == btDetail || m_bandType == btSummary) && !IsBlank() && report->PageBreakPending) {
        report->PageBreakPending = false;
        breakBefore = true;
    }
    if (PageBreaking == pbBeforePrint && report->DataOnPage())
        breakBefore = true;
    if (m_bandType == btDetail && pager->MaxBands > 0 && pager->DetailsOnPage() >= pager->MaxBands
        && !pager->IsCompleting())
        breakBefore = true;
    if (breakBefore)
        BreakForBand(pager->KeepTogether());

    if (AlignToBottom || m_bandType == btFooter) {
        // A footer or summary that fits exactly at its limit stays on this page.
        if (m_bandType == btColumnFooter || m_bandType == btSummary) {
            const bool columnFooter = m_bandType == btColumnFooter;
            const int limit = columnFooter ? pager->ColumnFooterLimit() : pager->SummaryLimit();
            if (pager->NextFreeRow() <= limit) {
                pager->SetNextFreeRow(limit);
            } else {
                BreakForBand(pager->KeepTogether());
                const int newLimit = columnFooter ? pager->ColumnFooterLimit() : pager->SummaryLimit();
                pager->SetNextFreeRow(std::max(pager->NextFreeRow(), newLimit));
            }
        } else if (m_bandType == btFooter && !pager->ExpandsToContent()) {
            pager->SetNextFreeRow(std::max(pager->NextFreeRow(), pager->PageLimit()));
        }
    }

    CapturePrintBounds();
    // A column footer breaks only outside a break in progress: there it is part of closing the page.
    const bool neverBreaks
        = m_bandType == btFooter || (m_bandType == btColumnFooter && pager->BreakInProgress());
    const int printHeight = PrintBounds().Height();
    int printed = 0;
    int piece = 0;
    while (printed < printHeight) {
        piece = printHeight - printed;
        int available = 0;
        if (!neverBreaks && !FitsInPager(piece, available)) {
            int freeRow = 0;
            if (!IntegralHeight && available >= Constraints().MinHeight
                && Surface()->FindFreeRow(printed + available, freeRow) && freeRow >= Constraints().MinHeight
                && freeRow > printed) {
                piece = freeRow - printed;
            } else {
                if (!m_brokeSinceLastPiece) {
                    BreakPageForBand();
                    FitsInPager(piece, available);
                }
                // The band stands on a page where nothing of it printed yet: moving it again would
                // only leave a blank page, so what does not fit continues on the next one.
                if (piece > available)
                    piece = PieceOnFreshPage(printed, piece, available);
            }
        }
        const TRect print = PrintBounds();
        const TRect source { 0, printed, print.Width(), printed + piece };
        const TRect destination { print.Left, print.Top, print.Left + print.Width(), print.Top + piece };
        TRLGraphicSurface* target = RequireSurface();
        if (Enabled()) {
            // Cleared also when the background drawing fails half-way.
            target->SetClipRect(destination);
            const auto resetClip = qScopeGuard([target] { target->ResetClipRect(); });
            DrawSiteBackground(
                *target, TRect::FromSize(print.Left, print.Top - printed, print.Width(), printHeight));
        }
        target->CopyRect(destination, *Surface(), source);
        m_brokeSinceLastPiece = false;
        printed += piece;
        if (printed < printHeight)
            BreakPageForBand();
    }
    AdvancePagerRow(PrintBounds().Width(), piece);
}

int TRLCustomBand::PieceOnFreshPage(int printed, int rest, int available) const
{
    // A page without room at all would never take any of it.
    if (available <= 0)
        return rest;
    int freeRow = 0;
    if (Surface()->FindFreeRow(printed + available, freeRow) && freeRow > printed)
        return freeRow - printed;
    // Something kept whole is taller than the page: cut it at the limit rather than lose the paper's
    // edge.
    return available;
}

TRLBand::TRLBand(TComponent* owner)
    : TRLCustomBand(owner)
{
}

QString TRLBand::ClassName() const
{
    return QStringLiteral("TRLBand");
}
