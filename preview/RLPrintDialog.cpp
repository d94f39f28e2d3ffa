#include "preview/RLPrintDialog.h"

#include "filters/RLFilters.h"
#include "pages/RLPrinters.h"
#include "preview/RLPageRangeBox.h"
#include "preview/RLPrintParams.h"
#include "support/LocaleTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

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
    return name + QLatin1Char(' ') + LocaleText(TLocaleTextId::At) + QLatin1Char(' ') + port;
}

int PageNumberText(const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? number : 0;
}

void FitToPageNumbers(QLineEdit& edit)
{
    edit.setFixedWidth(edit.fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
}

QString PageNumberToText(int number)
{
    return number == 0 ? QString() : QString::number(number);
}

TRLPrintDialog::TRLPrintDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RLPrintDialog"));
    setWindowTitle(LocaleText(TLocaleTextId::Print));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    GroupBoxPrinter = new QGroupBox(Framed(LocaleText(TLocaleTextId::Printer)), this);
    LabelPrinterName = new QLabel(Labelled(LocaleText(TLocaleTextId::Name)), GroupBoxPrinter);
    ComboBoxPrinterNames = new QComboBox(GroupBoxPrinter);
    ComboBoxPrinterNames->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    LabelPrinterName->setBuddy(ComboBoxPrinterNames);
    LabelNoPrinter = new QLabel(QCoreApplication::translate("TRLPrintDialog",
                                    "No printer is installed. Install one, or save the pages "
                                    "as a file instead."),
        GroupBoxPrinter);
    LabelNoPrinter->setWordWrap(true);
    LabelNoPrinter->hide();
    LabelFilterName = new QLabel(Labelled(LocaleText(TLocaleTextId::UseFilter)), GroupBoxPrinter);
    ComboBoxFilters = new QComboBox(GroupBoxPrinter);
    LabelOptions = new QLabel(GroupBoxPrinter);
    LabelOptions->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelOptions->hide();
    ComboBoxOptions = new QComboBox(GroupBoxPrinter);
    ComboBoxOptions->hide();
    CheckBoxPrintToFile = new QCheckBox(LocaleText(TLocaleTextId::PrintToFile), GroupBoxPrinter);
    CheckBoxPrintInBackground = new QCheckBox(LocaleText(TLocaleTextId::PrintInBackground), GroupBoxPrinter);
    auto* printerRows = new QGridLayout(GroupBoxPrinter);
    printerRows->addWidget(LabelPrinterName, 0, 0);
    printerRows->addWidget(ComboBoxPrinterNames, 0, 1, 1, 3);
    printerRows->addWidget(LabelNoPrinter, 1, 1, 1, 3);
    printerRows->addWidget(LabelFilterName, 2, 0);
    printerRows->addWidget(ComboBoxFilters, 2, 1);
    printerRows->addWidget(LabelOptions, 2, 2);
    printerRows->addWidget(ComboBoxOptions, 2, 3);
    printerRows->addWidget(CheckBoxPrintToFile, 3, 0, 1, 2);
    printerRows->addWidget(CheckBoxPrintInBackground, 3, 2, 1, 2);
    printerRows->setColumnStretch(1, 1);

    GroupBoxPages = new TRLPageRangeBox(Labelled(LocaleText(TLocaleTextId::To)), this);

    GroupBoxCopies = new QGroupBox(Framed(LocaleText(TLocaleTextId::Copies)), this);
    LabelCopies = new QLabel(Labelled(LocaleText(TLocaleTextId::NumberOfCopies)), GroupBoxCopies);
    EditCopies = new QLineEdit(GroupBoxCopies);
    FitToPageNumbers(*EditCopies);
    LabelCopies->setBuddy(EditCopies);
    auto* copiesRows = new QGridLayout(GroupBoxCopies);
    copiesRows->addWidget(LabelCopies, 0, 0);
    copiesRows->addWidget(EditCopies, 0, 1);
    copiesRows->setColumnStretch(2, 1);
    copiesRows->setRowStretch(1, 1);

    ButtonOk = new QPushButton(LocaleText(TLocaleTextId::Ok), this);
    ButtonOk->setDefault(true);
    ButtonCancel = new QPushButton(LocaleText(TLocaleTextId::Cancel), this);

    // Laid out by the font's metrics, so no caption is cut in any language.
    auto* ranges = new QHBoxLayout;
    ranges->addWidget(GroupBoxPages, 1);
    ranges->addWidget(GroupBoxCopies, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOk);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBoxPrinter);
    layout->addLayout(ranges);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QObject::connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    QObject::connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    QObject::connect(
        ComboBoxFilters, &QComboBox::currentIndexChanged, this, [this] { ComboBoxFiltersChange(); });
    adjustSize();
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
    const bool anyPrinter = ComboBoxPrinterNames->count() > 0;
    ComboBoxPrinterNames->setCurrentIndex(anyPrinter ? selected : -1);
    // Said before the operator confirms, not as an error after.
    ComboBoxPrinterNames->setEnabled(anyPrinter);
    LabelNoPrinter->setVisible(!anyPrinter);
}

void TRLPrintDialog::EnableOk()
{
    ButtonOk->setEnabled(ComboBoxPrinterNames->count() > 0 || SelectedFilter());
}

void TRLPrintDialog::LoadFilters()
{
    const QSignalBlocker blocker(ComboBoxFilters);
    ComboBoxFilters->clear();
    ComboBoxFilters->addItem(LocaleText(TLocaleTextId::Default), QVariant::fromValue<void*>(nullptr));
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
    GroupBoxPages->ShowRange(int(params.PrintRange), params.FromPage, params.ToPage);
    EditCopies->setText(PageNumberToText(params.Copies));
    PaintEnabled(*EditCopies, !params.Options.testFlag(TRLPrintDialogOption::rpoDisableCopies));
    CheckBoxPrintToFile->setVisible(params.Options.testFlag(TRLPrintDialogOption::rpoPrintToFile));
    CheckBoxPrintToFile->setEnabled(!(params.Options.testFlag(TRLPrintDialogOption::rpoDisablePrintToFile)));
    CheckBoxPrintToFile->setChecked(params.PrintToFile);
    CheckBoxPrintInBackground->setEnabled(
        !(params.Options.testFlag(TRLPrintDialogOption::rpoDisablePrintInBackground)));
    CheckBoxPrintInBackground->setChecked(params.PrintInBackground);
    const bool pageNumbers = params.Options.testFlag(TRLPrintDialogOption::rpoPageNums);
    GroupBoxPages->RadioButtonPagesInterval->setEnabled(pageNumbers);
    PaintEnabled(*GroupBoxPages->EditFromPage, pageNumbers);
    PaintEnabled(*GroupBoxPages->EditToPage, pageNumbers);
    GroupBoxPages->RadioButtonPagesSelect->setEnabled(
        params.Options.testFlag(TRLPrintDialogOption::rpoSelection));
    setWindowFlag(Qt::WindowContextHelpButtonHint, params.Options.testFlag(TRLPrintDialogOption::rpoHelp));
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
    EnableOk();
    TRLCustomPrintFilter* filter = SelectedFilter();
    const QStringList options = filter ? filter->GetOptions() : QStringList();
    if (options.isEmpty()) {
        LabelOptions->hide();
        ComboBoxOptions->hide();
        return;
    }
    filter->SetOrientation(PrintParams().Orientation);
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
