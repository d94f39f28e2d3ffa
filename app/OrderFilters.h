#pragma once

class TComponent;
class TRLPDFFilter;
class TRLXLSFilter;
class TRLXLSXFilter;

/// The purchase order's save filters, set up as the form holds them. A page file read back
/// is written through the same ones, so that it gives the texts and cells of the order itself.
struct TOrderFilters {
    TRLPDFFilter* Pdf = nullptr;
    TRLXLSFilter* Xls = nullptr;
    TRLXLSXFilter* Xlsx = nullptr;
};

/// Creates the filters under `owner`; while they live, the preview's save dialog offers them.
TOrderFilters CreateOrderFilters(TComponent* owner);
