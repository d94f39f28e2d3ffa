#include "report/RLDegradeEffect.h"

#include "pages/RLGraphicSurface.h"
#include "report/RLCustomSite.h"

#include <algorithm>
#include <cmath>

using enum TRLDegradeDirection;

namespace {

constexpr int kChannelBits = 8;
constexpr int kChannelMask = 0xFF;

int Channel(TColor color, int shift)
{
    return (color >> shift) & kChannelMask;
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
    const qint64 extent = Direction == ddVertical ? rect.Height() : rect.Width();
    // A granularity below 1 would divide by zero or run backwards; it draws as 1.
    const qint64 g = std::max(Granularity, 1);
    const qint64 bands = (extent + g - 1) / g;
    const qint64 origin = Direction == ddVertical ? rect.Top : rect.Left;
    const qint64 limit = Direction == ddVertical ? rect.Bottom : rect.Right;
    for (qint64 e = 0; e < bands; ++e) {
        const double t = double(e) / double(bands);
        int channels[3];
        for (int c = 0; c < 3; ++c) {
            const int s = Channel(start, kChannelBits * c);
            const int n = Channel(end, kChannelBits * c);
            channels[c] = s + int(std::nearbyint(n * t)) - int(std::nearbyint(s * t));
        }
        TBrush brush;
        brush.Color = RGBColor(channels[0], channels[1], channels[2]);
        brush.Style = bsSolid;
        surface.SetBrush(brush);
        const int from = int(origin + g * e);
        const int to = int(std::min(origin + g * (e + 1), limit));
        if (Direction == ddVertical)
            surface.FillRect({ rect.Left, from, rect.Right, to });
        else
            surface.FillRect({ from, rect.Top, to, rect.Bottom });
    }
}
