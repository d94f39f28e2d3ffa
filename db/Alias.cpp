#include "db/Alias.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef QUIREL_SAMPLEDB_INSTALLED
#define QUIREL_SAMPLEDB_INSTALLED ""
#endif
#ifndef QUIREL_SAMPLEDB_BUILD
#define QUIREL_SAMPLEDB_BUILD ""
#endif

namespace {

[[noreturn]] void RaiseAliasError(const QString& alias, const QString& fault)
{
    throw EReportError(QCoreApplication::translate("Alias", "Alias %1: %2").arg(alias, fault));
}

QString CheckedDirectory(const QString& alias, const QString& directory, const QString& origin)
{
    if (!QFileInfo(directory).isDir())
        RaiseAliasError(alias,
            QCoreApplication::translate("Alias", "directory \"%1\" (%2) does not exist")
                .arg(directory, origin));
    return QDir(directory).absolutePath();
}

} // namespace

QString ResolveAlias(const QString& alias, const QString& dataDirOption)
{
    if (!dataDirOption.isEmpty())
        return CheckedDirectory(alias, dataDirOption, QCoreApplication::translate("Alias", "from --data"));
    const QString variable = QStringLiteral("QUIREL_ALIAS_") + alias.toUpper();
    const QString fromEnvironment = qEnvironmentVariable(variable.toLatin1().constData());
    if (!fromEnvironment.isEmpty())
        return CheckedDirectory(
            alias, fromEnvironment, QCoreApplication::translate("Alias", "from %1").arg(variable));
    if (alias.compare(kBusinessAlias, Qt::CaseInsensitive) != 0)
        RaiseAliasError(alias,
            QCoreApplication::translate("Alias", "not defined; give --data DIR or set %1").arg(variable));
    const QString installed = QStringLiteral(QUIREL_SAMPLEDB_INSTALLED);
    if (!installed.isEmpty() && QFileInfo(installed).isDir())
        return QDir(installed).absolutePath();
    return CheckedDirectory(alias, QStringLiteral(QUIREL_SAMPLEDB_BUILD),
        QCoreApplication::translate("Alias", "the bundled sample database; not built?"));
}

QString FindFileIgnoringCase(const QString& directory, const QString& name)
{
    const QDir dir(directory);
    if (dir.exists(name))
        return dir.filePath(name);
    QString found;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!found.isEmpty())
            return dir.filePath(name);
        found = entry;
    }
    return dir.filePath(found.isEmpty() ? name : found);
}
