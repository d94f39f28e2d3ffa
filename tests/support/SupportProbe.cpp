// Runs the library start-up, then one of:
//   log                 prints the log file name and exits
//   files N exit        creates and registers N temporary files, prints their names, returns from main
//   files N exit-call   the same, then leaves through exit() without unwinding main
//   files N wait        the same, then waits for a signal
#include "support/LocaleTexts.h"
#include "support/Startup.h"
#include "support/TempFiles.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv)
{
    const TQuirelLibrary library;
    if (argc == 2 && std::strcmp(argv[1], "log") == 0) {
        std::printf("%s\n", qPrintable(LogFileName()));
        return 0;
    }
    if (argc != 4 || std::strcmp(argv[1], "files") != 0) {
        std::fprintf(stderr, "usage: support_probe log | files N exit|exit-call|wait\n");
        return 2;
    }
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        const QString name = NewTempFileName();
        RegisterTempFile(name);
        // The parent cannot look before an exiting probe cleans up, so the probe vouches for the file.
        const bool exists = access(qPrintable(name), F_OK) == 0;
        std::printf("%s%s\n", exists ? "" : "missing:", qPrintable(name));
    }
    std::fflush(stdout);
    const char* how = argv[3];
    if (std::strcmp(how, "exit-call") == 0)
        std::exit(3);
    if (std::strcmp(how, "wait") == 0) {
        for (;;)
            pause();
    }
    return 0;
}
