#include "tools/pxdump/PxDumpSql.h"

#include "db/DbErrors.h"
#include "db/GraphicBlob.h"
#include "db/ParadoxReader.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTime>
#include <cmath>

using namespace paradox;

namespace {

/// Rows per INSERT: one statement per row is several times slower to load, one for the whole table
/// makes a single statement of megabytes.
constexpr int kRowsPerInsert = 100;

QByteArray QuotedIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

bool HasCarriageReturn(const QString& text)
{
    return text.contains(u'\r');
}

QByteArray QuotedText(const QString& text, TSqlDialect dialect)
{
    // sqlite3 reads its script a line at a time and drops the carriage return before each line end,
    // which would turn a memo's CR LF into LF; the bytes of such a text go in as hex instead.
    if (dialect == TSqlDialect::Sqlite && HasCarriageReturn(text))
        return "CAST(X'" + text.toUtf8().toHex() + "' AS TEXT)";
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return '\'' + quoted.toUtf8() + '\'';
}

QByteArray BinaryLiteral(const QByteArray& bytes, TSqlDialect dialect)
{
    if (dialect == TSqlDialect::Sqlite)
        return "X'" + bytes.toHex() + '\'';
    // decode() reads the same whatever standard_conforming_strings says about backslashes.
    return "decode('" + bytes.toHex() + "','hex')";
}

QByteArray ColumnType(const TPxField& field, TSqlDialect dialect)
{
    const bool sqlite = dialect == TSqlDialect::Sqlite;
    switch (field.type) {
    case TPxFieldType::Alpha:
        return "VARCHAR(" + QByteArray::number(field.sizeByte) + ')';
    case TPxFieldType::Date:
        return "DATE";
    // SQLite's driver in Qt reads only INTEGER and INT as integer columns.
    case TPxFieldType::Short:
        return sqlite ? "INTEGER" : "SMALLINT";
    case TPxFieldType::Long:
    case TPxFieldType::AutoIncrement:
        return "INTEGER";
    // Money is a double in the table; NUMERIC without a scale keeps each value as it is.
    case TPxFieldType::Currency:
        return "NUMERIC";
    case TPxFieldType::Number:
        return sqlite ? "REAL" : "DOUBLE PRECISION";
    case TPxFieldType::Bcd:
        return "NUMERIC(" + QByteArray::number(kBcdDigits) + ',' + QByteArray::number(field.sizeByte) + ')';
    case TPxFieldType::Logical:
        return "BOOLEAN";
    case TPxFieldType::Memo:
        return "TEXT";
    case TPxFieldType::Time:
        return "TIME";
    case TPxFieldType::Timestamp:
        return "TIMESTAMP";
    case TPxFieldType::Binary:
    case TPxFieldType::FormattedMemo:
    case TPxFieldType::Ole:
    case TPxFieldType::Graphic:
    case TPxFieldType::Bytes:
        return sqlite ? "BLOB" : "BYTEA";
    }
    return "TEXT";
}

QByteArray ValueLiteral(const TParadoxReader& table, int record, int field, TSqlDialect dialect)
{
    const QVariant value = table.Value(record, field);
    if (value.isNull())
        return "NULL";
    const TPxField& column = table.Fields()[size_t(field)];
    switch (column.type) {
    case TPxFieldType::Alpha:
    case TPxFieldType::Memo:
        return QuotedText(value.toString(), dialect);
    case TPxFieldType::Short:
    case TPxFieldType::Long:
    case TPxFieldType::AutoIncrement:
        return QByteArray::number(value.toInt());
    case TPxFieldType::Currency:
    case TPxFieldType::Number:
    case TPxFieldType::Bcd: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            RaiseTableValueError(table.FileName(), record + 1, column.name,
                QCoreApplication::translate("pxdump", "%1 is not a number SQL can store").arg(number));
        // Shortest text that reads back as the same double.
        return QByteArray::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case TPxFieldType::Logical:
        return value.toBool() ? "TRUE" : "FALSE";
    case TPxFieldType::Date:
        return QuotedText(value.toDate().toString(Qt::ISODate), dialect);
    case TPxFieldType::Time:
        return QuotedText(value.toTime().toString(u"HH:mm:ss.zzz"), dialect);
    case TPxFieldType::Timestamp:
        return QuotedText(value.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss.zzz"), dialect);
    case TPxFieldType::Graphic:
        return BinaryLiteral(GraphicPayload(value.toByteArray()).toByteArray(), dialect);
    case TPxFieldType::Binary:
    case TPxFieldType::FormattedMemo:
    case TPxFieldType::Ole:
    case TPxFieldType::Bytes:
        return BinaryLiteral(value.toByteArray(), dialect);
    }
    return "NULL";
}

} // namespace

std::optional<TSqlDialect> SqlDialectNamed(const QString& name)
{
    if (name == u"sqlite")
        return TSqlDialect::Sqlite;
    if (name == u"postgresql" || name == u"postgres")
        return TSqlDialect::PostgreSql;
    return std::nullopt;
}

QByteArray DumpSql(const TParadoxReader& table, TSqlDialect dialect)
{
    const QByteArray name = QuotedIdentifier(QFileInfo(table.FileName()).completeBaseName());
    const std::vector<TPxField>& fields = table.Fields();
    QByteArray out = "CREATE TABLE " + name + " (";
    QByteArray columns;
    for (size_t i = 0; i < fields.size(); ++i) {
        out += (i ? ",\n    " : "\n    ") + QuotedIdentifier(fields[i].name) + ' '
            + ColumnType(fields[i], dialect);
        columns += (i ? ", " : "") + QuotedIdentifier(fields[i].name);
    }
    out += "\n);\n";
    for (int record = 0; record < table.RecordCount(); ++record) {
        out += record % kRowsPerInsert == 0 ? "INSERT INTO " + name + " (" + columns + ") VALUES\n(" : ",\n(";
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i)
                out += ", ";
            out += ValueLiteral(table, record, int(i), dialect);
        }
        out += ')';
        if (record % kRowsPerInsert == kRowsPerInsert - 1 || record + 1 == table.RecordCount())
            out += ";\n";
    }
    return out;
}
