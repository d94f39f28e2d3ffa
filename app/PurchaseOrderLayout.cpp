// The purchase-order document: the report, its three bands and every control, in creation order
// (which is also the order in which they print), one control a line.
#include "app/TelaPrincipal.h"

#include "report/RLBand.h"
#include "report/RLDBImage.h"
#include "report/RLDBMemo.h"
#include "report/RLDBText.h"
#include "report/RLDetailGrid.h"
#include "report/RLDraw.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "report/RLSystemInfo.h"

#include <functional>

namespace {

struct TFontChoice {
    const char16_t* name;
    int height;
    TFontStyles style;
    quint8 charset;
};

const TFontChoice kArial16BoldItalic { u"Arial", -16, fsBold | fsItalic, DEFAULT_CHARSET };
const TFontChoice kArial11Bold { u"Arial", -11, fsBold, DEFAULT_CHARSET };
const TFontChoice kArial11 { u"Arial", -11, {}, DEFAULT_CHARSET };
const TFontChoice kArial11Ansi { u"Arial", -11, {}, ANSI_CHARSET };
const TFontChoice kVerdana9 { u"Verdana", -9, {}, ANSI_CHARSET };
const TFontChoice kVerdana9Bold { u"Verdana", -9, fsBold, ANSI_CHARSET };
const TFontChoice kVerdana11 { u"Verdana", -11, {}, ANSI_CHARSET };
const TFontChoice kVerdana11Bold { u"Verdana", -11, fsBold, ANSI_CHARSET };
const TFontChoice kVerdana12Bold { u"Verdana", -12, fsBold, ANSI_CHARSET };
const TFontChoice kVerdana13Bold { u"Verdana", -13, fsBold, ANSI_CHARSET };

TFont MakeFont(const TFontChoice& choice)
{
    TFont font;
    font.Name = QString::fromUtf16(choice.name);
    font.Height = choice.height;
    font.Style = choice.style;
    font.Charset = choice.charset;
    font.Color = clBlack;
    return font;
}

struct TBounds {
    int left, top, width, height;
};

/// Size follows content, or the stored size stays.
enum TSizing { kAutoSize, kFixedSize };

/// Creates the controls as the stored layout has them: owned by the form, placed on a band, each
/// property set while the control is loading.
class TLayoutBuilder {
public:
    explicit TLayoutBuilder(TForm1& form)
        : m_form(form)
    {
    }

    template<class T>
    T* Place(
        TControl* parent, const char16_t* name, TBounds bounds, const std::function<void(T&)>& settings = {})
    {
        auto* control = new T(&m_form);
        control->BeginLoading();
        control->SetName(QString::fromUtf16(name));
        control->SetParent(parent);
        control->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
        if (settings)
            settings(*control);
        // The stored size wins over what auto-size made of the settings on the way.
        control->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
        control->EndLoading();
        return control;
    }

    TRLLabel* Label(TControl* band, const char16_t* name, TBounds bounds, const char16_t* caption,
        const TFontChoice& font, TRLTextAlignment alignment = taLeftJustify, TSizing sizing = kAutoSize)
    {
        return Place<TRLLabel>(band, name, bounds, [&](TRLLabel& label) {
            label.SetFont(MakeFont(font));
            label.SetAlignment(alignment);
            label.SetAutoSize(sizing == kAutoSize);
            label.SetCaption(QString::fromUtf16(caption));
        });
    }

    TRLDBText* DBText(TControl* band, const char16_t* name, TBounds bounds, TDataSource* source,
        const char16_t* field, const TFontChoice& font, TRLTextAlignment alignment = taLeftJustify,
        TSizing sizing = kAutoSize)
    {
        return Place<TRLDBText>(band, name, bounds, [&](TRLDBText& text) {
            text.SetFont(MakeFont(font));
            text.SetAlignment(alignment);
            text.SetAutoSize(sizing == kAutoSize);
            text.SetDataSource(source);
            text.SetDataField(QString::fromUtf16(field));
        });
    }

    TRLSystemInfo* Info(
        TControl* band, const char16_t* name, TBounds bounds, TRLInfoType info, const TFontChoice& font)
    {
        return Place<TRLSystemInfo>(band, name, bounds, [&](TRLSystemInfo& control) {
            control.SetFont(MakeFont(font));
            control.SetInfo(info);
        });
    }

    TRLDraw* Frame(TControl* band, const char16_t* name, TBounds bounds)
    {
        return Place<TRLDraw>(band, name, bounds);
    }

