#include "preview/RLSaveDialog.h"

#include "filters/RLFilters.h"
#include "filters/RLPDFFilter.h"
#include "preview/RLPageRangeBox.h"
#include "preview/RLPrintDialog.h"
#include "preview/RLSaveParams.h"
#include "support/LocaleTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace {
}

TRLSaveDialog::TRLSaveDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("RLSaveDialog"));
    setWindowTitle(LocaleText(TLocaleTextId::Save));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    LabelFileName = new QLabel(LocaleText(TLocaleTextId::FileName) + QLatin1Char(':'), this);
    EditFileName = new QLineEdit(this);
    EditFileName->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    LabelFileName->setBuddy(EditFileName);
    SpeedButtonLookup = new QToolButton(this);
    SpeedButtonLookup->setText(QStringLiteral("..."));
    LabelUseFilter = new QLabel(LocaleText(TLocaleTextId::UseFilter) + QLatin1Char(':'), this);
    ComboBoxFilters = new QComboBox(this);
    ComboBoxFilters->setEditable(false);
    LabelUseFilter->setBuddy(ComboBoxFilters);
    CheckBoxPdfPortable = new QCheckBox(
        QCoreApplication::translate("TRLSaveDialog", "Portable PDF: fonts embedded, smaller file"), this);
    CheckBoxPdfPortable->setToolTip(QCoreApplication::translate("TRLSaveDialog",
        "Looks the same on any computer, also without the report's fonts; for sending and "
        "archiving. Without it the PDF names its fonts and the reader supplies them."));
    CheckBoxPdfPortable->setVisible(false);

    GroupBoxPages = new TRLPageRangeBox(LocaleText(TLocaleTextId::To), this);

    CheckBoxSaveInBackground = new QCheckBox(LocaleText(TLocaleTextId::SaveInBackground), this);
    ButtonSave = new QPushButton(LocaleText(TLocaleTextId::Save), this);
    ButtonSave->setDefault(true);
    ButtonCancel = new QPushButton(LocaleText(TLocaleTextId::Cancel), this);

    // Laid out by the font's metrics, so no caption is cut in any language.
    auto* fields = new QGridLayout;
    fields->addWidget(LabelFileName, 0, 0);
    fields->addWidget(EditFileName, 0, 1, 1, 2);
    fields->addWidget(SpeedButtonLookup, 0, 3);
    fields->addWidget(LabelUseFilter, 1, 0);
    fields->addWidget(ComboBoxFilters, 1, 1);
    fields->addWidget(CheckBoxPdfPortable, 2, 1, 1, 3);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonSave);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(GroupBoxPages);
    layout->addWidget(CheckBoxSaveInBackground);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QObject::connect(ButtonSave, &QPushButton::clicked, this, &QDialog::accept);
    QObject::connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    QObject::connect(SpeedButtonLookup, &QToolButton::clicked, this, [this] { SpeedButtonLookupClick(); });
    // Confirming an empty name would write a hidden ".rpf" in the current directory.
    QObject::connect(EditFileName, &QLineEdit::textChanged, this, [this](const QString& text) {
        ButtonSave->setEnabled(!text.trimmed().isEmpty());
        FileNameChanged(text);
    });
    QObject::connect(ComboBoxFilters, &QComboBox::currentIndexChanged, this, [this] {
        FilterChanged();
        ShowPdfOptions();
    });
    ButtonSave->setEnabled(false);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
}

bool TRLSaveDialog::Execute()
{
    LoadControls();
    EditFileName->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    SaveControls();
    return true;
}

