#include "platform/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    m_destroying = true;
    DestroyComponents();
    // Subscribers drop their references before this object disappears.
    const std::vector<TComponent*> subscribers = std::move(m_subscribers);
    for (TComponent* subscriber : subscribers) {
        std::erase(subscriber->m_subscribers, this);
        subscriber->Notification(this, TOperation::opRemove);
    }
    if (m_owner)
        m_owner->RemoveComponent(this);
}

QString TComponent::ClassName() const
{
    return QStringLiteral("TComponent");
}

void TComponent::SetName(const QString& name)
{
    m_name = name;
}

TComponent* TComponent::FindComponent(QStringView name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent* component : m_components)
        if (name.compare(component->m_name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* subscriber)
{
    if (!subscriber || subscriber == this)
        return;
    // Both sides hold the link, so whichever goes first unhooks the other.
    if (std::find(m_subscribers.begin(), m_subscribers.end(), subscriber) == m_subscribers.end())
        m_subscribers.push_back(subscriber);
    if (std::find(subscriber->m_subscribers.begin(), subscriber->m_subscribers.end(), this)
        == subscriber->m_subscribers.end())
        subscriber->m_subscribers.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* subscriber)
{
    if (!subscriber)
        return;
    std::erase(m_subscribers, subscriber);
    std::erase(subscriber->m_subscribers, this);
}

void TComponent::EndLoading()
{
    m_loading = false;
    Loaded();
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    Q_UNUSED(component);
    Q_UNUSED(operation);
}

void TComponent::DestroyComponents()
{
    while (!m_components.empty())
        delete m_components.front();
}

void TComponent::InsertComponent(TComponent* component)
{
    component->m_owner = this;
    m_components.push_back(component);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    std::erase(m_components, component);
    component->m_owner = nullptr;
    if (!m_destroying)
        Notification(component, TOperation::opRemove);
}
