#include "filters/RLFilters.h"
#include "filters/RLPDFFilter.h"
#include "pages/RLPrinters.h"
#include "preview/RLFindDialog.h"
#include "preview/RLPreviewForm.h"
#include "preview/RLPreviewPages.h"
#include "preview/RLPrintDialog.h"
#include "preview/RLPrintParams.h"
#include "preview/RLSaveDialog.h"
#include "preview/RLSaveParams.h"
#include "support/LocaleTexts.h"
#include "tests/common/TestHelpers.h"
#include "tests/preview/PreviewTestPages.h"
#include "tests/preview/PreviewTestWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <optional>

using enum TRLPageOrientation;
using enum TRLWindowState;
using enum TRLPrintDialogOption;
using enum TRLPrintRange;

using namespace Qt::StringLiterals;

namespace {

/// A save filter standing for the spreadsheet output, whose own filter is built elsewhere.
class TSheetFilter : public TRLCustomSaveFilter {
public:
    explicit TSheetFilter(TComponent* owner)
        : TRLCustomSaveFilter(owner)
    {
        SetDisplayName(QStringLiteral("Planilha Excel"));
        SetDefaultExt(QStringLiteral("xls"));
    }
    ~TSheetFilter() override { WaitForRun(); }
    std::atomic<int> PagesDrawn = 0;

protected:
    void InternalBeginDoc() override { }
    void InternalEndDoc() override { }
    void InternalNewPage() override { }
    void InternalDrawPage(TRLGraphicSurface&) override { ++PagesDrawn; }
};

/// A print filter with its own option list.
class TOptionFilter : public TRLCustomPrintFilter {
public:
    explicit TOptionFilter(TComponent* owner)
        : TRLCustomPrintFilter(owner)
    {
        SetDisplayName(QStringLiteral("Matricial"));
    }
    ~TOptionFilter() override { WaitForRun(); }
    int PagesDrawn = 0;
    QString GetOptionsLabel() const override { return QStringLiteral("Modo"); }
    QStringList GetOptions() const override
    {
        return { QStringLiteral("Rascunho"), QStringLiteral("Final") };
    }
    int GetSelectedOption() const override { return m_selected; }
    void SetSelectedOption(int index) override { m_selected = index; }
    void SetOrientation(TRLPageOrientation orientation) override { Orientation = orientation; }
    std::optional<TRLPageOrientation> Orientation;

protected:
    void InternalBeginDoc() override { }
    void InternalEndDoc() override { }
    void InternalNewPage() override { }
    void InternalDrawPage(TRLGraphicSurface&) override { ++PagesDrawn; }

private:
    int m_selected = 1;
};

int IndexOfText(const QComboBox& combo, const QString& text)
{
    return combo.findText(text, Qt::MatchExactly);
}

/// What of a shown dialog is cut: a caption narrower than its text, a group narrower than its
/// title, or two controls of one parent covering each other.
QStringList CutOrOverlapping(const QWidget& dialog)
{
    QStringList faults;
    const auto describe = [](const QWidget* w) {
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(w))
            text = label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            text = button->text();
        else if (const auto* group = qobject_cast<const QGroupBox*>(w))
            text = group->title();
        return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), text);
    };
    const QList<QWidget*> widgets = dialog.findChildren<QWidget*>();
    for (const QWidget* w : widgets) {
        if (!w->isVisibleTo(&dialog) || w->isWindow())
            continue;
        const auto* label = qobject_cast<const QLabel*>(w);
        const bool wraps = label && label->wordWrap();
        const bool caption = label || qobject_cast<const QAbstractButton*>(w);
        if (caption && !wraps && w->width() < w->sizeHint().width())
            faults << describe(w) + QStringLiteral(" is cut");
        if (wraps && w->height() < label->heightForWidth(w->width()))
            faults << describe(w) + QStringLiteral(" is cut at the bottom");
        if (qobject_cast<const QGroupBox*>(w) && w->width() < w->minimumSizeHint().width())
            faults << describe(w) + QStringLiteral(" is narrower than its title");
        for (const QWidget* other : widgets) {
            if (other <= w || other->parentWidget() != w->parentWidget() || !other->isVisibleTo(&dialog)
                || other->isWindow())
                continue;
            if (w->geometry().intersects(other->geometry()))
                faults << describe(w) + QStringLiteral(" covers ") + describe(other);
        }
    }
    return faults;
}

/// Puts the library's texts back in the suite's language however a test ends.
class TLanguageGuard {
public:
    explicit TLanguageGuard(TLanguage language) { SelectLanguage(language); }
    ~TLanguageGuard() { SelectLanguage(TLanguage::Portuguese); }
    TLanguageGuard(const TLanguageGuard&) = delete;
    TLanguageGuard& operator=(const TLanguageGuard&) = delete;
};

} // namespace

