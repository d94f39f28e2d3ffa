#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QRadioButton;
class TRLPageRangeParams;

/// The page-range group of the print and save dialogs: all pages, an interval or the selection,
/// with the interval's two page edits. Typing a page number checks the interval.
class TRLPageRangeBox : public QGroupBox {
public:
    /// The dialogs differ only in the "to" label's text.
    TRLPageRangeBox(const QString& toLabel, QWidget* parent);

    QRadioButton* RadioButtonPagesAll = nullptr;
    QRadioButton* RadioButtonPagesInterval = nullptr;
    QRadioButton* RadioButtonPagesSelect = nullptr;
    QLabel* LabelFromPage = nullptr;
    QLineEdit* EditFromPage = nullptr;
    QLabel* LabelToPage = nullptr;
    QLineEdit* EditToPage = nullptr;

    /// `range` counts all pages, selection, page numbers as 0, 1, 2, the order of both dialogs'
    /// range types.
    void ShowRange(int range, int fromPage, int toPage);
    /// The checked range, with the pages it covers written to `params`.
    int TakeRange(TRLPageRangeParams& params) const;
    void EditFromPageChange();
};
