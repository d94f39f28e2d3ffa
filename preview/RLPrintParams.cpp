#include "preview/RLPrintParams.h"

#include "filters/RLFilters.h"
#include "pages/RLPrinters.h"

TRLPrintParams::TRLPrintParams(TComponent* owner)
    : TComponent(owner)
{
}

TRLPrintParams::~TRLPrintParams()
{
    SetFilter(nullptr);
}

void TRLPrintParams::SetMaxPage(int maxPage)
{
    if (ToPage == m_maxPage)
        ToPage = maxPage;
    m_maxPage = maxPage;
}

void TRLPrintParams::SetFilter(TRLCustomPrintFilter* filter)
{
    if (filter == m_filter)
        return;
    if (m_filter)
        m_filter->RemoveFreeNotification(this);
    m_filter = filter;
    if (m_filter)
        m_filter->FreeNotification(this);
}

void TRLPrintParams::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_filter)
        m_filter = nullptr;
}

void TRLPrintParams::Reset()
{
    MinPage = 1;
    m_maxPage = kResetMaxPage;
    FromPage = 1;
    ToPage = kResetMaxPage;
    PrintRange = rprAllPages;
    Copies = SharedPrinter().Copies();
    FileName.clear();
    HelpContext = 0;
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
