#include "report/RLReportFormulas.h"

#include "db/DataSource.h"
#include "db/MemoryDataSet.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "report/RLBand.h"
#include "report/RLDBMemo.h"
#include "report/RLDBText.h"
#include "report/RLGroup.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "support/FormatSettings.h"
#include "support/RLExpressionParser.h"
#include "tests/common/TestHelpers.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLTextAlignment;

using namespace Qt::StringLiterals;

namespace {

/// A form with an items table (QUANT, PRECO, NOME; two records), its data source, a report over
/// it with one detail band, and a parser bound to the report. Numbers print the Brazilian way.
struct FormulaReport {
    FormulaReport()
    {
        TFormatSettings settings;
        settings.DecimalSeparator = u","_s;
        settings.ThousandSeparator = u"."_s;
        SetFormatSettings(settings);
        form.SetName(u"Form1"_s);
        items->SetName(u"Itens"_s);
        items->AddField(u"QUANT"_s, TFieldType::ftInteger);
        items->AddField(u"PRECO"_s, TFieldType::ftFloat);
        items->AddField(u"NOME"_s, TFieldType::ftString, 10);
        items->AppendRecord({ 2, 1234.5, u"parafuso"_s });
        items->AppendRecord({ 3, 0.25, QVariant() });
        items->Open();
        source->SetName(u"DSItens"_s);
        source->SetDataSet(items);
        report->SetName(u"RLReport1"_s);
        report->ShowProgress = false;
        report->SetDataSource(source);
        band->SetBandType(btDetail);
        band->SetHeight(30);
        band->SetParent(report);
        parser->SetName(u"RLExpressionParser1"_s);
        SetReportExpressionParser(*report, parser);
    }
    ~FormulaReport() { SetFormatSettings(saved); }

    TRLDBText* AddText(const QString& formula, TDataSource* dataSource)
    {
        auto* text = new TRLDBText(&form);
        text->SetName(u"RLDBText"_s + QString::number(++texts));
        text->SetParent(band);
        text->SetDataSource(dataSource);
        text->SetDataFormula(formula);
        return text;
    }

    /// Prepares; a failure's message goes to `errors`.
    bool Prepare()
    {
        const TRLPrepareResult prepared = report->Prepare();
        if (prepared.Outcome == TRLPrepareOutcome::Failed)
            errors << prepared.Message;
        return bool(prepared);
    }

    /// The texts printed on the first page, in drawing order.
    QStringList Printed()
    {
        QStringList printed;
        TRLGraphicSurface* page = report->Pages()->Pages(0);
        for (int i = 0; page && i < page->ObjectCount(); ++i) {
            if (const auto* text = dynamic_cast<const TRLTextObject*>(page->Objects(i)))
                printed << text->Text;
        }
        return printed;
    }

    const TFormatSettings saved = FormatSettings();
    TComponent form { nullptr };
    TMemoryDataSet* items = new TMemoryDataSet(&form);
    TDataSource* source = new TDataSource(&form);
    TRLReport* report = new TRLReport(&form);
    TRLBand* band = new TRLBand(&form);
    TRLExpressionParser* parser = new TRLExpressionParser(&form);
    QStringList errors;
    int texts = 0;
};

} // namespace

TEST(ParserReport, DataFormulaPrintsTheSumOfTwoFieldsThroughTheDisplayMask)
{
    FormulaReport r;
    TRLDBText* text = r.AddText(u"QUANT + PRECO"_s, r.source);
    text->DisplayMask = u"#,##0.00"_s;
    ASSERT_TRUE(r.Prepare()) << r.errors.join(u'\n').toStdString();
    EXPECT_EQ(r.Printed(), QStringList({ u"1.236,50"_s, u"3,25"_s }));
}

TEST(ParserReport, FormulaValuesPrintThroughPicturesEditMasksOrTheDefaultText)
{
    struct Case {
        QString formula;
        QString mask;
        QStringList printed;
    };
    // Numbers take the mask as a picture, other values as an edit mask; without a mask the
    // user's decimal separator applies. The second record has no NOME (null prints nothing).
    const Case cases[] = {
        { u"PRECO / 2"_s, QString(), { u"617,25"_s, u"0,125"_s } },
        { u"QUANT > 2"_s, QString(), { u"False"_s, u"True"_s } },
        { u"if(QUANT > 2, -PRECO, 0)"_s, u"0.00;(0.00);zero"_s, { u"zero"_s, u"(0,25)"_s } },
        { u"QUANT * 1000000"_s, u"#,##0"_s, { u"2.000.000"_s, u"3.000.000"_s } },
        { u"NOME"_s, u">LLLLLLLL;0"_s, { u"PARAFUSO"_s, QString() } },
    };
    for (const Case& c : cases) {
        FormulaReport r;
        r.AddText(c.formula, r.source)->DisplayMask = c.mask;
        ASSERT_TRUE(r.Prepare()) << c.formula.toStdString() << ": " << r.errors.join(u'\n').toStdString();
        EXPECT_EQ(r.Printed(), c.printed) << c.formula.toStdString() << " with mask " << c.mask.toStdString();
    }
}

TEST(ParserReport, MemoFormulaValuesUseTheDefaultText)
{
    FormulaReport r;
    auto* memo = new TRLDBMemo(&r.form);
    memo->SetParent(r.band);
    memo->SetDataSource(r.source);
    memo->SetDataFormula(u"if(QUANT > 2, PRECO / 2, QUANT = 2)"_s);
    ASSERT_TRUE(r.Prepare()) << r.errors.join(u'\n').toStdString();
    EXPECT_EQ(r.Printed(), QStringList({ u"True"_s, u"0,125"_s }))
        << "a memo prints a formula's value as a data text without mask does";
}