TEST(SaveDialog, ExtensionRules)
{
    TComponent owner(nullptr);
    auto* pdf = new TRLPDFFilter(&owner);
    pdf->SetDisplayName(QStringLiteral("Documento PDF"));
    auto* sheet = new TSheetFilter(&owner);
    // The user picks a format, types a name, and may pick a format again; the list shows the
    // format written when Save is pressed, and the file's extension always names that format.
    struct Case {
        QString chosen;
        QString typed;
        QString chosenAfter;
        QString expectedName;
        TRLCustomSaveFilter* expectedFilter;
    };
    const Case cases[] = {
        { u"Padrão"_s, u"pedido.pdf"_s, {}, u"pedido.pdf"_s, pdf },
        { u"Planilha Excel"_s, u"pedido"_s, {}, u"pedido.xls"_s, sheet },
        { u"Padrão"_s, u"pedido"_s, {}, u"pedido.rpf"_s, nullptr },
        { u"Documento PDF"_s, u"pedido"_s, {}, u"pedido.pdf"_s, pdf },
        { u"Planilha Excel"_s, u"pedido.PDF"_s, {}, u"pedido.PDF"_s, pdf },
        { u"Documento PDF"_s, u"pedido.rpf"_s, {}, u"pedido.rpf"_s, nullptr },
        // No format has the extension: the chosen one is appended, never a PDF under ".txt".
        { u"Documento PDF"_s, u"pedido.txt"_s, {}, u"pedido.txt.pdf"_s, pdf },
        { u"Padrão"_s, u"Ordem 3.1"_s, {}, u"Ordem 3.1.rpf"_s, nullptr },
        { u"Documento PDF"_s, u"pedido."_s, {}, u"pedido.pdf"_s, pdf },
        { u"Padrão"_s, u"dir.v2/pedido"_s, {}, u"dir.v2/pedido.rpf"_s, nullptr },
        // Choosing a format after typing renames a name that carries another format's extension.
        { u"Padrão"_s, u"pedido.rpf"_s, u"Documento PDF"_s, u"pedido.pdf"_s, pdf },
        { u"Documento PDF"_s, u"pedido.pdf"_s, u"Planilha Excel"_s, u"pedido.xls"_s, sheet },
        { u"Planilha Excel"_s, u"pedido.xls"_s, u"Padrão"_s, u"pedido.rpf"_s, nullptr },
        { u"Documento PDF"_s, u"pedido.txt"_s, u"Planilha Excel"_s, u"pedido.txt.xls"_s, sheet },
    };
    for (const Case& c : cases) {
        const std::string what = (c.chosen + u", "_s + c.typed + u", "_s + c.chosenAfter).toStdString();
        SaveParams().Reset();
        SaveParams().SetFilter(nullptr);
        TRLSaveDialog dialog;
        TRLCustomSaveFilter* shown = nullptr;
        WithModalWindow([&dialog] { dialog.Execute(); },
            [&](QWidget&) {
                dialog.ComboBoxFilters->setCurrentIndex(IndexOfText(*dialog.ComboBoxFilters, c.chosen));
                dialog.EditFileName->clear();
                QTest::keyClicks(dialog.EditFileName, c.typed);
                if (!c.chosenAfter.isEmpty())
                    dialog.ComboBoxFilters->setCurrentIndex(
                        IndexOfText(*dialog.ComboBoxFilters, c.chosenAfter));
                shown = dialog.SelectedFilter();
                QTest::mouseClick(dialog.ButtonSave, Qt::LeftButton);
            });
        EXPECT_EQ(SaveParams().FileName, c.expectedName) << what;
        EXPECT_EQ(SaveParams().Filter(), c.expectedFilter) << what;
        EXPECT_EQ(shown, c.expectedFilter) << what << ": the list shows another format than is written";
    }
}

