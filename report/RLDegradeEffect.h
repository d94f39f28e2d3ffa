#pragma once

#include "platform/Color.h"
#include "platform/Rect.h"

class TRLCustomSite;
class TRLGraphicSurface;

/// Which way a gradient runs: none, left to right, top to bottom.
enum class TRLDegradeDirection { ddNone, ddHorizontal, ddVertical };

/// A colour gradient from the owner site's colour to OppositeColor. Owned by the site.
class TRLDegradeEffect {
public:
    /// No gradient; made by the site that owns it.
    explicit TRLDegradeEffect(TRLCustomSite* owner);

    /// ddNone draws no gradient.
    TRLDegradeDirection Direction = TRLDegradeDirection::ddNone;
    /// The colour at the right or bottom edge; the site's Color is at the other.
    TColor OppositeColor = clBlack;
    /// Pixels per colour band; values below 1 draw as 1.
    int Granularity = 1;

    /// @cond ENGINE
    void DrawGradient(TRLGraphicSurface& surface, const TRect& rect) const;
    /// @endcond

private:
    TRLCustomSite* m_owner;
};
