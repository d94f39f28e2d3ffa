#include "app/HeadlessRun.h"

#include "app/CommandLine.h"
#include "app/OrderFilters.h"
#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "db/Table.h"
#include "filters/RLFilterCommands.h"
#include "filters/RLPDFFilter.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

void SaveThrough(TRLCustomSaveFilter& filter, TRLGraphicStorage& pages, const QString& fileName)
{
    filter.FileName = fileName;
    filter.ShowProgress = false;
    filter.FilterPages(pages);
}

bool SameFile(const struct stat& a, const QString& path)
{
    struct stat b { };
    return ::stat(QFile::encodeName(path).constData(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

/// Writing an export over a table (its .DB, .MB or any file of the table's name) would destroy the
/// data it was made from.
void RefuseOutputOverTables(const QString& output, const TOrderTables& tables)
{
    struct stat target { };
    if (output.isEmpty() || ::stat(QFile::encodeName(output).constData(), &target) != 0)
        return;
    for (const TTable* table : tables.Tables()) {
        const QFileInfo tableFile(table->FilePath());
        for (const QFileInfo& candidate :
            tableFile.dir().entryInfoList(QDir::Files | QDir::System | QDir::Hidden)) {
            if (candidate.completeBaseName().compare(tableFile.completeBaseName(), Qt::CaseInsensitive) != 0
                || !SameFile(target, candidate.filePath()))
                continue;
            throw EReportError(QCoreApplication::translate("OrdemCompra",
                "Refused to write \"%1\": it is the table \"%2\" the order is read from. Choose another "
                "output file; the table was left unchanged.")
                                   .arg(output, candidate.filePath()));
        }
    }
}

/// "-" is standard output, written through the descriptor the program was given.
QString OutputPath(const QString& option)
{
    return option == u"-" ? QStringLiteral("/dev/stdout") : option;
}

/// Converting a page file onto itself would destroy it before it is read.
void RefuseOutputOverPageFile(const QString& output, const QString& pageFile)
{
    struct stat source { };
    if (output.isEmpty() || ::stat(QFile::encodeName(pageFile).constData(), &source) != 0
        || !SameFile(source, output))
        return;
    throw EReportError(QCoreApplication::translate("OrdemCompra",
        "Refused to write \"%1\": it is the page file \"%2\" being converted. Choose another output "
        "file; the page file was left unchanged.")
                           .arg(output, pageFile));
}

void WriteOutputs(TRLGraphicStorage& pages, const TOrderFilters& filters, const TCommandLine& options)
{
    if (!options.PageFile.isEmpty())
        pages.SaveToFile(options.PageFile);
    if (!options.PdfFile.isEmpty())
        SaveThrough(*filters.Pdf, pages, options.PdfFile);
    if (!options.XlsFile.isEmpty())
        SaveThrough(*filters.Xls, pages, options.XlsFile);
    if (options.Printer)
        PrintPagesOnPrinter(pages, *options.Printer);
}

int ExportOrder(const TCommandLine& options)
{
    TForm1 form(nullptr, kBusinessAlias.toString(), options.DataDirectory);
    form.OpenTables();
    for (const QString& output : { options.PageFile, options.PdfFile, options.XlsFile })
        RefuseOutputOverTables(output, form.Tables);
    if (!form.LocateOrder(options.Order.value_or(QString()))) {
        PrintProgramError(QStringLiteral("Ordem Compra não Encontrada!"));
        return kExitOrderNotFound;
    }
    form.RLReport1->ShowProgress = false;
    if (const TRLPrepareResult prepared = form.RLReport1->Prepare(); !prepared) {
        if (prepared.Outcome == TRLPrepareOutcome::Failed)
            WriteErrorMessage(prepared.Message);
        return kExitFailure;
    }
    WriteOutputs(*form.RLReport1->Pages(), { form.RLPDFFilter1, form.RLXLSFilter1 }, options);
    return kExitSuccess;
}

/// The saved pages go out through the order's own filters: the same texts as the order's export.
int ExportPageFile(const TCommandLine& options)
{
    for (const QString& output : { options.PageFile, options.PdfFile, options.XlsFile })
        RefuseOutputOverPageFile(output, options.ViewFile);
    TComponent owner(nullptr);
    const TOrderFilters filters = CreateOrderFilters(&owner);
    // Owned, so that the first filter run does not free the store when it unlinks it.
    auto* pages = new TRLGraphicStorage(&owner);
    pages->LoadFromFile(options.ViewFile);
    WriteOutputs(*pages, filters, options);
    return kExitSuccess;
}

} // namespace

int RunHeadless(const TCommandLine& given)
{
    TCommandLine options = given;
    for (QString* output : { &options.PageFile, &options.PdfFile, &options.XlsFile })
        *output = OutputPath(*output);
    try {
        return options.ViewFile.isEmpty() ? ExportOrder(options) : ExportPageFile(options);
    } catch (const EReportError& error) {
        PrintProgramError(error.Message());
    } catch (const EAbort&) {
        PrintProgramError(QCoreApplication::translate("OrdemCompra", "aborted"));
    } catch (const std::exception& error) {
        PrintProgramError(QString::fromLocal8Bit(error.what()));
    }
    return kExitFailure;
}
