#pragma once

#include "pages/RLGraphicObjects.h"
#include "report/RLTypes.h"

/// The alignment code a text object stores for a control's alignment.
TRLMetaTextAlignment StoredAlignment(TRLTextAlignment alignment);
/// The layout code a text object stores; tlJustify is stored as top.
TRLMetaTextLayout StoredLayout(TRLTextLayout layout);
