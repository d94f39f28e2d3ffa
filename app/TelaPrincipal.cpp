#include "app/TelaPrincipal.h"

#include "app/CommandLine.h"
#include "app/OrderFilters.h"
#include "db/Field.h"
#include "db/OpenDataSets.h"
#include "db/Table.h"
#include "platform/ComponentCast.h"
#include "report/RLDBText.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "support/FloatFormat.h"

#include <QVariant>

namespace {

constexpr QStringView kQuantityPicture = u"###,###0.000";
constexpr QStringView kMoneyPicture = u"###,###0.00";
const QString kOrderTitle = QStringLiteral("Ordem Compra ");

QString FieldText(TDataSet* table, QStringView fieldName)
{
    return table->FieldByName(fieldName)->AsString();
}

} // namespace

QString FormatNumberText(const QString& text, QStringView picture)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        value = 0;
    return FormatFloat(picture, value);
}

TForm1::TForm1(
    TComponent* owner, const QString& databaseName, const QString& dataDirectory, const QString& layoutFile)
    : TComponent(owner)
{
    SetName(QStringLiteral("Form1"));
    Tables = CreateOrderTables(this, databaseName, dataDirectory);
    BuildLayout(layoutFile, dataDirectory.isEmpty() ? databaseName : dataDirectory);
    BuildFilters();
}

TForm1::~TForm1()
{
    // The report and its controls refer to the tables; they go first.
    DestroyComponents();
}

QString TForm1::ClassName() const
{
    return QStringLiteral("TForm1");
}

void TForm1::OpenTables()
{
    OpenOrderTables(Tables);
    // A layout given on the command line may bring tables and queries of its own.
    OpenDataSets(*this);
    for (TDataSet* table : Tables.Tables())
        if (const auto* paradox = ComponentCast<TTable>(table))
            for (const QString& repair : paradox->Repairs())
                PrintProgramError(repair);
}

void TForm1::BuildFilters()
{
    const TOrderFilters filters = CreateOrderFilters(this);
    RLPDFFilter1 = filters.Pdf;
    RLXLSFilter1 = filters.Xls;
    RLXLSXFilter1 = filters.Xlsx;
}

void TForm1::FormCreate(const QString& firstArgument)
{
    OrderNumberText = firstArgument;
    if (OrderNumberText.isEmpty() && InputBox)
        OrderNumberText = InputBox(
            QStringLiteral("Ordem de Compra"), QStringLiteral("Informe o Numero"), OrderNumberText);
    if (LocateOrder(OrderNumberText)) {
        if (BeforePreview)
            BeforePreview(OrderNumberText.trimmed());
        RLReport1->Preview();
    } else if (ShowMessage)
        ShowMessage(QStringLiteral("Ordem Compra não Encontrada!"));
}

bool TForm1::LocateOrder(const QString& orderNumberText)
{
    if (!Tables.Ordem->Locate(u"CODIGO", QVariant(orderNumberText)))
        return false;
    // The report's title names the print job, the PDF and the file proposed for saving.
    RLReport1->Title = kOrderTitle + FieldText(Tables.Ordem, u"CODIGO");
    return true;
}

void TForm1::RLBand1BeforePrint(TComponent* sender, bool& printIt)
{
    Q_UNUSED(sender);
    Q_UNUSED(printIt);
    TDataSet* parametros = Tables.Parametros;
    if (RLLabel1)
        RLLabel1->SetCaption(FieldText(parametros, u"CEP") + QStringLiteral(" - ")
            + FieldText(parametros, u"CIDADE") + u'/' + FieldText(parametros, u"UF")
            + QStringLiteral(" - Fone: ") + FieldText(parametros, u"FONE"));
    if (RLLabel30)
        RLLabel30->SetCaption(FieldText(Tables.Ordem, u"TIPO_FRETE"));
}

void TForm1::RLDBText20BeforePrint(TComponent* sender, QString& text, bool& printIt)
{
    Q_UNUSED(sender);
    Q_UNUSED(printIt);
    text = FormatNumberText(text, kQuantityPicture);
}

void TForm1::RLDBText21BeforePrint(TComponent* sender, QString& text, bool& printIt)
{
    Q_UNUSED(sender);
    Q_UNUSED(printIt);
    text = FormatNumberText(text, kMoneyPicture);
}

void TForm1::RLDBText22BeforePrint(TComponent* sender, QString& text, bool& printIt)
{
    Q_UNUSED(sender);
    Q_UNUSED(printIt);
    text = FormatNumberText(text, kMoneyPicture);
}