// The portable-PDF box shows while the PDF format is selected, starts as the filter's property
// and, confirmed, sets it; another format leaves the filter alone.
TEST(SaveDialog, PortableBoxShowsWithThePdfFormatAndSetsTheFilter)
{
    TComponent owner(nullptr);
    auto* pdf = new TRLPDFFilter(&owner);
    pdf->SetDisplayName(QStringLiteral("Documento PDF"));
    new TSheetFilter(&owner);
    struct Case {
        QString chosen;
        QString typed;
        bool before;
        bool tick;
        bool visible;
        bool after;
        const char* what;
    };
    const Case cases[] = {
        { u"Documento PDF"_s, u"pedido"_s, false, true, true, true, "PDF, box ticked" },
        { u"Documento PDF"_s, u"pedido"_s, true, false, true, false, "PDF, box cleared" },
        { u"Padrão"_s, u"pedido.pdf"_s, false, true, true, true, "a .pdf name selects the PDF" },
        { u"Planilha Excel"_s, u"pedido"_s, false, true, false, false, "spreadsheet" },
        { u"Padrão"_s, u"pedido"_s, true, false, false, true, "page file" },
    };
    for (const Case& c : cases) {
        SaveParams().Reset();
        SaveParams().SetFilter(c.chosen == u"Documento PDF"_s ? pdf : nullptr);
        pdf->Portable = c.before;
        TRLSaveDialog dialog;
        bool shownChecked = false;
        bool visible = false;
        WithModalWindow([&dialog] { dialog.Execute(); },
            [&](QWidget&) {
                dialog.ComboBoxFilters->setCurrentIndex(IndexOfText(*dialog.ComboBoxFilters, c.chosen));
                shownChecked = dialog.CheckBoxPdfPortable->isChecked();
                dialog.EditFileName->clear();
                QTest::keyClicks(dialog.EditFileName, c.typed);
                visible = dialog.CheckBoxPdfPortable->isVisible();
                dialog.CheckBoxPdfPortable->setChecked(c.tick);
                QTest::mouseClick(dialog.ButtonSave, Qt::LeftButton);
            });
        if (c.chosen == u"Documento PDF"_s) {
            EXPECT_EQ(shownChecked, c.before) << c.what << ": the box starts as the filter's property";
        }
        EXPECT_EQ(visible, c.visible) << c.what;
        EXPECT_EQ(pdf->Portable, c.after) << c.what;
    }
    SaveParams().Reset();
}

// The decision itself, with and without filters live: a program that registers none (a page file
// viewed on its own) writes a page file under "x.pdf.rpf", never page-file bytes as "x.pdf".
TEST(SaveDialog, TargetExtensionAlwaysNamesTheFormat)
{
    struct Case {
        bool withFilters;
        QString fileName;
        const char* selected;
        QString expectedName;
        const char* expectedFormat;
    };
    const Case cases[] = {
        { false, u"x.pdf"_s, "page file", u"x.pdf.rpf"_s, "page file" },
        { false, u"x.xls"_s, "page file", u"x.xls.rpf"_s, "page file" },
        { false, u"x.RPF"_s, "page file", u"x.RPF"_s, "page file" },
        { false, u"x"_s, "page file", u"x.rpf"_s, "page file" },
        { true, u"x.pdf"_s, "page file", u"x.pdf"_s, "pdf" },
        { true, u"x.rpf"_s, "pdf", u"x.rpf"_s, "page file" },
        { true, u"x.xls"_s, "pdf", u"x.xls"_s, "sheet" },
        { true, u"x.doc"_s, "sheet", u"x.doc.xls"_s, "sheet" },
        { true, u"/tmp/a.b/x"_s, "pdf", u"/tmp/a.b/x.pdf"_s, "pdf" },
    };
    for (const Case& c : cases) {
        TComponent owner(nullptr);
        std::map<std::string, TRLCustomSaveFilter*> formats { { "page file", nullptr } };
        if (c.withFilters) {
            formats["pdf"] = new TRLPDFFilter(&owner);
            formats["sheet"] = new TSheetFilter(&owner);
        }
        const TRLSaveTarget target = ChooseSaveTarget(c.fileName, formats.at(c.selected));
        const std::string what = c.fileName.toStdString() + " with " + c.selected;
        EXPECT_EQ(target.FileName, c.expectedName) << what;
        EXPECT_EQ(target.Filter, formats.at(c.expectedFormat)) << what;
    }
}

// The XLS and XLSX spreadsheets share a name: the list tells them apart by extension, and a
// typed name picks the format its extension names.
TEST(SaveDialog, FormatsOfOneNameShowTheirExtensions)
{
    TComponent owner(nullptr);
    auto* xls = new TSheetFilter(&owner);
    auto* xlsx = new TSheetFilter(&owner);
    xlsx->SetDefaultExt(u"xlsx"_s);
    SaveParams().Reset();
    SaveParams().SetFilter(xls);
    TRLSaveDialog dialog;
    dialog.LoadControls();
    const int xlsIndex = IndexOfText(*dialog.ComboBoxFilters, u"Planilha Excel (*.xls)"_s);
    const int xlsxIndex = IndexOfText(*dialog.ComboBoxFilters, u"Planilha Excel (*.xlsx)"_s);
    ASSERT_NE(xlsIndex, -1);
    ASSERT_NE(xlsxIndex, -1);
    EXPECT_EQ(dialog.ComboBoxFilters->currentIndex(), xlsIndex);
    QTest::keyClicks(dialog.EditFileName, u"pedido.xlsx"_s);
    EXPECT_EQ(dialog.SelectedFilter(), xlsx);
    EXPECT_EQ(dialog.ChooserFilterText(), u"Planilha Excel (*.xlsx)"_s);
    dialog.ComboBoxFilters->setCurrentIndex(xlsIndex);
    EXPECT_EQ(dialog.EditFileName->text(), u"pedido.xls"_s);
}

