#pragma once

#include "platform/Color.h"
#include "platform/Rect.h"

class TRLCustomSite;
class TRLGraphicSurface;

enum TRLDegradeDirection { ddNone, ddHorizontal, ddVertical };

/// A colour gradient from the owner site's colour to OppositeColor. Owned by the site.
class TRLDegradeEffect {
public:
    explicit TRLDegradeEffect(TRLCustomSite* owner);

    TRLDegradeDirection Direction = ddNone;
    TColor OppositeColor = clBlack;
    /// Pixels per colour band; values below 1 draw as 1.
    int Granularity = 1;

    void DrawGradient(TRLGraphicSurface& surface, const TRect& rect) const;

private:
    TRLCustomSite* m_owner;
};
