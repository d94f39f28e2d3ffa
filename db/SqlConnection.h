#pragma once

#include "platform/Component.h"

#include <QString>
#include <functional>
#include <vector>

class QSqlDatabase;

/// A connection to an SQL database through Qt SQL, named by a URL (see SqlUrl.h). Queries share it.
/// Everything is read only: an SQLite file is opened read-only and never created.
class TSqlConnection : public TComponent {
public:
    /// Not connected, with no URL.
    explicit TSqlConnection(TComponent* owner);
    /// Closes first, so the queries let go of their statements.
    ~TSqlConnection() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The database URL as set, password included.
    const QString& Url() const { return m_url; }
    /// Throws EReportError while connected.
    void SetUrl(const QString& url);
    /// The URL with its password hidden: what messages show.
    QString DisplayUrl() const;
    /// The folder a relative SQLite path ("sqlite:orders.db") is read from; empty: the working folder.
    /// The URL keeps the path as written. Throws EReportError while connected.
    ///@{
    const QString& BaseDirectory() const { return m_baseDirectory; }
    void SetBaseDirectory(const QString& directory);
    ///@}

    /// Between a successful Open and Close.
    bool Connected() const;
    /// Connects if not connected. Throws EReportError naming the URL (password hidden) and the
    /// driver's reason: a bad URL, a driver Qt lacks, a file that does not exist, a server refusing.
    void Open();
    /// Tells the close clients, then disconnects; nothing happens when not connected.
    void Close();
    /// The open database; Open first.
    QSqlDatabase Database() const;
    /// The SQLite file this connection reads, absolute; empty for a server.
    QString DatabaseFile() const;
    /// `name` quoted as a table or column name for the URL's database, keeping its case; needs no
    /// connection.
    QString QuoteIdentifier(const QString& name) const;

    /// `client` is called before the connection closes (or is destroyed), so that it lets go of its
    /// statements first; adding a client again replaces its handler.
    void AddCloseClient(TComponent* client, std::function<void()> handler);
    /// Drops the handler AddCloseClient gave `client`.
    void RemoveCloseClient(TComponent* client);

private:
    /// The SQLite file of a parsed URL, against BaseDirectory when relative.
    QString SqliteFile(const QString& path) const;

    struct CloseClient {
        TComponent* component;
        std::function<void()> handler;
    };
    std::vector<CloseClient> m_closeClients;
    QString m_url;
    QString m_baseDirectory;
    /// The name Qt's connection registry knows the connection by; empty when closed.
    QString m_connectionName;
};