TEST(SaveDialog, FilterListAndChooserPattern)
{
    TComponent owner(nullptr);
    auto* pdf = new TRLPDFFilter(&owner);
    pdf->SetDisplayName(QStringLiteral("Documento PDF"));
    auto* unnamed = new TSheetFilter(&owner);
    unnamed->SetDisplayName(QString());
    SaveParams().Reset();
    SaveParams().SetFilter(pdf);
    TRLSaveDialog dialog;
    dialog.LoadControls();
    ASSERT_GE(dialog.ComboBoxFilters->count(), 3);
    EXPECT_EQ(dialog.ComboBoxFilters->itemText(0), QStringLiteral("Padrão"));
    EXPECT_NE(IndexOfText(*dialog.ComboBoxFilters, QString()), -1) << "empty display names are listed";
    EXPECT_EQ(dialog.SelectedFilter(), pdf) << "the parameters' filter is selected";
    EXPECT_EQ(dialog.ChooserFilterText(), QStringLiteral("Documento PDF (*.pdf)"));
    EXPECT_EQ(dialog.ChooserExtension(), QStringLiteral(".pdf"));
    dialog.ComboBoxFilters->setCurrentIndex(0);
    EXPECT_EQ(dialog.ChooserFilterText(), QStringLiteral("QuirelReport (*.rpf)"));
    EXPECT_FALSE(dialog.GroupBoxPages->RadioButtonPagesSelect->isEnabled());
    EXPECT_TRUE(dialog.GroupBoxPages->RadioButtonPagesAll->isChecked());
    EXPECT_FALSE(dialog.ButtonSave->isEnabled()) << "no file name yet";
    QTest::keyClicks(dialog.EditFileName, QStringLiteral("x"));
    EXPECT_TRUE(dialog.ButtonSave->isEnabled());
    QTest::keyClicks(dialog.GroupBoxPages->EditToPage, QStringLiteral("3"));
    EXPECT_TRUE(dialog.GroupBoxPages->RadioButtonPagesInterval->isChecked())
        << "typing a page checks the interval";
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Salvar"));
}

TEST(Dialogs, EveryCaptionFitsInEveryLanguage)
{
    const std::pair<TLanguage, const char*> languages[]
        = { { TLanguage::Portuguese, "Portuguese" }, { TLanguage::English, "English" },
              { TLanguage::Spanish, "Spanish" }, { TLanguage::French, "French" } };
    const auto check = [](QWidget& dialog, const char* what) {
        dialog.show();
        QCoreApplication::processEvents();
        const QStringList faults = CutOrOverlapping(dialog);
        EXPECT_TRUE(faults.isEmpty()) << what << ": " << faults.join(QStringLiteral("; ")).toStdString();
        dialog.hide();
    };
    for (const auto& [language, name] : languages) {
        const TLanguageGuard guard(language);
        SCOPED_TRACE(name);
        {
            TfrmRLFindDialog find;
            check(find, "find");
        }
        {
            PrintParams().Reset();
            PrintParams().Options = rpoPrintToFile | rpoPageNums | rpoSelection;
            SharedPrinter().SetPrinterListForTest({ QStringLiteral("Laser|ipp://host/printers/laser") }, 0);
            TComponent owner(nullptr);
            auto* filter = new TOptionFilter(&owner);
            PrintParams().SetFilter(filter);
            TRLPrintDialog print;
            print.RefreshPrinterList = false;
            print.LoadControls();
            EXPECT_TRUE(print.LabelOptions->isVisibleTo(&print));
            check(print, "print");
            PrintParams().SetFilter(nullptr);
        }
        {
            SaveParams().Reset();
            TComponent owner(nullptr);
            // With the PDF format selected, so that the portable-PDF box shows too.
            auto* pdf = new TRLPDFFilter(&owner);
            SaveParams().SetFilter(pdf);
            TRLSaveDialog save;
            save.LoadControls();
            EXPECT_TRUE(save.CheckBoxPdfPortable->isVisibleTo(&save));
            check(save, "save");
        }
    }
    SharedPrinter().RefreshPrinters();
    PrintParams().Reset();
}

TEST(PrintDialog, NoPrinterIsSaidBeforeConfirming)
{
    SharedPrinter().SetPrinterListForTest({}, -1);
    PrintParams().Reset();
    TRLPrintDialog dialog;
    dialog.RefreshPrinterList = false;
    dialog.LoadControls();
    EXPECT_TRUE(dialog.LabelNoPrinter->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.LabelNoPrinter->text(),
        QStringLiteral("Nenhuma impressora está instalada. Instale uma ou salve as páginas num arquivo."));
    EXPECT_FALSE(dialog.ButtonOk->isEnabled()) << "nothing to print on";
    TComponent owner(nullptr);
    new TOptionFilter(&owner);
    dialog.LoadControls();
    dialog.ComboBoxFilters->setCurrentIndex(
        IndexOfText(*dialog.ComboBoxFilters, QStringLiteral("Matricial")));
    EXPECT_TRUE(dialog.ButtonOk->isEnabled()) << "a filter prints without a printer";
    SharedPrinter().SetPrinterListForTest({ QStringLiteral("Laser|ipp://host/printers/laser") }, 0);
    dialog.LoadControls();
    EXPECT_FALSE(dialog.LabelNoPrinter->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.ButtonOk->isEnabled());
    SharedPrinter().RefreshPrinters();
}