void TRLSaveDialog::LoadControls()
{
    const TRLSaveParams& params = SaveParams();
    // The parameters' own pair stands as given until the user changes one of them.
    m_loading = true;
    ComboBoxFilters->clear();
    ComboBoxFilters->addItem(LocaleText(TLocaleTextId::Default), QVariant::fromValue<void*>(nullptr));
    int selected = 0;
    std::vector<TRLCustomSaveFilter*> saveFilters;
    for (TRLCustomFilter* filter : ActiveFilters()) {
        if (auto* saveFilter = dynamic_cast<TRLCustomSaveFilter*>(filter))
            saveFilters.push_back(saveFilter);
    }
    for (TRLCustomSaveFilter* saveFilter : saveFilters) {
        // Two formats of one name (the XLS and XLSX spreadsheets) are told apart by extension.
        const QString name = saveFilter->GetDisplayName();
        const bool shared
            = std::count_if(saveFilters.begin(), saveFilters.end(),
                  [&name](const TRLCustomSaveFilter* other) { return other->GetDisplayName() == name; })
            > 1;
        const QString shown
            = shared ? name + QStringLiteral(" (*") + SaveFormatExtension(saveFilter) + u')' : name;
        ComboBoxFilters->addItem(shown, QVariant::fromValue<void*>(saveFilter));
        if (saveFilter == params.Filter())
            selected = ComboBoxFilters->count() - 1;
    }
    ComboBoxFilters->setCurrentIndex(selected);
    ShowPdfOptions();
    GroupBoxPages->ShowRange(int(params.SaveRange), params.FromPage, params.ToPage);
    EditFileName->setText(params.FileName);
    CheckBoxSaveInBackground->setChecked(params.SaveInBackground);
    CheckBoxSaveInBackground->setEnabled(
        !params.Options.testFlag(TRLSaveDialogOption::rsoDisableSaveInBackground));
    GroupBoxPages->RadioButtonPagesInterval->setEnabled(true);
    GroupBoxPages->EditFromPage->setEnabled(true);
    GroupBoxPages->EditToPage->setEnabled(true);
    GroupBoxPages->RadioButtonPagesSelect->setEnabled(false);
    m_loading = false;
}

TRLCustomSaveFilter* TRLSaveDialog::SelectedFilter() const
{
    if (ComboBoxFilters->currentIndex() < 0)
        return nullptr;
    return static_cast<TRLCustomSaveFilter*>(ComboBoxFilters->currentData().value<void*>());
}

void TRLSaveDialog::SaveControls()
{
    TRLSaveParams& params = SaveParams();
    params.FileName = EditFileName->text();
    params.SaveRange = static_cast<TRLSaveRange>(GroupBoxPages->TakeRange(params));
    params.SaveInBackground = CheckBoxSaveInBackground->isChecked();
    const TRLSaveTarget target = ChooseSaveTarget(params.FileName, SelectedFilter());
    params.FileName = target.FileName;
    params.SetFilter(target.Filter);
    if (auto* pdf = dynamic_cast<TRLPDFFilter*>(target.Filter))
        pdf->Portable = CheckBoxPdfPortable->isChecked();
}

void TRLSaveDialog::ShowPdfOptions()
{
    const auto* pdf = dynamic_cast<const TRLPDFFilter*>(SelectedFilter());
    CheckBoxPdfPortable->setVisible(pdf != nullptr);
    // The filter's own setting, until the user changes it in this dialog.
    if (pdf && m_loading)
        CheckBoxPdfPortable->setChecked(pdf->Portable);
}

void TRLSaveDialog::FileNameChanged(const QString& text)
{
    if (m_loading)
        return;
    const auto format = SaveFormatOfExtension(FileNameExtension(text), SelectedFilter());
    if (!format || *format == SelectedFilter())
        return;
    const int index = ComboBoxFilters->findData(QVariant::fromValue<void*>(*format));
    if (index >= 0)
        ComboBoxFilters->setCurrentIndex(index);
}

void TRLSaveDialog::FilterChanged()
{
    if (m_loading)
        return;
    const QString name = EditFileName->text();
    const QString extension = FileNameExtension(name);
    const auto format = SaveFormatOfExtension(extension, SelectedFilter());
    if (!format || *format == SelectedFilter())
        return;
    EditFileName->setText(name.left(name.size() - extension.size()) + ChooserExtension());
}

QString TRLSaveDialog::ChooserExtension() const
{
    return SaveFormatExtension(SelectedFilter());
}

QString TRLSaveDialog::ChooserFilterText() const
{
    const TRLCustomSaveFilter* filter = SelectedFilter();
    const QString name = filter ? filter->GetDisplayName() : kPageFileDescription.toString();
    const QString extension = ChooserExtension();
    // The chooser wants "Description (*.ext)"; the "|*.ext" half of the platform's pattern is
    // already the parenthesised part.
    return name + QStringLiteral(" (*") + extension + QLatin1Char(')');
}

void TRLSaveDialog::SpeedButtonLookupClick()
{
    QFileDialog chooser(this);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setNameFilter(ChooserFilterText());
    chooser.setDefaultSuffix(ChooserExtension().mid(1));
    chooser.selectFile(EditFileName->text());
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        EditFileName->setText(chooser.selectedFiles().constFirst());
}

void TRLSaveDialog::EditFromPageChange()
{
    GroupBoxPages->EditFromPageChange();
}
