#pragma once

#include "db/DataSet.h"

#include <QVariant>
#include <vector>

/// A dataset whose records are held in memory: for tests and for callers that feed a report without
/// a database. Fields are added while closed; records may be appended at any time.
class TMemoryDataSet : public TDataSet {
public:
    /// An empty, closed dataset without fields, deleted by `owner`. Add the fields, append the
    /// records, then Open.
    explicit TMemoryDataSet(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Throws EReportError when open or when the name is taken.
    TField* AddField(const QString& fieldName, TFieldType type, int size = 0);
    /// One value per field, in field order; a null QVariant is a null value. Each value is converted
    /// to its field's type; a value that does not convert throws EReportError naming the field and
    /// the record, and nothing is appended.
    void AppendRecord(const std::vector<QVariant>& values);
    /// Removes every record; the fields stay.
    void ClearRecords();

protected:
    /// @cond ENGINE
    void DoOpen() override;
    void DoClose() override;
    int StoredRecordCount() const override;
    QVariant StoredValue(int record, const TField& field) const override;
    /// @endcond

private:
    std::vector<std::vector<QVariant>> m_records;
};
