#include "tools/sampledb/SampleData.h"

#include "app/OrderTables.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"

#include <QDate>
#include <QImage>
#include <map>

using namespace paradox;
using namespace Qt::StringLiterals;

namespace {

constexpr int kMemoLeader = 40;
constexpr int kLogoWidth = 119;
constexpr int kLogoHeight = 93;
constexpr int kDotsPerMeter96Dpi = 3780;
constexpr int kProductCount = 120;
constexpr int kMilliPerUnit = 1000;
constexpr int kCentsPerUnit = 100;

using TValues = std::map<QString, QVariant>;

/// A record in the definition's field order; every field not given is NULL.
std::vector<QVariant> Row(const TTableDefinition& definition, const TValues& values)
{
    std::vector<QVariant> row(definition.fields.size());
    size_t matched = 0;
    for (size_t i = 0; i < definition.fields.size(); ++i) {
        const auto found = values.find(definition.fields[i].name);
        if (found != values.end()) {
            row[i] = found->second;
            ++matched;
        }
    }
    if (matched != values.size())
        throw EReportError(
            QStringLiteral("Sample data names a field that %1 does not declare").arg(definition.fileName));
    return row;
}

/// Deterministic pseudo-random numbers (a linear congruential generator), so every build writes the same.
class TSequence {
public:
    explicit TSequence(quint32 seed)
        : m_state(seed * 2654435761u + 1)
    {
    }
    int Next(int low, int high)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return low + int((m_state >> 8) % quint32(high - low + 1));
    }

private:
    quint32 m_state;
};

/// Half away from zero, in whole cents, from exact integer arithmetic.
qint64 RoundDiv(qint64 numerator, qint64 denominator)
{
    return (numerator + denominator / 2) / denominator;
}

QString ProductCode(int index)
{
    return u"P%1"_s.arg(index, 4, 10, QChar(u'0'));
}

struct TProduct {
    QString code;
    QString name;
    QString unit;
};

std::vector<TProduct> Products()
{
    const QString kinds[] = { u"Parafuso sextavado"_s, u"Porca autotravante"_s, u"Arruela de pressão"_s,
        u"Válvula de retenção"_s, u"Conexão em T"_s, u"Mangueira hidráulica"_s, u"Rolamento blindado"_s,
        u"Correia em V"_s, u"Óleo lubrificante"_s, u"Filtro de ar"_s, u"Anel de vedação"_s,
        u"Chapa de aço"_s };
    const QString variants[] = { u"nº 6"_s, u"nº 8"_s, u"3/8\""_s, u"1/2\""_s, u"tamanho médio"_s,
        u"série pesada"_s, u"inox"_s, u"galvanizado"_s, u"ação rápida"_s, u"padrão ABNT"_s };
    const QString units[] = { u"UN"_s, u"PC"_s, u"CX"_s, u"KG"_s, u"MT"_s, u"LT"_s };
    std::vector<TProduct> products;
    for (int i = 1; i <= kProductCount; ++i)
        products.push_back(
            { ProductCode(i), kinds[(i - 1) % 12] + u' ' + variants[(i - 1) / 12 % 10], units[(i * 7) % 6] });
    return products;
}

bool FractionalUnit(const QString& unit)
{
    return unit == u"KG" || unit == u"MT" || unit == u"LT";
}

struct TOrder {
    int code;
    QString supplier;
    QString supplierName;
    QString carrier;
    int itemCount;
    QString freightType;
    QVariant obs;
};

QString TwoParagraphs()
{
    return u"Entregar no almoxarifado central, das 8h às 17h, com nota fiscal e romaneio em duas vias.\r\n"
           u"\r\n"
           u"Mercadoria sujeita à conferência: volumes avariados serão devolvidos ao transportador "
           u"às custas do fornecedor."_s;
}

QString ThirtyLines()
{
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines.append(
            u"%1. Observação de entrega número %1: conferir lote, validade e certificado de qualidade."_s.arg(
                i));
    return lines.join(u"\r\n"_s);
}

QString TechnicalText(int length)
{
    const QString sentence
        = u"Ficha técnica: material conforme norma, tolerância ±0,05 mm, ensaio de tração aprovado. "_s;
    QString text;
    while (text.size() < length)
        text += sentence;
    return text.left(length);
}

} // namespace

