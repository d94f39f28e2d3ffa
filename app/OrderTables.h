#pragma once

#include "db/Field.h"

#include <QString>
#include <vector>

class TComponent;
class TDataSource;
class TTable;

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
};

/// The six tables in the order they open: Ordem, Itens, Parametros, Fornecedores, Produtos, Transp.
const std::vector<TTableDefinition>& OrderTableDefinitions();
const TTableDefinition& OrderTableDefinition(QStringView tableObject);

/// The tables and their data sources, owned by the form that creates them.
struct TOrderTables {
    TTable* Ordem = nullptr;
    TTable* Itens = nullptr;
    TTable* Parametros = nullptr;
    TTable* Fornecedores = nullptr;
    TTable* Produtos = nullptr;
    TTable* Transp = nullptr;
    TDataSource* DSOrdem = nullptr;
    TDataSource* DSItens = nullptr;
    TDataSource* DSParametros = nullptr;
    TDataSource* DSFornecedores = nullptr;
    TDataSource* DSProdutos = nullptr;
    TDataSource* DSTransp = nullptr;

    /// In opening order.
    std::vector<TTable*> Tables() const;
};

/// Creates the six tables under `databaseName` (normally the KORVANE alias) with their declared fields,
/// index orders and master links, and a data source for each, all owned by `owner`. Nothing opens yet.
/// `dataDirectory` (the --data option) is where the alias points when not empty.
TOrderTables CreateOrderTables(
    TComponent* owner, const QString& databaseName, const QString& dataDirectory = QString());

/// Opens the tables in order; the first failure throws EReportError with the table's message.
void OpenOrderTables(const TOrderTables& tables);