TEST(SaveDialog, DestroyedFilterLeavesTheParameters)
{
    auto* sheet = new TSheetFilter(nullptr);
    SaveParams().SetFilter(sheet);
    delete sheet;
    EXPECT_EQ(SaveParams().Filter(), nullptr);
    auto* printFilter = new TOptionFilter(nullptr);
    PrintParams().SetFilter(printFilter);
    delete printFilter;
    EXPECT_EQ(PrintParams().Filter(), nullptr);
}

TEST(PrintParams, MaxPageMovesToPageAlong)
{
    struct Step {
        const char* what;
        int toPage;
        int maxPage;
        int expectedTo;
    };
    const Step steps[] = {
        { "after Reset, MaxPage 5 moves ToPage", 0, 5, 5 },
        { "ToPage 3, then MaxPage 8 keeps it", 3, 8, 3 },
        { "ToPage equal to MaxPage follows", 8, 2, 2 },
    };
    PrintParams().Reset();
    SaveParams().Reset();
    for (const Step& step : steps) {
        if (step.toPage) {
            PrintParams().ToPage = step.toPage;
            SaveParams().ToPage = step.toPage;
        }
        PrintParams().SetMaxPage(step.maxPage);
        SaveParams().SetMaxPage(step.maxPage);
        EXPECT_EQ(PrintParams().ToPage, step.expectedTo) << step.what;
        EXPECT_EQ(SaveParams().ToPage, step.expectedTo) << step.what << " (save)";
    }
    PrintParams().Reset();
    EXPECT_EQ(PrintParams().FromPage, 1);
    EXPECT_EQ(PrintParams().ToPage, 9999);
    EXPECT_EQ(PrintParams().MaxPage(), 9999);
    EXPECT_EQ(PrintParams().PrintRange, rprAllPages);
    EXPECT_EQ(PrintParams().Copies, SharedPrinter().Copies());
}

TEST(PrintDialog, PrinterEntries)
{
    struct Case {
        QString name;
        QString port;
        QString expected;
    };
    const Case cases[] = {
        { QStringLiteral("Laser"), QStringLiteral("ipp://host/printers/laser"),
            QStringLiteral("Laser em ipp://host/printers/laser") },
        { QStringLiteral("PDF"), QStringLiteral("PDF"), QStringLiteral("PDF") },
        { QStringLiteral("Plain"), QString(), QStringLiteral("Plain") },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrinterEntryText(c.name, c.port), c.expected) << c.name.toStdString();

    SharedPrinter().SetPrinterListForTest(
        { QStringLiteral("Laser|ipp://host/printers/laser"), QStringLiteral("PDF|PDF") }, 1);
    TRLPrintDialog dialog;
    dialog.RefreshPrinterList = false;
    PrintParams().Reset();
    dialog.LoadControls();
    ASSERT_EQ(dialog.ComboBoxPrinterNames->count(), 2);
    EXPECT_EQ(dialog.ComboBoxPrinterNames->itemText(0), QStringLiteral("Laser em ipp://host/printers/laser"));
    EXPECT_EQ(dialog.ComboBoxPrinterNames->currentIndex(), 1) << "the selected printer";
    dialog.ComboBoxPrinterNames->setCurrentIndex(0);
    dialog.SaveControls();
    EXPECT_EQ(SharedPrinter().PrinterIndex(), 0);
    SharedPrinter().RefreshPrinters();
}

