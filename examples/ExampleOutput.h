// What the three examples share: a program without windows, and the report written as PDF and
// as a spreadsheet. A program of your own does the same steps in the same order.
#pragma once

#include "filters/RLPDFFilter.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"

#include <QDir>
#include <QString>
#include <cstdio>

namespace example {

/// Fonts need a Qt GUI application, windows do not: without a display Qt's offscreen platform
/// serves. Call before the QGuiApplication is created.
inline void UseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

/// The output directory from the command line (the current one when none is given).
inline QString OutputDirectory(int argc, char** argv)
{
    return argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
}

/// Prepares `report` and writes its pages as `<directory>/<baseName>.pdf` and `.xls`. Returns the
/// program's exit code: 0 when both files were written, 2 with the message on stderr otherwise.
inline int PrepareAndExport(TRLReport& report, const QString& directory, const QString& baseName)
{
    report.ShowProgress = false;
    const TRLPrepareResult prepared = report.Prepare();
    if (!prepared) {
        WriteErrorMessage(prepared.Outcome == TRLPrepareOutcome::Failed ? prepared.Message
                                                                        : QStringLiteral("not prepared"));
        return 2;
    }
    try {
        TComponent owner(nullptr);
        auto* pdf = new TRLPDFFilter(&owner);
        pdf->ShowProgress = false;
        pdf->FileName = QDir(directory).filePath(baseName + QStringLiteral(".pdf"));
        pdf->FilterPages(*report.Pages());

        auto* xls = new TRLXLSFilter(&owner);
        xls->ShowProgress = false;
        // Numbers become cells a spreadsheet can add up.
        xls->Options = TRLXLSFilterOption::foFindValueCells;
        xls->FileName = QDir(directory).filePath(baseName + QStringLiteral(".xls"));
        xls->FilterPages(*report.Pages());
        std::printf("%s: %d pages\n", qPrintable(baseName), report.Pages()->PageCount());
    } catch (const EReportError& error) {
        WriteErrorMessage(error.Message());
        return 2;
    }
    return 0;
}

} // namespace example
