#pragma once

#include "preview/RLPageRangeParams.h"
#include "report/RLTypes.h"

#include <QString>

class TRLCustomPrintFilter;

enum TRLPrintDialogOption : unsigned {
    rpoPrintToFile = 0x01,
    rpoPageNums = 0x02,
    rpoSelection = 0x04,
    rpoWarning = 0x08,
    rpoHelp = 0x10,
    rpoDisablePrintToFile = 0x20,
    rpoDisableCopies = 0x40,
    rpoDisablePrintInBackground = 0x80,
};
using TRLPrintDialogOptions = unsigned;

enum TRLPrintRange { rprAllPages, rprSelection, rprPageNums };

/// What the print dialog shows and returns; one shared instance, PrintParams().
class TRLPrintParams : public TRLPageRangeParams {
public:
    explicit TRLPrintParams(TComponent* owner = nullptr);

    TRLPrintDialogOptions Options
        = rpoPrintToFile | rpoPageNums | rpoSelection | rpoWarning | rpoDisablePrintToFile;
    TRLPrintRange PrintRange = rprAllPages;
    int Copies = 1;
    /// Carried and shown only.
    bool PrintToFile = false;
    bool PrintInBackground = false;
    /// Carried only.
    QString FileName;
    TRLPageOrientation Orientation = TRLPageOrientation::poPortrait;
    /// nullptr: the shared printer filter. Cleared when the filter is destroyed.
    TRLCustomPrintFilter* Filter() const;
    void SetFilter(TRLCustomPrintFilter* filter);

    /// Range 1 to 9999 of all pages, no file name, no help, copies from the printer.
    void Reset();
    /// Gives the printer the copy count.
    void ApplyCopies();
};

/// The shared print parameters, created on first use.
TRLPrintParams& PrintParams();