TEST(ParserReport, NamesResolveAlongThePrintingControlAndItsParents)
{
    struct Case {
        QString formula;
        bool ownSource;
        QStringList printed;
    };
    // Without its own source the text reads a one-record table of its own, which lacks the
    // items' fields: those come from the report's data source, one level up.
    const Case cases[] = {
        { u"NOME"_s, true, { u"parafuso"_s, QString() } },
        { u"quant * 10"_s, false, { u"20"_s, u"30"_s } },
        { u"COR + ' ' + NOME"_s, false, { u"azul parafuso"_s, QString() } },
        { u"DSItens.QUANT + Itens.QUANT"_s, false, { u"4"_s, u"6"_s } },
        { u"if(NOME = null, 'sem nome', NOME)"_s, true, { u"parafuso"_s, u"sem nome"_s } },
        { u"{n := QUANT; n := n * n; n}"_s, true, { u"4"_s, u"9"_s } },
    };
    for (const Case& c : cases) {
        FormulaReport r;
        auto* other = new TMemoryDataSet(&r.form);
        other->AddField(u"COR"_s, TFieldType::ftString, 10);
        other->AppendRecord({ u"azul"_s });
        other->Open();
        auto* otherSource = new TDataSource(&r.form);
        otherSource->SetDataSet(other);
        r.AddText(c.formula, c.ownSource ? r.source : otherSource);
        ASSERT_TRUE(r.Prepare()) << c.formula.toStdString() << ": " << r.errors.join(u'\n').toStdString();
        EXPECT_EQ(r.Printed(), c.printed) << c.formula.toStdString();
    }
}

TEST(ParserReport, ComponentsAreFoundByNameOrFriendlyName)
{
    FormulaReport r;
    auto* label = new TRLLabel(&r.form);
    label->SetName(u"RLLabel1"_s);
    label->SetFriendlyName(u"Titulo"_s);
    label->SetCaption(u"Pedido"_s);
    EXPECT_EQ(r.parser->Evaluate(u"titulo"_s).ToString(), u"Pedido"_s);
    EXPECT_EQ(r.parser->Evaluate(u"RLLabel1.Alignment"_s).ToString(), u"Pedido"_s)
        << "a report control answers its caption whatever the property";
    r.parser->Evaluate(u"RLLabel1.Alignment := 'taCenter'"_s);
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(r.parser->Evaluate(u"RLLabel1.Font"_s).ToString(),
        label->Font().Name + u' ' + QString::number(label->Font().Size()));
    EXPECT_EQ(r.parser->Evaluate(u"DSItens.DataSet.NOME"_s).ToString(), u"parafuso"_s);
    EXPECT_EQ(r.parser->Evaluate(u"Itens"_s).ToString(), u"[TMemoryDataSet]"_s);
    EXPECT_EQ(r.parser->Evaluate(u"Itens.RecordCount"_s).ToInt(), 2);
    r.parser->Evaluate(u"RLReport1.Title := 'Ordem'"_s);
    EXPECT_EQ(r.report->Title, u"Ordem"_s);
}

TEST(ParserReport, AnUndefinedNameStopsPreparationWithItsMessage)
{
    FormulaReport r;
    r.AddText(u"QUANT + DESCONTO"_s, r.source);
    EXPECT_FALSE(r.Prepare());
    ASSERT_EQ(r.errors.size(), 1);
    EXPECT_TRUE(r.errors[0].endsWith(u"Undefined identifier \"DESCONTO\""_s)) << r.errors[0].toStdString();
}

TEST(ParserReport, MemosAndGroupKeysEvaluateThroughTheParser)
{
    FormulaReport r;
    auto* memo = new TRLDBMemo(&r.form);
    memo->SetParent(r.band);
    memo->SetDataSource(r.source);
    memo->SetDataFormula(u"'Item: ' + NOME"_s);
    ASSERT_TRUE(r.Prepare()) << r.errors.join(u'\n').toStdString();
    // Null spreads through "+", so the record without a name prints an empty memo.
    EXPECT_EQ(r.Printed(), QStringList({ u"Item: parafuso"_s }));

    auto* group = new TRLGroup(&r.form);
    group->SetParent(r.report);
    group->KeyFormula = u"QUANT * 100"_s;
    r.items->First();
    EXPECT_EQ(group->GroupKey(), u"200"_s);
}

TEST(ParserReport, BindingEndsWithEitherSide)
{
    {
        FormulaReport r;
        EXPECT_EQ(ReportExpressionParser(*r.report), r.parser);
        EXPECT_TRUE(bool(r.parser->Resolvers().Identifier));
        SetReportExpressionParser(*r.report, nullptr);
        EXPECT_FALSE(bool(r.report->ExpressionParser));
        EXPECT_FALSE(bool(r.parser->Resolvers().Identifier));
    }
    {
        FormulaReport r;
        TRLDBText* text = r.AddText(u"QUANT"_s, r.source);
        delete r.parser;
        EXPECT_EQ(ReportExpressionParser(*r.report), nullptr);
        EXPECT_FALSE(r.report->EvaluateFormula(*text, u"QUANT"_s).isValid());
    }
    {
        FormulaReport r;
        delete r.report;
        EXPECT_FALSE(bool(r.parser->Resolvers().Identifier));
        EXPECT_DOUBLE_EQ(r.parser->Evaluate(u"1 + 1"_s).ToDouble(), 2);
    }
}
