#include "report/RLDegradeEffect.h"

#include "pages/RLGraphicSurface.h"
#include "report/RLCustomSite.h"

#include <algorithm>
#include <cmath>

namespace {

int Channel(TColor color, int shift)
{
    return (color >> shift) & 0xFF;
}

} // namespace

TRLDegradeEffect::TRLDegradeEffect(TRLCustomSite* owner)
    : m_owner(owner)
{
}

void TRLDegradeEffect::DrawGradient(TRLGraphicSurface& surface, const TRect& rect) const
{
    const TColor start = ColorToRGB(m_owner->Color());
    const TColor end = ColorToRGB(OppositeColor);
    const int extent = Direction == ddVertical ? rect.Height() : rect.Width();
    // A granularity below 1 would divide by zero or run backwards; it draws as 1.
    const int g = std::max(Granularity, 1);
    const int bands = (extent + g - 1) / g;
    for (int e = 0; e < bands; ++e) {
        const double t = double(e) / bands;
        int channels[3];
        for (int c = 0; c < 3; ++c) {
            const int s = Channel(start, 8 * c);
            const int n = Channel(end, 8 * c);
            channels[c] = s + int(std::nearbyint(n * t)) - int(std::nearbyint(s * t));
        }
        TBrush brush;
        brush.Color = RGBColor(channels[0], channels[1], channels[2]);
        brush.Style = bsSolid;
        surface.SetBrush(brush);
        if (Direction == ddVertical)
            surface.FillRect(
                { rect.Left, rect.Top + g * e, rect.Right, std::min(rect.Top + g * (e + 1), rect.Bottom) });
        else
            surface.FillRect(
                { rect.Left + g * e, rect.Top, std::min(rect.Left + g * (e + 1), rect.Right), rect.Bottom });
    }
}
