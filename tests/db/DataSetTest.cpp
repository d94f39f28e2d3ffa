#include "db/DataSource.h"
#include "db/FieldValue.h"
#include "db/GraphicBlob.h"
#include "db/MemoryDataSet.h"
#include "platform/Picture.h"
#include "tests/common/TestHelpers.h"

#include <QDate>
#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <iomanip>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;

namespace {

/// Sets the default locale for one test and puts the previous one back.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale)
        : m_previous(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleGuard() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

/// A bound control stand-in: logs every notice and the data source's destruction.
class Client : public TComponent {
public:
    explicit Client(TDataSource* source)
        : TComponent(nullptr)
        , m_source(source)
    {
        source->AddClient(this, [this](TDataSource*, TDataNotice notice) {
            log += notice == TDataNotice::dnActiveChanged ? u"A"_s : u"R"_s;
        });
    }
    TDataSource* Source() const { return m_source; }
    QString log;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == TOperation::opRemove && component == m_source)
            m_source = nullptr;
    }

private:
    TDataSource* m_source;
};

std::unique_ptr<TMemoryDataSet> Orders(TComponent* owner = nullptr)
{
    auto orders = std::make_unique<TMemoryDataSet>(owner);
    orders->SetName(u"Ordem"_s);
    orders->AddField(u"CODIGO"_s, TFieldType::ftFloat);
    orders->AddField(u"FORNECEDOR"_s, TFieldType::ftString, 6);
    orders->AppendRecord({ 1.0, u"F1"_s });
    orders->AppendRecord({ 2.0, u"F9"_s });
    orders->AppendRecord({ 3.0, QVariant() });
    return orders;
}

QStringList Column(TDataSet& dataSet, const QString& field)
{
    QStringList values;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        values.append(dataSet.FieldByName(field)->AsString());
    return values;
}

} // namespace

TEST(DataSet, CursorWalksEveryRecordAndStopsAtTheEnd)
{
    auto orders = Orders();
    EXPECT_FALSE(orders->Active());
    EXPECT_TRUE(orders->Eof());
    EXPECT_EQ(orders->RecordCount(), 0);
    EXPECT_TRUE(orders->FieldByName(u"CODIGO")->IsNull());
    orders->Open();
    EXPECT_EQ(orders->RecordCount(), 3);
    EXPECT_EQ(orders->FieldByName(u"codigo")->AsFloat(), 1.0);
    EXPECT_EQ(Column(*orders, u"CODIGO"_s), QStringList({ u"1"_s, u"2"_s, u"3"_s }));
    EXPECT_TRUE(orders->Eof());
    orders->Next();
    EXPECT_TRUE(orders->Eof());
    orders->First();
    EXPECT_FALSE(orders->Eof());
    orders->Close();
    EXPECT_TRUE(orders->Eof());
    EXPECT_EQ(orders->RecordCount(), 0);
}

TEST(DataSet, EmptyDataSetIsAtTheEndAndReadsEmptyAndZero)
{
    TMemoryDataSet empty(nullptr);
    empty.AddField(u"N"_s, TFieldType::ftFloat);
    empty.AddField(u"S"_s, TFieldType::ftString, 10);
    empty.Open();
    EXPECT_TRUE(empty.Eof());
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_EQ(empty.FieldByName(u"N")->AsFloat(), 0.0);
    EXPECT_EQ(empty.FieldByName(u"N")->DisplayText(), u""_s);
    EXPECT_EQ(empty.FieldByName(u"S")->AsString(), u""_s);
    EXPECT_FALSE(empty.FieldByName(u"S")->Value().isValid());
}

