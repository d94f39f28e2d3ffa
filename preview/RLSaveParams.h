#pragma once

#include "preview/RLPageRangeParams.h"

#include <QString>

class TRLCustomSaveFilter;

enum TRLSaveDialogOption : unsigned { rsoDisableSaveInBackground = 0x01 };
using TRLSaveDialogOptions = unsigned;

enum TRLSaveRange { rsrAllPages, rsrSelection, rsrPageNums };

/// What the save dialog shows and returns; one shared instance, SaveParams().
class TRLSaveParams : public TRLPageRangeParams {
public:
    explicit TRLSaveParams(TComponent* owner = nullptr);

    TRLSaveDialogOptions Options = 0;
    QString FileName;
    TRLSaveRange SaveRange = rsrAllPages;
    bool SaveInBackground = false;
    /// nullptr: the page file. Cleared when the filter is destroyed.
    TRLCustomSaveFilter* Filter() const;
    void SetFilter(TRLCustomSaveFilter* filter);

    void Reset();
};

/// The shared save parameters, created on first use.
TRLSaveParams& SaveParams();

/// The extension of a file name with its dot, from the last dot after the last "/"; empty when
/// there is none.
QString FileNameExtension(const QString& fileName);
