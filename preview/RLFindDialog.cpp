#include "preview/RLFindDialog.h"

#include "support/LocaleTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kNotFoundText = 16;
constexpr int kCancelText = 19;
constexpr int kFindCaption = 68;
constexpr int kTextLabel = 69;
constexpr int kFindNextText = 70;
constexpr int kWholeWordsText = 71;
constexpr int kMatchCaseText = 72;
constexpr int kUpText = 73;
constexpr int kDownText = 74;
constexpr int kDirectionText = 75;
constexpr QSize kClientSize { 367, 94 };

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
    setWindowTitle(LocaleText(kFindCaption));
    setFixedSize(kClientSize);
    LabelTextToFind = new QLabel(LocaleText(kTextLabel) + QLatin1Char(':'), this);
    LabelTextToFind->move(8, 16);
    EditTextToFind = new QLineEdit(this);
    EditTextToFind->setGeometry(48, 12, 229, 21);
    LabelTextToFind->setBuddy(EditTextToFind);
    BitBtnFindNext = new QPushButton(LocaleText(kFindNextText), this);
    BitBtnFindNext->setGeometry(284, 12, 75, 21);
    BitBtnFindNext->setDefault(true);
    BitBtnCancel = new QPushButton(LocaleText(kCancelText), this);
    BitBtnCancel->setGeometry(284, 36, 75, 21);
    CheckBoxWholeWords = new QCheckBox(LocaleText(kWholeWordsText), this);
    CheckBoxWholeWords->move(8, 44);
    CheckBoxMatchCase = new QCheckBox(LocaleText(kMatchCaseText), this);
    CheckBoxMatchCase->move(8, 64);
    // Left of the direction box, the long match-case caption is cut there.
    CheckBoxMatchCase->setFixedWidth(196);
    RadioGroupDirection
        = new QGroupBox(QLatin1Char(' ') + LocaleText(kDirectionText) + QLatin1Char(' '), this);
    RadioGroupDirection->setGeometry(204, 36, 73, 49);
    RadioButtonUp = new QRadioButton(LocaleText(kUpText), RadioGroupDirection);
    RadioButtonDown = new QRadioButton(LocaleText(kDownText), RadioGroupDirection);
    auto* directions = new QVBoxLayout(RadioGroupDirection);
    directions->setContentsMargins(4, 0, 2, 0);
    directions->setSpacing(0);
    directions->addWidget(RadioButtonUp);
    directions->addWidget(RadioButtonDown);
    RadioButtonDown->setChecked(true);
    QObject::connect(BitBtnFindNext, &QPushButton::clicked, this, [this] { FindNext(); });
    QObject::connect(BitBtnCancel, &QPushButton::clicked, this, [this] { hide(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

TRLFindOptions TfrmRLFindDialog::Options() const
{
    TRLFindOptions options = 0;
    if (CheckBoxWholeWords->isChecked())
        options |= foWholeWords;
    if (CheckBoxMatchCase->isChecked())
        options |= foMatchCase;
    if (RadioButtonUp->isChecked())
        options |= foBackward;
    return options;
}

void TfrmRLFindDialog::FindNext()
{
    if (!RaiseFind(EditTextToFind->text(), Options()))
        QMessageBox::information(this, windowTitle(), LocaleText(kNotFoundText));
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
