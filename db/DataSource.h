#pragma once

#include "platform/Component.h"

#include <functional>
#include <vector>

class TDataSet;
class TDataSource;

/// What happened to the data source's dataset.
enum class TDataNotice {
    dnActiveChanged, ///< opened, closed, or another dataset assigned
    dnRecordChanged, ///< the current record changed (first, next, locate, a master's move)
};

using TDataNoticeEvent = std::function<void(TDataSource* source, TDataNotice notice)>;

/// Publishes a dataset to the controls bound to it and forwards its notices to them. The dataset
/// reference is cleared when the dataset is destroyed; bound components are told of the data source's
/// own destruction through Notification.
class TDataSource : public TComponent {
public:
    /// A data source without a dataset, deleted by `owner`.
    explicit TDataSource(TComponent* owner);
    ~TDataSource() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The dataset the bound controls read; nullptr when none.
    TDataSet* DataSet() const { return m_dataSet; }
    /// Tells the bound controls (dnActiveChanged); cleared when the dataset is destroyed.
    void SetDataSet(TDataSet* dataSet);

    /// Stored only; nothing edits.
    bool AutoEdit = true;

    /// `client` receives every notice through `handler` until RemoveClient or its destruction;
    /// adding a client again replaces its handler.
    void AddClient(TComponent* client, TDataNoticeEvent handler);
    /// Stops the notices to `client`; nothing when it is no client.
    void RemoveClient(TComponent* client);

protected:
    /// @cond ENGINE
    void Notification(TComponent* component, TOperation operation) override;
    /// @endcond

private:
    friend class TDataSet;
    void RaiseNotice(TDataNotice notice);

    struct Client {
        TComponent* component;
        TDataNoticeEvent handler;
    };
    TDataSet* m_dataSet = nullptr;
    std::vector<Client> m_clients;
};
