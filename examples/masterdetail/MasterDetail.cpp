// Orders grouped by customer: each group opens with the customer's record (a second dataset that
// follows the order being printed through a master link) and closes with the customer's count and
// total; the report ends with the grand total.
//
//     masterdetail [OUTPUT_DIR]      writes masterdetail.pdf and masterdetail.xls
#include "ExampleOutput.h"

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/MemoryDataSet.h"
#include "report/RLBand.h"
#include "report/RLBorders.h"
#include "report/RLDBText.h"
#include "report/RLGroup.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "report/RLSystemInfo.h"
#include "support/FloatFormat.h"
#include "support/Startup.h"

#include <QGuiApplication>
#include <QStringList>

using enum TRLBandType;
using enum TRLBorderSide;
using enum TRLControlAlign;
using enum TRLInfoType;
using enum TRLTextAlignment;

using namespace Qt::StringLiterals;

namespace {

constexpr QStringView kMoneyPicture = u"#,##0.00";

TFont Font(int height, TFontStyles style = {})
{
    TFont font;
    font.Name = u"DejaVu Sans"_s;
    font.Height = height;
    font.Style = style;
    font.Color = clBlack;
    return font;
}

/// Pixels at 96 dpi from the parent band's top-left corner.
template<class T> T* Add(TComponent& form, TControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TRLLabel* AddLabel(TComponent& form, TControl* band, int left, int top, const QString& caption)
{
    auto* label = Add<TRLLabel>(form, band, left, top, 80, 16);
    label->SetCaption(caption);
    return label;
}

TRLDBText* AddField(
    TComponent& form, TControl* band, int left, int top, int width, TDataSource* source, const QString& field)
{
    auto* text = Add<TRLDBText>(form, band, left, top, width, 16);
    text->SetAutoSize(false);
    text->SetDataSource(source);
    text->SetDataField(field);
    return text;
}

TRLLabel* AddAmount(TComponent& form, TControl* band, int top, const std::function<double()>& value)
{
    auto* label = Add<TRLLabel>(form, band, 560, top, 150, 16);
    label->SetAutoSize(false);
    label->SetAlignment(taRightJustify);
    label->BeforePrint
        = [label, value](TComponent*, bool&) { label->SetCaption(FormatFloat(kMoneyPicture, value())); };
    return label;
}

TRLBand* AddBand(TComponent& form, TControl* parent, TRLBandType type, int height)
{
    auto* band = new TRLBand(&form);
    band->SetBandType(type);
    band->SetParent(parent);
    band->SetBounds(band->Left(), band->Top(), band->Width(), height);
    return band;
}

struct TSalesData {
    TMemoryDataSet* Customers;
    TMemoryDataSet* Orders;
    TDataSource* CustomerSource;
    TDataSource* OrderSource;
};

TSalesData CreateSalesData(TComponent& form)
{
    TSalesData data {};
    data.Customers = new TMemoryDataSet(&form);
    data.Customers->SetName(u"Customers"_s);
    data.Customers->AddField(u"ID"_s, TFieldType::ftInteger);
    data.Customers->AddField(u"NAME"_s, TFieldType::ftString, 40);
    data.Customers->AddField(u"CITY"_s, TFieldType::ftString, 30);
    const QStringList names { u"Ferragens Avenida"_s, u"Casa do Construtor"_s, u"Madeireira São José"_s,
        u"Elétrica Central"_s, u"Tintas Aurora"_s, u"Hidráulica Norte"_s, u"Vidraçaria Luz"_s };
    const QStringList cities { u"Campinas"_s, u"Sorocaba"_s, u"Jundiaí"_s, u"Piracicaba"_s };
    for (int id = 1; id <= names.size(); ++id)
        data.Customers->AppendRecord({ id, names[id - 1], cities[id % cities.size()] });

    data.Orders = new TMemoryDataSet(&form);
    data.Orders->SetName(u"Orders"_s);
    data.Orders->AddField(u"NUMBER"_s, TFieldType::ftInteger);
    data.Orders->AddField(u"CUSTOMER"_s, TFieldType::ftInteger);
    data.Orders->AddField(u"AMOUNT"_s, TFieldType::ftFloat);
    for (int number = 5001; number <= 5120; ++number)
        data.Orders->AppendRecord(
            { number, 1 + number * 5 % int(names.size()), (number * 7919 % 100000) / 100.0 });
    // The report walks the orders customer by customer.
    data.Orders->SetIndexFieldNames(u"CUSTOMER;NUMBER"_s);
    data.Orders->Open();
    data.OrderSource = new TDataSource(&form);
    data.OrderSource->SetDataSet(data.Orders);

    // The customer dataset shows the one record whose ID is the current order's CUSTOMER.
    data.Customers->SetIndexFieldNames(u"ID"_s);
    data.Customers->SetMasterSource(data.OrderSource);
    data.Customers->SetMasterFields(u"CUSTOMER"_s);
    data.Customers->Open();
    data.CustomerSource = new TDataSource(&form);
    data.CustomerSource->SetDataSet(data.Customers);
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    example::UseOffscreenWithoutDisplay();
    QGuiApplication application(argc, argv);
    const TQuirelLibrary library;

    TComponent form(nullptr);
    const TSalesData data = CreateSalesData(form);
    const auto amount = [&] { return data.Orders->FieldByName(u"AMOUNT")->AsFloat(); };

    auto* report = new TRLReport(&form);
    report->SetName(u"SalesReport"_s);
    report->Title = u"Vendas por cliente"_s;
    report->SetFont(Font(-12));
    report->SetDataSource(data.OrderSource);

    TRLBand* title = AddBand(form, report, btTitle, 44);
    AddLabel(form, title, 0, 4, u"Vendas por cliente"_s)->SetFont(Font(-20, fsBold));

    // The group takes the report's records while CUSTOMER stays the same.
    auto* group = new TRLGroup(&form);
    group->SetName(u"CustomerGroup"_s);
    group->SetParent(report);
    group->SetAlign(faTop);
    group->KeyFields = u"CUSTOMER"_s;

    double customerTotal = 0;
    int customerOrders = 0;
    TRLBand* groupHeader = AddBand(form, group, btTitle, 44);
    groupHeader->SetColor(clSilver);
    groupHeader->SetFont(Font(-13, fsBold));
    groupHeader->BeforePrint = [&](TComponent*, bool&) {
        customerTotal = 0;
        customerOrders = 0;
    };
    AddField(form, groupHeader, 4, 4, 400, data.CustomerSource, u"NAME"_s);
    AddField(form, groupHeader, 420, 4, 280, data.CustomerSource, u"CITY"_s);
    for (const auto& [left, caption] : { std::pair { 4, u"Pedido"_s }, std::pair { 600, u"Valor"_s } }) {
        TRLLabel* label = AddLabel(form, groupHeader, left, 24, caption);
        label->SetFont(Font(-11, fsItalic));
    }

    TRLBand* detail = AddBand(form, group, btDetail, 18);
    AddField(form, detail, 4, 1, 100, data.OrderSource, u"NUMBER"_s);
    AddAmount(form, detail, 1, amount);
    double grandTotal = 0;
    detail->AfterPrint = [&](TComponent*) {
        customerTotal += amount();
        grandTotal += amount();
        ++customerOrders;
    };

    TRLBand* groupSummary = AddBand(form, group, btSummary, 30);
    groupSummary->Borders()->SetDraw(bsTop, true);
    groupSummary->SetFont(Font(-12, fsBold));
    auto* count = Add<TRLLabel>(form, groupSummary, 4, 6, 300, 16);
    count->BeforePrint
        = [&](TComponent*, bool&) { count->SetCaption(QString::number(customerOrders) + u" pedidos"_s); };
    AddAmount(form, groupSummary, 6, [&] { return customerTotal; });

    TRLBand* summary = AddBand(form, report, btSummary, 34);
    summary->SetFont(Font(-14, fsBold));
    AddLabel(form, summary, 4, 8, u"Total geral"_s);
    AddAmount(form, summary, 8, [&] { return grandTotal; });

    TRLBand* footer = AddBand(form, report, btFooter, 24);
    auto* page = Add<TRLSystemInfo>(form, footer, 600, 4, 110, 16);
    page->SetInfo(itPageNumber);
    page->SetText(u"Página "_s);

    return example::PrepareAndExport(*report, example::OutputDirectory(argc, argv), u"masterdetail"_s);
}
