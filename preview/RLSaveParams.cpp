#include "preview/RLSaveParams.h"

#include "filters/RLFilters.h"

TRLSaveParams::TRLSaveParams(TComponent* owner)
    : TRLPageRangeParams(owner)
{
}

TRLCustomSaveFilter* TRLSaveParams::Filter() const
{
    return static_cast<TRLCustomSaveFilter*>(FilterComponent());
}

void TRLSaveParams::SetFilter(TRLCustomSaveFilter* filter)
{
    SetFilterComponent(filter);
}

void TRLSaveParams::Reset()
{
    ResetPageRange();
    FileName.clear();
    SaveRange = rsrAllPages;
}

TRLSaveParams& SaveParams()
{
    static TRLSaveParams params;
    return params;
}

QString FileNameExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < fileName.lastIndexOf(QLatin1Char('/')))
        return {};
    return fileName.mid(dot);
}
