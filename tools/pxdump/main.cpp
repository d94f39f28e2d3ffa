#include "db/ParadoxReader.h"
#include "platform/Exceptions.h"
#include "support/Translations.h"
#include "tools/pxdump/PxDump.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

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
