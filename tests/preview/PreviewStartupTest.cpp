#include "filters/RLFilterProgress.h"
#include "filters/RLFilters.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLPrinters.h"
#include "platform/Exceptions.h"
#include "preview/RLFeedBack.h"
#include "preview/RLPreview.h"
#include "preview/RLPreviewForm.h"
#include "preview/RLPreviewRegistration.h"
#include "preview/RLPrintDialog.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"
#include "tests/common/TestHelpers.h"
#include "tests/preview/PreviewTestPages.h"
#include "tests/preview/PreviewTestWindows.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using enum TRLPreviewDefaults;
using enum TRLReportPhase;

namespace {

/// A save filter that notes whether a progress window was open while it drew.
class TWatchingFilter : public TRLCustomSaveFilter {
public:
    TWatchingFilter()
        : TRLCustomSaveFilter(nullptr)
    {
    }
    QStringList CaptionsSeen;

protected:
    void InternalBeginDoc() override { }
    void InternalEndDoc() override { }
    void InternalNewPage() override { }
    void InternalDrawPage(TRLGraphicSurface&) override
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (dynamic_cast<TfrmRLFeedBack*>(window) && window->isVisible())
                CaptionsSeen << window->windowTitle();
        }
    }
};

bool AnyPreviewWindowOpen()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (dynamic_cast<TRLPreviewForm*>(window) && window->isVisible())
            return true;
    }
    return false;
}

} // namespace

TEST(FeedBack, LevelsAddBarsAndHeight)
{
    struct Case {
        int levels;
        int bars;
        int height;
    };
    // 129 high for one level; each more bar adds its 17 pixels and a 2-pixel gap.
    const Case cases[] = { { 1, 1, 129 }, { 3, 3, 129 + 2 * 17 + 4 }, { 0, 1, 129 } };
    for (const Case& c : cases) {
        TfrmRLFeedBack window(QStringLiteral("Preparando o relatório..."), c.levels);
        ASSERT_EQ(int(window.ProgressBars().size()), c.bars) << c.levels << " levels";
        EXPECT_EQ(window.height(), c.height) << c.levels << " levels";
        EXPECT_EQ(window.width(), 393);
        for (int index = 1; index < c.bars; ++index) {
            const QProgressBar* above = window.ProgressBars()[std::size_t(index - 1)];
            const QProgressBar* bar = window.ProgressBars()[std::size_t(index)];
            EXPECT_EQ(bar->y(), above->y() + above->height() + 2) << "bar " << index + 1;
            EXPECT_EQ(bar->size(), above->size()) << "bar " << index + 1;
            EXPECT_EQ(bar->objectName(), QStringLiteral("ProgressBar%1").arg(index + 1));
        }
        // The cancel button keeps its distance from the bottom edge: 129 - (65 + 25).
        EXPECT_EQ(window.height() - window.BitBtnCancel->geometry().bottom() - 1, 39)
            << c.levels << " levels";
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Preparando o relatório..."));
        EXPECT_EQ(window.LabelStepName->text(), QStringLiteral("Aguarde..."));
        EXPECT_EQ(window.BitBtnCancel->text(), QStringLiteral("Cancelar"));
        EXPECT_FALSE(window.TimerBlink->isActive());
    }
}

TEST(FeedBack, StepsOnTheCurrentLevel)
{
    TfrmRLFeedBack window(QStringLiteral("x"), 3);
    window.SetMaxProgress(4);
    window.StepForward();
    window.StepForward();
    window.NextLevel();
    window.SetMaxProgress(10);
    window.StepForward();
    window.NextLevel();
    window.NextLevel();
    window.StepForward();
    EXPECT_EQ(window.ProgressBars()[0]->value(), 2);
    EXPECT_EQ(window.ProgressBars()[0]->maximum(), 4);
    EXPECT_EQ(window.ProgressBars()[1]->value(), 1);
    EXPECT_EQ(window.ProgressBars()[1]->maximum(), 10);
    EXPECT_EQ(window.ProgressBars()[2]->value(), 1) << "the last level stays current";
    window.SetStepName(QStringLiteral("Página 5"));
    EXPECT_EQ(window.LabelStepName->text(), QStringLiteral("Página 5"));
}

