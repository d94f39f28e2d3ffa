#include "app/OrderTables.h"
#include "db/Alias.h"
#include "db/DataSource.h"
#include "db/Table.h"
#include "tests/common/TestHelpers.h"
#include "tools/sampledb/ParadoxWriter.h"
#include "tools/sampledb/SampleData.h"

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

/// The sample database written into a temporary directory, and the form-like owner of the tables.
class OrderTablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (const TSampleTable& table : SampleDatabase()) {
            TPxTableWriter writer(table.fileName, table.columns);
            for (const auto& record : table.records)
                writer.AddRecord(record);
            SaveTableFiles(m_dir.path(), table.fileName, writer.Write());
        }
        m_form = std::make_unique<TComponent>(nullptr);
    }

    TOrderTables OpenTables()
    {
        TOrderTables tables = CreateOrderTables(m_form.get(), kBusinessAlias.toString(), m_dir.path());
        OpenOrderTables(tables);
        return tables;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TComponent> m_form;
};

qint64 Cents(double value)
{
    return std::llround(value * 100);
}

} // namespace

TEST_F(OrderTablesTest, AllSixOpenUnderTheAliasEachOnItsFirstRecord)
{
    const TOrderTables t = OpenTables();
    for (TDataSet* table : t.Tables())
        EXPECT_TRUE(table->Active()) << table->Name().toStdString();
    EXPECT_EQ(t.Ordem->FieldByName(u"CODIGO")->AsFloat(), 1.0);
    EXPECT_EQ(t.Itens->RecordCount(), 3);
    EXPECT_EQ(t.Itens->FieldByName(u"SEQ")->AsFloat(), 1.0);
    EXPECT_EQ(
        t.Parametros->FieldByName(u"RAZAO_SOCIAL")->AsString(), u"Korvane Comércio e Indústria Ltda."_s);
    EXPECT_EQ(t.Fornecedores->FieldByName(u"CODIGO")->AsString(), u"F001"_s);
    EXPECT_EQ(t.Produtos->FieldByName(u"CODIGO")->AsString(), t.Itens->FieldByName(u"PRODUTO")->AsString());
    EXPECT_EQ(t.Transp->FieldByName(u"NOME")->AsString(), u"Transportadora Rápido Sul"_s);
    EXPECT_EQ(t.DSItens->DataSet(), t.Itens);
    EXPECT_FALSE(t.DSParametros->AutoEdit);
    EXPECT_TRUE(t.DSOrdem->AutoEdit);
    EXPECT_EQ(m_form->FindComponent(u"DSProdutos"), t.DSProdutos);
    EXPECT_EQ(t.Parametros->RecordCount(), 2);
}

TEST_F(OrderTablesTest, EachSampleOrderHasItsItemsSupplierAndCarrier)
{
    const TOrderTables t = OpenTables();
    struct Case {
        int order;
        int items;
        bool supplier;
        bool carrier;
    };
    const Case cases[] = { { 1, 3, true, true }, { 2, 0, true, true }, { 3, 48, true, true },
        { 4, 60, true, true }, { 5, 2, false, false }, { 6, 1000, true, true }, { 7, 10000, true, true },
        { 8, 45, true, true } };
    for (const Case& c : cases) {
        ASSERT_TRUE(t.Ordem->Locate(u"CODIGO", QString::number(c.order))) << "order " << c.order;
        EXPECT_EQ(t.Itens->RecordCount(), c.items) << "order " << c.order;
        EXPECT_EQ(t.Itens->Eof(), c.items == 0) << "order " << c.order;
        EXPECT_EQ(!t.Fornecedores->Eof(), c.supplier) << "order " << c.order;
        EXPECT_EQ(!t.Transp->Eof(), c.carrier) << "order " << c.order;
        if (c.supplier) {
            EXPECT_EQ(t.Fornecedores->FieldByName(u"CODIGO")->AsString(),
                t.Ordem->FieldByName(u"FORNECEDOR")->AsString());
        } else {
            EXPECT_EQ(t.Fornecedores->FieldByName(u"NOME")->DisplayText(), u""_s);
        }
        // Lines keep their stored order, and every total is quantity x price rounded to cents.
        qint64 sum = 0;
        int expectedSeq = 1;
        for (t.Itens->First(); !t.Itens->Eof(); t.Itens->Next(), ++expectedSeq) {
            ASSERT_EQ(t.Itens->FieldByName(u"SEQ")->AsFloat(), expectedSeq) << "order " << c.order;
            const qint64 milli = std::llround(t.Itens->FieldByName(u"QUANTIDADE")->AsFloat() * 1000);
            const qint64 priceCents = Cents(t.Itens->FieldByName(u"PRECO")->AsFloat());
            const qint64 total = Cents(t.Itens->FieldByName(u"TOTAL")->AsFloat());
            ASSERT_EQ(total, (milli * priceCents + 500) / 1000)
                << "order " << c.order << " line " << expectedSeq;
            sum += total;
        }
        EXPECT_EQ(Cents(t.Ordem->FieldByName(u"TOTAL_NOTA")->AsFloat()), sum) << "order " << c.order;
    }
}

