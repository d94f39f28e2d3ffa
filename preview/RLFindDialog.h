#pragma once

#include <QFlags>

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

/// Options of a search, as bits.
enum class TRLFindOption : unsigned { foWholeWords = 1, foMatchCase = 2, foBackward = 4 };
Q_DECLARE_FLAGS(TRLFindOptions, TRLFindOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLFindOptions)

/// The non-modal find window of the preview; it hides when it loses activation.
class TfrmRLFindDialog : public QDialog {
public:
    explicit TfrmRLFindDialog(QWidget* parent = nullptr);

    QLabel* LabelTextToFind = nullptr;
    QLineEdit* EditTextToFind = nullptr;
    QPushButton* BitBtnFindNext = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QCheckBox* CheckBoxWholeWords = nullptr;
    QCheckBox* CheckBoxMatchCase = nullptr;
    QGroupBox* RadioGroupDirection = nullptr;
    QRadioButton* RadioButtonUp = nullptr;
    QRadioButton* RadioButtonDown = nullptr;

    /// The options the check boxes and the direction give.
    TRLFindOptions Options() const;
    /// Runs the handler with the text and options; shows "Não encontrado" when nothing was
    /// found or no handler is set.
    void FindNext();

    using TRLFindEvent = std::function<void(
        TfrmRLFindDialog& sender, const QString& text, bool& found, TRLFindOptions options)>;
    TRLFindEvent OnFind;

protected:
    void changeEvent(QEvent* event) override;

private:
    bool RaiseFind(const QString& text, TRLFindOptions options);
};
