#include "app/HeadlessRun.h"

#include "app/CommandLine.h"
#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "filters/RLFilterCommands.h"
#include "filters/RLPDFFilter.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "report/RLReport.h"

namespace {

void SaveThrough(TRLCustomSaveFilter& filter, TRLGraphicStorage& pages, const QString& fileName)
{
    filter.FileName = fileName;
    filter.ShowProgress = false;
    filter.FilterPages(pages);
}

} // namespace

int RunHeadless(const TCommandLine& options)
{
    try {
        SetDataDirectoryOption(options.DataDirectory);
        TForm1 form(nullptr);
        form.OpenTables();
        if (!form.LocateOrder(options.Order.value_or(QString()))) {
            PrintProgramError(QStringLiteral("Ordem Compra não Encontrada!"));
            return kExitOrderNotFound;
        }
        form.RLReport1->ShowProgress = false;
        // A failed preparation has already reported its message.
        if (!form.RLReport1->Prepare())
            return kExitFailure;
        TRLGraphicStorage& pages = *form.RLReport1->Pages();
        if (!options.PageFile.isEmpty())
            pages.SaveToFile(options.PageFile);
        if (!options.PdfFile.isEmpty())
            SaveThrough(*form.RLPDFFilter1, pages, options.PdfFile);
        if (!options.XlsFile.isEmpty())
            SaveThrough(*form.RLXLSFilter1, pages, options.XlsFile);
        if (options.Printer)
            PrintPagesOnPrinter(pages, *options.Printer);
        return kExitSuccess;
    } catch (const EReportError& error) {
        PrintProgramError(error.Message());
    } catch (const EAbort&) {
        PrintProgramError(QStringLiteral("aborted"));
    } catch (const std::exception& error) {
        PrintProgramError(QString::fromLocal8Bit(error.what()));
    }
    return kExitFailure;
}
