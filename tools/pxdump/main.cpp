#include "db/ParadoxReader.h"
#include "platform/Exceptions.h"
#include "support/Translations.h"
#include "tools/pxdump/PxDump.h"
#include "tools/pxdump/PxDumpSql.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitFailure = 2;

void PrintError(const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stderr);
}

int Usage()
{
    PrintError(QCoreApplication::translate("pxdump",
        "usage: pxdump [--json] TABLE.DB\n"
        "       pxdump --sql [--dialect sqlite|postgresql] TABLE.DB..."));
    return kExitFailure;
}

void PrintWarnings(const TParadoxReader& table)
{
    for (const QString& repair : table.Repairs())
        PrintError(QCoreApplication::translate("pxdump", "warning: %1").arg(repair));
    for (const QString& warning : table.Warnings())
        PrintError(QCoreApplication::translate("pxdump", "warning: %1").arg(warning));
}

int Write(const QByteArray& out)
{
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitFailure;
}

/// Every table is read and converted before anything is written: a damaged table leaves no half
/// script behind that would load some tables and not others.
int DumpTablesAsSql(const QStringList& files, TSqlDialect dialect)
{
    QByteArray out = "BEGIN;\n";
    for (const QString& file : files) {
        // Records that cannot be read stop the move; a database must not arrive with holes.
        const TParadoxReader table = TParadoxReader::FromFile(file, TPxLostRecords::Refuse);
        PrintWarnings(table);
        out += DumpSql(table, dialect);
    }
    out += "COMMIT;\n";
    return Write(out);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InstallTranslations(LanguageFromEnvironment());
    QStringList arguments = app.arguments().mid(1);
    if (arguments.contains(u"--help"_s) || arguments.contains(u"-h"_s)) {
        std::fputs(qPrintable(QCoreApplication::translate("pxdump",
                       "Usage: pxdump [--json] TABLE.DB\n"
                       "       pxdump --sql [--dialect sqlite|postgresql] TABLE.DB...\n"
                       "Prints a Paradox table's structure: version, code page, record count and fields.\n"
                       "\n"
                       "  --json       the whole table as one JSON object: fields and records\n"
                       "  --sql        the tables as SQL: CREATE TABLE and INSERT statements\n"
                       "  --dialect D  the SQL of sqlite (the default) or postgresql\n"
                       "  -h, --help   this text\n"
                       "\n"
                       "Exits with 0 when the table was printed, 2 when it cannot be read.\n")),
            stdout);
        return 0;
    }
    const bool json = arguments.removeAll(QStringLiteral("--json")) > 0;
    const bool sql = arguments.removeAll(QStringLiteral("--sql")) > 0;
    std::optional<TSqlDialect> dialect = TSqlDialect::Sqlite;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--dialect")); at >= 0) {
        if (!sql || at + 1 >= arguments.size())
            return Usage();
        dialect = SqlDialectNamed(arguments[at + 1]);
        if (!dialect) {
            PrintError(
                QCoreApplication::translate("pxdump", "unknown SQL dialect \"%1\"; use sqlite or postgresql")
                    .arg(arguments[at + 1]));
            return kExitFailure;
        }
        arguments.remove(at, 2);
    }
    const bool option = std::any_of(
        arguments.begin(), arguments.end(), [](const QString& a) { return a.startsWith(u'-'); });
    if ((json && sql) || arguments.isEmpty() || option || (!sql && arguments.size() != 1))
        return Usage();
    try {
        if (sql)
            return DumpTablesAsSql(arguments, *dialect);
        const TParadoxReader table = TParadoxReader::FromFile(arguments.front(), TPxLostRecords::Warn);
        const QByteArray out = json ? DumpJson(table) : DumpStructure(table).toUtf8();
        PrintWarnings(table);
        return Write(out);
    } catch (const EReportError& error) {
        PrintError(error.Message());
        return kExitFailure;
    }
}