TEST(PrintDialog, OnlyTheDefaultEntryDisablesTheFilterCombo)
{
    PrintParams().Reset();
    PrintParams().SetFilter(nullptr);
    {
        TRLPrintDialog dialog;
        dialog.RefreshPrinterList = false;
        dialog.LoadControls();
        ASSERT_EQ(dialog.ComboBoxFilters->count(), 1) << "the shared printer filter has no name";
        EXPECT_EQ(dialog.ComboBoxFilters->itemText(0), QStringLiteral("Padrão"));
        EXPECT_FALSE(dialog.ComboBoxFilters->isEnabled());
        EXPECT_FALSE(dialog.ComboBoxOptions->isVisibleTo(&dialog));
    }
    TOptionFilter filter(nullptr);
    PrintParams().SetFilter(&filter);
    PrintParams().Orientation = poLandscape;
    TRLPrintDialog dialog;
    dialog.RefreshPrinterList = false;
    dialog.LoadControls();
    EXPECT_EQ(dialog.ComboBoxFilters->count(), 2);
    EXPECT_TRUE(dialog.ComboBoxFilters->isEnabled());
    EXPECT_EQ(dialog.ComboBoxFilters->currentText(), QStringLiteral("Matricial"));
    EXPECT_TRUE(dialog.ComboBoxOptions->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.LabelOptions->text(), QStringLiteral("Modo:"));
    EXPECT_EQ(dialog.ComboBoxOptions->currentIndex(), 1);
    EXPECT_EQ(filter.Orientation, TRLPageOrientation::poLandscape) << "landscape reaches the filter";
    dialog.ComboBoxOptions->setCurrentIndex(0);
    dialog.SaveControls();
    EXPECT_EQ(filter.GetSelectedOption(), 0);
    EXPECT_EQ(PrintParams().Filter(), &filter);
    dialog.ComboBoxFilters->setCurrentIndex(0);
    EXPECT_FALSE(dialog.ComboBoxOptions->isVisibleTo(&dialog)) << "Padrão hides the options";
    PrintParams().SetFilter(nullptr);
}

TEST(PrintDialog, ControlsIntoParameters)
{
    struct Case {
        const char* what;
        QRadioButton* TRLPageRangeBox::*range;
        QString from;
        QString to;
        QString copies;
        TRLPrintRange expectedRange;
        int expectedFrom;
        int expectedTo;
        int expectedCopies;
    };
    const Case cases[] = {
        { "all pages", &TRLPageRangeBox::RadioButtonPagesAll, u"2"_s, u"3"_s, u"2"_s, rprAllPages, 1, 7, 2 },
        { "selection prints page 4 only", &TRLPageRangeBox::RadioButtonPagesSelect, u"4"_s, u"6"_s, u"1"_s,
            rprSelection, 4, 4, 1 },
        { "interval", &TRLPageRangeBox::RadioButtonPagesInterval, u"2"_s, u"5"_s, u"3"_s, rprPageNums, 2, 5,
            3 },
        { "not numbers count as 0", &TRLPageRangeBox::RadioButtonPagesInterval, u"x"_s, u""_s, u"y"_s,
            rprPageNums, 0, 0, 0 },
        { "a range ending before it starts", &TRLPageRangeBox::RadioButtonPagesInterval, u"5"_s, u"2"_s,
            u"1"_s, rprPageNums, 5, 2, 1 },
    };
    for (const Case& c : cases) {
        PrintParams().Reset();
        PrintParams().SetMaxPage(7);
        TRLPrintDialog dialog;
        dialog.RefreshPrinterList = false;
        dialog.LoadControls();
        dialog.GroupBoxPages->EditFromPage->setText(c.from);
        dialog.GroupBoxPages->EditToPage->setText(c.to);
        dialog.EditCopies->setText(c.copies);
        (dialog.GroupBoxPages->*c.range)->setChecked(true);
        dialog.SaveControls();
        EXPECT_EQ(PrintParams().PrintRange, c.expectedRange) << c.what;
        EXPECT_EQ(PrintParams().FromPage, c.expectedFrom) << c.what;
        EXPECT_EQ(PrintParams().ToPage, c.expectedTo) << c.what;
        EXPECT_EQ(PrintParams().Copies, c.expectedCopies) << c.what;
    }
    SharedPrinter().SetCopies(1);
}

TEST(PrintDialog, LayoutAndOptionRules)
{
    PrintParams().Reset();
    PrintParams().Copies = 0;
    PrintParams().Options = rpoPrintToFile | rpoDisableCopies | rpoDisablePrintInBackground;
    TRLPrintDialog dialog;
    dialog.RefreshPrinterList = false;
    dialog.LoadControls();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Imprimir"));
    EXPECT_EQ(dialog.GroupBoxPrinter->title(), QStringLiteral(" Impressora "));
    EXPECT_EQ(dialog.GroupBoxPages->title(), QStringLiteral(" Intervalo de páginas "));
    EXPECT_EQ(dialog.LabelFilterName->text(), QStringLiteral("Usar Filtro:"));
    EXPECT_EQ(dialog.EditCopies->text(), QString()) << "0 shows as empty";
    EXPECT_FALSE(dialog.EditCopies->isEnabled());
    EXPECT_TRUE(dialog.CheckBoxPrintToFile->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.CheckBoxPrintToFile->isEnabled());
    EXPECT_FALSE(dialog.CheckBoxPrintInBackground->isEnabled());
    EXPECT_FALSE(dialog.GroupBoxPages->RadioButtonPagesInterval->isEnabled()) << "no rpoPageNums";
    EXPECT_FALSE(dialog.GroupBoxPages->EditFromPage->isEnabled());
    EXPECT_FALSE(dialog.GroupBoxPages->RadioButtonPagesSelect->isEnabled()) << "no rpoSelection";
    EXPECT_EQ(
        dialog.EditCopies->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button))
        << "a disabled edit takes the button face";
    PrintParams().Options = rpoPageNums;
    dialog.LoadControls();
    EXPECT_FALSE(dialog.CheckBoxPrintToFile->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.GroupBoxPages->EditFromPage->isEnabled());
    EXPECT_EQ(dialog.GroupBoxPages->EditFromPage->palette().color(QPalette::Base),
        QApplication::palette().color(QPalette::Base))
        << "enabled again, the window colour again";
    QTest::keyClicks(dialog.GroupBoxPages->EditToPage, QStringLiteral("3"));
    EXPECT_TRUE(dialog.GroupBoxPages->RadioButtonPagesInterval->isChecked())
        << "typing 3 checks the interval";
    PrintParams().Options = rpoPrintToFile | rpoPageNums | rpoSelection | rpoWarning | rpoDisablePrintToFile;
}

