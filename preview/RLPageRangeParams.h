#pragma once

#include "platform/Component.h"

/// What the print and save dialogs share: the page range offered and chosen, and a reference to
/// the chosen filter that is cleared when that filter is destroyed.
class TRLPageRangeParams : public TComponent {
public:
    static constexpr int kResetMaxPage = 9999;

    int MinPage = 1;
    int MaxPage() const { return m_maxPage; }
    /// Moves ToPage along when it equalled the old maximum.
    void SetMaxPage(int maxPage);
    int FromPage = 1;
    int ToPage = kResetMaxPage;
    int HelpContext = 0;

    // Public like every component's: owners delete it through TComponent.
    ~TRLPageRangeParams() override;

protected:
    explicit TRLPageRangeParams(TComponent* owner);

    /// Range 1 to 9999 and no help context.
    void ResetPageRange();
    TComponent* FilterComponent() const { return m_filter; }
    void SetFilterComponent(TComponent* filter);
    void Notification(TComponent* component, TOperation operation) override;

private:
    int m_maxPage = kResetMaxPage;
    TComponent* m_filter = nullptr;
};
