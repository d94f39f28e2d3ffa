// A product listing from records held in memory: a title, column titles repeated on every page,
// one line per product, a total at the end and "Page n of m" at the foot of each page.
//
//     listing [OUTPUT_DIR]      writes listing.pdf and listing.xls
#include "ExampleOutput.h"

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/MemoryDataSet.h"
#include "report/RLBand.h"
#include "report/RLBorders.h"
#include "report/RLDBText.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "report/RLSystemInfo.h"
#include "support/FloatFormat.h"
#include "support/Startup.h"

#include <QGuiApplication>
#include <QStringList>

using enum TRLBandType;
using enum TRLBorderSide;
using enum TRLInfoType;
using enum TRLTextAlignment;

using namespace Qt::StringLiterals;

namespace {

constexpr int kProductCount = 150;
constexpr QStringView kMoneyPicture = u"#,##0.00";

/// Products made up from two word lists, the same on every run.
void FillProducts(TMemoryDataSet& products)
{
    const QStringList kinds { u"Parafuso"_s, u"Porca"_s, u"Arruela"_s, u"Rebite"_s, u"Bucha"_s, u"Pino"_s };
    const QStringList finishes { u"zincado"_s, u"inox"_s, u"latão"_s, u"galvanizado"_s, u"bicromatizado"_s };
    products.AddField(u"CODE"_s, TFieldType::ftInteger);
    products.AddField(u"NAME"_s, TFieldType::ftString, 40);
    products.AddField(u"UNIT"_s, TFieldType::ftString, 4);
    products.AddField(u"PRICE"_s, TFieldType::ftFloat);
    for (int i = 0; i < kProductCount; ++i) {
        const QString name = kinds[i % kinds.size()] + u' ' + finishes[(i / kinds.size()) % finishes.size()]
            + u" M"_s + QString::number(3 + i % 9);
        products.AppendRecord(
            { 1001 + i, name, i % 4 == 0 ? u"CX"_s : u"PC"_s, 0.35 + (i * 37 % 500) / 20.0 });
    }
    products.Open();
}

TFont Font(int height, TFontStyles style = {})
{
    TFont font;
    font.Name = u"Arial"_s;
    font.Height = height;
    font.Style = style;
    font.Color = clBlack;
    return font;
}

/// Controls are created with the form as owner, put on their band, configured, then placed:
/// sizes and positions are pixels at 96 dpi from the band's top-left corner.
template<class T> T* Add(TComponent& form, TControl* band, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetParent(band);
    control->SetBounds(left, top, width, height);
    return control;
}

TRLLabel* AddLabel(TComponent& form, TControl* band, int left, int top, const QString& caption)
{
    auto* label = Add<TRLLabel>(form, band, left, top, 80, 16);
    label->SetCaption(caption);
    return label;
}

TRLDBText* AddField(TComponent& form, TControl* band, int left, int width, TDataSource* source,
    const QString& field, TRLTextAlignment alignment = taLeftJustify)
{
    auto* text = Add<TRLDBText>(form, band, left, 2, width, 16);
    text->SetAutoSize(false);
    text->SetAlignment(alignment);
    text->SetDataSource(source);
    text->SetDataField(field);
    return text;
}

TRLBand* AddBand(TComponent& form, TRLReport* report, TRLBandType type, int height)
{
    auto* band = new TRLBand(&form);
    band->SetBandType(type);
    band->SetParent(report);
    band->SetBounds(band->Left(), band->Top(), band->Width(), height);
    return band;
}

} // namespace

int main(int argc, char** argv)
{
    example::UseOffscreenWithoutDisplay();
    QGuiApplication application(argc, argv);
    const TQuirelLibrary library;

    // The owner of everything below: deleting it deletes the report, its bands and the data.
    TComponent form(nullptr);
    auto* products = new TMemoryDataSet(&form);
    products->SetName(u"Products"_s);
    FillProducts(*products);
    auto* source = new TDataSource(&form);
    source->SetDataSet(products);

    auto* report = new TRLReport(&form);
    report->SetName(u"ListingReport"_s);
    report->Title = u"Lista de produtos"_s;
    report->SetFont(Font(-12));
    report->SetDataSource(source);

    TRLBand* title = AddBand(form, report, btTitle, 40);
    AddLabel(form, title, 0, 4, u"Lista de produtos"_s)->SetFont(Font(-20, fsBold));

    TRLBand* header = AddBand(form, report, btColumnHeader, 22);
    header->Borders()->SetDraw(bsBottom, true);
    header->SetFont(Font(-12, fsBold));
    AddLabel(form, header, 0, 2, u"Código"_s);
    AddLabel(form, header, 80, 2, u"Produto"_s);
    AddLabel(form, header, 420, 2, u"Un."_s);
    Add<TRLLabel>(form, header, 560, 2, 150, 16)->SetCaption(u"Preço"_s);

    TRLBand* detail = AddBand(form, report, btDetail, 20);
    AddField(form, detail, 0, 70, source, u"CODE"_s);
    AddField(form, detail, 80, 330, source, u"NAME"_s);
    AddField(form, detail, 420, 40, source, u"UNIT"_s);
    TRLDBText* price = AddField(form, detail, 560, 150, source, u"PRICE"_s, taRightJustify);
    price->BeforeText = [&](TComponent*, QString& text, bool&) {
        text = FormatFloat(kMoneyPicture, products->FieldByName(u"PRICE")->AsFloat());
    };
    // Counted once the line is on the page.
    double total = 0;
    detail->AfterPrint = [&](TComponent*) { total += products->FieldByName(u"PRICE")->AsFloat(); };

    TRLBand* summary = AddBand(form, report, btSummary, 26);
    summary->Borders()->SetDraw(bsTop, true);
    summary->SetFont(Font(-12, fsBold));
    AddLabel(form, summary, 420, 4, u"Total"_s);
    auto* sum = Add<TRLLabel>(form, summary, 560, 4, 150, 16);
    sum->SetAutoSize(false);
    sum->SetAlignment(taRightJustify);
    sum->BeforePrint = [&](TComponent*, bool&) { sum->SetCaption(FormatFloat(kMoneyPicture, total)); };

    TRLBand* footer = AddBand(form, report, btFooter, 24);
    auto* page = Add<TRLSystemInfo>(form, footer, 560, 4, 70, 16);
    page->SetInfo(itPageNumber);
    page->SetText(u"Página "_s);
    auto* pages = Add<TRLSystemInfo>(form, footer, 630, 4, 70, 16);
    pages->SetInfo(itLastPageNumber);
    pages->SetText(u"de "_s);

    return example::PrepareAndExport(*report, example::OutputDirectory(argc, argv), u"listing"_s);
}
