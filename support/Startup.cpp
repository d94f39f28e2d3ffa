#include "support/Startup.h"

#include "support/FormatSettings.h"
#include "support/LocaleTexts.h"
#include "support/TempFiles.h"
#include "support/Translations.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<bool> g_initialized = false;

// At exit() the function-local statics made after this handler was registered (the live
// texts) are already gone, so only the files are cleaned up here; their list is a namespace
// global that outlives the handler.
void FinalizeAtExit()
{
    if (!g_initialized.exchange(false))
        return;
    DeleteRegisteredTempFiles();
    RemoveTempFileSignalHandlers();
}

} // namespace

void InitializeLibrary()
{
    static const bool registeredAtExit = std::atexit(FinalizeAtExit) == 0;
    Q_UNUSED(registeredAtExit);
    SelectLanguage();
    InstallTranslations(LanguageFromEnvironment());
    InitializeFormatSettings();
    InitializeLogFile();
    InitializeTempDir();
    InstallTempFileSignalHandlers();
    g_initialized = true;
}

void FinalizeLibrary()
{
    if (!g_initialized.exchange(false))
        return;
    DeleteRegisteredTempFiles();
    RemoveTempFileSignalHandlers();
    RemoveTranslations();
    ClearLocaleTexts();
    ClearLogFileName();
    SetTempDir(QStringLiteral("."));
}
