#pragma once

#include "report/RLCustomControl.h"

#include <array>
#include <memory>
#include <vector>

class TRLBackground;
class TRLDegradeEffect;
class TRLMargins;
class TRLGraphicSurface;

/// A report control that holds others: it owns a surface its children print into, lays them out
/// (AlignChildren) and composes the surface into its parent's.
class TRLCustomSite : public TRLCustomControl {
public:
    /// A site with no size and 0 mm margins, deleted by `owner`.
    explicit TRLCustomSite(TComponent* owner);
    ~TRLCustomSite() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The picture drawn behind the children, owned by the site.
    TRLBackground* Background() const { return m_background.get(); }
    /// The colour gradient drawn behind the children, owned by the site.
    TRLDegradeEffect* Degrade() const { return m_degrade.get(); }
    /// Millimetres inside the borders.
    TRLMargins* InsideMargins() const { return m_insideMargins.get(); }
    /// Millimetres outside the borders.
    TRLMargins* Margins() const { return m_margins.get(); }
    /// Where the site prints inside its parent site's surface, in pixels.
    const TRect& PrintBounds() const { return m_printBounds; }

    /// Fired when the site draws its background, with the frame rectangle.
    TRLDrawFrameEvent OnDrawFrame;

    /// Margin base less margins, borders and inside margins, in the site's coordinates.
    TRect ClientRect() const override;
    /// Distances from the print rectangle's edges to the client rectangle, in pixels.
    TRLInsets ClientInsets() const;
    /// The rectangle the margins apply to: the size rectangle (a grid answers one cell).
    virtual TRect MarginBaseRect() const;
    /// Margins and inside margins in pixels.
    virtual TRLInsets MarginsPixels() const;

    /// Lays out the children by Align and Anchors; skipped while loading and on re-entry.
    void AlignChildren();
    /// Bounds from a client rectangle enlarged by the margins, borders and inside margins.
    void SetClientBounds(const TRect& clientRect) override;
    /// Direct children in creation order.
    std::vector<TControl*> ChildrenInCreationOrder() const;

protected:
    /// @cond ENGINE
    // The site print cycle, driven by the enclosing sites and pagers.
    friend class TRLCustomControl;
    friend class TRLCustomBand;
    friend class TRLCustomPager;
    friend class TRLCustomReport;

    /// The site's own surface (origin at the site's top-left).
    TRLGraphicSurface* Surface() const { return m_surface.get(); }
    /// The surface the children draw into: the site's own (the report answers its page).
    virtual TRLGraphicSurface* SurfaceForChildren();
    void SetPrintBounds(const TRect& bounds) { m_printBounds = bounds; }

    void Realign() override;
    bool DecidePrint() override;
    QSize MeasureContent() override;
    TRect SurfaceBoundsRect() const override;
    TRect SurfaceSizeRect() const override;
    TRect SurfaceClientRect() const override;
    void EmitToSurface() override;
    void ResetNotify() override;
    void DetailNotify(TRLCustomBand* band) override;
    void MeasureForFooters() override;

    void PrintSite();
    void OpenSiteSurface();
    void CloseSiteSurface();
    void PrepareChildren();
    void PrintChildren();
    void PrintChildSites();
    virtual void CapturePrintBounds();
    virtual void DrawOnParent();
    virtual void DrawSiteBackground(TRLGraphicSurface& surface, const TRect& rect);
    /// Closes and empties the surfaces of this site and every site inside it (after a failed run).
    void DiscardSurfaces();

    virtual void BeforeSurfaceOpen() { }
    virtual void PrintContents();
    virtual void AfterSurfaceOpen() { }
    virtual void SiteFilling() { }
    virtual void BeforeSurfaceClose() { }
    virtual void AfterSurfaceClose() { }
    virtual void FinishSurface() { }
    /// Bands and grids also print the sites placed inside them.
    virtual bool PrintsChildSites() const { return false; }
    /// @endcond

private:
    /// Bounds of the site and of the non-site parents up to the owner site.
    TRect BoundsInOwnerSite() const;

    std::unique_ptr<TRLBackground> m_background;
    std::unique_ptr<TRLDegradeEffect> m_degrade;
    std::unique_ptr<TRLMargins> m_insideMargins;
    std::unique_ptr<TRLMargins> m_margins;
    std::unique_ptr<TRLGraphicSurface> m_surface;
    TRect m_printBounds;
    // The size the children were last aligned to: anchors move them by the change since.
    QSize m_alignedSize;
    bool m_aligned = false;
    /// AlignChildren's lists by alignment, kept between calls so that aligning a band, which
    /// happens for every band printed, does not allocate them again.
    std::array<std::vector<TRLCustomControl*>, kControlAlignCount> m_alignLists;
};
