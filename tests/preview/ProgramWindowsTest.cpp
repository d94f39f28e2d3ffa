// The interactive program's message boxes over a real order of the sample database: every box
// is captioned with the application's title.
#include "app/ProgramWindows.h"
#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "preview/RLPreviewRegistration.h"
#include "report/RLDBImage.h"
#include "report/RLReport.h"
#include "tests/app/SampleOrders.h"
#include "tests/preview/PreviewTestWindows.h"

#include <QMessageBox>
#include <gtest/gtest.h>

namespace {

struct TBox {
    QString Title;
    QString Text;
};

/// The message box that `start` opens, closed.
TBox MessageBoxOf(const std::function<void()>& start)
{
    TBox seen;
    WithModalWindow(start, [&seen](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            seen = { box->windowTitle(), box->text() };
        modal.close();
    });
    return seen;
}

} // namespace

TEST(ProgramWindows, PreparationErrorAndNotFoundBoxesCarryTheApplicationTitle)
{
    RegisterProgramWindows();
    TForm1 form(nullptr, kBusinessAlias.toString(), SampleDatabaseDirectory());
    form.OpenTables();
    ConnectFormWindows(form);
    form.RLReport1->ShowProgress = false;

    const TBox notFound = MessageBoxOf([&form] { form.FormCreate(QStringLiteral("999999")); });
    EXPECT_EQ(notFound.Title.toStdString(), "Impressão Ordem Compra");
    EXPECT_EQ(notFound.Text.toStdString(), "Ordem Compra não Encontrada!");

    // A logo field the order table does not have stops the preparation of order 1.
    form.RLDBImage1->SetDataField(QStringLiteral("SEM_LOGO"));
    const TBox failed = MessageBoxOf([&form] { form.FormCreate(QStringLiteral("1")); });
    EXPECT_EQ(failed.Title.toStdString(), "Impressão Ordem Compra");
    EXPECT_TRUE(failed.Text.startsWith(QStringLiteral("RLReport1: Erro durante a preparação do relatório\n")))
        << failed.Text.toStdString();
    EXPECT_TRUE(failed.Text.contains(QStringLiteral("RLDBImage1.DataField"))) << failed.Text.toStdString();
    UnregisterPreviewWindows();
}
