// quirel: prints a report from a layout file, for programs and people who use the library
// without writing one.
#include "app/ProgramStart.h"
#include "app/RuntimeDirectory.h"
#include "db/OpenDataSets.h"
#include "db/SqlConnection.h"
#include "db/SqlUrl.h"
#include "db/Table.h"
#include "filters/RLFilterCommands.h"
#include "filters/RLPDFFilter.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "preview/RLPreviewRegistration.h"
#include "report/RLLayoutFile.h"
#include "report/RLReport.h"
#include "report/RLUserInterface.h"
#include "support/OutputFiles.h"
#include "support/Startup.h"
#include "support/Translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScopeGuard>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

using enum TRLXLSFilterOption;

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 2;

struct TRenderOptions {
    QString Layout;
    QString DataDirectory;
    /// --connection NAME=URL, in the order given.
    std::vector<std::pair<QString, QString>> Connections;
    QString PdfFile;
    QString XlsFile;
    QString PageFile;
    std::optional<QString> Printer;
    bool Preview = false;
    bool Help = false;
    bool Version = false;

    bool HasExport() const
    {
        return !PdfFile.isEmpty() || !XlsFile.isEmpty() || !PageFile.isEmpty() || Printer.has_value();
    }
    /// With no export the preview opens, as if asked for.
    bool ShowsPreview() const { return Preview || !HasExport(); }
};

void PrintError(const QString& message)
{
    std::fprintf(stderr, "quirel: %s\n", message.toLocal8Bit().constData());
}

QString UsageText()
{
    return QCoreApplication::translate("Quirel",
        "Usage: quirel render LAYOUT [--data DIR] [--connection NAME=URL]... [--pdf OUT] [--xls OUT] "
        "[--rpf OUT] [--print [NAME]] [--preview]\n"
        "Prepares the report of the layout file LAYOUT from the Paradox tables and SQL queries it names.\n"
        "\n"
        "  --data DIR       read the layout's Paradox tables from DIR (needed when it has any)\n"
        "  --connection NAME=URL\n"
        "                   the database of the layout's connection NAME, such as\n"
        "                   orders=sqlite:///srv/orders.db or orders=postgresql://user@host/dbname;\n"
        "                   may be given once per name\n"
        "  --pdf OUT        write the pages as a PDF file\n"
        "  --xls OUT        write them as a spreadsheet (XLS)\n"
        "  --rpf OUT        write them as a page file (.rpf)\n"
        "  --print [NAME]   print them on the default (or named) printer\n"
        "  --preview        show them in the preview window (also the default with no output)\n"
        "\n"
        "An OUT of - is standard output. Exits with 0 on success and 2 on any failure.\n");
}

bool IsOption(const QString& argument)
{
    return argument.startsWith(u"--") && argument.size() > 2;
}

/// NAME=URL, checked now so that a mistyped URL is reported before anything is read.
std::pair<QString, QString> NamedConnection(
    const QString& value, const std::vector<std::pair<QString, QString>>& earlier)
{
    const qsizetype equals = value.indexOf(u'=');
    const QString name = value.left(std::max<qsizetype>(equals, 0)).trimmed();
    const QString url = value.mid(equals + 1);
    if (equals <= 0 || name.isEmpty() || IsDatabaseUrl(name))
        throw EReportError(QCoreApplication::translate(
            "Quirel", "--connection needs NAME=URL, such as orders=sqlite:///srv/orders.db"));
    for (const auto& [given, _] : earlier) {
        if (given.compare(name, Qt::CaseInsensitive) == 0)
            throw EReportError(
                QCoreApplication::translate("Quirel", "--connection %1 is given twice").arg(name));
    }
    ParseSqlUrl(url);
    return { name, url };
}

TRenderOptions ParseArguments(const QStringList& arguments)
{
    TRenderOptions options;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!IsOption(argument)) {
            positional.append(argument);
            continue;
        }
        const auto value = [&]() -> QString {
            if (i + 1 >= arguments.size() || IsOption(arguments[i + 1]) || arguments[i + 1].isEmpty())
                throw EReportError(QCoreApplication::translate("Quirel", "%1 needs a value").arg(argument));
            return arguments[++i];
        };
        if (argument == u"--help")
            options.Help = true;
        else if (argument == u"--version")
            options.Version = true;
        else if (argument == u"--data")
            options.DataDirectory = value();
        else if (argument == u"--connection")
            options.Connections.push_back(NamedConnection(value(), options.Connections));
        else if (argument == u"--pdf")
            options.PdfFile = value();
        else if (argument == u"--xls")
            options.XlsFile = value();
        else if (argument == u"--rpf")
            options.PageFile = value();
        else if (argument == u"--preview")
            options.Preview = true;
        else if (argument == u"--print")
            options.Printer
                = (i + 1 < arguments.size() && !IsOption(arguments[i + 1]) && positional.size() >= 2)
                ? arguments[++i]
                : QString();
        else
            throw EReportError(QCoreApplication::translate("Quirel", "unknown option %1").arg(argument));
    }
    if (options.Help || options.Version)
        return options;
    if (positional.isEmpty() || positional[0] != u"render")
        throw EReportError(QCoreApplication::translate("Quirel", "the only command is render"));
    if (positional.size() != 2)
        throw EReportError(QCoreApplication::translate("Quirel", "render needs one layout file"));
    options.Layout = positional[1];
    return options;
}

