// Program entry: the interactive purchase-order printer, or a headless export run.
#include "app/CommandLine.h"
#include "app/HeadlessRun.h"
#include "app/OrderFilters.h"
#include "app/ProgramStart.h"
#include "app/ProgramWindows.h"
#include "app/RuntimeDirectory.h"
#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "preview/RLPreviewPages.h"
#include "preview/RLPreviewRegistration.h"
#include "support/Startup.h"
#include "support/Translations.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>
#include <cstdio>
#include <optional>

namespace {

int RunInteractive(const TCommandLine& options)
{
    RegisterProgramWindows();
    if (!options.ViewFile.isEmpty()) {
        // Saved pages save as the order does: PDF and spreadsheet besides the page file.
        TComponent filterOwner(nullptr);
        CreateOrderFilters(&filterOwner);
        // "Ordem Compra 3.rpf" proposes "Ordem Compra 3.pdf" when the pages carry no title.
        DefaultPreviewOptions().DocumentName = QFileInfo(options.ViewFile).completeBaseName();
        try {
            ShowPageFile(options.ViewFile);
            return kExitSuccess;
        } catch (const EReportError& error) {
            PrintProgramError(error.Message());
            ShowProgramError(error.Message());
            return kExitFailure;
        }
    }

    std::optional<TForm1> form;
    try {
        form.emplace(nullptr, options.DatabaseName(), options.DataDirectory, options.LayoutFile);
    } catch (const EReportError& error) {
        PrintProgramError(error.Message());
        ShowProgramError(error.Message());
        return kExitFailure;
    }
    ConnectFormWindows(*form);
    try {
        form->OpenTables();
    } catch (const EReportError& error) {
        ShowProgramError(error.Message());
        return kExitSuccess;
    }
    form->FormCreate(options.Order.value_or(QString()));
    return kExitSuccess;
}

// Reads the command line; answers --help, --version and a wrong command line in the user's
// language, before the kind of application (window or none) is known.
std::optional<int> ReadCommandLine(int& argc, char** argv, TCommandLine& options)
{
    const QCoreApplication core(argc, argv);
    InstallTranslations(LanguageFromEnvironment());
    const auto removeTranslations = qScopeGuard([] { RemoveTranslations(); });
    try {
        options = ParseCommandLine(ArgumentsAfterProgram(argc, argv));
    } catch (const EReportError& error) {
        PrintProgramError(error.Message());
        std::fprintf(stderr, "\n%s", UsageText().toLocal8Bit().constData());
        return kExitFailure;
    }
    if (options.Help) {
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return kExitSuccess;
    }
    if (options.Version) {
        std::fputs(VersionText().toLocal8Bit().constData(), stdout);
        return kExitSuccess;
    }
    // Qt aborts the process when no platform plugin starts; say what is missing instead.
    if (!options.IsHeadless() && NoWindowPlatform()) {
        PrintProgramError(QCoreApplication::translate("OrdemCompra",
            "no display to show the order on (DISPLAY and WAYLAND_DISPLAY are not set); "
            "write it with --pdf, --xls or --rpf instead"));
        return kExitFailure;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    TCommandLine options;
    if (const std::optional<int> exitCode = ReadCommandLine(argc, argv, options))
        return *exitCode;

    const TPrivateRuntimeDirectory runtimeDirectory;
    if (options.IsHeadless()) {
        // Exports need fonts, never a window: no display is no obstacle.
        UseOffscreenPlatformWithoutDisplay();
        QGuiApplication application(argc, argv);
        const TQuirelLibrary library;
        return RunHeadless(options);
    }

    // No application display name: the window system would append it to every window's title,
    // cutting the titles the windows set themselves.
    QApplication application(argc, argv);
    const TQuirelLibrary library;
    // A window on a platform that shows none would wait for an operator who cannot answer.
    const QString platform = QGuiApplication::platformName();
    if (platform == u"offscreen" || platform == u"minimal") {
        PrintProgramError(QCoreApplication::translate("OrdemCompra",
            "the %1 platform (QT_QPA_PLATFORM) shows no window, so the order cannot be shown; "
            "write it with --pdf, --xls or --rpf instead, or unset QT_QPA_PLATFORM on a display")
                              .arg(platform));
        return kExitFailure;
    }
    return RunInteractive(options);
}