TEST_F(OrderTablesTest, ProductFollowsEveryLineAndMissingOnesReadEmpty)
{
    const TOrderTables t = OpenTables();
    ASSERT_TRUE(t.Ordem->Locate(u"CODIGO", u"5"_s));
    t.Itens->First();
    EXPECT_EQ(t.Itens->FieldByName(u"PRODUTO")->AsString(), u"P9999"_s);
    EXPECT_TRUE(t.Produtos->Eof());
    EXPECT_EQ(t.Produtos->FieldByName(u"REFERENCIA")->DisplayText(), u""_s);
    EXPECT_EQ(t.Produtos->FieldByName(u"UNIDADE")->DisplayText(), u""_s);
    t.Itens->Next();
    EXPECT_TRUE(t.Itens->FieldByName(u"QUANTIDADE")->IsNull());
    EXPECT_EQ(t.Itens->FieldByName(u"QUANTIDADE")->DisplayText(), u""_s);
    EXPECT_EQ(t.Itens->FieldByName(u"QUANTIDADE")->AsFloat(), 0.0);
    EXPECT_FALSE(t.Produtos->Eof());
    EXPECT_EQ(t.Produtos->FieldByName(u"CODIGO")->AsString(), t.Itens->FieldByName(u"PRODUTO")->AsString());

    ASSERT_TRUE(t.Ordem->Locate(u"CODIGO", u"7"_s));
    int matched = 0;
    for (t.Itens->First(); !t.Itens->Eof(); t.Itens->Next())
        matched += t.Produtos->FieldByName(u"NOME")->AsString()
            == t.Itens->FieldByName(u"NOME_PRODUTO")->AsString();
    EXPECT_EQ(matched, 10000);
}

TEST_F(OrderTablesTest, MemosAndTheLogo)
{
    const TOrderTables t = OpenTables();
    const QString obs1 = t.Ordem->FieldByName(u"OBS")->AsString();
    EXPECT_EQ(obs1.split(u"\r\n\r\n"_s).size(), 2);
    ASSERT_TRUE(t.Ordem->Locate(u"CODIGO", u"8"_s));
    EXPECT_EQ(t.Ordem->FieldByName(u"OBS")->AsString().split(u"\r\n"_s).size(), 30);
    ASSERT_TRUE(t.Ordem->Locate(u"CODIGO", u"2"_s));
    EXPECT_TRUE(t.Ordem->FieldByName(u"OBS")->IsNull());
    const QImage logo = t.Parametros->FieldByName(u"LOGO")->Picture();
    EXPECT_EQ(logo.size(), QSize(119, 93));
    t.Parametros->Next();
    EXPECT_TRUE(t.Parametros->FieldByName(u"LOGO")->Picture().isNull());
}

TEST_F(OrderTablesTest, OrderNumbersThatAreNotNumbersFindNothing)
{
    const TOrderTables t = OpenTables();
    ASSERT_TRUE(t.Ordem->Locate(u"CODIGO", u"4"_s));
    for (const QString& text : { u""_s, u"abc"_s, u"9"_s, u"0"_s, u"4x"_s, u"-4"_s }) {
        EXPECT_FALSE(t.Ordem->Locate(u"CODIGO", text)) << text.toStdString();
        EXPECT_EQ(t.Ordem->FieldByName(u"CODIGO")->AsFloat(), 4.0) << text.toStdString();
        EXPECT_EQ(t.Itens->RecordCount(), 60) << text.toStdString();
    }
    EXPECT_TRUE(t.Ordem->Locate(u"CODIGO", u"4.0"_s));
}

TEST_F(OrderTablesTest, AMissingTableStopsTheOpeningInOrderAndIsNamed)
{
    ASSERT_TRUE(QFile::remove(QDir(m_dir.path()).filePath(u"Parametr.DB"_s)));
    const TOrderTables t = CreateOrderTables(m_form.get(), kBusinessAlias.toString(), m_dir.path());
    EXPECT_EQ(ErrorOf([&] { OpenOrderTables(t); }),
        u"Paradox table \""_s + QDir(m_dir.path()).filePath(u"Parametr.DB"_s)
            + u"\": the file does not exist"_s);
    EXPECT_TRUE(t.Ordem->Active());
    EXPECT_TRUE(t.Itens->Active());
    EXPECT_FALSE(t.Parametros->Active());
    EXPECT_FALSE(t.Fornecedores->Active());
}

TEST(OrderTableDefinitions, SixTablesInOpeningOrderWithTheirLinks)
{
    struct Case {
        const char* table;
        const char* file;
        const char* index;
        const char* master;
        const char* masterFields;
        size_t fieldCount;
    };
    const Case cases[] = { { "Ordem", "OrdemCompra.DB", "", "", "", 13 },
        { "Itens", "OrdemCompraItens.DB", "ORDEM", "Ordem", "CODIGO", 9 },
        { "Parametros", "Parametr.DB", "", "", "", 70 },
        { "Fornecedores", "Acadforn.DB", "CODIGO", "Ordem", "FORNECEDOR", 18 },
        { "Produtos", "Acadprod.DB", "CODIGO", "Itens", "PRODUTO", 48 },
        { "Transp", "Acadtran.DB", "CODIGO", "Ordem", "TRANSPORTADOR", 16 } };
    const auto& definitions = OrderTableDefinitions();
    ASSERT_EQ(definitions.size(), std::size(cases));
    for (size_t i = 0; i < definitions.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(definitions[i].tableObject, QString::fromLatin1(c.table));
        EXPECT_EQ(definitions[i].sourceObject, u"DS"_s + QString::fromLatin1(c.table));
        EXPECT_EQ(definitions[i].fileName, QString::fromLatin1(c.file)) << c.table;
        EXPECT_EQ(definitions[i].indexFieldNames, QString::fromLatin1(c.index)) << c.table;
        EXPECT_EQ(definitions[i].masterObject, QString::fromLatin1(c.master)) << c.table;
        EXPECT_EQ(definitions[i].masterFields, QString::fromLatin1(c.masterFields)) << c.table;
        EXPECT_EQ(definitions[i].fields.size(), c.fieldCount) << c.table;
    }
}
