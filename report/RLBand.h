#pragma once

#include "report/RLBandSet.h"

class TRLCustomPager;

/// A horizontal strip of the page holding controls; printed by its pager, split across pages
/// when allowed, repeated as carbon copies. Its parent is the report or a group; it is laid
/// across the parent's width (faTop) and its Height, in pixels at 96 dpi, is what it takes on
/// the page before its controls grow it.
class TRLCustomBand : public TRLCustomBandSet {
public:
    /// A detail band 16 pixels high, deleted by `owner`; SetParent places it in a report.
    explicit TRLCustomBand(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
    /// A band dropped on a band joins that band's parent.
    void SetParent(TControl* parent) override;

    /// When the band prints: btHeader and btFooter on every page, btTitle once at the start,
    /// btColumnHeader above the details, btDetail once per record, btSummary once at the end.
    /// Setting it re-aligns the owner site: bands are ordered by type.
    ///@{
    TRLBandType BandType() const { return m_bandType; }
    void SetBandType(TRLBandType type);
    ///@}
    /// At least 1; shared by the site's bands with the same non-zero GroupIndex.
    ///@{
    int CarbonCopies() const { return m_carbonCopies; }
    void SetCarbonCopies(int copies);
    ///@}
    /// At least 0; a band joining a group takes the group's CarbonCopies.
    ///@{
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int index);
    ///@}
    /// The copy being printed, from 0.
    int CurrentCopy() const { return m_currentCopy; }

    /// A detail band that counts as a record.
    bool Computable = true;
    /// A new page before the band (pbBeforePrint) or after it (pbAfterPrint).
    TRLPageBreaking PageBreaking = TRLPageBreaking::pbNone;
    /// Blank detail bands printed after the last record: to the end of the page (ctFullPage),
    /// or up to the pager's MaxBands or MinBands.
    TRLCompletionType Completion = TRLCompletionType::ctNone;
    /// Column footers and summaries pushed to the bottom of the page.
    bool AlignToBottom = false;
    /// Never split across pages.
    bool IntegralHeight = true;
    /// boOptimisticPageBreak: the band is measured as it prints, not before.
    TRLBandOptions Options;

    /// Design label of the band type ("Detail", "ColumnHeader"...).
    virtual QString BandTypeName() const;

protected:
    /// @cond ENGINE
    // The pagers print the band through these.
    friend class TRLCustomPager;
    friend class TRLCustomControl;

    void SetCurrentCopy(int copy) { m_currentCopy = copy; }
    /// Prints the band once at the pager's row (called by the pager).
    void PrintBand();
    void EmitToSurface() override;
    void DrawOnParent() override;
    void CapturePrintBounds() override;
    /// available := the room left on the page for this band.
    virtual bool FitsInPager(int height, int& available);
    virtual void BreakPageForBand();
    virtual void AdvancePagerRow(int width, int height);
    /// Sets DataOnPage on every enclosing pager.
    void MarkDataPrinted();
    /// Counts as a record: a computable detail band not printed as a blank.
    bool IsCounting() const;

    /// Runs at the start of each PrintBand (a grid re-reads its place in the pager).
    virtual void BeforePrintBand() { }
    void AfterSurfaceClose() override;
    bool PrintsChildSites() const override { return true; }
    /// A page break caused by this band; the band remembers it so that it never breaks twice
    /// without printing something in between.
    void BreakForBand(bool keep);
    bool BrokeSinceLastPiece() const { return m_brokeSinceLastPiece; }
    /// The pager's page limit less the column footers still to print below this band.
    int BandLimit() const;
    /// Nothing of the page is drawn yet: a break would only leave a blank page.
    bool PageIsBlank() const;
    /// @endcond

private:
    TRLBandType m_bandType = TRLBandType::btDetail;
    int m_carbonCopies = 1;
    int m_groupIndex = 0;
    int m_currentCopy = 0;
    /// The height of the next piece of a band that does not fit on a page where none of it printed
    /// yet: up to the lowest row above `available` that cuts no line.
    int PieceOnFreshPage(int printed, int rest, int available) const;

    bool m_brokeSinceLastPiece = false;
};

/// The band component a program creates; see TRLCustomBand.
class TRLBand : public TRLCustomBand {
public:
    /// A detail band 16 pixels high, deleted by `owner`.
    explicit TRLBand(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
