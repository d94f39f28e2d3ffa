#include "report/RLTypes.h"

using enum TRLControlAlign;

bool IsWidthStretching(TRLControlAlign align)
{
    switch (align) {
    case faTop:
    case faBottom:
    case faClient:
    case faClientTop:
    case faClientBottom:
    case faWidth:
        return true;
    default:
        return false;
    }
}

bool IsHeightStretching(TRLControlAlign align)
{
    switch (align) {
    case faLeft:
    case faRight:
    case faLeftMost:
    case faRightMost:
    case faClient:
    case faClientLeft:
    case faClientRight:
    case faHeight:
        return true;
    default:
        return false;
    }
}
