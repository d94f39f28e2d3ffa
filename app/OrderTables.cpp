#include "app/OrderTables.h"

#include "db/DataSource.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "db/SqlUrl.h"
#include "db/Table.h"
#include "platform/ComponentCast.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>

namespace {

constexpr TFieldType S = TFieldType::ftString;
constexpr TFieldType F = TFieldType::ftFloat;
constexpr TFieldType I = TFieldType::ftInteger;
constexpr TFieldType B = TFieldType::ftBoolean;
constexpr TFieldType D = TFieldType::ftDate;
constexpr TFieldType M = TFieldType::ftMemo;
constexpr TFieldType G = TFieldType::ftGraphic;

std::vector<TTableDefinition> MakeDefinitions()
{
    using namespace Qt::StringLiterals;
    std::vector<TTableDefinition> tables;
    tables.push_back({ u"Ordem"_s, u"DSOrdem"_s, u"OrdemCompra.DB"_s, {}, {}, {}, true,
        { { u"CODIGO"_s, F }, { u"DATA_DIGITACAO"_s, D }, { u"PREVISAO_ENTREGA"_s, D },
            { u"FORNECEDOR"_s, S, 6 }, { u"NOME_FORNECEDOR"_s, S, 40 }, { u"FRETE"_s, F },
            { u"TRANSPORTADOR"_s, S, 6 }, { u"TOTAL_NOTA"_s, F }, { u"FORMA_PAGAMENTO"_s, S, 40 },
            { u"TIPO_PAGAMENTO"_s, S, 40 }, { u"ICMS"_s, F }, { u"TIPO_FRETE"_s, S, 10 },
            { u"OBS"_s, M } } });
    tables.push_back(
        { u"Itens"_s, u"DSItens"_s, u"OrdemCompraItens.DB"_s, u"ORDEM"_s, u"Ordem"_s, u"CODIGO"_s, true,
            { { u"ORDEM"_s, F }, { u"SEQ"_s, F }, { u"PRODUTO"_s, S, 20 }, { u"NOME_PRODUTO"_s, S, 60 },
                { u"QUANTIDADE"_s, F }, { u"PRECO"_s, F }, { u"TOTAL"_s, F }, { u"ALIQUOTA"_s, F },
                { u"ICMS"_s, F } } });
    // The line number is the order the lines were entered in, which the Paradox table keeps them in.
    tables.back().sqlOrderFields = u"ORDEM;SEQ"_s;
    tables.push_back({ u"Parametros"_s, u"DSParametros"_s, u"Parametr.DB"_s, {}, {}, {}, false,
        { { u"RAZAO_SOCIAL"_s, S, 40 }, { u"ENDERECO"_s, S, 40 }, { u"BAIRRO"_s, S, 20 },
            { u"CIDADE"_s, S, 35 }, { u"UF"_s, S, 2 }, { u"CEP"_s, S, 9 }, { u"CX_POSTAL"_s, S, 5 },
            { u"CGC"_s, S, 18 }, { u"INSCRICAO"_s, S, 15 }, { u"FONE"_s, S, 30 }, { u"FAX"_s, S, 30 },
            { u"LOGO"_s, G }, { u"INSC_MUNICIPAL"_s, S, 10 }, { u"ALIQ_ISS"_s, F }, { u"OPER_DEBI"_s, S, 7 },
            { u"OPER_CRED"_s, S, 7 }, { u"SERIE1"_s, S, 3 }, { u"PROX_S1"_s, I }, { u"SERIE2"_s, S, 3 },
            { u"PROX_S2"_s, I }, { u"QT_ITENSNF"_s, I }, { u"PARC_IPI"_s, S, 8 }, { u"LOCL_PRECO"_s, S, 8 },
            { u"LOCL_COMIS"_s, S, 8 }, { u"ESTQ_NEGAT"_s, S, 3 }, { u"QT_ITENSNF1"_s, I },
            { u"CODF_PROD"_s, S, 7 }, { u"MENS_PROM"_s, S, 48 }, { u"CX_CTAPAGAR"_s, B },
            { u"CX_CTARECEB"_s, B }, { u"CX_BALCAO"_s, B }, { u"IF_PORTA"_s, I }, { u"CAIX_DEBI"_s, S, 7 },
            { u"CAIX_CRED"_s, S, 7 }, { u"CTAS_DEBI"_s, S, 7 }, { u"CTAS_CRED"_s, S, 7 },
            { u"CX_MVTOBANC"_s, B }, { u"CONTROLE"_s, I }, { u"CONTROL1"_s, I }, { u"PATHNTCONS"_s, S, 50 },
            { u"PATHNTA1"_s, S, 50 }, { u"OBSER_PADRAO"_s, S, 160 }, { u"ALIQ_FUNR"_s, F },
            { u"PATH_CARNE"_s, S, 50 }, { u"FLOAT_LIVRE"_s, F }, { u"REPRES_1"_s, S, 50 },
            { u"REPRES_2"_s, S, 50 }, { u"REPRES_3"_s, S, 50 }, { u"REPRES_4"_s, S, 50 },
            { u"CTACX_VB"_s, S, 8 }, { u"HISCX_VB"_s, S, 6 }, { u"IMPF_CFOP"_s, S, 6 }, { u"CX_VENDAS"_s, B },
            { u"CTACX_VENDAS"_s, S, 8 }, { u"REGISTRO"_s, B }, { u"IMPRESSORA"_s, S, 20 },
            { u"IMPRES_PADRAO"_s, S, 20 }, { u"SAIDA_PADRAO"_s, S, 10 }, { u"JURODIA"_s, F },
            { u"ZERO"_s, B }, { u"BALANCA"_s, S, 20 }, { u"ART"_s, F }, { u"CONT"_s, F }, { u"RECEITA"_s, F },
            { u"RECIBO"_s, F }, { u"IF_PORTA1"_s, S, 5 }, { u"Dias"_s, F }, { u"DESC_MAXIMO"_s, F },
            { u"INTERNET"_s, S, 20 }, { u"LIC_SANITARIA"_s, S, 30 } } });
    tables.push_back({ u"Fornecedores"_s, u"DSFornecedores"_s, u"Acadforn.DB"_s, u"CODIGO"_s, u"Ordem"_s,
        u"FORNECEDOR"_s, true,
        { { u"CODIGO"_s, S, 6 }, { u"NOME"_s, S, 30 }, { u"RAZAO_SOCIAL"_s, S, 40 }, { u"ENDERECO"_s, S, 40 },
            { u"BAIRRO"_s, S, 20 }, { u"CIDADE"_s, S, 35 }, { u"UF"_s, S, 2 }, { u"CEP"_s, S, 9 },
            { u"CX_POSTAL"_s, S, 5 }, { u"CGC"_s, S, 18 }, { u"INSCRICAO"_s, S, 20 }, { u"FONE"_s, S, 30 },
            { u"FAX"_s, S, 30 }, { u"REPRESENTANTE"_s, S, 35 }, { u"OBS"_s, M }, { u"ATIVIDADE"_s, S, 6 },
            { u"EMAIL"_s, S, 60 }, { u"PAGINA"_s, S, 60 } } });
    tables.push_back({ u"Produtos"_s, u"DSProdutos"_s, u"Acadprod.DB"_s, u"CODIGO"_s, u"Itens"_s,
        u"PRODUTO"_s, true,
        { { u"CODIGO"_s, S, 20 }, { u"GRUPO"_s, S, 6 }, { u"FORNECEDOR"_s, S, 6 }, { u"NOME"_s, S, 60 },
            { u"REFERENCIA"_s, S, 15 }, { u"UNIDADE"_s, S, 3 }, { u"REF_TECNICA"_s, M },
            { u"SALDO_INI"_s, F }, { u"SALDO_ATU"_s, F }, { u"EST_MINIMO"_s, F }, { u"ULTM_COMPRA"_s, D },
            { u"ULTM_VENDA"_s, D }, { u"PRECO_CUST"_s, F }, { u"CUSTO_MINI"_s, F }, { u"PRECO_VEND"_s, F },
            { u"PRECO_VEND2"_s, F }, { u"PRECO_VEND3"_s, F }, { u"MESES_GRNT"_s, S, 10 },
            { u"PERC_COMIS"_s, F }, { u"LOCALIZACAO"_s, S, 50 }, { u"PESO_BRUTO"_s, F },
            { u"PESO_LIQUI"_s, F }, { u"MARGEM_LUCRO"_s, F }, { u"COD_FORN"_s, S, 20 },
            { u"PRODUTO"_s, S, 20 }, { u"CAIXAO"_s, F }, { u"ATIVO"_s, S, 10 }, { u"DESC_MAXIMO"_s, F },
            { u"PRECO_VEND4"_s, F }, { u"CUSTO_MEDIO"_s, F }, { u"CUSTO_REAL"_s, F }, { u"INSIDE"_s, S, 10 },
            { u"NCM"_s, S, 20 }, { u"MARCA"_s, S, 40 }, { u"TIPO_PROD"_s, F }, { u"QT_PADRAO"_s, F },
            { u"LISTA"_s, S, 10 }, { u"PMC"_s, F }, { u"MVA"_s, F }, { u"TIPO_MED"_s, S, 20 },
            { u"COMPOSICAO"_s, S, 40 }, { u"NOME_COMERCIAL"_s, S, 40 }, { u"LABORATORIO"_s, S, 40 },
            { u"MVA_RS"_s, F }, { u"PROMOCAO_INICIO"_s, D }, { u"PROMOCAO_FINAL"_s, D },
            { u"QUAL_PRECO"_s, F }, { u"FC"_s, F } } });
    tables.push_back({ u"Transp"_s, u"DSTransp"_s, u"Acadtran.DB"_s, u"CODIGO"_s, u"Ordem"_s,
        u"TRANSPORTADOR"_s, true,
        { { u"CODIGO"_s, S, 6 }, { u"NOME"_s, S, 40 }, { u"ENDERECO"_s, S, 40 }, { u"BAIRRO"_s, S, 30 },
            { u"CIDADE"_s, S, 35 }, { u"UF"_s, S, 2 }, { u"CEP"_s, S, 9 }, { u"CPF"_s, S, 14 },
            { u"CGC"_s, S, 18 }, { u"INSCRICAO"_s, S, 15 }, { u"FONE"_s, S, 30 }, { u"FAX"_s, S, 30 },
            { u"PLACA"_s, S, 8 }, { u"EMAIL"_s, S, 60 }, { u"CELULAR"_s, S, 20 }, { u"ANTT"_s, S, 10 } } });
    return tables;
}

} // namespace

