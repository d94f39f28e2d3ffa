#include "preview/RLPrintDialog.h"

#include "filters/RLFilters.h"
#include "pages/RLPrinters.h"
#include "preview/RLPageRangeBox.h"
#include "preview/RLPrintParams.h"
#include "support/LocaleTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {
constexpr int kPrintText = 23;
constexpr int kPrinterText = 38;
constexpr int kNameText = 39;
constexpr int kPrintToFileText = 40;
constexpr int kPrintInBackgroundText = 41;
constexpr int kToText = 45;
constexpr int kCopiesText = 49;
constexpr int kNumberOfCopiesText = 50;
constexpr int kOkText = 51;
constexpr int kUseFilterText = 55;
constexpr int kAtText = 60;
constexpr int kDefaultText = 62;
constexpr int kCancelText = 19;
constexpr QSize kDialogSize { 429, 265 };
constexpr int kPortraitCode = 1;
constexpr int kLandscapeCode = 2;

QString Framed(const QString& text)
{
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

QString Labelled(const QString& text)
{
    return text + QLatin1Char(':');
}

/// A disabled edit or combo shows the button face, an enabled one the window colour.
void PaintEnabled(QWidget& control, bool enabled)
{
    control.setEnabled(enabled);
    const QPalette standard = QApplication::palette(&control);
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, standard.color(enabled ? QPalette::Base : QPalette::Button));
    control.setPalette(palette);
}
}

QString PrinterEntryText(const QString& name, const QString& port)
{
    if (port.isEmpty() || port == name)
        return name;
    return name + QLatin1Char(' ') + LocaleText(kAtText) + QLatin1Char(' ') + port;
}

int PageNumberText(const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? number : 0;
}

QString PageNumberToText(int number)
{
    return number == 0 ? QString() : QString::number(number);
}

