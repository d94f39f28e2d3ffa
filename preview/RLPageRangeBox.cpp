#include "preview/RLPageRangeBox.h"

#include "preview/RLPageRangeParams.h"
#include "preview/RLPrintDialog.h"
#include "support/LocaleTexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
constexpr int kAllPages = 0;
constexpr int kSelection = 1;
constexpr int kPageNumbers = 2;
}

TRLPageRangeBox::TRLPageRangeBox(const QString& toLabel, QWidget* parent)
    : QGroupBox(QLatin1Char(' ') + LocaleText(TLocaleTextId::PageRange) + QLatin1Char(' '), parent)
{
    RadioButtonPagesAll = new QRadioButton(LocaleText(TLocaleTextId::All), this);
    RadioButtonPagesAll->setChecked(true);
    RadioButtonPagesInterval = new QRadioButton(LocaleText(TLocaleTextId::Pages), this);
    RadioButtonPagesSelect = new QRadioButton(LocaleText(TLocaleTextId::Selection), this);
    LabelFromPage = new QLabel(LocaleText(TLocaleTextId::From) + QLatin1Char(':'), this);
    EditFromPage = new QLineEdit(QStringLiteral("1"), this);
    LabelToPage = new QLabel(toLabel, this);
    EditToPage = new QLineEdit(this);
    FitToPageNumbers(*EditFromPage);
    FitToPageNumbers(*EditToPage);
    auto* layout = new QGridLayout(this);
    layout->addWidget(RadioButtonPagesAll, 0, 0, 1, 5);
    layout->addWidget(RadioButtonPagesInterval, 1, 0);
    layout->addWidget(LabelFromPage, 1, 1);
    layout->addWidget(EditFromPage, 1, 2);
    layout->addWidget(LabelToPage, 1, 3);
    layout->addWidget(EditToPage, 1, 4);
    layout->addWidget(RadioButtonPagesSelect, 2, 0, 1, 5);
    layout->setColumnStretch(5, 1);
    QObject::connect(EditFromPage, &QLineEdit::textEdited, this, [this] { EditFromPageChange(); });
    QObject::connect(EditToPage, &QLineEdit::textEdited, this, [this] { EditFromPageChange(); });
}

void TRLPageRangeBox::ShowRange(int range, int fromPage, int toPage)
{
    if (range == kSelection)
        RadioButtonPagesSelect->setChecked(true);
    else if (range == kPageNumbers)
        RadioButtonPagesInterval->setChecked(true);
    else
        RadioButtonPagesAll->setChecked(true);
    EditFromPage->setText(PageNumberToText(fromPage));
    EditToPage->setText(PageNumberToText(toPage));
}

int TRLPageRangeBox::TakeRange(TRLPageRangeParams& params) const
{
    if (RadioButtonPagesAll->isChecked()) {
        params.FromPage = params.MinPage;
        params.ToPage = params.MaxPage();
        return kAllPages;
    }
    params.FromPage = PageNumberText(EditFromPage->text());
    if (RadioButtonPagesSelect->isChecked()) {
        params.ToPage = params.FromPage;
        return kSelection;
    }
    params.ToPage = PageNumberText(EditToPage->text());
    return kPageNumbers;
}

void TRLPageRangeBox::EditFromPageChange()
{
    if (!RadioButtonPagesInterval->isChecked())
        RadioButtonPagesInterval->setChecked(true);
}
