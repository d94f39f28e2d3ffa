#include "preview/RLPrintParams.h"

#include "filters/RLFilters.h"
#include "pages/RLPrinters.h"

TRLPrintParams::TRLPrintParams(TComponent* owner)
    : TRLPageRangeParams(owner)
{
}

TRLCustomPrintFilter* TRLPrintParams::Filter() const
{
    return static_cast<TRLCustomPrintFilter*>(FilterComponent());
}

void TRLPrintParams::SetFilter(TRLCustomPrintFilter* filter)
{
    SetFilterComponent(filter);
}

void TRLPrintParams::Reset()
{
    ResetPageRange();
    PrintRange = TRLPrintRange::rprAllPages;
    Copies = SharedPrinter().Copies();
    FileName.clear();
}

void TRLPrintParams::ApplyCopies()
{
    SharedPrinter().SetCopies(Copies);
}

TRLPrintParams& PrintParams()
{
    static TRLPrintParams params;
    return params;
}
