#include "filters/RLFilterCommands.h"

#include "filters/RLPDFFilter.h"
#include "filters/RLSpoolFilter.h"
#include "pages/RLPrinters.h"
#include "platform/Exceptions.h"
#include "support/LocaleTexts.h"

#include <QPrinterInfo>

namespace {

[[noreturn]] void RaisePrinterNotFound(const QString& printerName)
{
    QString message = LocaleText(TLocaleTextId::PrinterNotFound);
    if (!printerName.isEmpty())
        message += QStringLiteral(": ") + printerName;
    throw EReportError(message);
}

int FindPrinter(TRLPrinterWrapper& printer, const QString& name)
{
    for (int i = 0; i < printer.PrinterList().size(); ++i) {
        if (printer.PrinterNames(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

/// The printer to use: the named one, else the scheduler's default, else the first.
int ChoosePrinter(TRLPrinterWrapper& printer, const QString& printerName)
{
    if (!PrintSchedulerAvailable())
        RaisePrinterNotFound(printerName);
    printer.RefreshPrinters();
    if (printer.PrinterList().isEmpty())
        RaisePrinterNotFound(printerName);
    if (!printerName.isEmpty()) {
        const int index = FindPrinter(printer, printerName);
        if (index < 0)
            RaisePrinterNotFound(printerName);
        return index;
    }
    const int defaultIndex = FindPrinter(printer, QPrinterInfo::defaultPrinterName());
    return defaultIndex >= 0 ? defaultIndex : 0;
}

}

void ExportPagesToPdf(TRLGraphicStorage& pages, const QString& fileName)
{
    TRLPDFFilter filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = fileName;
    filter.FilterPages(pages);
}

void PrintPagesOnPrinter(TRLGraphicStorage& pages, const QString& printerName)
{
    TRLPrinterWrapper& printer = SharedPrinter();
    printer.SelectPrinter(ChoosePrinter(printer, printerName));
    TRLSpoolFilter& filter = SpoolFilter();
    const bool showProgress = filter.ShowProgress;
    filter.ShowProgress = false;
    try {
        filter.FilterPages(pages);
    } catch (...) {
        filter.ShowProgress = showProgress;
        throw;
    }
    filter.ShowProgress = showProgress;
}