    TRLDBImage* DBImage(
        TControl* band, const char16_t* name, TBounds bounds, TDataSource* source, const char16_t* field)
    {
        return Place<TRLDBImage>(band, name, bounds, [&](TRLDBImage& image) {
            image.SetDataSource(source);
            image.SetDataField(QString::fromUtf16(field));
            image.SetStretch(true);
        });
    }

    TRLDBMemo* DBMemo(TControl* band, const char16_t* name, TBounds bounds, TDataSource* source,
        const char16_t* field, const TFontChoice& font)
    {
        return Place<TRLDBMemo>(band, name, bounds, [&](TRLDBMemo& memo) {
            memo.SetFont(MakeFont(font));
            memo.SetDataSource(source);
            memo.SetDataField(QString::fromUtf16(field));
        });
    }

    template<class T> T* Band(TRLReport* report, const char16_t* name, TRLBandType type, TBounds bounds)
    {
        return Place<T>(report, name, bounds, [&](T& band) { band.SetBandType(type); });
    }

private:
    TForm1& m_form;
};

} // namespace

void TForm1::BuildLayout()
{
    TLayoutBuilder layout(*this);
    const TOrderTables& t = Tables;

    RLReport1 = layout.Place<TRLReport>(nullptr, u"RLReport1", { 8, 0, 794, 1123 }, [&](TRLReport& report) {
        report.SetDataSource(t.DSItens);
        report.SetFont(MakeFont({ u"Arial", -13, {}, DEFAULT_CHARSET }));
        report.PreviewOptions()->Position = poDesigned;
        report.PreviewOptions()->BorderIcons = biSystemMenu;
    });

    RLBand1 = layout.Band<TRLBand>(RLReport1, u"RLBand1", btColumnHeader, { 38, 38, 718, 275 });
    RLDetailGrid1 = layout.Band<TRLDetailGrid>(RLReport1, u"RLDetailGrid1", btDetail, { 38, 313, 718, 16 });
    RLBand2 = layout.Band<TRLBand>(RLReport1, u"RLBand2", btSummary, { 38, 329, 718, 157 });
    RLBand1->BeforePrint = std::bind_front(&TForm1::RLBand1BeforePrint, this);

    // Column header: company, order, supplier and carrier blocks, and the item column titles.
    TRLBand* b = RLBand1;
    layout.Frame(b, u"RLDraw1", { 0, 0, 713, 100 });
    layout.DBText(b, u"RLDBText1", { 136, 6, 570, 16 }, t.DSParametros, u"RAZAO_SOCIAL", kArial16BoldItalic,
        taCenter, kFixedSize);
    RLDBImage1 = layout.DBImage(b, u"RLDBImage1", { 4, 3, 119, 93 }, t.DSParametros, u"LOGO");
    RLLabel1 = layout.Label(
        b, u"RLLabel1", { 136, 58, 570, 14 }, u"Ordem Compra:", kArial11Ansi, taCenter, kFixedSize);
    layout.Label(b, u"RLLabel2", { 328, 81, 63, 14 }, u"Emissão:", kVerdana12Bold);
    layout.Label(b, u"RLLabel3", { 542, 81, 60, 14 }, u"Entrega:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText2", { 394, 81, 127, 14 }, t.DSOrdem, u"DATA_DIGITACAO", kVerdana12Bold);
    layout.DBText(b, u"RLDBText3", { 256, 81, 61, 14 }, t.DSOrdem, u"CODIGO", kVerdana12Bold);
    layout.DBText(b, u"RLDBText4", { 606, 81, 145, 14 }, t.DSOrdem, u"PREVISAO_ENTREGA", kVerdana12Bold);
    layout.Info(b, u"RLSystemInfo1", { 584, 3, 35, 12 }, itDate, kVerdana9);
    layout.Info(b, u"RLSystemInfo2", { 656, 3, 35, 12 }, itHour, kVerdana9);
    layout.Frame(b, u"RLDraw2", { 0, 104, 713, 145 });
    layout.Label(b, u"RLLabel4", { 8, 107, 84, 14 }, u"Fornecedor:", kVerdana12Bold);
    layout.Label(b, u"RLLabel5", { 8, 145, 70, 14 }, u"Endereço:", kVerdana12Bold);
    layout.Label(b, u"RLLabel6", { 8, 162, 54, 14 }, u"Cidade:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText5", { 99, 107, 54, 13 }, t.DSFornecedores, u"CODIGO", kVerdana11Bold);
    layout.DBText(b, u"RLDBText6", { 163, 107, 40, 13 }, t.DSFornecedores, u"NOME", kVerdana11Bold);
    layout.DBText(b, u"RLDBText7", { 163, 123, 102, 13 }, t.DSFornecedores, u"RAZAO_SOCIAL", kVerdana11Bold);
    layout.DBText(b, u"RLDBText8", { 99, 145, 422, 13 }, t.DSFornecedores, u"ENDERECO", kVerdana11Bold,
        taLeftJustify, kFixedSize);
    layout.DBText(b, u"RLDBText9", { 99, 162, 53, 13 }, t.DSFornecedores, u"CIDADE", kVerdana11Bold);
    layout.Label(b, u"RLLabel7", { 410, 162, 27, 14 }, u"UF:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText10", { 441, 162, 21, 13 }, t.DSFornecedores, u"UF", kVerdana11Bold);
    layout.Label(b, u"RLLabel8", { 544, 162, 35, 14 }, u"CEP:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText11", { 583, 162, 28, 13 }, t.DSFornecedores, u"CEP", kVerdana11Bold);
    layout.Label(b, u"RLLabel9", { 529, 145, 50, 14 }, u"Bairro:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText12", { 583, 145, 122, 13 }, t.DSFornecedores, u"BAIRRO", kVerdana11Bold,
        taLeftJustify, kFixedSize);
    layout.Label(b, u"RLLabel10", { 8, 179, 44, 14 }, u"CNPJ:", kVerdana12Bold);
    layout.Label(b, u"RLLabel11", { 407, 179, 31, 14 }, u"I.E.:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText13", { 441, 179, 75, 13 }, t.DSFornecedores, u"INSCRICAO", kVerdana11Bold);
    layout.Label(b, u"RLLabel13", { 8, 196, 66, 14 }, u"Telefone:", kVerdana12Bold);
    layout.Label(b, u"RLLabel14", { 221, 196, 33, 14 }, u"Fax:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText14", { 257, 196, 29, 13 }, t.DSFornecedores, u"FAX", kVerdana11Bold);
    layout.DBText(b, u"RLDBText15", { 99, 196, 38, 13 }, t.DSFornecedores, u"FONE", kVerdana11Bold);
    layout.Frame(b, u"RLDraw3", { 0, 252, 713, 23 });
    layout.Label(b, u"RLLabel15", { 4, 257, 43, 12 }, u"Produto", kVerdana9Bold);
    layout.Label(b, u"RLLabel16", { 62, 257, 50, 12 }, u"Descrição", kVerdana9Bold);
    layout.Label(b, u"RLLabel17", { 342, 257, 57, 12 }, u"Referência", kVerdana9Bold);
    layout.Label(b, u"RLLabel18", { 439, 257, 19, 12 }, u"Un.", kVerdana9Bold);
    layout.Label(b, u"RLLabel19", { 490, 257, 37, 12 }, u"Quant.", kVerdana9Bold);
    layout.Label(b, u"RLLabel20", { 550, 257, 44, 12 }, u"Vlr.Unit.", kVerdana9Bold);
    layout.Label(b, u"RLLabel21", { 627, 257, 46, 12 }, u"Vlr.Total", kVerdana9Bold);
    layout.DBText(
        b, u"RLDBText30", { 136, 23, 570, 16 }, t.DSParametros, u"CGC", kArial11Bold, taCenter, kFixedSize);
    layout.DBText(b, u"RLDBText32", { 99, 178, 29, 13 }, t.DSFornecedores, u"CGC", kVerdana11Bold);
    layout.Label(b, u"RLLabel24", { 144, 81, 109, 14 }, u"Ordem Compra:", kVerdana12Bold);
    layout.Label(b, u"RLLabel26", { 8, 230, 58, 14 }, u"Transp.:", kVerdana12Bold);
    layout.DBText(b, u"RLDBText26", { 99, 230, 40, 13 }, t.DSTransp, u"NOME", kVerdana11Bold);
    layout.DBText(
        b, u"RLDBText27", { 136, 43, 570, 16 }, t.DSParametros, u"ENDERECO", kArial11, taCenter, kFixedSize);
    layout.Label(b, u"RLLabel25", { 394, 230, 44, 14 }, u"Frete:", kVerdana12Bold);
    layout.Label(b, u"RLLabel27", { 378, 196, 60, 14 }, u"Contato:", kVerdana12Bold);
    layout.DBText(
        b, u"RLDBText29", { 441, 196, 111, 13 }, t.DSFornecedores, u"REPRESENTANTE", kVerdana11Bold);
    layout.DBText(b, u"RLDBText31", { 99, 213, 44, 13 }, t.DSFornecedores, u"EMAIL", kVerdana11Bold);
    layout.Label(b, u"RLLabel28", { 8, 213, 50, 14 }, u"E-Mail:", kVerdana12Bold);
    layout.Label(b, u"RLLabel29", { 683, 257, 28, 12 }, u"ICMS", kVerdana9Bold);
    RLLabel30 = layout.Label(b, u"RLLabel30", { 442, 230, 44, 14 }, u"Frete:", kVerdana12Bold);

    // One row per item.
    TRLDetailGrid* g = RLDetailGrid1;
    layout.DBText(g, u"RLDBText17", { 61, 2, 285, 14 }, t.DSItens, u"NOME_PRODUTO", kVerdana9, taLeftJustify,
        kFixedSize);
    layout.DBText(
        g, u"RLDBText16", { 4, 2, 55, 14 }, t.DSItens, u"PRODUTO", kVerdana9, taLeftJustify, kFixedSize);
    layout.DBText(g, u"RLDBText18", { 342, 2, 96, 14 }, t.DSProdutos, u"REFERENCIA", kVerdana9, taLeftJustify,
        kFixedSize);
    layout.DBText(
        g, u"RLDBText19", { 438, 2, 23, 14 }, t.DSProdutos, u"UNIDADE", kVerdana9, taLeftJustify, kFixedSize);
    RLDBText20 = layout.DBText(g, u"RLDBText20", { 464, 2, 64, 14 }, t.DSItens, u"QUANTIDADE", kVerdana9,
        taRightJustify, kFixedSize);
    RLDBText21 = layout.DBText(
        g, u"RLDBText21", { 531, 2, 64, 14 }, t.DSItens, u"PRECO", kVerdana9, taRightJustify, kFixedSize);
    RLDBText22 = layout.DBText(
        g, u"RLDBText22", { 599, 2, 74, 14 }, t.DSItens, u"TOTAL", kVerdana9, taRightJustify, kFixedSize);
    layout.DBText(
        g, u"RLDBText33", { 684, 2, 28, 14 }, t.DSItens, u"ALIQUOTA", kVerdana9, taRightJustify, kFixedSize);
    RLDBText20->BeforeText = std::bind_front(&TForm1::RLDBText20BeforePrint, this);
    RLDBText21->BeforeText = std::bind_front(&TForm1::RLDBText21BeforePrint, this);
    RLDBText22->BeforeText = std::bind_front(&TForm1::RLDBText22BeforePrint, this);

    // Summary: payment, total and remarks.
    TRLBand* s = RLBand2;
    // The remarks grow the band; the frame around them grows with it.
    layout.Frame(s, u"RLDraw6", { 0, 0, 713, 154 })->SetAnchors(fkLeft | fkTop | fkBottom);
    layout.Label(s, u"RLLabel23", { 504, 3, 71, 16 }, u"Total  R$:", kVerdana13Bold);
    RLDBText24 = layout.DBText(s, u"RLDBText24", { 584, 4, 90, 14 }, t.DSOrdem, u"TOTAL_NOTA", kVerdana12Bold,
        taRightJustify, kFixedSize);
    layout.Label(s, u"RLLabel12", { 8, 3, 165, 16 }, u"Forma de Pagamento:", kVerdana13Bold);
    layout.Label(s, u"RLLabel22", { 8, 43, 148, 16 }, u"Tipo de Pagamento:", kVerdana13Bold);
    layout.DBText(s, u"RLDBText23", { 16, 20, 123, 13 }, t.DSOrdem, u"FORMA_PAGAMENTO", kVerdana11);
    layout.DBText(s, u"RLDBText25", { 16, 60, 111, 13 }, t.DSOrdem, u"TIPO_PAGAMENTO", kVerdana11);
    layout.Label(s, u"RLLabel31", { 8, 83, 104, 16 }, u"Observações:", kVerdana13Bold);
    RLDBMemo1 = layout.DBMemo(s, u"RLDBMemo1", { 16, 99, 681, 13 }, t.DSOrdem, u"OBS", kVerdana11);
    RLDBText24->BeforeText = std::bind_front(&TForm1::RLDBText22BeforePrint, this);
}
