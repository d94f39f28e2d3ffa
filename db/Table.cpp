#include "db/Table.h"

#include "db/Alias.h"
#include "db/DbErrors.h"

#include <QCoreApplication>

namespace {

/// Stored kinds a declared field accepts: the same kind, and the double-holding kinds for each other.
bool StoredTypeFits(TFieldType declared, TFieldType stored)
{
    if (declared == stored)
        return true;
    const auto isDouble
        = [](TFieldType t) { return t == TFieldType::ftFloat || t == TFieldType::ftCurrency; };
    if (isDouble(declared) && isDouble(stored))
        return true;
    return declared == TFieldType::ftInteger && stored == TFieldType::ftAutoInc;
}

} // namespace

TTable::TTable(TComponent* owner)
    : TDataSet(owner)
{
}

TTable::~TTable() = default;

QString TTable::ClassName() const
{
    return QStringLiteral("TTable");
}

void TTable::SetDatabaseName(const QString& name)
{
    if (Active())
        RaiseDataSetOpen(*this, QCoreApplication::translate("TDataSet", "change DatabaseName"));
    m_databaseName = name;
}

void TTable::SetDataDirectory(const QString& directory)
{
    if (Active())
        RaiseDataSetOpen(*this, QCoreApplication::translate("TDataSet", "change DataDirectory"));
    m_dataDirectory = directory;
}

void TTable::SetTableName(const QString& name)
{
    if (Active())
        RaiseDataSetOpen(*this, QCoreApplication::translate("TDataSet", "change TableName"));
    m_tableName = name;
}

TField* TTable::AddField(const QString& fieldName, TFieldType type, int size)
{
    return CreateField(fieldName, type, size);
}

QString TTable::ResolveFilePath() const
{
    if (m_tableName.isEmpty())
        RaiseLinkError(*this, QCoreApplication::translate("TDataSet", "no TableName"));
    if (m_databaseName.isEmpty())
        return m_tableName;
    const QString directory
        = m_databaseName.contains(u'/') ? m_databaseName : ResolveAlias(m_databaseName, m_dataDirectory);
    return FindFileIgnoringCase(directory, m_tableName);
}

void TTable::DoOpen()
{
    m_filePath = ResolveFilePath();
    m_reader = std::make_unique<TParadoxReader>(TParadoxReader::FromFile(m_filePath));
    try {
        BindFields();
    } catch (...) {
        m_reader.reset();
        throw;
    }
}

QStringList TTable::Repairs() const
{
    QStringList repairs;
    if (m_reader)
        for (const QString& repair : m_reader->Repairs())
            repairs.append(QCoreApplication::translate("TParadoxReader", "Paradox table \"%1\": %2")
                               .arg(m_filePath, repair));
    return repairs;
}

void TTable::BindFields()
{
    const std::vector<TPxField>& stored = m_reader->Fields();
    if (FieldCount() == 0) {
        for (const TPxField& column : stored)
            CreateField(column.name, FieldTypeOf(column.type), column.sizeByte);
    }
    m_columns.assign(size_t(FieldCount()), -1);
    for (int i = 0; i < FieldCount(); ++i) {
        const TField& field = *Field(i);
        for (size_t c = 0; c < stored.size(); ++c) {
            if (stored[c].name.compare(field.FieldName(), Qt::CaseInsensitive) == 0) {
                m_columns[i] = int(c);
                break;
            }
        }
        if (m_columns[i] < 0)
            RaiseStructureMismatch(m_filePath, field.FieldName(), FieldTypeName(field.DataType()), QString());
        const TPxField& column = stored[size_t(m_columns[i])];
        if (!StoredTypeFits(field.DataType(), FieldTypeOf(column.type)))
            RaiseStructureMismatch(
                m_filePath, field.FieldName(), FieldTypeName(field.DataType()), PxFieldTypeName(column.type));
    }
}

void TTable::DoClose()
{
    m_reader.reset();
}

int TTable::StoredRecordCount() const
{
    return m_reader ? m_reader->RecordCount() : 0;
}

QVariant TTable::StoredValue(int record, const TField& field) const
{
    return m_reader->Value(record, m_columns[size_t(field.Index())]);
}
