#include "app/OrderFilters.h"

#include "filters/RLPDFFilter.h"
#include "filters/RLXLSFilter.h"
#include "filters/RLXLSXFilter.h"

using enum TRLXLSFilterOption;

TOrderFilters CreateOrderFilters(TComponent* owner)
{
    TOrderFilters filters;
    filters.Pdf = new TRLPDFFilter(owner);
    filters.Pdf->SetName(QStringLiteral("RLPDFFilter1"));
    filters.Pdf->SetDisplayName(QStringLiteral("Documento PDF"));
    filters.Pdf->DocumentInfo().Creator
        = QStringLiteral("QuirelReport v0.6 \u2014 band-oriented report library");
    // The order's own texts are Portuguese, whatever the operator's locale.
    filters.Pdf->Language = QStringLiteral("pt-BR");

    filters.Xls = new TRLXLSFilter(owner);
    filters.Xls->SetName(QStringLiteral("RLXLSFilter1"));
    filters.Xls->SetDisplayName(QStringLiteral("Planilha Excel"));
    // Quantities, prices and totals become numbers a spreadsheet can add up.
    filters.Xls->Options = foFindValueCells;

    filters.Xlsx = new TRLXLSXFilter(owner);
    filters.Xlsx->SetName(QStringLiteral("RLXLSXFilter1"));
    filters.Xlsx->SetDisplayName(QStringLiteral("Planilha Excel"));
    filters.Xlsx->Options = foFindValueCells;
    return filters;
}
