#include "db/DataSource.h"

#include "db/DataSet.h"

#include <algorithm>

TDataSource::TDataSource(TComponent* owner)
    : TComponent(owner)
{
}

TDataSource::~TDataSource()
{
    if (m_dataSet)
        m_dataSet->DetachDataSource(this);
}

QString TDataSource::ClassName() const
{
    return QStringLiteral("TDataSource");
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->DetachDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet) {
        m_dataSet->AttachDataSource(this);
        m_dataSet->FreeNotification(this);
    }
    RaiseNotice(TDataNotice::dnActiveChanged);
}

void TDataSource::AddClient(TComponent* client, TDataNoticeEvent handler)
{
    if (!client)
        return;
    const auto found = std::find_if(
        m_clients.begin(), m_clients.end(), [client](const Client& c) { return c.component == client; });
    if (found != m_clients.end()) {
        found->handler = std::move(handler);
        return;
    }
    m_clients.push_back({ client, std::move(handler) });
    FreeNotification(client);
}

void TDataSource::RemoveClient(TComponent* client)
{
    // The free-notification link stays: the client may hold it for its own reference to this source.
    std::erase_if(m_clients, [client](const Client& c) { return c.component == client; });
}

void TDataSource::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    RemoveClient(component);
    if (component == m_dataSet) {
        m_dataSet = nullptr;
        RaiseNotice(TDataNotice::dnActiveChanged);
    }
}

void TDataSource::RaiseNotice(TDataNotice notice)
{
    // A handler may add or remove clients; each client still registered when its turn comes is told.
    const std::vector<TComponent*> clients = [this] {
        std::vector<TComponent*> list;
        for (const Client& c : m_clients)
            list.push_back(c.component);
        return list;
    }();
    for (TComponent* client : clients) {
        const auto found = std::find_if(
            m_clients.begin(), m_clients.end(), [client](const Client& c) { return c.component == client; });
        if (found != m_clients.end() && found->handler) {
            const TDataNoticeEvent handler = found->handler;
            handler(this, notice);
        }
    }
}
