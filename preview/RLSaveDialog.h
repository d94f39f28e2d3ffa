#pragma once

#include "preview/RLPageRangeBox.h"
#include "preview/RLSaveParams.h"

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
/// file), page range, background saving. The format list and the name's extension follow each
/// other, so that what the dialog shows is what gets written.
class TRLSaveDialog : public QDialog {
public:
    /// The page file's extension and its description in the file chooser.
    static constexpr QStringView kPageFileExt = kRLPageFileExtension;
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
    /// Shown while a PDF filter is selected: its Portable property.
    QCheckBox* CheckBoxPdfPortable = nullptr;
    /// Holds the range buttons and the page edits.
    TRLPageRangeBox* GroupBoxPages = nullptr;
    QCheckBox* CheckBoxSaveInBackground = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonCancel = nullptr;

    void LoadControls();
    /// Controls into parameters; the file name and format as ChooseSaveTarget settles them.
    void SaveControls();
    /// nullptr for "Padrão".
    TRLCustomSaveFilter* SelectedFilter() const;
    /// The file chooser's filter text and default extension for the selected entry.
    QString ChooserFilterText() const;
    QString ChooserExtension() const;
    void SpeedButtonLookupClick();
    void EditFromPageChange();

private:
    /// A name whose extension is a format's selects that format.
    void FileNameChanged(const QString& text);
    /// Choosing a format renames a name that carries another format's extension.
    void FilterChanged();
    void ShowPdfOptions();

    bool m_loading = false;
};
