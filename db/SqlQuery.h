#pragma once

#include "db/DataSet.h"

#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

class QSqlQuery;
class TSqlConnection;

/// A parameter's fixed value, by the name it was given.
struct TSqlParam {
    /// As in the SQL, without the colon.
    QString Name;
    /// A null QVariant is SQL NULL.
    QVariant Value;
};

/// A dataset over the result of an SQL query run through a TSqlConnection.
///
/// Call order: SetConnection, SetSQL, then declare fields with AddField (or none: the result's
/// columns are then taken with types from the driver's metadata at the first Open), set parameters,
/// Open. The statement is prepared once and read forward only; the rows are kept, so First, Next,
/// Locate and RecordCount work as for a table and a run sees one state of the result.
///
/// Parameters are `:name` in the SQL. A parameter given no value with SetParam takes the field of the
/// same name (without regard to case) of ParamSource's dataset at its current record, and the query runs
/// again whenever that record changes: a master-detail link. A master that is closed or has no current
/// record leaves the query empty without running it.
///
/// Failures throw EReportError naming the query (its component name), the connection's URL with the
/// password hidden and the SQL: a failed connection, an unknown table or column, a declared field that
/// the result lacks, a value that does not convert to its field's type (with the record and field).
class TSqlQuery : public TDataSet {
public:
    /// Closed, with no connection, SQL or fields.
    explicit TSqlQuery(TComponent* owner);
    ~TSqlQuery() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The connection the query runs on, opened by the query's Open when needed; setting it
    /// throws EReportError when open.
    ///@{
    TSqlConnection* Connection() const { return m_connection; }
    void SetConnection(TSqlConnection* connection);
    ///@}
    /// The statement; setting it throws EReportError when open.
    ///@{
    const QString& SQL() const { return m_sql; }
    void SetSQL(const QString& sql);
    ///@}
    /// The parameter names of the SQL, without the colon, in order of first use.
    QStringList ParamNames() const;
    /// Fixes a parameter's value (a null QVariant is SQL NULL); applied at the next run. A name that
    /// differs only in case replaces the earlier one.
    void SetParam(const QString& name, const QVariant& value);
    /// The fixed values, in the order they were first set.
    const std::vector<TSqlParam>& Params() const { return m_params; }

    /// The master record the parameters without a fixed value are read from; the query runs
    /// again when it moves.
    ///@{
    TDataSource* ParamSource() const { return m_paramSource; }
    void SetParamSource(TDataSource* source);
    ///@}

    /// Declares a field; ftString with its capacity. Throws EReportError when open or taken.
    TField* AddField(const QString& fieldName, TFieldType type, int size = 0);
    /// True once the fields were taken from the result because none were declared.
    bool FieldsFromResult() const { return m_fieldsFromResult; }

    /// The query as messages name it: component name, connection URL (password hidden) and SQL.
    QString Description() const;

protected:
    /// @cond ENGINE
    void DoOpen() override;
    void DoClose() override;
    int StoredRecordCount() const override;
    QVariant StoredValue(int record, const TField& field) const override;
    void Notification(TComponent* component, TOperation operation) override;
    /// @endcond

private:
    void Prepare();
    /// Runs the prepared statement with the current parameters and reads every row.
    void Execute();
    void BindColumns();
    std::optional<QVariant> ParamValue(const QString& name, bool& masterHasRecord) const;
    void ParamSourceChanged();
    void ReleaseStatement();
    [[noreturn]] void Fail(const QString& fault) const;

    TSqlConnection* m_connection = nullptr;
    TDataSource* m_paramSource = nullptr;
    QString m_sql;
    std::vector<TSqlParam> m_params;
    std::unique_ptr<QSqlQuery> m_statement;
    /// The result column of each field, by field index.
    std::vector<int> m_columns;
    /// FieldCount() values per row, converted to the fields' types.
    std::vector<QVariant> m_values;
    int m_rowCount = 0;
    bool m_fieldsFromResult = false;
};