TRLPrintDialog::TRLPrintDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RLPrintDialog"));
    setWindowTitle(LocaleText(kPrintText));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(kDialogSize);

    GroupBoxPrinter = new QGroupBox(Framed(LocaleText(kPrinterText)), this);
    GroupBoxPrinter->setGeometry(8, 4, 413, 113);
    LabelPrinterName = new QLabel(Labelled(LocaleText(kNameText)), GroupBoxPrinter);
    LabelPrinterName->setGeometry(8, 24, 64, 13);
    ComboBoxPrinterNames = new QComboBox(GroupBoxPrinter);
    ComboBoxPrinterNames->setGeometry(76, 20, 329, 21);
    LabelPrinterName->setBuddy(ComboBoxPrinterNames);
    LabelFilterName = new QLabel(Labelled(LocaleText(kUseFilterText)), GroupBoxPrinter);
    LabelFilterName->setGeometry(8, 52, 64, 13);
    ComboBoxFilters = new QComboBox(GroupBoxPrinter);
    ComboBoxFilters->setGeometry(76, 48, 181, 21);
    LabelOptions = new QLabel(GroupBoxPrinter);
    LabelOptions->setGeometry(264, 48, 40, 13);
    LabelOptions->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelOptions->hide();
    ComboBoxOptions = new QComboBox(GroupBoxPrinter);
    ComboBoxOptions->setGeometry(308, 48, 97, 21);
    ComboBoxOptions->hide();
    CheckBoxPrintToFile = new QCheckBox(LocaleText(kPrintToFileText), GroupBoxPrinter);
    CheckBoxPrintToFile->setGeometry(8, 76, 180, 17);
    CheckBoxPrintInBackground = new QCheckBox(LocaleText(kPrintInBackgroundText), GroupBoxPrinter);
    CheckBoxPrintInBackground->setGeometry(196, 76, 209, 17);

    GroupBoxPages = new TRLPageRangeBox(Labelled(LocaleText(kToText)), this);
    GroupBoxPages->setGeometry(8, 120, 217, 101);

    GroupBoxCopies = new QGroupBox(Framed(LocaleText(kCopiesText)), this);
    GroupBoxCopies->setGeometry(236, 120, 185, 101);
    LabelCopies = new QLabel(Labelled(LocaleText(kNumberOfCopiesText)), GroupBoxCopies);
    LabelCopies->setGeometry(8, 24, 96, 13);
    EditCopies = new QLineEdit(GroupBoxCopies);
    EditCopies->setGeometry(108, 20, 49, 21);

    ButtonOk = new QPushButton(LocaleText(kOkText), this);
    ButtonOk->setGeometry(260, 232, 75, 25);
    ButtonOk->setDefault(true);
    ButtonCancel = new QPushButton(LocaleText(kCancelText), this);
    ButtonCancel->setGeometry(344, 232, 75, 25);

    QObject::connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    QObject::connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    QObject::connect(
        ComboBoxFilters, &QComboBox::currentIndexChanged, this, [this] { ComboBoxFiltersChange(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

bool TRLPrintDialog::Execute()
{
    LoadControls();
    ComboBoxPrinterNames->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    SaveControls();
    return true;
}

void TRLPrintDialog::LoadPrinters()
{
    TRLPrinterWrapper& printer = SharedPrinter();
    ComboBoxPrinterNames->clear();
    if (RefreshPrinterList)
        printer.RefreshPrinters();
    const QString current = printer.PrinterName();
    int selected = 0;
    for (int index = 0; index < printer.PrinterList().size(); ++index) {
        const QString name = printer.PrinterNames(index);
        ComboBoxPrinterNames->addItem(PrinterEntryText(name, printer.PrinterPorts(index)));
        if (name == current && selected == 0)
            selected = index;
    }
    ComboBoxPrinterNames->setCurrentIndex(ComboBoxPrinterNames->count() > 0 ? selected : -1);
}

void TRLPrintDialog::LoadFilters()
{
    const QSignalBlocker blocker(ComboBoxFilters);
    ComboBoxFilters->clear();
    ComboBoxFilters->addItem(LocaleText(kDefaultText), QVariant::fromValue<void*>(nullptr));
    int selected = 0;
    for (TRLCustomFilter* filter : ActiveFilters()) {
        auto* printFilter = dynamic_cast<TRLCustomPrintFilter*>(filter);
        if (!printFilter || printFilter->GetDisplayName().isEmpty())
            continue;
        ComboBoxFilters->addItem(printFilter->GetDisplayName(), QVariant::fromValue<void*>(printFilter));
        if (printFilter == PrintParams().Filter())
            selected = ComboBoxFilters->count() - 1;
    }
    ComboBoxFilters->setCurrentIndex(selected);
    PaintEnabled(*ComboBoxFilters, ComboBoxFilters->count() > 1);
}

void TRLPrintDialog::LoadControls()
{
    const TRLPrintParams& params = PrintParams();
    LoadPrinters();
    LoadFilters();
    ComboBoxFiltersChange();
    GroupBoxPages->ShowRange(params.PrintRange, params.FromPage, params.ToPage);
    EditCopies->setText(PageNumberToText(params.Copies));
    PaintEnabled(*EditCopies, !(params.Options & rpoDisableCopies));
    CheckBoxPrintToFile->setVisible(params.Options & rpoPrintToFile);
    CheckBoxPrintToFile->setEnabled(!(params.Options & rpoDisablePrintToFile));
    CheckBoxPrintToFile->setChecked(params.PrintToFile);
    CheckBoxPrintInBackground->setEnabled(!(params.Options & rpoDisablePrintInBackground));
    CheckBoxPrintInBackground->setChecked(params.PrintInBackground);
    const bool pageNumbers = params.Options & rpoPageNums;
    GroupBoxPages->RadioButtonPagesInterval->setEnabled(pageNumbers);
    PaintEnabled(*GroupBoxPages->EditFromPage, pageNumbers);
    PaintEnabled(*GroupBoxPages->EditToPage, pageNumbers);
    GroupBoxPages->RadioButtonPagesSelect->setEnabled(params.Options & rpoSelection);
    setWindowFlag(Qt::WindowContextHelpButtonHint, params.Options & rpoHelp);
}

TRLCustomPrintFilter* TRLPrintDialog::SelectedFilter() const
{
    if (ComboBoxFilters->currentIndex() < 0)
        return nullptr;
    return static_cast<TRLCustomPrintFilter*>(ComboBoxFilters->currentData().value<void*>());
}

void TRLPrintDialog::SaveControls()
{
    TRLPrintParams& params = PrintParams();
    params.PrintRange = static_cast<TRLPrintRange>(GroupBoxPages->TakeRange(params));
    params.Copies = PageNumberText(EditCopies->text());
    params.PrintToFile = CheckBoxPrintToFile->isChecked();
    params.PrintInBackground = CheckBoxPrintInBackground->isChecked();
    if (ComboBoxPrinterNames->currentIndex() >= 0)
        SharedPrinter().SetPrinterIndex(ComboBoxPrinterNames->currentIndex());
    TRLCustomPrintFilter* filter = SelectedFilter();
    params.SetFilter(filter);
    if (filter)
        filter->SetSelectedOption(ComboBoxOptions->currentIndex());
    SharedPrinter().SetCopies(params.Copies);
}

void TRLPrintDialog::ComboBoxFiltersChange()
{
    TRLCustomPrintFilter* filter = SelectedFilter();
    const QStringList options = filter ? filter->GetOptions() : QStringList();
    if (options.isEmpty()) {
        LabelOptions->hide();
        ComboBoxOptions->hide();
        return;
    }
    filter->SetOrientation(PrintParams().Orientation == poLandscape ? kLandscapeCode : kPortraitCode);
    LabelOptions->setText(Labelled(filter->GetOptionsLabel()));
    ComboBoxOptions->clear();
    ComboBoxOptions->addItems(options);
    ComboBoxOptions->setCurrentIndex(filter->GetSelectedOption());
    LabelOptions->show();
    ComboBoxOptions->show();
}

void TRLPrintDialog::EditFromPageChange()
{
    GroupBoxPages->EditFromPageChange();
}