const std::vector<TTableDefinition>& OrderTableDefinitions()
{
    static const std::vector<TTableDefinition> definitions = MakeDefinitions();
    return definitions;
}

const TTableDefinition& OrderTableDefinition(QStringView tableObject)
{
    for (const TTableDefinition& definition : OrderTableDefinitions())
        if (definition.tableObject == tableObject)
            return definition;
    throw EReportError(
        QCoreApplication::translate("OrderTables", "No business table named %1").arg(tableObject));
}

QString TTableDefinition::SqlTableName() const
{
    return fileName.left(fileName.lastIndexOf(u'.'));
}

QString TTableDefinition::SqlQuery(const std::function<QString(const QString&)>& quoted) const
{
    QStringList columns;
    for (const TFieldDefinition& field : fields)
        columns.append(quoted(field.name));
    QString sql
        = QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), quoted(SqlTableName()));
    if (!masterObject.isEmpty())
        sql += QStringLiteral(" WHERE %1 = :%2").arg(quoted(indexFieldNames), masterFields);
    QStringList order;
    for (const QString& name :
        (sqlOrderFields.isEmpty() ? indexFieldNames : sqlOrderFields).split(u';', Qt::SkipEmptyParts))
        order.append(quoted(name));
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return sql;
}

std::vector<TDataSet*> TOrderTables::Tables() const
{
    return { Ordem, Itens, Parametros, Fornecedores, Produtos, Transp };
}

