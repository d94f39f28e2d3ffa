#include "report/RLPreviewOptions.h"

#include "support/LocaleTexts.h"

TRLPreviewOptions::TRLPreviewOptions()
    : Caption(LocaleText(TLocaleTextId::Preview))
{
}

bool TRLPreviewOptions::CaptionStored() const
{
    return Caption != LocaleText(TLocaleTextId::Preview);
}

void TRLPreviewOptions::Assign(const TRLPreviewOptions& source)
{
    *this = source;
}