std::vector<TPxColumn> ColumnsOf(const TTableDefinition& definition)
{
    std::vector<TPxColumn> columns;
    for (const TFieldDefinition& field : definition.fields) {
        switch (field.type) {
        case TFieldType::ftString:
            columns.push_back({ field.name, TPxFieldType::Alpha, field.size });
            break;
        case TFieldType::ftFloat:
            columns.push_back({ field.name, TPxFieldType::Number, 8 });
            break;
        case TFieldType::ftInteger:
            columns.push_back({ field.name, TPxFieldType::Long, 4 });
            break;
        case TFieldType::ftBoolean:
            columns.push_back({ field.name, TPxFieldType::Logical, 1 });
            break;
        case TFieldType::ftDate:
            columns.push_back({ field.name, TPxFieldType::Date, 4 });
            break;
        case TFieldType::ftMemo:
            columns.push_back({ field.name, TPxFieldType::Memo, kMemoLeader + kBlobDescriptorSize });
            break;
        case TFieldType::ftGraphic:
            columns.push_back({ field.name, TPxFieldType::Graphic, kBlobDescriptorSize });
            break;
        default:
            throw EReportError(QStringLiteral("%1: field %2 has a type the sample writer does not write")
                                   .arg(definition.fileName, field.name));
        }
    }
    return columns;
}

