#include "db/SqlQuery.h"

#include "db/DataSource.h"
#include "db/DbErrors.h"
#include "db/FieldValue.h"
#include "db/SqlConnection.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace {

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

/// `:name` outside quoted text; "::" (a PostgreSQL cast) is not a parameter.
QStringList ParamNamesOf(const QString& sql)
{
    QStringList names;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u':' && i + 1 < sql.size() && sql[i + 1] == u':') {
            ++i;
        } else if (c == u':' && i + 1 < sql.size() && IsNameChar(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < sql.size() && IsNameChar(sql[end]))
                ++end;
            const QString name = sql.mid(i + 1, end - i - 1);
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
            i = end - 1;
        }
    }
    return names;
}

/// The field kind a result column is read as, from the driver's metadata.
TFieldType FieldTypeOfColumn(const QSqlField& column)
{
    switch (column.metaType().id()) {
    case QMetaType::Bool:
        return TFieldType::ftBoolean;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::SChar:
        return TFieldType::ftSmallint;
    case QMetaType::Int:
        return TFieldType::ftInteger;
    // A 64-bit integer does not fit the integer kind; a double holds it exactly up to 2^53.
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return TFieldType::ftFloat;
    case QMetaType::QDate:
        return TFieldType::ftDate;
    case QMetaType::QTime:
        return TFieldType::ftTime;
    case QMetaType::QDateTime:
        return TFieldType::ftDateTime;
    case QMetaType::QByteArray:
        return TFieldType::ftBlob;
    default:
        return TFieldType::ftString;
    }
}

