#include "preview/RLPageRangeParams.h"

TRLPageRangeParams::TRLPageRangeParams(TComponent* owner)
    : TComponent(owner)
{
}

TRLPageRangeParams::~TRLPageRangeParams()
{
    SetFilterComponent(nullptr);
}

void TRLPageRangeParams::SetMaxPage(int maxPage)
{
    if (ToPage == m_maxPage)
        ToPage = maxPage;
    m_maxPage = maxPage;
}

void TRLPageRangeParams::ResetPageRange()
{
    MinPage = 1;
    m_maxPage = kResetMaxPage;
    FromPage = 1;
    ToPage = kResetMaxPage;
    HelpContext = 0;
}

void TRLPageRangeParams::SetFilterComponent(TComponent* filter)
{
    if (filter == m_filter)
        return;
    if (m_filter)
        m_filter->RemoveFreeNotification(this);
    m_filter = filter;
    if (m_filter)
        m_filter->FreeNotification(this);
}

void TRLPageRangeParams::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_filter)
        m_filter = nullptr;
}
