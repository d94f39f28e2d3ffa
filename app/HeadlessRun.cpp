#include "app/HeadlessRun.h"

#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "app/ConsoleProgress.h"
#include "app/OrderFilters.h"
#include "app/PageSelection.h"
#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "db/SqlConnection.h"
#include "db/Table.h"
#include "filters/RLFilterCommands.h"
#include "filters/RLPDFFilter.h"
#include "filters/RLXLSFilter.h"
#include "filters/RLXLSXFilter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLPrinters.h"
#include "platform/ComponentCast.h"
#include "platform/Exceptions.h"
#include "report/RLLayoutFile.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"
#include "support/OutputFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace {

/// What the messages of the current run start with; empty outside a batch.
QString& MessageLabel()
{
    static QString label;
    return label;
}

void ReportFailure(const QString& message)
{
    PrintProgramError(MessageLabel().isEmpty() ? message : MessageLabel() + QStringLiteral(": ") + message);
}

/// Preparation failures: after the progress line, and in a batch naming the order.
void ShowPreparationError(const QString& message)
{
    if (!MessageLabel().isEmpty()) {
        ReportFailure(message);
        return;
    }
    ClearProgressLine();
    QString line = message;
    line.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

/// One file a filter writes, as the command line asks for it.
struct TSaveStep {
    TRLCustomSaveFilter* Filter = nullptr;
    QString FileName;
    bool Portable = false;
};

/// The filter outputs in the order they are written.
std::vector<TSaveStep> SaveSteps(const TOrderFilters& filters, const TCommandLine& options)
{
    std::vector<TSaveStep> steps;
    if (!options.PdfFile.isEmpty())
        steps.push_back({ filters.Pdf, options.PdfFile, false });
    if (!options.PortablePdfFile.isEmpty())
        steps.push_back({ filters.Pdf, options.PortablePdfFile, true });
    if (!options.XlsFile.isEmpty())
        steps.push_back({ filters.Xls, options.XlsFile });
    if (!options.XlsxFile.isEmpty())
        steps.push_back({ filters.Xlsx, options.XlsxFile });
    return steps;
}

/// The output written while the order is prepared, on the second core: the first one, when it is
/// a filter's, takes every page, and goes to a file that a failure can still leave untouched.
std::optional<TSaveStep> FollowingStep(const TOrderFilters& filters, const TCommandLine& options)
{
    const std::vector<TSaveStep> steps = SaveSteps(filters, options);
    if (steps.empty() || !options.PageFile.isEmpty() || !options.Pages.isEmpty()
        || WritesThrough(steps.front().FileName))
        return std::nullopt;
    return steps.front();
}

/// Sets the filter up for the step; the PDF filter's Portable goes back to false when the guard ends.
auto SetUp(const TSaveStep& step, const TCommandLine& options, bool progress)
{
    step.Filter->FileName = step.FileName;
    step.Filter->ShowProgress = progress;
    auto* pdf = ComponentCast<TRLPDFFilter>(step.Filter);
    if (pdf)
        pdf->Portable = step.Portable;
    if (auto* xlsx = ComponentCast<TRLXLSXFilter>(step.Filter))
        xlsx->OneSheet = options.OneSheet;
    return qScopeGuard([pdf] {
        if (pdf)
            pdf->Portable = false;
    });
}

bool SameFile(const struct stat& a, const QString& path)
{
    struct stat b { };
    return ::stat(QFile::encodeName(path).constData(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

[[noreturn]] void RefuseOutputOverTable(const QString& output, const QString& table)
{
    throw EReportError(QCoreApplication::translate("OrdemCompra",
        "Refused to write \"%1\": it is the table \"%2\" the order is read from. Choose another "
        "output file; the table was left unchanged.")
                           .arg(output, table));
}

/// Writing an export over the SQLite file the tables are read from would destroy them; checked before
/// connecting, since an unreadable database must not hide that the output would overwrite it.
void RefuseOutputOverDatabase(const QString& output, const TOrderTables& tables)
{
    struct stat target { };
    if (output.isEmpty() || !tables.Connection || tables.Connection->DatabaseFile().isEmpty()
        || ::stat(QFile::encodeName(output).constData(), &target) != 0)
        return;
    if (SameFile(target, tables.Connection->DatabaseFile()))
        throw EReportError(QCoreApplication::translate("OrdemCompra",
            "Refused to write \"%1\": it is the database \"%2\" the order is read from. Choose another "
            "output file; the database was left unchanged.")
                               .arg(output, tables.Connection->DatabaseFile()));
}

/// Writing an export over a table (its .DB, .MB or any file of the table's name) would destroy the
/// data it was made from.
void RefuseOutputOverTables(const QString& output, const TOrderTables& tables)
{
    struct stat target { };
    if (output.isEmpty() || ::stat(QFile::encodeName(output).constData(), &target) != 0)
        return;
    for (const TDataSet* dataSet : tables.Tables()) {
        const auto* table = ComponentCast<const TTable>(dataSet);
        if (!table)
            continue;
        const QFileInfo tableFile(table->FilePath());
        for (const QFileInfo& candidate :
            tableFile.dir().entryInfoList(QDir::Files | QDir::System | QDir::Hidden)) {
            if (candidate.completeBaseName().compare(tableFile.completeBaseName(), Qt::CaseInsensitive) != 0
                || !SameFile(target, candidate.filePath()))
                continue;
            RefuseOutputOverTable(output, candidate.filePath());
        }
    }
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

/// Every output but `written`, the one already written while the pages were prepared.
void WriteOutputs(TRLGraphicStorage& all, const TOrderFilters& filters, const TCommandLine& options,
    bool progress, const std::optional<TSaveStep>& written = std::nullopt)
{
    TComponent owner(nullptr);
    TRLGraphicStorage& pages = options.Pages.isEmpty() ? all : *SelectPages(all, options.Pages, &owner);
    if (!options.PageFile.isEmpty())
        pages.SaveToFile(options.PageFile);
    for (const TSaveStep& step : SaveSteps(filters, options)) {
        if (written && step.Filter == written->Filter && step.FileName == written->FileName
            && step.Portable == written->Portable)
            continue;
        const auto restore = SetUp(step, options, progress);
        step.Filter->FilterPages(pages);
    }
    if (options.Printer) {
        if (options.Copies > 0)
            SharedPrinter().SetCopies(options.Copies);
        PrintPagesOnPrinter(pages, *options.Printer);
    }
}

int ExportOrder(const TCommandLine& options)
{
    TForm1 form(nullptr, options.DatabaseName(), options.DataDirectory, options.LayoutFile);
    for (const QString& output : OutputFiles(options))
        RefuseOutputOverDatabase(output, form.Tables);
    form.OpenTables();
    for (const QString& output : OutputFiles(options))
        RefuseOutputOverTables(output, form.Tables);
    const QString order = options.Order.value_or(QString());
    if (!form.LocateOrder(order)) {
        ReportFailure(QStringLiteral("Ordem Compra não Encontrada!"));
        return kExitOrderNotFound;
    }
    std::optional<TConsoleProgress> progress;
    if (TConsoleProgress::Wanted(options.Quiet))
        progress.emplace(OrderLabel(order), form.RLReport1);
    form.RLReport1->ShowProgress = progress.has_value();
    const TOrderFilters filters { form.RLPDFFilter1, form.RLXLSFilter1, form.RLXLSXFilter1 };
    TRLPrepareResult prepared;
    const auto prepare = [&] {
        prepared = form.RLReport1->Prepare();
        return bool(prepared);
    };
    const std::optional<TSaveStep> following = FollowingStep(filters, options);
    if (following) {
        const auto restore = SetUp(*following, options, progress.has_value());
        following->Filter->FilterPagesWhileAdding(*form.RLReport1->Pages(), prepare);
    } else {
        prepare();
    }
    if (!prepared) {
        if (prepared.Outcome == TRLPrepareOutcome::Failed)
            ShowPreparationError(prepared.Message);
        return kExitFailure;
    }
    WriteOutputs(*form.RLReport1->Pages(), filters, options, progress.has_value(), following);
    return kExitSuccess;
}

/// The saved pages go out through the order's own filters: the same texts as the order's export.
int ExportPageFile(const TCommandLine& options)
{
    for (const QString& output : OutputFiles(options))
        RefuseOutputOverPageFile(output, options.ViewFile);
    TComponent owner(nullptr);
    const TOrderFilters filters = CreateOrderFilters(&owner);
    // Owned, so that the first filter run does not free the store when it unlinks it.
    auto* pages = new TRLGraphicStorage(&owner);
    pages->LoadFromFile(options.ViewFile);
    std::optional<TConsoleProgress> progress;
    if (TConsoleProgress::Wanted(options.Quiet))
        progress.emplace(QFileInfo(options.ViewFile).fileName(), nullptr);
    WriteOutputs(*pages, filters, options, progress.has_value());
    return kExitSuccess;
}

} // namespace

QString OrderLabel(const QString& order)
{
    return QCoreApplication::translate("OrdemCompra", "Order %1").arg(order);
}

int RunOneExport(const TCommandLine& given, const QString& label)
{
    TCommandLine options = given;
    for (QString* output : OutputFiles(options))
        *output = OutputPathOfOption(*output);
    MessageLabel() = label;
    RLUserInterface().ShowError = ShowPreparationError;
    int result = kExitFailure;
    try {
        if (!options.WriteLayoutFile.isEmpty()) {
            const TForm1 form(nullptr);
            SaveLayoutFile(*form.RLReport1, OutputPathOfOption(options.WriteLayoutFile));
            result = kExitSuccess;
        } else {
            result = options.ViewFile.isEmpty() ? ExportOrder(options) : ExportPageFile(options);
        }
    } catch (const EReportError& error) {
        ReportFailure(error.Message());
    } catch (const EAbort&) {
        ReportFailure(QCoreApplication::translate("OrdemCompra", "aborted"));
    } catch (const std::exception& error) {
        ReportFailure(QString::fromLocal8Bit(error.what()));
    }
    RLUserInterface().ShowError = nullptr;
    MessageLabel().clear();
    return result;
}

int RunHeadless(const TCommandLine& options)
{
    if (options.IsBatch())
        return RunBatch(options);
    if (!options.ViewFile.isEmpty())
        return RunOneExport(options);
    return RunOneExport(ForOrder(options, options.Orders.value(0)));
}
