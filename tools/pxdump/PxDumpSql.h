#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class TParadoxReader;

/// The SQL flavour pxdump writes.
enum class TSqlDialect { Sqlite, PostgreSql };

/// "sqlite" or "postgresql" (also "postgres"); nothing for another name.
std::optional<TSqlDialect> SqlDialectNamed(const QString& name);

/// The table as SQL, UTF-8: CREATE TABLE named after the file (without extension) and INSERT statements
/// with every record in stored order. Alpha becomes VARCHAR(n); number a double; money and BCD
/// NUMERIC; logical BOOLEAN; date, time and timestamp DATE, TIME, TIMESTAMP (ISO text in SQLite);
/// memo TEXT; binary, formatted memo, OLE, bytes and graphics BLOB (BYTEA in PostgreSQL), a graphic
/// as its picture file without the table's graphic header. Identifiers are quoted, so names keep
/// their case. Throws EReportError when a value cannot be read or written (a number that is not
/// finite), naming the file, the record and the field.
QByteArray DumpSql(const TParadoxReader& table, TSqlDialect dialect);