TEST(FeedBack, CancelCanBeRefusedAndFinishModeOnlyFinishes)
{
    TfrmRLFeedBack window(QStringLiteral("x"));
    int asked = 0;
    window.OnCancel = [&asked](TfrmRLFeedBack&, bool& canceled) {
        ++asked;
        canceled = asked > 1;
    };
    QTest::mouseClick(window.BitBtnCancel, Qt::LeftButton);
    EXPECT_FALSE(window.Canceled()) << "the handler refused";
    QTest::mouseClick(window.BitBtnCancel, Qt::LeftButton);
    EXPECT_TRUE(window.Canceled());
    TfrmRLFeedBack finishing(QStringLiteral("y"));
    finishing.SetFinishMode(true);
    QTest::mouseClick(finishing.BitBtnCancel, Qt::LeftButton);
    EXPECT_TRUE(finishing.Finished());
    EXPECT_FALSE(finishing.Canceled());
}

TEST(FeedBack, StepAbortsSilentlyWhenTheApplicationEnds)
{
    TfrmRLFeedBack window(QStringLiteral("x"));
    EXPECT_NO_THROW(window.StepForward());
    MarkApplicationTerminating();
    EXPECT_THROW(window.StepForward(), EAbort);
    MarkApplicationTerminating(false);
    EXPECT_NO_THROW(window.StepForward());
}

TEST(PreviewRegistration, FillsTheRegistries)
{
    UnregisterPreviewWindows();
    EXPECT_FALSE(RLUserInterface().ShowPreview);
    EXPECT_FALSE(FilterProgressFactory());
    RegisterPreviewWindows(QStringLiteral("Impressão Ordem Compra"));
    const TRLUserInterface& windows = RLUserInterface();
    EXPECT_TRUE(windows.CreateProgress && windows.ShowError && windows.ShowPreview && windows.RunPrintDialog
        && windows.RunPrint);
    ASSERT_TRUE(FilterProgressFactory());

    bool cancelled = false;
    {
        const auto progress = windows.CreateProgress(
            QStringLiteral("Preparando o relatório..."), 2, [&cancelled] { cancelled = true; });
        TfrmRLFeedBack* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* feedBack = dynamic_cast<TfrmRLFeedBack*>(top); feedBack && feedBack->isVisible())
                window = feedBack;
        }
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->ProgressBars().size(), 2u) << "one bar per chained report";
        progress->SetMaximum(5);
        progress->StepIt();
        progress->SetText(QStringLiteral("Página 1"));
        EXPECT_EQ(window->ProgressBar->value(), 1);
        EXPECT_EQ(window->LabelStepName->text(), QStringLiteral("Página 1"));
        QTest::mouseClick(window->BitBtnCancel, Qt::LeftButton);
    }
    EXPECT_TRUE(cancelled);
    QString boxText;
    QString boxTitle;
    WithModalWindow([] { ReportErrorMessage(QStringLiteral("RLReport1: Erro\rdetalhe")); },
        [&](QWidget& modal) {
            if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                boxText = box->text();
                boxTitle = box->windowTitle();
            }
            modal.close();
        });
    EXPECT_EQ(boxText.toStdString(), "RLReport1: Erro\ndetalhe");
    EXPECT_EQ(boxTitle.toStdString(), "Impressão Ordem Compra") << "the application's title";

    // The printer setup runs Qt's page setup dialog on the printer it is given.
    ASSERT_TRUE(SharedPrinter().SetupDialog);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPrinter* shown = nullptr;
    WithModalWindow([&printer] { SharedPrinter().SetupDialog(printer); },
        [&shown](QWidget& modal) {
            if (auto* dialog = qobject_cast<QPageSetupDialog*>(&modal))
                shown = dialog->printer();
            modal.close();
        });
    EXPECT_EQ(shown, &printer);

    const auto pages = MakeNumberedPages(3);
    TWatchingFilter filter;
    filter.FilterPages(*pages->Storage);
    EXPECT_EQ(filter.CaptionsSeen,
        QStringList({ QStringLiteral("Salvando o relatório..."), QStringLiteral("Salvando o relatório..."),
            QStringLiteral("Salvando o relatório...") }));
    UnregisterPreviewWindows();
    EXPECT_FALSE(SharedPrinter().SetupDialog);
}