/// The result column of a field, without regard to case; -1 when there is none. Qt's SQLite driver
/// drops the double quotes from column names, so a name holding some matches without them too.
int ColumnOf(const QSqlRecord& columns, const QString& fieldName)
{
    for (int c = 0; c < columns.count(); ++c)
        if (columns.fieldName(c).compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    QString unquoted = fieldName;
    unquoted.remove(u'"');
    for (int c = 0; c < columns.count(); ++c)
        if (columns.fieldName(c).compare(unquoted, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

bool IsNumericType(TFieldType type)
{
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return true;
    default:
        return false;
    }
}

/// A value from the database as a value of `type`. Text from a database is never in the user's
/// notation: numbers are read in C notation ("1.500" is one and a half, not fifteen hundred) and
/// dates and timestamps in ISO form, as SQL writes them.
std::optional<QVariant> ConvertSqlValue(const QVariant& value, TFieldType type)
{
    if (value.typeId() != QMetaType::QString)
        return ConvertToFieldType(value, type);
    const QString text = value.toString().trimmed();
    if (IsNumericType(type)) {
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const double number = QLocale::c().toDouble(text, &ok);
        if (!ok || !std::isfinite(number))
            return std::nullopt;
        return ConvertToFieldType(QVariant(number), type);
    }
    if (type == TFieldType::ftDate || type == TFieldType::ftDateTime) {
        if (text.isEmpty())
            return QVariant();
        QString iso = text;
        if (iso.size() > 10 && iso[10] == u' ')
            iso[10] = u'T';
        const QDateTime moment = QDateTime::fromString(iso, Qt::ISODateWithMs);
        if (moment.isValid())
            return ConvertToFieldType(QVariant(moment), type);
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        return ConvertToFieldType(QVariant(date), type);
    }
    return ConvertToFieldType(value, type);
}

} // namespace

TSqlQuery::TSqlQuery(TComponent* owner)
    : TDataSet(owner)
{
}

TSqlQuery::~TSqlQuery()
{
    if (m_paramSource)
        m_paramSource->RemoveClient(this);
    if (m_connection)
        m_connection->RemoveCloseClient(this);
    ReleaseStatement();
}

QString TSqlQuery::ClassName() const
{
    return QStringLiteral("TSqlQuery");
}

void TSqlQuery::SetConnection(TSqlConnection* connection)
{
    if (Active())
        RaiseDataSetOpen(*this, QCoreApplication::translate("TDataSet", "change Connection"));
    if (connection == m_connection)
        return;
    ReleaseStatement();
    if (m_connection) {
        m_connection->RemoveCloseClient(this);
        m_connection->RemoveFreeNotification(this);
    }
    m_connection = connection;
    if (m_connection) {
        m_connection->FreeNotification(this);
        // Statements must go before their connection does.
        m_connection->AddCloseClient(this, [this] {
            Close();
            ReleaseStatement();
        });
    }
}

void TSqlQuery::SetSQL(const QString& sql)
{
    if (Active())
        RaiseDataSetOpen(*this, QCoreApplication::translate("TDataSet", "change SQL"));
    ReleaseStatement();
    m_sql = sql;
}

QStringList TSqlQuery::ParamNames() const
{
    return ParamNamesOf(m_sql);
}

void TSqlQuery::SetParam(const QString& name, const QVariant& value)
{
    for (TSqlParam& param : m_params) {
        if (param.Name.compare(name, Qt::CaseInsensitive) == 0) {
            param = { name, value };
            return;
        }
    }
    m_params.push_back({ name, value });
}

void TSqlQuery::SetParamSource(TDataSource* source)
{
    if (source == m_paramSource)
        return;
    if (m_paramSource)
        m_paramSource->RemoveClient(this);
    m_paramSource = source;
    if (m_paramSource)
        m_paramSource->AddClient(this, [this](TDataSource*, TDataNotice) { ParamSourceChanged(); });
    ParamSourceChanged();
}

TField* TSqlQuery::AddField(const QString& fieldName, TFieldType type, int size)
{
    return CreateField(fieldName, type, size);
}

QString TSqlQuery::Description() const
{
    return QCoreApplication::translate("TSqlQuery", "%1 on \"%2\", SQL \"%3\"")
        .arg(
            ComponentLabel(*this), m_connection ? m_connection->DisplayUrl() : QString(), m_sql.simplified());
}

void TSqlQuery::Fail(const QString& fault) const
{
    throw EReportError(QStringLiteral("%1: %2").arg(Description(), fault));
}

void TSqlQuery::DoOpen()
{
    if (!m_connection)
        Fail(QCoreApplication::translate("TSqlQuery", "no connection"));
    if (m_sql.trimmed().isEmpty())
        Fail(QCoreApplication::translate("TSqlQuery", "no SQL"));
    m_connection->Open();
    Prepare();
    Execute();
}

void TSqlQuery::DoClose()
{
    m_values.clear();
    m_rowCount = 0;
}

void TSqlQuery::Prepare()
{
    if (m_statement)
        return;
    auto statement = std::make_unique<QSqlQuery>(m_connection->Database());
    statement->setForwardOnly(true);
    if (!statement->prepare(m_sql))
        Fail(statement->lastError().text().trimmed());
    m_statement = std::move(statement);
}

std::optional<QVariant> TSqlQuery::ParamValue(const QString& name, bool& masterHasRecord) const
{
    for (const TSqlParam& param : m_params)
        if (param.Name.compare(name, Qt::CaseInsensitive) == 0)
            return param.Value;
    const TDataSet* master = m_paramSource ? m_paramSource->DataSet() : nullptr;
    if (!master)
        return std::nullopt;
    const TField* field = master->FindField(name);
    if (!field)
        return std::nullopt;
    if (!master->Active() || master->RecordCount() == 0)
        masterHasRecord = false;
    return field->Value();
}

void TSqlQuery::Execute()
{
    m_values.clear();
    m_rowCount = 0;
    bool masterHasRecord = true;
    for (const QString& name : ParamNames()) {
        const std::optional<QVariant> value = ParamValue(name, masterHasRecord);
        if (!value)
            Fail(QCoreApplication::translate("TSqlQuery",
                "the parameter :%1 has no value: it is not set, and the parameter source has no field %1")
                     .arg(name));
        m_statement->bindValue(u':' + name, *value);
    }
    // No master record: no rows. Fields taken from the result are still needed, since none can be
    // added once open; the statement then runs only for its columns.
    if (!masterHasRecord && FieldCount() > 0)
        return;
    if (!m_statement->exec())
        Fail(m_statement->lastError().text().trimmed());
    if (!masterHasRecord) {
        BindColumns();
        m_statement->finish();
        return;
    }
    BindColumns();
    const int fieldCount = FieldCount();
    while (m_statement->next()) {
        for (int i = 0; i < fieldCount; ++i) {
            const int column = m_columns[size_t(i)];
            const QVariant raw = m_statement->isNull(column) ? QVariant() : m_statement->value(column);
            const TField& field = *Field(i);
            const std::optional<QVariant> value = ConvertSqlValue(raw, field.DataType());
            if (!value) {
                const QString shown = raw.typeId() == QMetaType::QByteArray
                    ? QCoreApplication::translate("TSqlQuery", "binary data of %1 bytes")
                          .arg(raw.toByteArray().size())
                    : raw.toString();
                m_values.clear();
                m_statement->finish();
                Fail(QCoreApplication::translate(
                    "TSqlQuery", "record %1, field \"%2\": \"%3\" is not a valid %4 value")
                         .arg(m_rowCount + 1)
                         .arg(field.FieldName(), shown, FieldTypeName(field.DataType())));
            }
            m_values.push_back(*value);
        }
        ++m_rowCount;
    }
    if (m_statement->lastError().isValid()) {
        const QString reason = m_statement->lastError().text().trimmed();
        m_values.clear();
        m_rowCount = 0;
        Fail(reason);
    }
    m_statement->finish();
}

void TSqlQuery::BindColumns()
{
    const QSqlRecord columns = m_statement->record();
    if (FieldCount() == 0) {
        m_fieldsFromResult = true;
        for (int c = 0; c < columns.count(); ++c) {
            const QSqlField column = columns.field(c);
            const TFieldType type = FieldTypeOfColumn(column);
            CreateField(column.name(), type, type == TFieldType::ftString ? std::max(column.length(), 0) : 0);
        }
    }
    m_columns.assign(size_t(FieldCount()), -1);
    for (int i = 0; i < FieldCount(); ++i) {
        m_columns[size_t(i)] = ColumnOf(columns, Field(i)->FieldName());
        if (m_columns[size_t(i)] < 0)
            Fail(
                QCoreApplication::translate("TSqlQuery", "the result has no column for the field \"%1\" (%2)")
                    .arg(Field(i)->FieldName(), FieldTypeName(Field(i)->DataType())));
    }
}

int TSqlQuery::StoredRecordCount() const
{
    return m_rowCount;
}

QVariant TSqlQuery::StoredValue(int record, const TField& field) const
{
    return m_values.at(size_t(record) * size_t(FieldCount()) + size_t(field.Index()));
}

void TSqlQuery::Notification(TComponent* component, TOperation operation)
{
    TDataSet::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == m_connection) {
        Close();
        ReleaseStatement();
        m_connection = nullptr;
    }
    if (component == m_paramSource) {
        m_paramSource = nullptr;
        ParamSourceChanged();
    }
}

void TSqlQuery::ParamSourceChanged()
{
    if (!Active())
        return;
    try {
        Execute();
    } catch (...) {
        // The detail is empty rather than showing the previous master's rows.
        Refresh();
        throw;
    }
    Refresh();
}

void TSqlQuery::ReleaseStatement()
{
    m_statement.reset();
}
