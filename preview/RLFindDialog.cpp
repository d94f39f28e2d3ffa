#include "preview/RLFindDialog.h"

#include "support/LocaleTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

/// Restores the normal cursor however the search ends.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};
}

TfrmRLFindDialog::TfrmRLFindDialog(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmRLFindDialog"));
    setWindowTitle(LocaleText(TLocaleTextId::Find));
    LabelTextToFind = new QLabel(LocaleText(TLocaleTextId::TextLabel) + QLatin1Char(':'), this);
    EditTextToFind = new QLineEdit(this);
    EditTextToFind->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    LabelTextToFind->setBuddy(EditTextToFind);
    BitBtnFindNext = new QPushButton(LocaleText(TLocaleTextId::FindNext), this);
    BitBtnFindNext->setDefault(true);
    BitBtnCancel = new QPushButton(LocaleText(TLocaleTextId::Cancel), this);
    CheckBoxWholeWords = new QCheckBox(LocaleText(TLocaleTextId::WholeWords), this);
    CheckBoxMatchCase = new QCheckBox(LocaleText(TLocaleTextId::MatchCase), this);
    RadioGroupDirection
        = new QGroupBox(QLatin1Char(' ') + LocaleText(TLocaleTextId::Direction) + QLatin1Char(' '), this);
    RadioButtonUp = new QRadioButton(LocaleText(TLocaleTextId::Up), RadioGroupDirection);
    RadioButtonDown = new QRadioButton(LocaleText(TLocaleTextId::Down), RadioGroupDirection);
    auto* directions = new QVBoxLayout(RadioGroupDirection);
    directions->addWidget(RadioButtonUp);
    directions->addWidget(RadioButtonDown);

    // Laid out by the font's metrics, so no caption is cut in any language.
    auto* checks = new QVBoxLayout;
    checks->addWidget(CheckBoxWholeWords);
    checks->addWidget(CheckBoxMatchCase);
    checks->addStretch();
    auto* fields = new QGridLayout;
    fields->addWidget(LabelTextToFind, 0, 0);
    fields->addWidget(EditTextToFind, 0, 1, 1, 2);
    fields->addLayout(checks, 1, 0, 1, 2);
    fields->addWidget(RadioGroupDirection, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BitBtnFindNext);
    buttons->addWidget(BitBtnCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    RadioButtonDown->setChecked(true);
    QObject::connect(BitBtnFindNext, &QPushButton::clicked, this, [this] { FindNext(); });
    QObject::connect(BitBtnCancel, &QPushButton::clicked, this, [this] { hide(); });
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

TRLFindOptions TfrmRLFindDialog::Options() const
{
    TRLFindOptions options;
    if (CheckBoxWholeWords->isChecked())
        options |= TRLFindOption::foWholeWords;
    if (CheckBoxMatchCase->isChecked())
        options |= TRLFindOption::foMatchCase;
    if (RadioButtonUp->isChecked())
        options |= TRLFindOption::foBackward;
    return options;
}

void TfrmRLFindDialog::FindNext()
{
    if (!RaiseFind(EditTextToFind->text(), Options()))
        QMessageBox::information(this, windowTitle(), LocaleText(TLocaleTextId::NotFound));
}

bool TfrmRLFindDialog::RaiseFind(const QString& text, TRLFindOptions options)
{
    if (!OnFind)
        return false;
    bool found = false;
    const TWaitCursor wait;
    OnFind(*this, text, found, options);
    return found;
}

void TfrmRLFindDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // A message box of our own takes the activation for a moment; the window stays for it.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()
        && !QApplication::activeModalWidget())
        hide();
}