TEST(DataSet, FieldLookupIgnoresCaseAndNamesWhatIsMissing)
{
    auto orders = Orders();
    EXPECT_EQ(orders->FindField(u"fornecedor"), orders->Field(1));
    EXPECT_EQ(orders->FindField(u"NOPE"), nullptr);
    EXPECT_EQ(ErrorOf([&] { orders->FieldByName(u"NOPE"); }), u"Ordem: field \"NOPE\" not found"_s);
    EXPECT_EQ(ErrorOf([&] { orders->AddField(u"codigo"_s, TFieldType::ftFloat); }),
        u"Ordem: duplicate field \"codigo\""_s);
    orders->Open();
    EXPECT_EQ(ErrorOf([&] { orders->AddField(u"X"_s, TFieldType::ftFloat); }),
        u"Ordem: cannot add field \"X\" while the dataset is open"_s);
}

TEST(DataSet, LocateConvertsTheTextToTheFieldType)
{
    const LocaleGuard c(QLocale::c());
    auto orders = Orders();
    orders->AddField(u"NOME"_s, TFieldType::ftString, 10);
    orders->ClearRecords();
    orders->AppendRecord({ 1.0, u"F1"_s, u"Ana  "_s });
    orders->AppendRecord({ 2.5, u"F9"_s, u"ana"_s });
    orders->AppendRecord({ 1000.0, u"F2"_s, u"Anabela"_s });
    orders->Open();
    struct Case {
        const char* field;
        QVariant value;
        bool found;
        double codigo; // where the cursor stands afterwards
    };
    const Case cases[] = {
        { "CODIGO", u"2.5"_s, true, 2.5 },
        { "CODIGO", u"1"_s, true, 1.0 },
        { "CODIGO", u"1000.00"_s, true, 1000.0 },
        { "CODIGO", u" 2.5 "_s, true, 2.5 },
        { "CODIGO", u"1e3"_s, true, 1000.0 },
        { "CODIGO", u"abc"_s, false, 1000.0 }, // not a number: matches nothing, cursor stays
        { "CODIGO", u""_s, false, 1000.0 },
        { "CODIGO", u"7"_s, false, 1000.0 },
        { "CODIGO", u"1,000"_s, true, 1000.0 }, // the locale's thousands separator
        { "CODIGO", u"1,5"_s, false, 1000.0 }, // not a place for one
        { "NOME", u"ana"_s, true, 2.5 },
        { "NOME", u"Ana"_s, true, 1.0 }, // trailing blanks are not part of the value
        { "NOME", u"ANA"_s, false, 1.0 }, // case-sensitive
        { "NOME", u"Anab"_s, false, 1.0 }, // whole value only
        { "NOME", u"Anabela"_s, true, 1000.0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orders->Locate(QString::fromLatin1(c.field), c.value), c.found)
            << c.field << " = " << c.value.toString().toStdString();
        EXPECT_EQ(orders->FieldByName(u"CODIGO")->AsFloat(), c.codigo)
            << c.field << " = " << c.value.toString().toStdString();
    }
    EXPECT_EQ(ErrorOf([&] { orders->Locate(u"NOPE", u"1"_s); }), u"Ordem: field \"NOPE\" not found"_s);

    const LocaleGuard brazil(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const Case brazilCases[] = {
        { "CODIGO", u"2,5"_s, true, 2.5 }, { "CODIGO", u"1,000"_s, true, 1.0 }, // a decimal comma here
        { "CODIGO", u"1.000"_s, true, 1000.0 }, // one thousand here, never C's one
        { "CODIGO", u"2,5"_s, true, 2.5 }, { "CODIGO", u"1.000,00"_s, true, 1000.0 },
        { "CODIGO", u"1,000"_s, true, 1.0 },
        { "CODIGO", u"1000.0"_s, true, 1000.0 }, // C notation still reads
    };
    for (const Case& c : brazilCases) {
        EXPECT_EQ(orders->Locate(QString::fromLatin1(c.field), c.value), c.found)
            << "pt_BR " << c.value.toString().toStdString();
        EXPECT_EQ(orders->FieldByName(u"CODIGO")->AsFloat(), c.codigo)
            << "pt_BR " << c.value.toString().toStdString();
    }
}

TEST(DataSet, DisplayTextFollowsTheLocale)
{
    const LocaleGuard brazil(QLocale(QLocale::Portuguese, QLocale::Brazil));
    TMemoryDataSet data(nullptr);
    data.AddField(u"F"_s, TFieldType::ftFloat);
    data.AddField(u"D"_s, TFieldType::ftDate);
    data.AddField(u"S"_s, TFieldType::ftString, 10);
    data.AddField(u"B"_s, TFieldType::ftBoolean);
    data.AddField(u"I"_s, TFieldType::ftInteger);
    data.AddField(u"M"_s, TFieldType::ftMemo);
    data.AppendRecord({ 1234.5, QDate(2026, 12, 8), u"abc   "_s, true, 42, u"linha 1\nlinha 2"_s });
    data.AppendRecord({ 1e15, QVariant(), u"  x"_s, false, -7, QVariant() });
    data.AppendRecord({ 0.00001, QDate(1, 1, 1), QVariant(), QVariant(), QVariant(), QVariant() });
    data.AppendRecord({ 123456789012345678.0, QDate(9999, 12, 31), u""_s, QVariant(), 0, u""_s });
    data.AppendRecord({ 0.1 + 0.2, QVariant(), QVariant(), QVariant(), QVariant(), QVariant() });
    data.AppendRecord({ -2.5, QVariant(), QVariant(), QVariant(), QVariant(), QVariant() });
    data.AppendRecord({ 0.0001, QVariant(), QVariant(), QVariant(), QVariant(), QVariant() });
    data.Open();
    const QStringList expected[] = {
        { u"1234,5"_s, u"08/12/2026"_s, u"abc"_s, u"True"_s, u"42"_s, u"linha 1\nlinha 2"_s },
        { u"1E15"_s, u""_s, u"  x"_s, u"False"_s, u"-7"_s, u""_s },
        { u"1E-5"_s, u"01/01/0001"_s, u""_s, u""_s, u""_s, u""_s },
        { u"1,23456789012346E17"_s, u"31/12/9999"_s, u""_s, u""_s, u"0"_s, u""_s },
        { u"0,3"_s, u""_s, u""_s, u""_s, u""_s, u""_s },
        { u"-2,5"_s, u""_s, u""_s, u""_s, u""_s, u""_s },
        { u"0,0001"_s, u""_s, u""_s, u""_s, u""_s, u""_s },
    };
    int row = 0;
    for (data.First(); !data.Eof(); data.Next(), ++row) {
        for (int f = 0; f < data.FieldCount(); ++f)
            EXPECT_EQ(data.Field(f)->DisplayText(), expected[row][f])
                << "row " << row + 1 << " field " << data.Field(f)->FieldName().toStdString();
    }
    EXPECT_EQ(row, 7);
}

TEST(Field, GeneralFloatRoundsHalfwayDigitsAwayFromZero)
{
    const LocaleGuard c(QLocale::c());
    struct Case {
        double value;
        QString text;
    };
    // Values exactly halfway at the sixteenth significant digit, and their neighbours.
    const Case cases[] = {
        { 594868057619406.5, u"594868057619407"_s },
        { -139062841447566.5, u"-139062841447567"_s },
        { 594868057619406.4, u"594868057619406"_s },
        { 5925561096138885.0, u"5.92556109613889E15"_s },
        { 5925561096138884.0, u"5.92556109613888E15"_s },
        { 0.1 + 0.2, u"0.3"_s },
        { -0.0, u"0"_s },
        { 1e-5, u"1E-5"_s },
        { 0.0001, u"0.0001"_s },
        { 1.5e300, u"1.5E300"_s },
        { 5e-324, u"4.94065645841247E-324"_s },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatGeneralFloat(c.value), c.text) << c.value;
}

TEST(Field, GeneralFloatWritesWhatQtWritesWithFifteenDigits)
{
    const LocaleGuard c(QLocale::c());
    std::mt19937_64 random(7);
    std::uniform_int_distribution<qint64> cents(-100'000'000'000'000, 100'000'000'000'000);
    std::uniform_real_distribution<double> exponent(-20, 20);
    int mismatches = 0;
    for (int i = 0; i < 200'000 && mismatches < 5; ++i) {
        for (double value :
            { double(cents(random)) / 100, double(cents(random)) / 2, std::pow(10.0, exponent(random)) }) {
            QString expected = QString::number(value, 'g', 15);
            if (const qsizetype e = expected.indexOf(u'e'); e >= 0)
                expected = expected.left(e) + u'E' + QString::number(expected.sliced(e + 1).toInt());
            if (FormatGeneralFloat(value) != expected) {
                ADD_FAILURE() << std::setprecision(17) << value << ": "
                              << FormatGeneralFloat(value).toStdString() << " instead of "
                              << expected.toStdString();
                ++mismatches;
            }
        }
    }
}

TEST(DataSet, AppendRecordRefusesValuesOfTheWrongKind)
{
    TMemoryDataSet data(nullptr);
    data.SetName(u"Itens"_s);
    data.AddField(u"QUANTIDADE"_s, TFieldType::ftFloat);
    data.AddField(u"DATA"_s, TFieldType::ftDate);
    data.AppendRecord({ 1.0, QDate(2026, 1, 1) });
    EXPECT_EQ(ErrorOf([&] {
        data.AppendRecord({ u"muito"_s, QVariant() });
    }),
        u"Itens: record 2, field \"QUANTIDADE\": \"muito\" is not a valid float value"_s);
    EXPECT_EQ(ErrorOf([&] {
        data.AppendRecord({ 1.0, u"ontem"_s });
    }),
        u"Itens: record 2, field \"DATA\": \"ontem\" is not a valid date value"_s);
    EXPECT_EQ(ErrorOf([&] { data.AppendRecord({ 1.0 }); }), u"Itens: a record needs 2 values, 1 given"_s);
    data.Open();
    EXPECT_EQ(data.RecordCount(), 1); // nothing half-appended
}

TEST(DataSet, IndexOrderIsStableWithNullsFirst)
{
    TMemoryDataSet data(nullptr);
    data.AddField(u"K"_s, TFieldType::ftString, 5);
    data.AddField(u"N"_s, TFieldType::ftInteger);
    data.AddField(u"TAG"_s, TFieldType::ftString, 5);
    data.AddField(u"F"_s, TFieldType::ftFloat);
    const std::vector<std::vector<QVariant>> rows = { { u"b"_s, 2, u"1"_s, 2.5 },
        { u"a"_s, 9, u"2"_s, QVariant() }, { u"b"_s, 1, u"3"_s, -1.0 }, { QVariant(), 5, u"4"_s, 2.5 },
        { u"a"_s, 9, u"5"_s, 1e-300 }, { u"B"_s, 0, u"6"_s, QVariant() }, { u"b"_s, 1, u"7"_s, -0.5 } };
    for (const auto& row : rows)
        data.AppendRecord(row);
    data.Open();
    struct Case {
        const char* index;
        QStringList order;
    };
    const Case cases[] = {
        { "", { u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s } },
        { "K", { u"4"_s, u"6"_s, u"2"_s, u"5"_s, u"1"_s, u"3"_s, u"7"_s } }, // "B" < "a": code units
        { "K;N", { u"4"_s, u"6"_s, u"2"_s, u"5"_s, u"3"_s, u"7"_s, u"1"_s } },
        { "F", { u"2"_s, u"6"_s, u"3"_s, u"7"_s, u"5"_s, u"1"_s, u"4"_s } },
        { "F;K", { u"6"_s, u"2"_s, u"3"_s, u"7"_s, u"5"_s, u"4"_s, u"1"_s } },
        { "N", { u"6"_s, u"3"_s, u"7"_s, u"1"_s, u"4"_s, u"2"_s, u"5"_s } },
    };
    for (const Case& c : cases) {
        data.SetIndexFieldNames(QString::fromLatin1(c.index));
        EXPECT_EQ(Column(data, u"TAG"_s), c.order) << "index " << c.index;
    }
    EXPECT_EQ(ErrorOf([&] { data.SetIndexFieldNames(u"NOPE"_s); }),
        u"TMemoryDataSet: index field \"NOPE\" not found"_s);
    EXPECT_EQ(data.IndexFieldNames(), u"N"_s); // the failed change is undone
}

namespace {

/// Stored values of any kind, as a database without column types may hand them over.
class UntypedDataSet : public TDataSet {
public:
    explicit UntypedDataSet(std::vector<QVariant> keys)
        : TDataSet(nullptr)
        , m_keys(std::move(keys))
    {
        CreateField(u"K"_s, TFieldType::ftString, 10);
        CreateField(u"TAG"_s, TFieldType::ftInteger, 0);
    }

protected:
    void DoOpen() override { }
    void DoClose() override { }
    int StoredRecordCount() const override { return int(m_keys.size()); }
    QVariant StoredValue(int record, const TField& field) const override
    {
        return field.Index() == 0 ? m_keys[size_t(record)] : QVariant(record + 1);
    }

private:
    std::vector<QVariant> m_keys;
};

} // namespace

TEST(DataSet, IndexOverMixedKindsOrdersNumbersBeforeTheTextAfterThem)
{
    // Numbers first, then a text: the keys read so far are kept again as values.
    UntypedDataSet data({ 3.0, QVariant(), 1.0, u"x"_s, 2, QVariant() });
    data.SetIndexFieldNames(u"K"_s);
    data.Open();
    EXPECT_EQ(Column(data, u"TAG"_s), QStringList({ u"2"_s, u"6"_s, u"3"_s, u"5"_s, u"1"_s, u"4"_s }));
}

TEST(DataSet, DetailFollowsEveryMoveOfItsMaster)
{
    auto orders = Orders();
    TDataSource ordersSource(nullptr);
    ordersSource.SetDataSet(orders.get());
    TMemoryDataSet items(nullptr);
    items.AddField(u"ORDEM"_s, TFieldType::ftFloat);
    items.AddField(u"PRODUTO"_s, TFieldType::ftString, 20);
    for (const auto& [order, product] : std::vector<std::pair<double, QString>> { { 2, u"P2a"_s },
             { 1, u"P1a"_s }, { 2, u"P2b"_s }, { 1, u"P1b"_s }, { 1, u"NONE"_s }, { 2, u"P2c"_s } })
        items.AppendRecord({ order, product });
    items.SetIndexFieldNames(u"ORDEM"_s);
    items.SetMasterSource(&ordersSource);
    items.SetMasterFields(u"CODIGO"_s);
    TDataSource itemsSource(nullptr);
    itemsSource.SetDataSet(&items);
    TMemoryDataSet products(nullptr);
    products.AddField(u"CODIGO"_s, TFieldType::ftString, 20);
    products.AddField(u"NOME"_s, TFieldType::ftString, 60);
    for (const QString& code : { u"P1a"_s, u"P1b"_s, u"P2a"_s, u"P2b"_s, u"P2c"_s })
        products.AppendRecord({ code, u"Nome "_s + code });
    products.SetIndexFieldNames(u"CODIGO"_s);
    products.SetMasterSource(&itemsSource);
    products.SetMasterFields(u"PRODUTO"_s);

    orders->Open();
    items.Open();
    products.Open();
    EXPECT_EQ(Column(items, u"PRODUTO"_s), QStringList({ u"P1a"_s, u"P1b"_s, u"NONE"_s }));
    items.First();
    QStringList names;
    for (items.First(); !items.Eof(); items.Next())
        names.append(products.Eof() ? u"-"_s : products.FieldByName(u"NOME")->AsString());
    EXPECT_EQ(names, QStringList({ u"Nome P1a"_s, u"Nome P1b"_s, u"-"_s }));

    orders->Next();
    EXPECT_EQ(items.RecordCount(), 3);
    EXPECT_EQ(Column(items, u"PRODUTO"_s), QStringList({ u"P2a"_s, u"P2b"_s, u"P2c"_s }));
    ASSERT_TRUE(orders->Locate(u"CODIGO", u"3"_s)); // no items
    EXPECT_TRUE(items.Eof());
    EXPECT_EQ(items.RecordCount(), 0);
    EXPECT_EQ(items.FieldByName(u"PRODUTO")->AsString(), u""_s);
    EXPECT_TRUE(products.Eof()); // follows its empty master
    ASSERT_TRUE(orders->Locate(u"CODIGO", u"1"_s));
    EXPECT_EQ(items.RecordCount(), 3);
    EXPECT_EQ(products.FieldByName(u"NOME")->AsString(), u"Nome P1a"_s);

    orders->Close();
    EXPECT_TRUE(items.Eof());
    orders->Open();
    EXPECT_EQ(items.RecordCount(), 3);
}

TEST(DataSet, NullMasterValueOrMissingMasterLeavesTheDetailEmpty)
{
    auto orders = Orders();
    TDataSource source(nullptr);
    source.SetDataSet(orders.get());
    TMemoryDataSet suppliers(nullptr);
    suppliers.AddField(u"CODIGO"_s, TFieldType::ftString, 6);
    suppliers.AppendRecord({ u"F1"_s });
    suppliers.AppendRecord({ QVariant() });
    suppliers.SetIndexFieldNames(u"CODIGO"_s);
    suppliers.SetMasterSource(&source);
    suppliers.SetMasterFields(u"FORNECEDOR"_s);
    suppliers.Open();
    EXPECT_EQ(suppliers.RecordCount(), 0); // master closed
    orders->Open();
    EXPECT_EQ(suppliers.RecordCount(), 1);
    orders->Next(); // F9: no such supplier
    EXPECT_EQ(suppliers.RecordCount(), 0);
    orders->Next(); // NULL supplier code
    EXPECT_EQ(suppliers.RecordCount(), 0);
    orders.reset(); // the master dataset goes away
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(suppliers.RecordCount(), 0);
}

TEST(DataSet, MasterLinksMustNotFormACycle)
{
    TMemoryDataSet a(nullptr);
    a.SetName(u"A"_s);
    TMemoryDataSet b(nullptr);
    TDataSource sourceA(nullptr);
    sourceA.SetDataSet(&a);
    TDataSource sourceB(nullptr);
    sourceB.SetDataSet(&b);
    b.SetMasterSource(&sourceA);
    EXPECT_EQ(ErrorOf([&] { a.SetMasterSource(&sourceB); }),
        u"A: a master link may not lead back to the dataset itself"_s);
    EXPECT_EQ(ErrorOf([&] { a.SetMasterSource(&sourceA); }),
        u"A: a master link may not lead back to the dataset itself"_s);
    EXPECT_EQ(a.MasterSource(), nullptr);
}

TEST(DataSource, ForwardsOpenCloseAndRecordNoticesToBoundClients)
{
    auto orders = Orders();
    TDataSource source(nullptr);
    source.SetDataSet(orders.get());
    Client client(&source);
    orders->Open(); // A
    orders->Next(); // R
    orders->Next(); // R
    orders->Next(); // at the end: nothing moved
    orders->First(); // R
    orders->Locate(u"CODIGO", u"2"_s); // R
    orders->Locate(u"CODIGO", u"x"_s); // not found: nothing
    orders->Close(); // A
    EXPECT_EQ(client.log, u"ARRRRA"_s);

    auto other = Orders();
    source.SetDataSet(other.get()); // A
    EXPECT_EQ(client.log, u"ARRRRAA"_s);
    other.reset(); // A, and the reference is cleared
    EXPECT_EQ(client.log, u"ARRRRAAA"_s);
    EXPECT_EQ(source.DataSet(), nullptr);
}

TEST(DataSource, ForgetsDestroyedClientsAndIsForgottenWhenDestroyed)
{
    auto orders = Orders();
    auto source = std::make_unique<TDataSource>(nullptr);
    source->SetDataSet(orders.get());
    auto gone = std::make_unique<Client>(source.get());
    Client stays(source.get());
    gone.reset();
    orders->Open(); // must not reach the destroyed client
    EXPECT_EQ(stays.log, u"A"_s);
    source.reset();
    EXPECT_EQ(stays.Source(), nullptr);
    orders->Next(); // the dataset no longer knows the destroyed source
    EXPECT_EQ(stays.log, u"A"_s);
}

TEST(GraphicBlob, HeaderIsSkippedOnlyWhenAllOfItMatches)
{
    const QByteArray body("BMxxxxxxxxxx");
    struct Case {
        QByteArray blob;
        qsizetype payloadSize;
        const char* what;
    };
    const Case cases[] = {
        { QByteArray::fromHex("010000010c000000") + body, 12, "engine header" },
        { QByteArray::fromHex("020000010c000000") + body, 20, "count 2" },
        { QByteArray::fromHex("010000020c000000") + body, 20, "OLE kind" },
        { QByteArray::fromHex("010000010d000000") + body, 20, "length off by one" },
        { body, 12, "bare bitmap" },
        { QByteArray::fromHex("01000001"), 4, "shorter than a header" },
        { QByteArray::fromHex("0100000100000000"), 0, "header of an empty picture" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(GraphicPayload(c.blob).size(), c.payloadSize) << c.what;
}

TEST(Field, PictureLoadsAGraphicWithOrWithoutTheEngineHeader)
{
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QByteArray bitmap = SaveBitmap(red);
    QByteArray withHeader = QByteArray::fromHex("01000001");
    const quint32 length = quint32(bitmap.size());
    withHeader += QByteArray(reinterpret_cast<const char*>(&length), 4) + bitmap;

    TMemoryDataSet data(nullptr);
    data.SetName(u"Parametros"_s);
    data.AddField(u"LOGO"_s, TFieldType::ftGraphic);
    data.AppendRecord({ withHeader });
    data.AppendRecord({ bitmap });
    data.AppendRecord({ QVariant() });
    data.AppendRecord({ QByteArray("not a picture") });
    data.Open();
    for (int row = 1; row <= 2; ++row, data.Next()) {
        const QImage image = data.FieldByName(u"LOGO")->Picture();
        EXPECT_EQ(image.size(), QSize(3, 2)) << "row " << row;
        EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::red)) << "row " << row;
    }
    EXPECT_TRUE(data.FieldByName(u"LOGO")->Picture().isNull());
    EXPECT_EQ(data.FieldByName(u"LOGO")->DisplayText(), u""_s);
    data.Next();
    EXPECT_EQ(data.FieldByName(u"LOGO")->DisplayText(), u"(GRAPHIC)"_s);
    EXPECT_TRUE(ErrorOf([&] {
        data.FieldByName(u"LOGO")->Picture();
    }).startsWith(u"Parametros: field \"LOGO\" holds no picture: "));
}

TEST(Field, PictureFollowsTheRecordWhenPicturesRepeat)
{
    const auto bitmapOf = [](Qt::GlobalColor colour) {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(colour);
        return SaveBitmap(image);
    };
    TMemoryDataSet data(nullptr);
    data.SetName(u"Parametros"_s);
    data.AddField(u"LOGO"_s, TFieldType::ftGraphic);
    const std::vector<Qt::GlobalColor> colours = { Qt::red, Qt::red, Qt::blue, Qt::red };
    for (Qt::GlobalColor colour : colours)
        data.AppendRecord({ bitmapOf(colour) });
    data.AppendRecord({ QByteArray("not a picture") });
    data.AppendRecord({ bitmapOf(Qt::red) });
    data.Open();
    for (std::size_t row = 0; row < colours.size(); ++row, data.Next()) {
        QImage image = data.FieldByName(u"LOGO")->Picture();
        EXPECT_EQ(image.pixelColor(0, 0), QColor(colours[row])) << "row " << row;
        // A caller's change to its copy is not what the next record shows.
        image.fill(Qt::green);
    }
    EXPECT_TRUE(ErrorOf([&] {
        data.FieldByName(u"LOGO")->Picture();
    }).startsWith(u"Parametros: field \"LOGO\" holds no picture: "));
    data.Next();
    EXPECT_EQ(data.FieldByName(u"LOGO")->Picture().pixelColor(1, 1), QColor(Qt::red));
}