TEST(PreviewCommands, CancelledPrintDialogDoesNothingButRestoreTheFocus)
{
    const auto pages = MakeNumberedPages(4);
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(*pages->Storage, false, options);
    int modalShown = 0;
    WithModalWindow([form] { QTest::mouseClick(form->SpeedButtonPrint, Qt::LeftButton); },
        [&modalShown](QWidget& modal) {
            auto* dialog = dynamic_cast<TRLPrintDialog*>(&modal);
            ASSERT_NE(dialog, nullptr);
            ++modalShown;
            EXPECT_EQ(PrintParams().MaxPage(), 4);
            EXPECT_EQ(PrintParams().ToPage, 4);
            QTest::mouseClick(dialog->ButtonCancel, Qt::LeftButton);
        });
    EXPECT_EQ(modalShown, 1);
    EXPECT_EQ(form->focusWidget(), form->EditPageNo);
    delete form;
}

TEST(PreviewCommands, SaveWritesThePageFileOrRunsTheChosenFilter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TComponent owner(nullptr);
    auto* sheet = new TSheetFilter(&owner);
    const auto pages = MakeNumberedPages(5);
    pages->Storage->SetTitle(QStringLiteral("Pedido: 12/24"));
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(*pages->Storage, false, options);
    QString proposed;
    const QString pageFile = dir.filePath(QStringLiteral("ordem"));
    WithModalWindow([form] { QTest::mouseClick(form->SpeedButtonSave, Qt::LeftButton); },
        [&](QWidget& modal) {
            auto& dialog = dynamic_cast<TRLSaveDialog&>(modal);
            proposed = dialog.EditFileName->text();
            dialog.EditFileName->setText(pageFile);
            QTest::mouseClick(dialog.ButtonSave, Qt::LeftButton);
        });
    // No filter chosen yet and no PDF filter live: the page file's extension.
    EXPECT_EQ(proposed, QDir::current().absoluteFilePath(QStringLiteral("Pedido 1224.rpf")));
    TRLGraphicStorage loaded;
    loaded.LoadFromFile(pageFile + QStringLiteral(".rpf"));
    EXPECT_EQ(loaded.PageCount(), 5);

    WithModalWindow([form] { QTest::mouseClick(form->SpeedButtonSave, Qt::LeftButton); },
        [&](QWidget& modal) {
            auto& dialog = dynamic_cast<TRLSaveDialog&>(modal);
            dialog.EditFileName->setText(dir.filePath(QStringLiteral("planilha")));
            dialog.ComboBoxFilters->setCurrentIndex(
                IndexOfText(*dialog.ComboBoxFilters, sheet->DisplayName()));
            dialog.GroupBoxPages->RadioButtonPagesInterval->setChecked(true);
            dialog.GroupBoxPages->EditFromPage->setText(QStringLiteral("2"));
            dialog.GroupBoxPages->EditToPage->setText(QStringLiteral("4"));
            QTest::mouseClick(dialog.ButtonSave, Qt::LeftButton);
        });
    EXPECT_EQ(sheet->FileName, dir.filePath(QStringLiteral("planilha.xls")));
    EXPECT_EQ(sheet->PagesDrawn, 3) << "pages 2 to 4";
    delete form;
}

