#include "report/RLBorders.h"

#include "pages/RLGraphicSurface.h"
#include "report/RLReport.h"

using enum TRLBorderSide;
using enum TRLBorderSides;
using enum TRLPrintQuality;

TRLBorders::TRLBorders(TRLCustomControl* owner)
    : m_owner(owner)
{
}

void TRLBorders::OwnerChanged()
{
    if (m_owner)
        m_owner->FitBounds();
}

void TRLBorders::SetSides(TRLBorderSides sides)
{
    if (sides == m_sides)
        return;
    m_sides = sides;
    if (sides == sdCustom)
        return;
    for (int side = int(bsLeft); side <= int(bsBottom); ++side) {
        if (sides == sdNone) {
            m_draw[side] = false;
            m_fixed[side] = false;
        } else {
            m_draw[side] = true;
        }
    }
    OwnerChanged();
}

void TRLBorders::SetDraw(TRLBorderSide side, bool draw)
{
    if (draw == m_draw[int(side)])
        return;
    m_draw[int(side)] = draw;
    if (!draw)
        m_fixed[int(side)] = false;
    const bool all
        = m_draw[int(bsLeft)] && m_draw[int(bsTop)] && m_draw[int(bsRight)] && m_draw[int(bsBottom)];
    const bool any
        = m_draw[int(bsLeft)] || m_draw[int(bsTop)] || m_draw[int(bsRight)] || m_draw[int(bsBottom)];
    if (!(all && m_sides == sdAll) && (any || m_sides != sdNone))
        m_sides = sdCustom;
    OwnerChanged();
}

void TRLBorders::SetFixed(TRLBorderSide side, bool fixed)
{
    if (fixed == m_fixed[int(side)])
        return;
    m_fixed[int(side)] = fixed;
    if (fixed)
        SetDraw(side, true);
}

void TRLBorders::SetWidth(int width)
{
    if (width < 0 || width == m_width)
        return;
    m_width = width;
    OwnerChanged();
}

bool TRLBorders::SideVisible(TRLBorderSide side) const
{
    if (!m_draw[int(side)])
        return false;
    if (m_fixed[int(side)])
        return true;
    const TRLCustomReport* root = m_owner ? m_owner->RootReport() : nullptr;
    return root && root->PrintQuality == pqFullFeature;
}

TRLInsets TRLBorders::Insets() const
{
    const int width = std::max(m_width, 0);
    return { SideVisible(bsLeft) ? width : 0, SideVisible(bsTop) ? width : 0,
        SideVisible(bsRight) ? width : 0, SideVisible(bsBottom) ? width : 0 };
}

void TRLBorders::DrawBorders(TRLGraphicSurface& surface, const TRect& rect) const
{
    const int w = m_width;
    if (w <= 0)
        return;
    bool pending = true;
    const TRect bars[4] = { { rect.Left, rect.Top, rect.Left + w, rect.Bottom },
        { rect.Left, rect.Top, rect.Right, rect.Top + w },
        { rect.Right - w, rect.Top, rect.Right, rect.Bottom },
        { rect.Left, rect.Bottom - w, rect.Right, rect.Bottom } };
    for (int side = int(bsLeft); side <= int(bsBottom); ++side) {
        if (!SideVisible(TRLBorderSide(side)))
            continue;
        if (pending) {
            TPen pen;
            pen.Color = Color;
            pen.Style = psSolid;
            pen.Mode = pmCopy;
            pen.Width = 1;
            surface.SetPen(pen);
            TBrush brush;
            brush.Color = Color;
            brush.Style = bsSolid;
            surface.SetBrush(brush);
            pending = false;
        }
        surface.Rectangle(bars[side]);
    }
}
