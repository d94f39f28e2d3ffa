#pragma once

#include "preview/RLPageRangeBox.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TRLCustomSaveFilter;

/// The modal save dialog over the shared SaveParams(): file name, save filter (or the page
/// file), page range, background saving.
class TRLSaveDialog : public QDialog {
public:
    /// The page file's extension and its description in the file chooser.
    static constexpr QStringView kPageFileExt = u".rpf";
    static constexpr QStringView kPageFileDescription = u"QuirelReport";

    explicit TRLSaveDialog(QWidget* parent = nullptr);

    /// Fills the controls from the parameters, shows the dialog modally and, when the user
    /// confirms, copies the controls back and settles the filter and extension; true then.
    bool Execute();

    QLabel* LabelFileName = nullptr;
    QLineEdit* EditFileName = nullptr;
    QToolButton* SpeedButtonLookup = nullptr;
    QLabel* LabelUseFilter = nullptr;
    QComboBox* ComboBoxFilters = nullptr;
    /// Holds the range buttons and the page edits.
    TRLPageRangeBox* GroupBoxPages = nullptr;
    QCheckBox* CheckBoxSaveInBackground = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonCancel = nullptr;

    void LoadControls();
    /// Controls into parameters, then the file name's extension picks the filter, or a name
    /// without one gets the filter's extension (".rpf" for the page file).
    void SaveControls();
    /// nullptr for "Padrão".
    TRLCustomSaveFilter* SelectedFilter() const;
    /// The file chooser's filter text and default extension for the selected entry.
    QString ChooserFilterText() const;
    QString ChooserExtension() const;
    void SpeedButtonLookupClick();
    void EditFromPageChange();
};