TEST(PreviewCommands, SaveProposesTheDocumentNameAsAPdf)
{
    TComponent owner(nullptr);
    auto* pdf = new TRLPDFFilter(&owner);
    const auto pages = MakeNumberedPages(1);
    pages->Storage->SetTitle(QString());
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    options.DocumentName = QStringLiteral("Ordem Compra 3");
    TRLPreviewForm* form = PreviewPages(*pages->Storage, false, options);
    QString proposed;
    QString filter;
    WithModalWindow([form] { QTest::keyClick(form->EditPageNo, Qt::Key_S, Qt::ControlModifier); },
        [&](QWidget& modal) {
            auto& dialog = dynamic_cast<TRLSaveDialog&>(modal);
            proposed = dialog.EditFileName->text();
            filter = dialog.ComboBoxFilters->currentText();
            dialog.close();
        });
    EXPECT_EQ(proposed, QDir::current().absoluteFilePath(QStringLiteral("Ordem Compra 3.pdf")));
    EXPECT_EQ(filter, pdf->GetDisplayName());
    // A title wins over the document name.
    pages->Storage->SetTitle(QStringLiteral("Pedido 7"));
    WithModalWindow([form] { QTest::mouseClick(form->SpeedButtonSave, Qt::LeftButton); },
        [&](QWidget& modal) {
            proposed = dynamic_cast<TRLSaveDialog&>(modal).EditFileName->text();
            modal.close();
        });
    EXPECT_EQ(proposed, QDir::current().absoluteFilePath(QStringLiteral("Pedido 7.pdf")));
    delete form;
}

TEST(PreviewCommands, FailedSaveIsReportedAndLeavesNoFile)
{
    QTemporaryDir dir;
    const auto pages = MakeNumberedPages(1);
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(*pages->Storage, false, options);
    const QString target = dir.filePath(QStringLiteral("missing/sub/ordem.rpf"));
    QString message;
    WithModalWindows([form] { QTest::mouseClick(form->SpeedButtonSave, Qt::LeftButton); },
        { [&](QWidget& modal) {
             auto& dialog = dynamic_cast<TRLSaveDialog&>(modal);
             dialog.EditFileName->setText(target);
             QTest::mouseClick(dialog.ButtonSave, Qt::LeftButton);
         },
            [&](QWidget& modal) {
                if (auto* box = qobject_cast<QMessageBox*>(&modal))
                    message = box->text();
                modal.close();
            } });
    EXPECT_TRUE(message.contains(target)) << message.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    delete form;
}

TEST(PreviewCommands, ConfirmedPrintRunsTheChosenFilterOverTheRange)
{
    TOptionFilter filter(nullptr);
    const auto pages = MakeNumberedPages(5);
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(*pages->Storage, false, options);
    WithModalWindow([form] { QTest::mouseClick(form->SpeedButtonPrint, Qt::LeftButton); },
        [&](QWidget& modal) {
            auto& dialog = dynamic_cast<TRLPrintDialog&>(modal);
            dialog.ComboBoxFilters->setCurrentIndex(
                IndexOfText(*dialog.ComboBoxFilters, QStringLiteral("Matricial")));
            dialog.GroupBoxPages->EditFromPage->setText(QStringLiteral("2"));
            dialog.GroupBoxPages->EditToPage->setText(QStringLiteral("3"));
            dialog.GroupBoxPages->RadioButtonPagesInterval->setChecked(true);
            QTest::mouseClick(dialog.ButtonOk, Qt::LeftButton);
        });
    EXPECT_EQ(filter.PagesDrawn, 2) << "pages 2 and 3";
    EXPECT_EQ(PrintParams().Filter(), &filter);
    PrintParams().SetFilter(nullptr);
    delete form;
}

TEST(PreviewCommands, SaveInBackgroundRunsInItsOwnThread)
{
    QTemporaryDir dir;
    TComponent owner(nullptr);
    auto* sheet = new TSheetFilter(&owner);
    const auto pages = MakeNumberedPages(4);
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(*pages->Storage, false, options);
    WithModalWindow([form] { QTest::mouseClick(form->SpeedButtonSave, Qt::LeftButton); },
        [&](QWidget& modal) {
            auto& dialog = dynamic_cast<TRLSaveDialog&>(modal);
            dialog.EditFileName->setText(dir.filePath(QStringLiteral("fundo.xls")));
            dialog.CheckBoxSaveInBackground->setChecked(true);
            QTest::mouseClick(dialog.ButtonSave, Qt::LeftButton);
        });
    EXPECT_TRUE(SaveParams().SaveInBackground);
    sheet->WaitForRun();
    EXPECT_EQ(sheet->PagesDrawn, 4);
    EXPECT_TRUE(sheet->LastRunError().isEmpty());
    delete form;
}

TEST(PreviewCommands, PrinterSetupWithoutPrintersSaysSo)
{
    // The setup re-reads the printers: a scheduler on the machine must not answer.
    const TNoPrintScheduler none;
    SharedPrinter().SetPrinterListForTest({ QStringLiteral("Gone") }, 0);
    const auto pages = MakeNumberedPages(1);
    TRLPreviewWindowOptions options;
    options.WindowState = wsNormal;
    TRLPreviewForm* form = PreviewPages(*pages->Storage, false, options);
    EXPECT_TRUE(form->SpeedButtonSetup->isEnabled());
    EXPECT_EQ(MessageBoxTextOf([form] { QTest::mouseClick(form->SpeedButtonSetup, Qt::LeftButton); }),
        QStringLiteral("Nenhuma impressora encontrada"));
    delete form;
    SharedPrinter().RefreshPrinters();
}
