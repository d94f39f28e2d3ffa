#pragma once

#include <QString>
#include <vector>

/// What Notification reports: a component was inserted into its owner, or is being destroyed.
enum class TOperation { opInsert, opRemove };

/// A named object with an owner that deletes it and a list of components told of its destruction.
class TComponent {
public:
    /// The owner, when given, takes ownership and deletes this component in its own destructor.
    explicit TComponent(TComponent* owner);
    /// Deletes the owned components, oldest first, then tells the subscribers (opRemove) and
    /// leaves the owner.
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    /// The class name as the layout knows it ("TRLBand"); used for generated component names.
    virtual QString ClassName() const;

    /// The component that deletes this one; nullptr for none.
    TComponent* Owner() const { return m_owner; }
    /// The name a layout and FindComponent know it by; empty unless set, not checked for
    /// uniqueness.
    ///@{
    const QString& Name() const { return m_name; }
    virtual void SetName(const QString& name);
    ///@}
    /// A number free for the application's use.
    int Tag = 0;

    /// Owned components in the order they were created.
    const std::vector<TComponent*>& Components() const { return m_components; }
    /// The size of Components().
    int ComponentCount() const { return int(m_components.size()); }
    /// Case-insensitive lookup among the owned components; nullptr when absent.
    TComponent* FindComponent(QStringView name) const;

    /// `subscriber` is told (Notification with opRemove) when this component is destroyed.
    void FreeNotification(TComponent* subscriber);
    /// Undoes FreeNotification in both directions.
    void RemoveFreeNotification(TComponent* subscriber);

    /// Set while a stored layout is being read into the component.
    bool IsLoading() const { return m_loading; }
    /// Set from the start of the destructor, so that notifications can skip work on a dying
    /// component.
    bool IsDestroying() const { return m_destroying; }
    /// Marks the start of reading a stored layout; EndLoading closes it.
    void BeginLoading() { m_loading = true; }
    /// Ends loading and calls Loaded.
    void EndLoading();

protected:
    /// Called on subscribers and on the owner when `component` is inserted or destroyed.
    virtual void Notification(TComponent* component, TOperation operation);
    /// Runs from EndLoading, once every stored property is in place.
    virtual void Loaded() { }
    /// Deletes every owned component, oldest first; derived destructors call it when the
    /// owned components must go before the derived part does.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* m_owner = nullptr;
    QString m_name;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_subscribers;
    bool m_loading = false;
    bool m_destroying = false;
};
