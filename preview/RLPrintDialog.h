#pragma once

#include "preview/RLPageRangeBox.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TRLCustomPrintFilter;

/// The modal print dialog over the shared PrintParams(): printer, filter and its option list,
/// page range, copies, background printing.
class TRLPrintDialog : public QDialog {
public:
    explicit TRLPrintDialog(QWidget* parent = nullptr);

    /// False keeps the printer wrapper's list as it is instead of reading it again.
    bool RefreshPrinterList = true;

    /// Fills the controls from the parameters, shows the dialog modally and, when the user
    /// confirms, copies the controls back and selects the printer; true on confirmation.
    bool Execute();

    QGroupBox* GroupBoxPrinter = nullptr;
    QLabel* LabelPrinterName = nullptr;
    QComboBox* ComboBoxPrinterNames = nullptr;
    /// Shown instead of an empty list when no printer is installed.
    QLabel* LabelNoPrinter = nullptr;
    QLabel* LabelFilterName = nullptr;
    QComboBox* ComboBoxFilters = nullptr;
    QLabel* LabelOptions = nullptr;
    QComboBox* ComboBoxOptions = nullptr;
    QCheckBox* CheckBoxPrintToFile = nullptr;
    QCheckBox* CheckBoxPrintInBackground = nullptr;
    /// Holds the range buttons and the page edits.
    TRLPageRangeBox* GroupBoxPages = nullptr;
    QGroupBox* GroupBoxCopies = nullptr;
    QLabel* LabelCopies = nullptr;
    QLineEdit* EditCopies = nullptr;
    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonCancel = nullptr;

    /// Before the dialog is shown: fills the controls from the parameters.
    void LoadControls();
    /// After confirmation: controls into parameters, printer selection and copies.
    void SaveControls();
    /// The filter of the selected entry; nullptr for "Padrão".
    TRLCustomPrintFilter* SelectedFilter() const;
    void ComboBoxFiltersChange();
    void EditFromPageChange();

private:
    void LoadPrinters();
    void LoadFilters();
    /// OK needs a printer, or a filter that prints without one.
    void EnableOk();
};

/// A printer's combo entry: the name, or name, " em " and the port when the port is another text.
QString PrinterEntryText(const QString& name, const QString& port);
/// A page or copy number typed by the user; text that is not a whole number counts as 0.
int PageNumberText(const QString& text);
/// Sizes an edit of page or copy numbers to five digits and its frame in its own font.
void FitToPageNumbers(QLineEdit& edit);
/// The page number as an edit shows it: 0 shows as empty.
QString PageNumberToText(int number);
