#include "app/HeadlessRun.h"

#include "app/CommandLine.h"
#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "db/Table.h"
#include "filters/RLFilterCommands.h"
#include "filters/RLPDFFilter.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "report/RLReport.h"

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

} // namespace

int RunHeadless(const TCommandLine& options)
{
    try {
        SetDataDirectoryOption(options.DataDirectory);
        TForm1 form(nullptr);
        form.OpenTables();
        const QString pageFile = OutputPath(options.PageFile);
        const QString pdfFile = OutputPath(options.PdfFile);
        const QString xlsFile = OutputPath(options.XlsFile);
        for (const QString& output : { pageFile, pdfFile, xlsFile })
            RefuseOutputOverTables(output, form.Tables);
        if (!form.LocateOrder(options.Order.value_or(QString()))) {
            PrintProgramError(QStringLiteral("Ordem Compra não Encontrada!"));
            return kExitOrderNotFound;
        }
        form.RLReport1->ShowProgress = false;
        // A failed preparation has already reported its message.
        if (!form.RLReport1->Prepare())
            return kExitFailure;
        TRLGraphicStorage& pages = *form.RLReport1->Pages();
        if (!pageFile.isEmpty())
            pages.SaveToFile(pageFile);
        if (!pdfFile.isEmpty())
            SaveThrough(*form.RLPDFFilter1, pages, pdfFile);
        if (!xlsFile.isEmpty())
            SaveThrough(*form.RLXLSFilter1, pages, xlsFile);
        if (options.Printer)
            PrintPagesOnPrinter(pages, *options.Printer);
        return kExitSuccess;
    } catch (const EReportError& error) {
        PrintProgramError(error.Message());
    } catch (const EAbort&) {
        PrintProgramError(QCoreApplication::translate("OrdemCompra", "aborted"));
    } catch (const std::exception& error) {
        PrintProgramError(QString::fromLocal8Bit(error.what()));
    }
    return kExitFailure;
}
