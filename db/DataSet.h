#pragma once

#include "db/Field.h"
#include "platform/Component.h"

#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class TDataSource;
class TIndexKeys;

/// A read-only record cursor over a list of fields. Derived classes supply the stored records
/// (StoredRecordCount, StoredValue); this class orders them by IndexFieldNames, restricts them to the
/// master's record when MasterSource is set, and moves the cursor.
///
/// Ordering and ranges: with IndexFieldNames ("A;B") the records are sorted by those fields, stable
/// (equal keys keep stored order), nulls first. With MasterSource and MasterFields, only the records
/// whose leading index fields equal the master's MasterFields at its current record are visible; the
/// range follows every record change of the master. A master that is closed, empty, or whose master
/// field is null leaves the detail empty.
class TDataSet : public TComponent {
public:
    /// Closed, with no fields until the derived class adds them.
    explicit TDataSet(TComponent* owner);
    /// Leaves the master and tells its data sources that the dataset is gone.
    ~TDataSet() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Open; setting it calls Open or Close.
    ///@{
    bool Active() const { return m_active; }
    void SetActive(bool active);
    ///@}
    /// Loads the records and moves to the first one (of the range, for a detail). Throws EReportError
    /// naming the dataset and what is wrong; the dataset then stays closed.
    void Open();
    /// Drops the loaded order; the fields read null until the next Open.
    void Close();

    /// To the first record of the range; Eof when the range is empty.
    void First();
    /// To the next record; past the last one it stays there and sets Eof.
    void Next();
    /// True after First or Next found no record, and on a closed dataset.
    bool Eof() const;
    /// Records in the current range; 0 when closed.
    int RecordCount() const;
    /// Searches the range in index order for the first record whose field equals `value` exactly
    /// (case-sensitive). A text value is converted to the field's type; text that does not convert
    /// matches nothing. Moves there and returns true, or returns false and stays.
    bool Locate(QStringView fieldName, const QVariant& value);

    /// The fields in the order they were added; Field throws std::out_of_range for a bad index.
    ///@{
    int FieldCount() const { return int(m_fields.size()); }
    TField* Field(int index) const { return m_fields.at(index).get(); }
    ///@}
    /// Case-insensitive; nullptr when the dataset has no such field.
    TField* FindField(QStringView fieldName) const;
    /// As FindField, but throws EReportError naming the dataset and the field when absent.
    TField* FieldByName(QStringView fieldName) const;

    /// The sort order.
    const QString& IndexFieldNames() const { return m_indexFieldNames; }
    /// Fields separated by ";"; applied at the next Open, or at once when open.
    void SetIndexFieldNames(const QString& names);
    /// The master's data source, making this a detail of its current record; throws EReportError
    /// when the chain of masters would lead back to this dataset.
    ///@{
    TDataSource* MasterSource() const { return m_masterSource; }
    void SetMasterSource(TDataSource* source);
    ///@}
    /// The master fields as set.
    const QString& MasterFields() const { return m_masterFields; }
    /// The master's fields, ";"-separated, compared with the leading index fields in order.
    void SetMasterFields(const QString& names);

protected:
    /// Adds a field at the end of the list; throws EReportError when open or when the name is taken.
    TField* CreateField(const QString& fieldName, TFieldType type, int size);
    /// Makes the stored records readable and checks the fields; throws EReportError on failure.
    virtual void DoOpen() = 0;
    /// Releases what DoOpen took; runs after the cursor is cleared.
    virtual void DoClose() = 0;
    /// Records stored, before ordering and ranges; read only while open.
    virtual int StoredRecordCount() const = 0;
    /// The value of `field` in stored record `record` (0 <= record < StoredRecordCount()), of the
    /// field's type or null.
    virtual QVariant StoredValue(int record, const TField& field) const = 0;
    /// Re-reads the order and range after the stored records changed, and moves to the first record.
    void Refresh();
    /// @cond ENGINE
    void Notification(TComponent* component, TOperation operation) override;
    /// @endcond

private:
    friend class TField;
    friend class TDataSource;

    QVariant CurrentValue(const TField& field) const;
    void AttachDataSource(TDataSource* source);
    void DetachDataSource(TDataSource* source);
    void MasterChanged();
    void BuildOrder();
    void ApplyRange();
    QVariant RecordValue(int record, const TField& field) const;
    std::vector<TField*> IndexFields() const;
    void RaiseNotice(bool activeChanged);

    std::vector<std::unique_ptr<TField>> m_fields;
    std::vector<TDataSource*> m_dataSources;
    bool m_active = false;
    QString m_indexFieldNames;
    QString m_masterFields;
    TDataSource* m_masterSource = nullptr;
    /// Stored record numbers in index order, with their keys.
    std::vector<int> m_order;
    std::unique_ptr<TIndexKeys> m_keys;
    /// The range: a slice [m_rangeBegin, m_rangeEnd) of m_order.
    int m_rangeBegin = 0;
    int m_rangeEnd = 0;
    /// Cursor position within the range.
    int m_position = 0;
    bool m_eof = true;
};
