#include "pages/RLPageFormat.h"

#include "pages/RLMacros.h"

namespace {

const QString kOrientationMacro = QStringLiteral("Orientation");
constexpr int kPortraitMacroValue = 1;
constexpr int kLandscapeMacroValue = 2;
const QString kPaperWidthMacro = QStringLiteral("PaperWidth");
const QString kPaperHeightMacro = QStringLiteral("PaperHeight");

} // namespace

namespace RLPageFormat {

TRLPageOrientation Orientation(const TRLMacros& macros)
{
    return macros.IntValue(kOrientationMacro, kPortraitMacroValue) == kLandscapeMacroValue
        ? TRLPageOrientation::poLandscape
        : TRLPageOrientation::poPortrait;
}

void SetOrientation(TRLMacros& macros, TRLPageOrientation orientation)
{
    macros.SetIntValue(kOrientationMacro,
        orientation == TRLPageOrientation::poLandscape ? kLandscapeMacroValue : kPortraitMacroValue);
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
