#pragma once

#include "platform/Component.h"

#include <QString>

class TRLCustomSaveFilter;

enum TRLSaveDialogOption : unsigned { rsoDisableSaveInBackground = 0x01 };
using TRLSaveDialogOptions = unsigned;

enum TRLSaveRange { rsrAllPages, rsrSelection, rsrPageNums };

/// What the save dialog shows and returns; one shared instance, SaveParams().
class TRLSaveParams : public TComponent {
public:
    static constexpr int kResetMaxPage = 9999;

    explicit TRLSaveParams(TComponent* owner = nullptr);
    ~TRLSaveParams() override;

    TRLSaveDialogOptions Options = 0;
    QString FileName;
    int MinPage = 1;
    int MaxPage() const { return m_maxPage; }
    /// Moves ToPage along when it equalled the old maximum.
    void SetMaxPage(int maxPage);
    int FromPage = 1;
    int ToPage = kResetMaxPage;
    TRLSaveRange SaveRange = rsrAllPages;
    bool SaveInBackground = false;
    /// nullptr: the page file. Cleared when the filter is destroyed.
    TRLCustomSaveFilter* Filter() const { return m_filter; }
    void SetFilter(TRLCustomSaveFilter* filter);
    int HelpContext = 0;

    void Reset();

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    int m_maxPage = kResetMaxPage;
    TRLCustomSaveFilter* m_filter = nullptr;
};

/// The shared save parameters, created on first use.
TRLSaveParams& SaveParams();

/// The extension of a file name with its dot, from the last dot after the last "/"; empty when
/// there is none.
QString FileNameExtension(const QString& fileName);
