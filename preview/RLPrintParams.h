#pragma once

#include <QFlags>

#include "preview/RLPageRangeParams.h"
#include "report/RLTypes.h"

#include <QString>

/// @file
/// The print dialog's parameters, shared by every print started from the library.

class TRLCustomPrintFilter;

/// What the print dialog offers: rpoPrintToFile shows the print-to-file box, rpoDisablePrintToFile
/// greys it; rpoPageNums enables the from-to range, rpoSelection the one-page choice;
/// rpoHelp adds the help button; rpoDisableCopies and rpoDisablePrintInBackground grey those
/// fields. rpoWarning is carried only.
enum class TRLPrintDialogOption : unsigned {
    rpoPrintToFile = 0x01,
    rpoPageNums = 0x02,
    rpoSelection = 0x04,
    rpoWarning = 0x08,
    rpoHelp = 0x10,
    rpoDisablePrintToFile = 0x20,
    rpoDisableCopies = 0x40,
    rpoDisablePrintInBackground = 0x80,
};
/// A set of TRLPrintDialogOption.
Q_DECLARE_FLAGS(TRLPrintDialogOptions, TRLPrintDialogOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLPrintDialogOptions)

/// The range the user chose: every page, the one page in FromPage (rprSelection), or FromPage to
/// ToPage (rprPageNums).
enum class TRLPrintRange { rprAllPages, rprSelection, rprPageNums };

/// What the print dialog shows and returns; one shared instance, PrintParams(). The pages to print
/// are FromPage to ToPage (1-based) of TRLPageRangeParams. A print from the preview calls Reset,
/// sets the maximum page and the orientation, runs the dialog, then reads the choice.
class TRLPrintParams : public TRLPageRangeParams {
public:
    /// Deleted by `owner`; the shared instance has none.
    explicit TRLPrintParams(TComponent* owner = nullptr);

    /// Fields the dialog shows and enables; kept by Reset.
    TRLPrintDialogOptions Options = TRLPrintDialogOption::rpoPrintToFile | TRLPrintDialogOption::rpoPageNums
        | TRLPrintDialogOption::rpoSelection | TRLPrintDialogOption::rpoWarning
        | TRLPrintDialogOption::rpoDisablePrintToFile;
    /// The range chosen in the dialog.
    TRLPrintRange PrintRange = TRLPrintRange::rprAllPages;
    /// Copies of each page, shown in the dialog and given to the printer when it is accepted.
    int Copies = 1;
    /// Carried and shown only.
    bool PrintToFile = false;
    /// The print runs on a thread of its own while the program goes on (TRLCustomFilter::FilterPages).
    bool PrintInBackground = false;
    /// Carried only.
    QString FileName;
    /// The pages' orientation, given to a filter with options when the dialog selects it.
    TRLPageOrientation Orientation = TRLPageOrientation::poPortrait;
    /// The filter the pages go to; nullptr: the shared printer filter. Cleared when the filter is
    /// destroyed; kept by Reset.
    ///@{
    TRLCustomPrintFilter* Filter() const;
    void SetFilter(TRLCustomPrintFilter* filter);
    ///@}

    /// Range 1 to 9999 of all pages, no file name, no help, copies from the printer.
    void Reset();
    /// Gives the printer the copy count.
    void ApplyCopies();
};

/// The shared print parameters, created on first use.
TRLPrintParams& PrintParams();
