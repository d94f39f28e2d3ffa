#include "preview/RLSaveParams.h"

#include "filters/RLFilters.h"

TRLSaveParams::TRLSaveParams(TComponent* owner)
    : TComponent(owner)
{
}

TRLSaveParams::~TRLSaveParams()
{
    SetFilter(nullptr);
}

void TRLSaveParams::SetMaxPage(int maxPage)
{
    if (ToPage == m_maxPage)
        ToPage = maxPage;
    m_maxPage = maxPage;
}

void TRLSaveParams::SetFilter(TRLCustomSaveFilter* filter)
{
    if (filter == m_filter)
        return;
    if (m_filter)
        m_filter->RemoveFreeNotification(this);
    m_filter = filter;
    if (m_filter)
        m_filter->FreeNotification(this);
}

void TRLSaveParams::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_filter)
        m_filter = nullptr;
}

void TRLSaveParams::Reset()
{
    FileName.clear();
    MinPage = 1;
    m_maxPage = kResetMaxPage;
    FromPage = 1;
    ToPage = kResetMaxPage;
    SaveRange = rsrAllPages;
    HelpContext = 0;
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
