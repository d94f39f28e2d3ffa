#include "db/ParadoxReader.h"
#include "platform/Exceptions.h"
#include "support/Translations.h"
#include "tools/pxdump/PxDump.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitFailure = 2;

void PrintError(const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stderr);
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
                       "Prints a Paradox table's structure: version, code page, record count and fields.\n"
                       "\n"
                       "  --json       the whole table as one JSON object: fields and records\n"
                       "  -h, --help   this text\n"
                       "\n"
                       "Exits with 0 when the table was printed, 2 when it cannot be read.\n")),
            stdout);
        return 0;
    }
    const bool json = arguments.removeAll(QStringLiteral("--json")) > 0;
    if (arguments.size() != 1 || arguments.front().startsWith(u'-')) {
        PrintError(QCoreApplication::translate("pxdump", "usage: pxdump [--json] TABLE.DB"));
        return kExitFailure;
    }
    try {
        const TParadoxReader table = TParadoxReader::FromFile(arguments.front(), TPxLostRecords::Warn);
        const QByteArray out = json ? DumpJson(table) : DumpStructure(table).toUtf8();
        for (const QString& repair : table.Repairs())
            PrintError(QCoreApplication::translate("pxdump", "warning: %1").arg(repair));
        for (const QString& warning : table.Warnings())
            PrintError(QCoreApplication::translate("pxdump", "warning: %1").arg(warning));
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : kExitFailure;
    } catch (const EReportError& error) {
        PrintError(error.Message());
        return kExitFailure;
    }
}
