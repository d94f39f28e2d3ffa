#pragma once

#include "platform/Color.h"
#include "platform/Graphics.h"
#include "platform/Rect.h"
#include "report/RLTypes.h"

class TRLCustomControl;
class TRLGraphicSurface;

/// Which sides a TRLBorders draws: none, all, or those chosen one by one.
enum class TRLBorderSides { sdCustom, sdNone, sdAll };
/// One side of a control.
enum class TRLBorderSide { bsLeft, bsTop, bsRight, bsBottom };

/// Solid bars along chosen sides of a control. Owned by the control; changes re-fit it.
class TRLBorders {
public:
    /// No side drawn, 1 pixel wide, black; made by the control that owns it.
    explicit TRLBorders(TRLCustomControl* owner);

    /// Which sides are drawn.
    TRLBorderSides Sides() const { return m_sides; }
    /// sdNone clears every Draw and Fixed flag, sdAll sets every Draw flag, sdCustom only stores.
    void SetSides(TRLBorderSides sides);
    /// Whether the side is drawn.
    ///@{
    bool DrawLeft() const { return m_draw[int(TRLBorderSide::bsLeft)]; }
    bool DrawTop() const { return m_draw[int(TRLBorderSide::bsTop)]; }
    bool DrawRight() const { return m_draw[int(TRLBorderSide::bsRight)]; }
    bool DrawBottom() const { return m_draw[int(TRLBorderSide::bsBottom)]; }
    ///@}
    /// False also clears the side's Fixed flag; Sides is recomputed.
    void SetDraw(TRLBorderSide side, bool draw);
    /// A fixed side prints even when the report prints with pqFixedOnly.
    bool Fixed(TRLBorderSide side) const { return m_fixed[int(side)]; }
    /// True also sets the side's Draw flag.
    void SetFixed(TRLBorderSide side, bool fixed);
    /// Pixels; negative values are ignored.
    ///@{
    int Width() const { return m_width; }
    void SetWidth(int width);
    ///@}
    /// The bars' colour.
    TColor Color = clBlack;
    /// Stored only: the bars are always solid.
    TBrushStyle Style = bsSolid;

    /// The side is wanted and fixed, or the root report prints in full quality.
    bool SideVisible(TRLBorderSide side) const;
    /// Width on each visible side, 0 elsewhere.
    TRLInsets Insets() const;
    /// One solid rectangle per visible side, inside `rect`.
    void DrawBorders(TRLGraphicSurface& surface, const TRect& rect) const;

private:
    void OwnerChanged();

    TRLCustomControl* m_owner;
    TRLBorderSides m_sides = TRLBorderSides::sdNone;
    bool m_draw[4] = { false, false, false, false };
    bool m_fixed[4] = { false, false, false, false };
    int m_width = 1;
};
