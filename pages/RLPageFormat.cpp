#include "pages/RLPageFormat.h"

#include "pages/RLMacros.h"

namespace {

const QString kOrientationMacro = QStringLiteral("Orientation");
const QString kPaperWidthMacro = QStringLiteral("PaperWidth");
const QString kPaperHeightMacro = QStringLiteral("PaperHeight");

} // namespace

namespace RLPageFormat {

int Orientation(const TRLMacros& macros)
{
    return macros.IntValue(kOrientationMacro, kPortraitOrientation);
}

void SetOrientation(TRLMacros& macros, int orientation)
{
    macros.SetIntValue(kOrientationMacro, orientation);
}

double PaperWidth(const TRLMacros& macros)
{
    return macros.MillimetreValue(kPaperWidthMacro, 0);
}

void SetPaperWidth(TRLMacros& macros, double millimetres)
{
    macros.SetMillimetreValue(kPaperWidthMacro, millimetres);
}

double PaperHeight(const TRLMacros& macros)
{
    return macros.MillimetreValue(kPaperHeightMacro, 0);
}

void SetPaperHeight(TRLMacros& macros, double millimetres)
{
    macros.SetMillimetreValue(kPaperHeightMacro, millimetres);
}

} // namespace RLPageFormat
