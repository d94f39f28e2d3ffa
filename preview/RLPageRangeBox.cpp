#include "preview/RLPageRangeBox.h"

#include "preview/RLPageRangeParams.h"
#include "preview/RLPrintDialog.h"
#include "support/LocaleTexts.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
constexpr int kPageRangeText = 43;
constexpr int kFromText = 44;
constexpr int kAllText = 46;
constexpr int kPagesText = 47;
constexpr int kSelectionText = 48;
constexpr int kAllPages = 0;
constexpr int kSelection = 1;
constexpr int kPageNumbers = 2;
}

TRLPageRangeBox::TRLPageRangeBox(const QString& toLabel, QWidget* parent)
    : QGroupBox(QLatin1Char(' ') + LocaleText(kPageRangeText) + QLatin1Char(' '), parent)
{
    RadioButtonPagesAll = new QRadioButton(LocaleText(kAllText), this);
    RadioButtonPagesAll->setGeometry(8, 20, 100, 17);
    RadioButtonPagesAll->setChecked(true);
    RadioButtonPagesInterval = new QRadioButton(LocaleText(kPagesText), this);
    RadioButtonPagesInterval->setGeometry(8, 44, 72, 17);
    RadioButtonPagesSelect = new QRadioButton(LocaleText(kSelectionText), this);
    RadioButtonPagesSelect->setGeometry(8, 72, 100, 17);
    LabelFromPage = new QLabel(LocaleText(kFromText) + QLatin1Char(':'), this);
    LabelFromPage->setGeometry(84, 46, 24, 13);
    EditFromPage = new QLineEdit(QStringLiteral("1"), this);
    EditFromPage->setGeometry(108, 42, 37, 21);
    LabelToPage = new QLabel(toLabel, this);
    LabelToPage->setGeometry(148, 46, 24, 13);
    EditToPage = new QLineEdit(this);
    EditToPage->setGeometry(172, 42, 37, 21);
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
