#include "db/SqlConnection.h"

#include "db/SqlUrl.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <atomic>

namespace {

[[noreturn]] void RaiseConnectionError(const QString& url, const QString& fault)
{
    throw EReportError(QCoreApplication::translate("TSqlConnection", "Database \"%1\": %2")
                           .arg(HideUrlPassword(url), fault));
}

QString NewConnectionName()
{
    static std::atomic<int> counter { 0 };
    return QStringLiteral("quirel-sql-%1").arg(++counter);
}

/// The Debian package that holds a driver, for the message that it is missing.
QString DriverPackage(const QString& driver)
{
    if (driver == u"QSQLITE")
        return QStringLiteral("libqt6sql6-sqlite");
    if (driver == u"QPSQL")
        return QStringLiteral("libqt6sql6-psql");
    if (driver == u"QMYSQL")
        return QStringLiteral("libqt6sql6-mysql");
    if (driver == u"QODBC")
        return QStringLiteral("libqt6sql6-odbc");
    return QStringLiteral("libqt6sql6-*");
}

} // namespace

TSqlConnection::TSqlConnection(TComponent* owner)
    : TComponent(owner)
{
}

TSqlConnection::~TSqlConnection()
{
    Close();
}

QString TSqlConnection::ClassName() const
{
    return QStringLiteral("TSqlConnection");
}

void TSqlConnection::SetUrl(const QString& url)
{
    if (Connected())
        throw EReportError(QCoreApplication::translate(
            "TSqlConnection", "Database \"%1\": cannot change the URL while connected")
                               .arg(DisplayUrl()));
    m_url = url;
}

void TSqlConnection::SetBaseDirectory(const QString& directory)
{
    if (Connected())
        throw EReportError(QCoreApplication::translate(
            "TSqlConnection", "Database \"%1\": cannot change the base folder while connected")
                               .arg(DisplayUrl()));
    m_baseDirectory = directory;
}

QString TSqlConnection::SqliteFile(const QString& path) const
{
    if (m_baseDirectory.isEmpty() || !QFileInfo(path).isRelative())
        return path;
    return QDir(m_baseDirectory).filePath(path);
}

QString TSqlConnection::DisplayUrl() const
{
    return HideUrlPassword(m_url);
}

bool TSqlConnection::Connected() const
{
    return !m_connectionName.isEmpty();
}

void TSqlConnection::Open()
{
    if (Connected())
        return;
    TSqlUrl url = ParseSqlUrl(m_url);
    if (url.driver == u"QSQLITE")
        url.database = SqliteFile(url.database);
    if (!QSqlDatabase::isDriverAvailable(url.driver))
        RaiseConnectionError(m_url,
            QCoreApplication::translate(
                "TSqlConnection", "the Qt SQL driver %1 is not installed (package %2)")
                .arg(url.driver, DriverPackage(url.driver)));
    QString options = url.options;
    if (url.driver == u"QSQLITE") {
        // Opening a missing file would create an empty database and report tables missing instead.
        const QFileInfo file(url.database);
        if (!file.exists())
            RaiseConnectionError(m_url,
                QCoreApplication::translate("TSqlConnection", "the file \"%1\" does not exist")
                    .arg(url.database));
        if (!file.isFile())
            RaiseConnectionError(m_url,
                QCoreApplication::translate("TSqlConnection", "\"%1\" is not a file").arg(url.database));
        options = options.isEmpty() ? QStringLiteral("QSQLITE_OPEN_READONLY")
                                    : options + QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    const QString name = NewConnectionName();
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(url.driver, name);
        database.setDatabaseName(url.database);
        database.setHostName(url.host);
        if (url.port > 0)
            database.setPort(url.port);
        database.setUserName(url.user);
        database.setPassword(url.password);
        database.setConnectOptions(options);
        if (!database.open()) {
            const QString reason = database.lastError().text().trimmed();
            database = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            RaiseConnectionError(
                m_url, QCoreApplication::translate("TSqlConnection", "cannot connect: %1").arg(reason));
        }
    }
    m_connectionName = name;
}

void TSqlConnection::Close()
{
    if (!Connected())
        return;
    const std::vector<CloseClient> clients = m_closeClients;
    for (const CloseClient& client : clients)
        client.handler();
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

QSqlDatabase TSqlConnection::Database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QString TSqlConnection::DatabaseFile() const
{
    if (!IsDatabaseUrl(m_url))
        return {};
    const TSqlUrl url = ParseSqlUrl(m_url);
    return url.driver == u"QSQLITE" ? QFileInfo(SqliteFile(url.database)).absoluteFilePath() : QString();
}

void TSqlConnection::AddCloseClient(TComponent* client, std::function<void()> handler)
{
    RemoveCloseClient(client);
    m_closeClients.push_back({ client, std::move(handler) });
}

void TSqlConnection::RemoveCloseClient(TComponent* client)
{
    std::erase_if(m_closeClients, [client](const CloseClient& c) { return c.component == client; });
}

QString TSqlConnection::QuoteIdentifier(const QString& name) const
{
    const QString scheme = m_url.section(u':', 0, 0).toLower();
    // SQLite reads a double-quoted name that matches no column as a string literal: a missing column
    // would arrive as its own name in every row. A name in backticks is never a literal.
    if (scheme.startsWith(u"sqlite") || scheme == u"mysql" || scheme == u"mariadb") {
        QString quoted = name;
        return u'`' + quoted.replace(u'`', QStringLiteral("``")) + u'`';
    }
    QString quoted = name;
    return u'"' + quoted.replace(u'"', QStringLiteral("\"\"")) + u'"';
}
