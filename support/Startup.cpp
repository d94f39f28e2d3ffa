#include "support/Startup.h"

#include "support/FormatSettings.h"
#include "support/LocaleTexts.h"
#include "support/TempFiles.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<bool> g_initialized = false;

void FinalizeAtExit()
{
    FinalizeLibrary();
}

} // namespace

void InitializeLibrary()
{
    static const bool registeredAtExit = std::atexit(FinalizeAtExit) == 0;
    Q_UNUSED(registeredAtExit);
    SelectLanguage();
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
    ClearLocaleTexts();
    ClearLogFileName();
    SetTempDir(QStringLiteral("."));
}
