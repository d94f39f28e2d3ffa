#include "app/ProgramStart.h"

#include <QtGlobal>

QStringList ArgumentsAfterProgram(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

bool NoWindowPlatform()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void UseOffscreenPlatformWithoutDisplay()
{
    if (NoWindowPlatform())
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
