#pragma once

#include "report/RLBandSet.h"
#include "report/RLSortedBands.h"

class TRLCustomBand;

/// A band set that prints its bands in header, detail and footer order and breaks pages.
class TRLCustomPager : public TRLCustomBandSet {
public:
    /// A pager without bands, deleted by `owner`.
    explicit TRLCustomPager(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Types of the bands placed directly on the pager.
    TRLBandTypes BandTypesPresent() const;
    /// The band types present; setting it creates a TRLBand for each type newly included and
    /// destroys the bands of each type removed (not while loading).
    ///@{
    TRLBandTypes AllowedBands() const { return BandTypesPresent(); }
    void SetAllowedBands(TRLBandTypes types);
    ///@}

    /// At most this many detail bands on a page (0: no limit); the next one starts a new page.
    int MaxBands = 0;
    /// The detail bands that ctMinBands completion fills a page up to.
    int MinBands = 0;
    /// A page break keeps the page's details together until MinBands of them printed.
    bool ForceMinBands = false;
    /// When the footers are measured ahead of printing: after the headers or before the details.
    TRLFooterMeasuring FooterMeasuring = TRLFooterMeasuring::fmNone;
    /// A break before or after the pager (groups and nested skippers).
    TRLPageBreaking PageBreaking = TRLPageBreaking::pbNone;

    /// Computable details since the pager started (not reset per page).
    int DetailsPrinted() const { return m_detailsPrinted; }
    /// Computable details on the current page.
    int DetailsOnPage() const { return m_detailsOnPage; }

protected:
    /// @cond ENGINE
    // The run: the bands, skippers, groups and the report around or inside the pager drive it
    // through these; a program never calls them, so it cannot upset a page being built.
    friend class TRLCustomControl;
    friend class TRLCustomBand;
    friend class TRLCustomDetailGrid;
    friend class TRLCustomSkipper;
    friend class TRLCustomGroup;
    friend class TRLCustomReport;

    void AddDetailOnPage() { ++m_detailsOnPage; }
    int NextFreeRow() const { return m_nextFreeRow; }
    void SetNextFreeRow(int row) { m_nextFreeRow = row; }
    bool DataOnPage() const { return m_dataOnPage; }
    void SetDataOnPage(bool data) { m_dataOnPage = data; }
    /// The band or band set whose page break is in progress.
    TRLCustomSite* BreakingBand() const { return m_breakingBand; }
    /// Blank completion bands are being printed.
    bool IsCompleting() const { return m_completing; }
    TRLSortedBands& SortedBands() { return m_sortedBands; }

    /// The lists of this pager and, recursively, of the pagers inside it.
    void BuildSortedBands();
    /// Start of a run: every printed flag, every control's ResetNotify, DetailsPrinted.
    void ResetPagerState();

    void PrintHeaderPart();
    void PrintDetailPart();
    void PrintFooterPart(bool withSummary);
    /// True when it met the band whose break is in progress (the type is then left unmarked).
    bool PrintBandsOfType(TRLBandType type);
    void MeasureFooters();
    /// Called for every computable detail band printed in this pager.
    virtual void NotifyDetailPrinted(TRLCustomBand* band);
    /// Completion, footers with summary, close.
    void FinishPager();
    void CompleteBands();

    // Limits in the pager's own coordinates.
    int PageLimit() const;
    int SummaryLimit() const;
    int ColumnFooterLimit() const;
    /// Heights of the visible column footers not yet printed on this page, of this pager (unless
    /// `enclosingOnly`) and of the pagers around it: room the bands above them must leave.
    int PendingColumnFooters(bool enclosingOnly) const;
    /// A page break of this pager or of one around it is running.
    bool BreakInProgress() const;
    /// The pager's top on the page.
    int AbsoluteTop() const;
    /// Nothing is drawn yet on the pager's surface (false while it has none to draw on).
    virtual bool NothingDrawn() const;
    /// Where SetAllowedBands puts a new band of `type`.
    virtual TRLControlAlign AllowedBandAlign(TRLBandType type) const;
    /// The keep argument of a requested break: true while nothing (or too little) is on the page.
    bool KeepTogether() const;

    /// Closes the pagers from `pager` outwards and reopens them inwards; with `keep` the pager's
    /// content travels to the new page.
    static void BreakPage(TRLCustomPager* pager, TRLCustomSite* caller, bool keep);

    void CapturePrintBounds() override;
    void BeforeSurfaceOpen() override;
    void PrintContents() override;
    void BeforeSurfaceClose() override;
    void FinishSurface() override;
    void AfterSurfaceClose() override;
    /// The report fires OnPageStarting / OnPageEnding here.
    virtual void PageStarted() { }
    virtual void PageEnding() { }
    /// Per-page state: flags but the title's, counts, the first free row.
    void ResetPage();
    /// Start of a group's or nested skipper's run: the break before it, the reset, the capture.
    void BeginNestedRun();
    /// The pager steps (groups and skippers) of the detail part, in creation order.
    std::vector<TRLCustomPager*> ChildPagers() const;
    /// @endcond

private:
    std::vector<TRLCustomBand*> ChildBands() const;
    int VisibleHeights(TRLBandType type, bool alignedToBottomOnly) const;
    void PrintBandWithCopies(const std::vector<TRLCustomBand*>& block, bool& metBreaking);

    TRLSortedBands m_sortedBands;
    int m_detailsPrinted = 0;
    int m_detailsOnPage = 0;
    int m_nextFreeRow = 0;
    bool m_dataOnPage = false;
    bool m_completing = false;
    TRLCustomSite* m_breakingBand = nullptr;
    TRect m_savedPagerBounds;
};
