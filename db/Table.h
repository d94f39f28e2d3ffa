#pragma once

#include "db/DataSet.h"
#include "db/ParadoxReader.h"

#include <memory>
#include <vector>

/// A Paradox table opened read-only under an alias (see Alias.h) or from a directory. Declared fields
/// must exist in the stored table with a matching type; with none declared, the stored fields are
/// taken as they are at the first Open.
class TTable : public TDataSet {
public:
    /// A closed table without a name or fields, deleted by `owner`. Set DatabaseName and
    /// TableName (and DataDirectory for an alias given on a command line), declare fields, Open.
    explicit TTable(TComponent* owner);
    ~TTable() override;
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// An alias ("KORVANE") or a directory path (anything holding a "/"). Throws when open.
    ///@{
    const QString& DatabaseName() const { return m_databaseName; }
    void SetDatabaseName(const QString& name);
    ///@}
    /// The directory an alias DatabaseName stands for in this table (a program's --data option),
    /// before the alias's environment variable and default; empty: none. Throws when open.
    ///@{
    const QString& DataDirectory() const { return m_dataDirectory; }
    void SetDataDirectory(const QString& directory);
    ///@}
    /// The file name ("OrdemCompra.DB"), matched without regard to case. Throws when open.
    ///@{
    const QString& TableName() const { return m_tableName; }
    void SetTableName(const QString& name);
    ///@}

    /// Declares a field; ftString with its capacity. Throws EReportError when open or taken.
    TField* AddField(const QString& fieldName, TFieldType type, int size = 0);
    /// The file read by the last Open; empty before.
    const QString& FilePath() const { return m_filePath; }
    /// Damage the last Open worked around without losing a record, each naming the file.
    QStringList Repairs() const;

protected:
    /// @cond ENGINE
    void DoOpen() override;
    void DoClose() override;
    int StoredRecordCount() const override;
    QVariant StoredValue(int record, const TField& field) const override;
    /// @endcond

private:
    QString ResolveFilePath() const;
    void BindFields();

    QString m_databaseName;
    QString m_dataDirectory;
    QString m_tableName;
    QString m_filePath;
    std::unique_ptr<TParadoxReader> m_reader;
    /// The stored column of each field, by field index.
    std::vector<int> m_columns;
};
