#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/// The SQL servers the tests read from: an SQLite file, and the PostgreSQL server that the CTest
/// fixture (tests/db/pg-server.sh) starts for the run.
enum class TSqlBackend { Sqlite, PostgreSql };

/// "SQLite" or "PostgreSQL", for test names.
const char* BackendName(TSqlBackend backend);

/// A database of the test's own, empty until loaded: a file in a temporary directory, or a database
/// created on the fixture's server and dropped at destruction.
class TScratchDatabase {
public:
    explicit TScratchDatabase(TSqlBackend backend);
    ~TScratchDatabase();
    TScratchDatabase(const TScratchDatabase&) = delete;
    TScratchDatabase& operator=(const TScratchDatabase&) = delete;

    TSqlBackend Backend() const { return m_backend; }
    /// The URL --db and TSqlConnection take.
    QString Url() const;
    /// Runs an SQL script through the command-line client (sqlite3, psql) as a user loading
    /// `pxdump --sql` would; empty on success, else the client's messages and exit code.
    QString Load(const QByteArray& script) const;
    /// The SQLite file; empty for PostgreSQL.
    QString File() const;

private:
    QStringList ClientArguments(const QString& database) const;

    TSqlBackend m_backend;
    QTemporaryDir m_dir;
    QString m_name;
};

/// The sample database the build generates, as `pxdump --sql --dialect DIALECT *.DB` writes it for
/// the backend.
QByteArray SampleDatabaseAsSql(TSqlBackend backend);

/// The fixture's server: the socket directory and the port. Fails the test when the fixture did not
/// start one (the test binary was run by hand: start it with tests/db/pg-server.sh).
QString PostgresSocketDir();
int PostgresPort();
