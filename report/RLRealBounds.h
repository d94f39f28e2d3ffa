#pragma once

#include "report/RLTypes.h"

/// Bounds in a real unit, stored with the layout; they do not move the control.
class TRLRealBounds {
public:
    TRLRealBoundsUnit UsedUnit = TRLRealBoundsUnit::buNone;
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};
