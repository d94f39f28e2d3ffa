#include "report/RLTextCodes.h"

using enum TRLTextAlignment;
using enum TRLTextLayout;

TRLMetaTextAlignment StoredAlignment(TRLTextAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return TRLMetaTextAlignment::Right;
    case taCenter:
        return TRLMetaTextAlignment::Center;
    case taJustify:
        return TRLMetaTextAlignment::Justify;
    case taLeftJustify:
        break;
    }
    return TRLMetaTextAlignment::Left;
}

TRLMetaTextLayout StoredLayout(TRLTextLayout layout)
{
    switch (layout) {
    case tlCenter:
        return TRLMetaTextLayout::Center;
    case tlBottom:
        return TRLMetaTextLayout::Bottom;
    case tlTop:
    case tlJustify:
        break;
    }
    return TRLMetaTextLayout::Top;
}