QByteArray SampleLogo()
{
    // Drawn pixel by pixel, without fonts, so that it is the same everywhere.
    QImage logo(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    for (int y = 0; y < kLogoHeight; ++y) {
        for (int x = 0; x < kLogoWidth; ++x) {
            QRgb colour = qRgb(20 + x, 60 + y, 160);
            const bool stem = x >= 25 && x < 40 && y >= 15 && y < 78;
            const int arm = std::abs((y - 46) * 45 / 32) + 40;
            const bool diagonal = x >= arm && x < arm + 15 && y >= 15 && y < 78;
            if (stem || diagonal)
                colour = qRgb(250, 200, 30);
            logo.setPixel(x, y, colour);
        }
    }
    // The default resolution depends on whether a GUI is up; fix it at 96 dpi.
    logo.setDotsPerMeterX(kDotsPerMeter96Dpi);
    logo.setDotsPerMeterY(kDotsPerMeter96Dpi);
    return SaveBitmap(logo);
}

std::vector<TSampleTable> SampleDatabase(int largeOrderItems)
{
    const TTableDefinition& ordem = OrderTableDefinition(u"Ordem");
    const TTableDefinition& itens = OrderTableDefinition(u"Itens");
    const TTableDefinition& parametros = OrderTableDefinition(u"Parametros");
    const TTableDefinition& fornecedores = OrderTableDefinition(u"Fornecedores");
    const TTableDefinition& produtos = OrderTableDefinition(u"Produtos");
    const TTableDefinition& transp = OrderTableDefinition(u"Transp");

    TSampleTable parameterTable { parametros.fileName, ColumnsOf(parametros), {} };
    parameterTable.records.push_back(Row(parametros,
        { { u"RAZAO_SOCIAL"_s, u"Korvane Comércio e Indústria Ltda."_s },
            { u"ENDERECO"_s, u"Rua Dom Pedro II, 1234"_s }, { u"BAIRRO"_s, u"São João"_s },
            { u"CIDADE"_s, u"Porto Alegre"_s }, { u"UF"_s, u"RS"_s }, { u"CEP"_s, u"90550-142"_s },
            { u"CX_POSTAL"_s, u"1122"_s }, { u"CGC"_s, u"12.345.678/0001-90"_s },
            { u"INSCRICAO"_s, u"096/1234567"_s }, { u"FONE"_s, u"(51) 3222-1100"_s },
            { u"FAX"_s, u"(51) 3222-1101"_s }, { u"LOGO"_s, SampleLogo() },
            { u"INSC_MUNICIPAL"_s, u"5566778"_s }, { u"ALIQ_ISS"_s, 5.0 }, { u"SERIE1"_s, u"1"_s },
            { u"PROX_S1"_s, 1523 }, { u"QT_ITENSNF"_s, 30 },
            { u"MENS_PROM"_s, u"Obrigado pela preferência!"_s }, { u"CX_CTAPAGAR"_s, true },
            { u"CX_CTARECEB"_s, false }, { u"CX_BALCAO"_s, true }, { u"IF_PORTA"_s, 1 },
            { u"CONTROLE"_s, 42 },
            { u"OBSER_PADRAO"_s, u"Mercadoria sujeita à conferência no recebimento."_s },
            { u"JURODIA"_s, 0.033 }, { u"ZERO"_s, false }, { u"Dias"_s, 30.0 }, { u"DESC_MAXIMO"_s, 10.0 },
            { u"INTERNET"_s, u"www.korvane.com.br"_s }, { u"LIC_SANITARIA"_s, u"Não se aplica"_s } }));
    parameterTable.records.push_back(Row(parametros,
        { { u"RAZAO_SOCIAL"_s, u"Filial Açores Distribuidora Ltda."_s },
            { u"ENDERECO"_s, u"Avenida Brasil, 500"_s }, { u"BAIRRO"_s, u"Centro"_s },
            { u"CIDADE"_s, u"Florianópolis"_s }, { u"UF"_s, u"SC"_s }, { u"CEP"_s, u"88010-000"_s },
            { u"FONE"_s, u"(48) 3333-4455"_s }, { u"PROX_S1"_s, 7 }, { u"CX_BALCAO"_s, false } }));

    std::vector<TOrder> orders {
        { 1, u"F001"_s, u"Metalúrgica Gaúcha Ltda."_s, u"T01"_s, 3, u"CIF"_s, TwoParagraphs() },
        { 2, u"F002"_s, u"Ferragens São Jorge"_s, u"T02"_s, 0, u"FOB"_s, QVariant() },
        { 3, u"F003"_s, u"Distribuidora Paraná de Rolamentos"_s, u"T01"_s, 48, u"CIF"_s, u"Urgente."_s },
        { 4, u"F004"_s, u"Comercial Três Irmãos"_s, u"T03"_s, 60, u"FOB"_s,
            u"Pedido de reposição mensal."_s },
        { 5, u"F999"_s, u"Fornecedor não cadastrado"_s, u"T99"_s, 2, u"CIF"_s, QVariant() },
        { 6, u"F005"_s, u"Hidráulica Bahia"_s, u"T02"_s, 1000, u"FOB"_s,
            u"Entrega parcelada em três lotes."_s },
        { 7, u"F006"_s, u"Plásticos Conceição"_s, u"T03"_s, 10000, u"CIF"_s, u"Contrato anual."_s },
        { 8, u"F001"_s, u"Metalúrgica Gaúcha Ltda."_s, u"T01"_s, 45, u"CIF"_s, ThirtyLines() },
    };
    if (largeOrderItems > 0)
        orders.push_back({ kLargeOrderCode, u"F006"_s, u"Plásticos Conceição"_s, u"T03"_s, largeOrderItems,
            u"CIF"_s, u"Contrato plurianual."_s });
    const std::vector<TProduct> products = Products();
    TSampleTable orderTable { ordem.fileName, ColumnsOf(ordem), {} };
    std::map<int, std::vector<std::vector<QVariant>>> itemsByOrder;
    for (const TOrder& order : orders) {
        TSequence random(quint32(order.code));
        qint64 totalCents = 0;
        qint64 icmsCents = 0;
        auto& items = itemsByOrder[order.code];
        for (int seq = 1; seq <= order.itemCount; ++seq) {
            const TProduct& product = products[size_t(random.Next(0, kProductCount - 1))];
            const qint64 milli = FractionalUnit(product.unit) ? random.Next(500, 120000)
                                                              : qint64(random.Next(1, 60)) * kMilliPerUnit;
            const qint64 priceCents = random.Next(50, 35000);
            const int rate = std::array { 7, 12, 18 }[size_t(random.Next(0, 2))];
            QVariant code = product.code;
            QVariant name = product.name;
            QVariant quantity = double(milli) / kMilliPerUnit;
            qint64 lineCents = RoundDiv(milli * priceCents, kMilliPerUnit);
            if (order.code == 5 && seq == 1) {
                code = u"P9999"_s;
                name = u"Item sem cadastro de produto"_s;
            }
            if (order.code == 5 && seq == 2) {
                quantity = QVariant();
                lineCents = 0;
            }
            const qint64 lineIcms = RoundDiv(lineCents * rate, kCentsPerUnit);
            totalCents += lineCents;
            icmsCents += lineIcms;
            items.push_back(Row(itens,
                { { u"ORDEM"_s, double(order.code) }, { u"SEQ"_s, double(seq) }, { u"PRODUTO"_s, code },
                    { u"NOME_PRODUTO"_s, name }, { u"QUANTIDADE"_s, quantity },
                    { u"PRECO"_s, double(priceCents) / kCentsPerUnit },
                    { u"TOTAL"_s, double(lineCents) / kCentsPerUnit }, { u"ALIQUOTA"_s, double(rate) },
                    { u"ICMS"_s, double(lineIcms) / kCentsPerUnit } }));
        }
        orderTable.records.push_back(Row(ordem,
            { { u"CODIGO"_s, double(order.code) }, { u"DATA_DIGITACAO"_s, QDate(2026, 11, order.code) },
                { u"PREVISAO_ENTREGA"_s, QDate(2026, 11, order.code).addDays(15) },
                { u"FORNECEDOR"_s, order.supplier }, { u"NOME_FORNECEDOR"_s, order.supplierName },
                { u"FRETE"_s, 150.0 + order.code * 12.5 }, { u"TRANSPORTADOR"_s, order.carrier },
                { u"TOTAL_NOTA"_s, double(totalCents) / kCentsPerUnit },
                { u"FORMA_PAGAMENTO"_s, u"30/60/90 dias"_s }, { u"TIPO_PAGAMENTO"_s, u"Boleto bancário"_s },
                { u"ICMS"_s, double(icmsCents) / kCentsPerUnit }, { u"TIPO_FRETE"_s, order.freightType },
                { u"OBS"_s, order.obs } }));
    }
    // Items are stored out of order number, as a business application that appends them would leave
    // them; the index on ORDEM puts them back together, each order's items in their stored order.
    TSampleTable itemTable { itens.fileName, ColumnsOf(itens), {} };
    auto& seventh = itemsByOrder[7];
    const auto half = seventh.begin() + std::ptrdiff_t(seventh.size() / 2);
    itemTable.records.insert(itemTable.records.end(), seventh.begin(), half);
    for (const int code : { 1, 3, 2, 5, 4, 6, 8, kLargeOrderCode })
        itemTable.records.insert(
            itemTable.records.end(), itemsByOrder[code].begin(), itemsByOrder[code].end());
    itemTable.records.insert(itemTable.records.end(), half, seventh.end());

    TSampleTable supplierTable { fornecedores.fileName, ColumnsOf(fornecedores), {} };
    struct Supplier {
        const char16_t* code;
        const char16_t* name;
        const char16_t* city;
        const char16_t* uf;
    };
    const Supplier suppliers[] = { { u"F001", u"Metalúrgica Gaúcha Ltda.", u"Caxias do Sul", u"RS" },
        { u"F002", u"Ferragens São Jorge", u"São Paulo", u"SP" },
        { u"F003", u"Distribuidora Paraná de Rolamentos", u"Curitiba", u"PR" },
        { u"F004", u"Comercial Três Irmãos", u"Belo Horizonte", u"MG" },
        { u"F005", u"Hidráulica Bahia", u"Salvador", u"BA" },
        { u"F006", u"Plásticos Conceição", u"Joinville", u"SC" } };
    int supplierNumber = 0;
    for (const Supplier& s : suppliers) {
        ++supplierNumber;
        supplierTable.records.push_back(Row(fornecedores,
            { { u"CODIGO"_s, QString::fromUtf16(s.code) }, { u"NOME"_s, QString::fromUtf16(s.name).left(30) },
                { u"RAZAO_SOCIAL"_s, QString::fromUtf16(s.name) },
                { u"ENDERECO"_s, u"Rua das Indústrias, %1"_s.arg(100 * supplierNumber) },
                { u"BAIRRO"_s, u"Distrito Industrial"_s }, { u"CIDADE"_s, QString::fromUtf16(s.city) },
                { u"UF"_s, QString::fromUtf16(s.uf) },
                { u"CEP"_s, u"9"_s + QString::number(supplierNumber) + u"000-000"_s },
                { u"CGC"_s, u"%1.222.333/0001-%2"_s.arg(supplierNumber * 11).arg(40 + supplierNumber) },
                { u"INSCRICAO"_s, u"ISENTO"_s },
                { u"FONE"_s, u"(11) 4000-00%1"_s.arg(supplierNumber, 2, 10, QChar(u'0')) },
                { u"REPRESENTANTE"_s, u"João Conceição"_s },
                { u"OBS"_s,
                    supplierNumber == 1 ? QVariant(u"Fornecedor homologado.\r\nAuditoria anual em março."_s)
                                        : QVariant() },
                { u"EMAIL"_s, u"vendas%1@fornecedor.com.br"_s.arg(supplierNumber) } }));
    }

    TSampleTable carrierTable { transp.fileName, ColumnsOf(transp), {} };
    const std::pair<const char16_t*, const char16_t*> carriers[] = { { u"T01", u"Transportadora Rápido Sul" },
        { u"T02", u"Expresso Araguaia" }, { u"T03", u"Rodoviário Ouro Verde" } };
    int carrierNumber = 0;
    for (const auto& [code, name] : carriers) {
        ++carrierNumber;
        carrierTable.records.push_back(Row(transp,
            { { u"CODIGO"_s, QString::fromUtf16(code) }, { u"NOME"_s, QString::fromUtf16(name) },
                { u"ENDERECO"_s, u"Rodovia BR-116, km %1"_s.arg(carrierNumber * 10) },
                { u"BAIRRO"_s, u"Anchieta"_s }, { u"CIDADE"_s, u"Porto Alegre"_s }, { u"UF"_s, u"RS"_s },
                { u"CEP"_s, u"91000-00%1"_s.arg(carrierNumber) },
                { u"CGC"_s, u"98.765.432/0001-0%1"_s.arg(carrierNumber) },
                { u"FONE"_s, u"(51) 3030-000%1"_s.arg(carrierNumber) },
                { u"PLACA"_s, u"IXA-10%1"_s.arg(carrierNumber) }, { u"ANTT"_s, u"1234567"_s } }));
    }

    TSampleTable productTable { produtos.fileName, ColumnsOf(produtos), {} };
    int productNumber = 0;
    for (const TProduct& product : products) {
        ++productNumber;
        // A few technical notes: one in the leader, small ones in shared blocks, one in a block of its own.
        QVariant technical;
        if (productNumber == 1)
            technical = u"Aço carbono."_s;
        else if (productNumber % 10 == 0)
            technical = TechnicalText(100 + productNumber * 3);
        else if (productNumber == 77)
            technical = TechnicalText(5000);
        productTable.records.push_back(Row(produtos,
            { { u"CODIGO"_s, product.code }, { u"GRUPO"_s, u"G%1"_s.arg((productNumber - 1) % 12 + 1) },
                { u"FORNECEDOR"_s, u"F00%1"_s.arg((productNumber - 1) % 6 + 1) }, { u"NOME"_s, product.name },
                { u"REFERENCIA"_s, u"REF-%1"_s.arg(productNumber, 4, 10, QChar(u'0')) },
                { u"UNIDADE"_s, product.unit }, { u"REF_TECNICA"_s, technical },
                { u"SALDO_ATU"_s, double(productNumber * 3) },
                { u"ULTM_COMPRA"_s, QDate(2026, 10, 1).addDays(productNumber % 30) },
                { u"PRECO_CUST"_s, 10.0 + productNumber * 0.25 },
                { u"PRECO_VEND"_s, 15.0 + productNumber * 0.4 }, { u"ATIVO"_s, u"SIM"_s },
                { u"NCM"_s, u"7318.15.00"_s }, { u"MARCA"_s, u"Korvane"_s } }));
    }

    return { orderTable, itemTable, parameterTable, supplierTable, productTable, carrierTable };
}
