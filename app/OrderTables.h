#pragma once

#include "db/Field.h"

#include <QString>
#include <functional>
#include <vector>

class TComponent;
class TDataSet;
class TDataSource;
class TSqlConnection;

/// One declared field of a business table.
struct TFieldDefinition {
    QString name;
    TFieldType type;
    /// Capacity of a string field; 0 for the other kinds.
    int size = 0;
};

/// One of the six business tables: its file, order, master link and declared fields.
struct TTableDefinition {
    QString tableObject; ///< "Ordem"
    QString sourceObject; ///< "DSOrdem"
    QString fileName; ///< "OrdemCompra.DB"
    QString indexFieldNames; ///< empty: the table's own order
    QString masterObject; ///< the master table, empty when none
    QString masterFields;
    bool autoEdit = true;
    std::vector<TFieldDefinition> fields;
    /// The order of an SQL query, ";"-separated; empty: the index fields. An SQL table keeps no stored
    /// order, which the index leaves equal keys in.
    QString sqlOrderFields = {};
    /// The table's name in an SQL database: the file name without its extension ("OrdemCompra").
    QString SqlTableName() const;
    /// The query that reads the table from an SQL database: the declared fields, and for a detail
    /// only the rows of the master's record (the parameter named after the master field). `quote`
    /// quotes a table or column name for the database.
    QString SqlQuery(const std::function<QString(const QString&)>& quote) const;
};

/// The six tables in the order they open: Ordem, Itens, Parametros, Fornecedores, Produtos, Transp.
const std::vector<TTableDefinition>& OrderTableDefinitions();
const TTableDefinition& OrderTableDefinition(QStringView tableObject);

/// The tables and their data sources, owned by the form that creates them.
struct TOrderTables {
    TDataSet* Ordem = nullptr;
    TDataSet* Itens = nullptr;
    TDataSet* Parametros = nullptr;
    TDataSet* Fornecedores = nullptr;
    TDataSet* Produtos = nullptr;
    TDataSet* Transp = nullptr;
    TDataSource* DSOrdem = nullptr;
    TDataSource* DSItens = nullptr;
    TDataSource* DSParametros = nullptr;
    TDataSource* DSFornecedores = nullptr;
    TDataSource* DSProdutos = nullptr;
    TDataSource* DSTransp = nullptr;
    /// The database the tables are read from when it is an SQL one; nullptr for Paradox tables.
    TSqlConnection* Connection = nullptr;

    /// In opening order.
    std::vector<TDataSet*> Tables() const;
};

/// Creates the six tables with their declared fields, index orders and master links, and a data source
/// for each, all owned by `owner`. Nothing opens yet. `databaseName` is an alias (normally KORVANE) or a
/// directory of Paradox tables (TTable), or a database URL (sqlite:///path/orders.db,
/// postgresql://user@host/dbname): then each table is a TSqlQuery over one connection, and each detail
/// runs its query again for every record of its master. `dataDirectory` (the --data option) is where
/// the alias points when not empty.
TOrderTables CreateOrderTables(
    TComponent* owner, const QString& databaseName, const QString& dataDirectory = QString());

/// Opens the tables in order; the first failure throws EReportError with the table's message.
void OpenOrderTables(const TOrderTables& tables);