TOrderTables CreateOrderTables(TComponent* owner, const QString& databaseName, const QString& dataDirectory)
{
    TOrderTables result;
    if (IsDatabaseUrl(databaseName)) {
        result.Connection = new TSqlConnection(owner);
        result.Connection->SetName(QStringLiteral("Database"));
        result.Connection->SetUrl(databaseName);
    }
    TDataSet** tables[] = { &result.Ordem, &result.Itens, &result.Parametros, &result.Fornecedores,
        &result.Produtos, &result.Transp };
    TDataSource** sources[] = { &result.DSOrdem, &result.DSItens, &result.DSParametros,
        &result.DSFornecedores, &result.DSProdutos, &result.DSTransp };
    const std::vector<TTableDefinition>& definitions = OrderTableDefinitions();
    for (size_t i = 0; i < definitions.size(); ++i) {
        const TTableDefinition& definition = definitions[i];
        TDataSet* table = nullptr;
        if (result.Connection) {
            auto* query = new TSqlQuery(owner);
            query->SetConnection(result.Connection);
            query->SetSQL(definition.SqlQuery([connection = result.Connection](const QString& name) {
                return connection->QuoteIdentifier(name);
            }));
            for (const TFieldDefinition& field : definition.fields)
                query->AddField(field.name, field.type, field.size);
            table = query;
        } else {
            auto* paradox = new TTable(owner);
            paradox->SetDatabaseName(databaseName);
            paradox->SetDataDirectory(dataDirectory);
            paradox->SetTableName(definition.fileName);
            for (const TFieldDefinition& field : definition.fields)
                paradox->AddField(field.name, field.type, field.size);
            paradox->SetIndexFieldNames(definition.indexFieldNames);
            table = paradox;
        }
        table->SetName(definition.tableObject);
        auto* source = new TDataSource(owner);
        source->SetName(definition.sourceObject);
        source->AutoEdit = definition.autoEdit;
        source->SetDataSet(table);
        *tables[i] = table;
        *sources[i] = source;
    }
    for (size_t i = 0; i < definitions.size(); ++i) {
        const TTableDefinition& definition = definitions[i];
        if (definition.masterObject.isEmpty())
            continue;
        for (size_t m = 0; m < definitions.size(); ++m) {
            if (definitions[m].tableObject != definition.masterObject)
                continue;
            if (auto* query = ComponentCast<TSqlQuery>(*tables[i])) {
                query->SetParamSource(*sources[m]);
            } else {
                (*tables[i])->SetMasterSource(*sources[m]);
                (*tables[i])->SetMasterFields(definition.masterFields);
            }
        }
    }
    return result;
}

void OpenOrderTables(const TOrderTables& tables)
{
    for (TDataSet* table : tables.Tables())
        table->Open();
}
