#include "db/IndexKeys_p.h"

#include "db/FieldValue.h"

namespace {

/// Number types whose values a double holds exactly and gives back as the same QVariant.
bool IsCompactNumber(QMetaType::Type type)
{
    return type == QMetaType::Double || type == QMetaType::Int;
}

bool IsNullValue(const QVariant& value)
{
    return value.isNull() || !value.isValid();
}

} // namespace

void TIndexKeys::Build(int recordCount, size_t width, const std::function<QVariant(int, size_t)>& value)
{
    Clear();
    m_columns.resize(width);
    m_recordCount = recordCount;
    for (TColumn& column : m_columns) {
        column.numbers.reserve(size_t(recordCount));
        column.nulls.reserve(size_t(recordCount));
    }
    for (int record = 0; record < recordCount; ++record) {
        for (size_t c = 0; c < width; ++c) {
            TColumn& column = m_columns[c];
            QVariant v = value(record, c);
            if (column.keepsValues) {
                column.values.push_back(std::move(v));
                continue;
            }
            const bool null = IsNullValue(v);
            const auto type = QMetaType::Type(v.typeId());
            if (!null && column.numberType == QMetaType::UnknownType && IsCompactNumber(type))
                column.numberType = type;
            if (null || type == column.numberType) {
                column.numbers.push_back(null ? 0.0 : v.toDouble());
                column.nulls.push_back(null);
                continue;
            }
            // A value of another kind: the column keeps values, those read so far read again.
            column.keepsValues = true;
            column.numbers = {};
            column.nulls = {};
            column.values.reserve(size_t(recordCount));
            for (int earlier = 0; earlier < record; ++earlier)
                column.values.push_back(value(earlier, c));
            column.values.push_back(std::move(v));
        }
    }
}

void TIndexKeys::Clear()
{
    m_columns.clear();
    m_recordCount = 0;
}

QVariant TIndexKeys::ValueOf(const TColumn& column, int record) const
{
    if (column.keepsValues)
        return column.values[size_t(record)];
    if (column.nulls[size_t(record)])
        return {};
    const double number = column.numbers[size_t(record)];
    return column.numberType == QMetaType::Int ? QVariant(int(number)) : QVariant(number);
}

int TIndexKeys::Compare(int a, int b, size_t count) const
{
    for (size_t c = 0; c < count; ++c) {
        const TColumn& column = m_columns[c];
        int order = 0;
        if (column.keepsValues) {
            order = CompareFieldValues(column.values[size_t(a)], column.values[size_t(b)]);
        } else {
            const bool aNull = column.nulls[size_t(a)];
            const bool bNull = column.nulls[size_t(b)];
            const double x = column.numbers[size_t(a)];
            const double y = column.numbers[size_t(b)];
            // Nulls first, as CompareFieldValues orders them.
            if (aNull || bNull)
                order = aNull == bNull ? 0 : (aNull ? -1 : 1);
            else
                order = x < y ? -1 : (y < x ? 1 : 0);
        }
        if (order != 0)
            return order;
    }
    return 0;
}

int TIndexKeys::Compare(int record, const QVariant* key, size_t count) const
{
    for (size_t c = 0; c < count; ++c)
        if (const int order = CompareFieldValues(ValueOf(m_columns[c], record), key[c]); order != 0)
            return order;
    return 0;
}
