// Input: the text of a formula (UTF-8), evaluated for a data text of a small report over a
// two-record table, with the parser bound to the report, and formatted as the text would print it.
#include "db/DataSource.h"
#include "db/MemoryDataSet.h"
#include "platform/Exceptions.h"
#include "report/RLBand.h"
#include "report/RLDBText.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "report/RLReportFormulas.h"
#include "support/RLExpressionParser.h"
#include "support/Startup.h"

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using enum TRLBandType;

namespace {

struct Form {
    Form()
    {
        form.SetName(QStringLiteral("Form1"));
        items->SetName(QStringLiteral("Itens"));
        items->AddField(QStringLiteral("QUANT"), TFieldType::ftInteger);
        items->AddField(QStringLiteral("PRECO"), TFieldType::ftFloat);
        items->AddField(QStringLiteral("NOME"), TFieldType::ftString, 10);
        items->AppendRecord({ 2, 1234.5, QStringLiteral("parafuso") });
        items->AppendRecord({ 3, 0.25, QVariant() });
        items->Open();
        source->SetName(QStringLiteral("DSItens"));
        source->SetDataSet(items);
        report->SetName(QStringLiteral("RLReport1"));
        report->ShowProgress = false;
        report->SetDataSource(source);
        band->SetName(QStringLiteral("RLBand1"));
        band->SetBandType(btDetail);
        band->SetParent(report);
        text->SetName(QStringLiteral("RLDBText1"));
        text->SetParent(band);
        text->SetDataSource(source);
        label->SetName(QStringLiteral("RLLabel1"));
        label->SetFriendlyName(QStringLiteral("Titulo"));
        label->SetParent(band);
        parser->SetName(QStringLiteral("RLExpressionParser1"));
        SetReportExpressionParser(*report, parser);
    }

    TComponent form { nullptr };
    TMemoryDataSet* items = new TMemoryDataSet(&form);
    TDataSource* source = new TDataSource(&form);
    TRLReport* report = new TRLReport(&form);
    TRLBand* band = new TRLBand(&form);
    TRLDBText* text = new TRLDBText(&form);
    TRLLabel* label = new TRLLabel(&form);
    TRLExpressionParser* parser = new TRLExpressionParser(&form);
};

Form& TheForm()
{
    static int argc = 1;
    static char name[] = "parser_fuzzer";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        auto* app = new QGuiApplication(argc, argv);
        InitializeLibrary();
        return app;
    }();
    Q_UNUSED(application);
    static Form form;
    return form;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Form& form = TheForm();
    const QString formula = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    form.items->First();
    try {
        const QVariant value = form.report->EvaluateFormula(*form.text, formula);
        // What the data text would print: numbers through a picture, other values through an
        // edit mask, and both without a mask.
        for (const QString& mask :
            { QString(), QStringLiteral("#,##0.00;(#,##0.00);zero"), QStringLiteral("!>LL-000;0;_") }) {
            form.text->DisplayMask = mask;
            form.text->FormatFormulaValue(value);
        }
    } catch (const EReportError&) {
        // Refusing the formula with a message is the expected outcome for most inputs.
    }
    // Variables would otherwise pile up over millions of inputs.
    form.parser->Clear();
    return 0;
}
