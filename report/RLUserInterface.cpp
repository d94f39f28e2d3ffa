#include "report/RLUserInterface.h"

#include <cstdio>

TRLUserInterface& RLUserInterface()
{
    static TRLUserInterface registry;
    return registry;
}

void ReportErrorMessage(const QString& message)
{
    if (RLUserInterface().ShowError) {
        RLUserInterface().ShowError(message);
        return;
    }
    WriteErrorMessage(message);
}

void WriteErrorMessage(const QString& message)
{
    QString line = message;
    line.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}
