#include "db/MemoryDataSet.h"

#include "db/DbErrors.h"
#include "db/FieldValue.h"

TMemoryDataSet::TMemoryDataSet(TComponent* owner)
    : TDataSet(owner)
{
}

QString TMemoryDataSet::ClassName() const
{
    return QStringLiteral("TMemoryDataSet");
}

TField* TMemoryDataSet::AddField(const QString& fieldName, TFieldType type, int size)
{
    return CreateField(fieldName, type, size);
}

void TMemoryDataSet::AppendRecord(const std::vector<QVariant>& values)
{
    if (int(values.size()) != FieldCount())
        RaiseWrongValueCount(*this, FieldCount(), int(values.size()));
    std::vector<QVariant> record;
    record.reserve(values.size());
    for (int i = 0; i < FieldCount(); ++i) {
        const std::optional<QVariant> value = ConvertToFieldType(values[i], Field(i)->DataType());
        if (!value)
            RaiseBadValue(*this, Field(i)->FieldName(), int(m_records.size()) + 1, values[i].toString(),
                Field(i)->DataType());
        record.push_back(*value);
    }
    m_records.push_back(std::move(record));
    Refresh();
}

void TMemoryDataSet::ClearRecords()
{
    m_records.clear();
    Refresh();
}

void TMemoryDataSet::DoOpen()
{
}

void TMemoryDataSet::DoClose()
{
}

int TMemoryDataSet::StoredRecordCount() const
{
    return int(m_records.size());
}

QVariant TMemoryDataSet::StoredValue(int record, const TField& field) const
{
    return m_records.at(record).at(field.Index());
}