TEST(PageFileView, ShowsTheSavedPagesModally)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("ordem.rpf"));
    {
        const auto pages = MakeNumberedPages(4, 5);
        pages->Storage->SaveToFile(fileName);
    }
    int shownPages = 0;
    int firstNumber = 0;
    WithModalWindow([&fileName] { ShowPageFile(fileName); },
        [&](QWidget& modal) {
            auto& form = dynamic_cast<TRLPreviewForm&>(modal);
            shownPages = form.Pages()->PageCount();
            firstNumber = form.ActiveViewer().CurrentPageNumber();
            QTest::keyClick(form.EditPageNo, Qt::Key_Escape);
        });
    EXPECT_EQ(shownPages, 4);
    EXPECT_EQ(firstNumber, 5);
    EXPECT_FALSE(AnyPreviewWindowOpen());
}

TEST(PageFileView, CorruptOrMissingFileIsAClearErrorAndNoWindow)
{
    QTemporaryDir dir;
    const QString corrupt = dir.filePath(QStringLiteral("corrupt.rpf"));
    {
        QFile file(corrupt);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a page file at all");
    }
    const QString truncated = dir.filePath(QStringLiteral("truncated.rpf"));
    {
        const auto pages = MakeNumberedPages(2);
        pages->Storage->SaveToFile(truncated);
        QFile file(truncated);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
    }
    const QString missing = dir.filePath(QStringLiteral("missing.rpf"));
    for (const QString& fileName : { corrupt, truncated, missing }) {
        const QString message = ErrorOf([&fileName] { ShowPageFile(fileName); });
        EXPECT_TRUE(message.contains(fileName)) << message.toStdString();
        EXPECT_FALSE(AnyPreviewWindowOpen()) << fileName.toStdString();
    }
}

TEST(ReportPreview, PreviewShowsThePreparedPagesModally)
{
    RegisterPreviewWindows(QStringLiteral("Impressão Ordem Compra"));
    TComponent form(nullptr);
    auto* report = new TRLReport(&form);
    report->SetName(QStringLiteral("RLReport1"));
    report->Title = QStringLiteral("Pedido 7");
    struct Case {
        TRLPreviewDefaults defaults;
        QString caption;
        QString expectedTitle;
    };
    const Case cases[] = {
        { pdUseDefaults, QStringLiteral("Ignorada"), QStringLiteral("Pré-visualização") },
        { pdIgnoreDefaults, QStringLiteral("Ordem 7"), QStringLiteral("Ordem 7") },
    };
    for (const Case& c : cases) {
        report->PreviewOptions()->Defaults = c.defaults;
        report->PreviewOptions()->Caption = c.caption;
        QString title;
        int pageCount = 0;
        bool result = false;
        WithModalWindow([&] { result = report->Preview(); },
            [&](QWidget& modal) {
                auto& preview = dynamic_cast<TRLPreviewForm&>(modal);
                title = preview.windowTitle();
                pageCount = preview.Pages()->PageCount();
                QTest::keyClick(preview.EditPageNo, Qt::Key_Escape);
            });
        EXPECT_TRUE(result);
        EXPECT_EQ(title, c.expectedTitle);
        EXPECT_EQ(pageCount, 1) << "an empty report prints one page";
        EXPECT_FALSE(AnyPreviewWindowOpen());
    }
    UnregisterPreviewWindows();
}

TEST(ReportPreview, CancelledPrintDialogAbortsSilently)
{
    RegisterPreviewWindows(QStringLiteral("Impressão Ordem Compra"));
    TComponent form(nullptr);
    auto* report = new TRLReport(&form);
    WithModalWindow([&] { EXPECT_THROW(report->Print(), EAbort); },
        [](QWidget& modal) {
            auto& dialog = dynamic_cast<TRLPrintDialog&>(modal);
            QTest::mouseClick(dialog.ButtonCancel, Qt::LeftButton);
        });
    EXPECT_TRUE(report->CancelRequested);
    EXPECT_EQ(report->ReportPhase(), rpIdle) << "nothing prepared";
    UnregisterPreviewWindows();
}
