#include "report/RLPreviewOptions.h"

#include "report/RLTexts.h"

TRLPreviewOptions::TRLPreviewOptions()
    : Caption(RLTexts::PreviewCaption())
{
}

bool TRLPreviewOptions::CaptionStored() const
{
    return Caption != RLTexts::PreviewCaption();
}

void TRLPreviewOptions::Assign(const TRLPreviewOptions& source)
{
    *this = source;
}