void SetUp(TRLCustomSaveFilter& filter, const QString& fileName)
{
    filter.FileName = OutputPathOfOption(fileName);
    filter.ShowProgress = false;
}

int Render(const TRenderOptions& options)
{
    TComponent owner(nullptr);
    for (const auto& [name, url] : options.Connections) {
        auto* connection = new TSqlConnection(&owner);
        connection->SetName(name);
        connection->SetUrl(url);
    }
    TRLCustomReport* report = LoadLayoutFile(owner, options.Layout, options.DataDirectory);
    // Without --data a table would silently read the alias's default database.
    if (options.DataDirectory.isEmpty()) {
        for (TComponent* component : owner.Components()) {
            if (dynamic_cast<TTable*>(component))
                throw EReportError(QCoreApplication::translate(
                    "Quirel", "render needs --data DIR, the folder of the layout's tables"));
        }
    }
    OpenDataSets(owner);
    report->ShowProgress = options.ShowsPreview() && report->ShowProgress;
    TRLPDFFilter* pdf = nullptr;
    if (!options.PdfFile.isEmpty()) {
        pdf = new TRLPDFFilter(&owner);
        SetUp(*pdf, options.PdfFile);
    }
    TRLXLSFilter* xls = nullptr;
    if (!options.XlsFile.isEmpty()) {
        xls = new TRLXLSFilter(&owner);
        xls->Options = foFindValueCells;
        SetUp(*xls, options.XlsFile);
    }
    // The first output, when a filter writes it into a file, is written on the second core while
    // the pages are prepared; the page file comes first and needs them all.
    TRLCustomSaveFilter* following
        = options.PageFile.isEmpty() ? (pdf ? static_cast<TRLCustomSaveFilter*>(pdf) : xls) : nullptr;
    if (following && WritesThrough(following->FileName))
        following = nullptr;
    TRLPrepareResult prepared;
    const auto prepare = [&] {
        prepared = report->Prepare();
        return bool(prepared);
    };
    if (following)
        following->FilterPagesWhileAdding(*report->Pages(), prepare);
    else
        prepare();
    if (!prepared) {
        if (prepared.Outcome == TRLPrepareOutcome::Failed)
            WriteErrorMessage(prepared.Message);
        return kExitFailure;
    }
    TRLGraphicStorage& pages = *report->Pages();
    if (!options.PageFile.isEmpty())
        pages.SaveToFile(OutputPathOfOption(options.PageFile));
    for (TRLCustomSaveFilter* filter :
        { static_cast<TRLCustomSaveFilter*>(pdf), static_cast<TRLCustomSaveFilter*>(xls) })
        if (filter && filter != following)
            filter->FilterPages(pages);
    if (options.Printer)
        PrintPagesOnPrinter(pages, *options.Printer);
    if (options.ShowsPreview())
        report->Preview();
    return kExitSuccess;
}

int RunGuarded(const TRenderOptions& options)
{
    try {
        return Render(options);
    } catch (const EReportError& error) {
        PrintError(error.Message());
    } catch (const EAbort&) {
        PrintError(QCoreApplication::translate("Quirel", "aborted"));
    }
    return kExitFailure;
}

std::optional<int> ReadArguments(int& argc, char** argv, TRenderOptions& options)
{
    const QCoreApplication core(argc, argv);
    InstallTranslations(LanguageFromEnvironment());
    const auto removeTranslations = qScopeGuard([] { RemoveTranslations(); });
    try {
        options = ParseArguments(ArgumentsAfterProgram(argc, argv));
    } catch (const EReportError& error) {
        PrintError(error.Message());
        std::fprintf(stderr, "\n%s", UsageText().toLocal8Bit().constData());
        return kExitFailure;
    }
    if (options.Help) {
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return kExitSuccess;
    }
    if (options.Version) {
        std::fputs("quirel 0.6 (QuirelReport v0.6)\n", stdout);
        return kExitSuccess;
    }
    if (options.ShowsPreview() && NoWindowPlatform()) {
        PrintError(QCoreApplication::translate("Quirel",
            "no display for the preview (DISPLAY and WAYLAND_DISPLAY are not set); "
            "write the report with --pdf, --xls or --rpf instead"));
        return kExitFailure;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    TRenderOptions options;
    if (const std::optional<int> exitCode = ReadArguments(argc, argv, options))
        return *exitCode;
    const TPrivateRuntimeDirectory runtimeDirectory;
    if (!options.ShowsPreview()) {
        UseOffscreenPlatformWithoutDisplay();
        QGuiApplication application(argc, argv);
        const TQuirelLibrary library;
        return RunGuarded(options);
    }
    QApplication application(argc, argv);
    const TQuirelLibrary library;
    RegisterPreviewWindows(QStringLiteral("QuirelReport"));
    return RunGuarded(options);
}
