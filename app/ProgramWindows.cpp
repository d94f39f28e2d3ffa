// The windows of the interactive program, wired where a test can reach them.
#include "app/ProgramWindows.h"

#include "app/TelaPrincipal.h"
#include "preview/RLPreviewPages.h"
#include "preview/RLPreviewRegistration.h"

#include <QInputDialog>
#include <QMessageBox>

QString ApplicationTitle()
{
    return QStringLiteral("Impressão Ordem Compra");
}

void RegisterProgramWindows()
{
    RegisterPreviewWindows(ApplicationTitle());
}

void ConnectFormWindows(TForm1& form)
{
    form.InputBox = [](const QString& caption, const QString& prompt, const QString& defaultText) {
        bool accepted = false;
        const QString text
            = QInputDialog::getText(nullptr, caption, prompt, QLineEdit::Normal, defaultText, &accepted);
        return accepted ? text : defaultText;
    };
    form.ShowMessage
        = [](const QString& message) { QMessageBox::information(nullptr, ApplicationTitle(), message); };
    // The preview proposes "Ordem Compra 3" as the name to save the order under.
    form.BeforePreview = [](const QString& orderNumber) {
        DefaultPreviewOptions().DocumentName = QStringLiteral("Ordem Compra ") + orderNumber;
    };
}

void ShowProgramError(const QString& message)
{
    QMessageBox::critical(nullptr, ApplicationTitle(), message);
}
