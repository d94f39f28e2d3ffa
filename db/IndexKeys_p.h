#pragma once

#include <QVariant>
#include <functional>
#include <vector>

/// The index keys of a dataset's stored records, one column per index field, compared as
/// CompareFieldValues compares them. A column whose values all have one number type (or are null)
/// keeps them as doubles and a bit each: a table of a million items would otherwise hold a million
/// QVariants. Any other column keeps its values.
class TIndexKeys {
public:
    /// Takes `value(record, column)` for every record, record by record.
    void Build(int recordCount, size_t width, const std::function<QVariant(int, size_t)>& value);
    void Clear();
    size_t Width() const { return m_columns.size(); }
    bool Empty() const { return m_columns.empty() || m_recordCount == 0; }
    /// The order of two records by their first `count` columns.
    int Compare(int a, int b, size_t count) const;
    /// The order of a record and a key of `count` values.
    int Compare(int record, const QVariant* key, size_t count) const;

private:
    struct TColumn {
        bool keepsValues = false;
        /// The one number type of the column's numbers; unknown while all are null.
        QMetaType::Type numberType = QMetaType::UnknownType;
        std::vector<double> numbers;
        std::vector<bool> nulls;
        std::vector<QVariant> values;
    };
    QVariant ValueOf(const TColumn& column, int record) const;

    std::vector<TColumn> m_columns;
    int m_recordCount = 0;
};
