#include "ControlTestSupport.h"
#include "tests/common/TestHelpers.h"

#include "report/RLBorders.h"
#include "report/RLDBText.h"
#include "report/RLEditMask.h"
#include "report/RLLabel.h"
#include "support/FormatSettings.h"

#include <algorithm>
#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLBorderSides;
using enum TRLTextAlignment;
using enum TRLTextLayout;

using namespace Qt::StringLiterals;

namespace {

TRLDBText* AddDBText(ControlReport& r, TRLBand* band, const QString& field)
{
    auto* text = new TRLDBText(&r.form);
    text->SetName(u"RLDBText1"_s);
    text->SetParent(band);
    text->SetFont(TestFont());
    text->SetDataSource(r.source);
    text->SetDataField(field);
    return text;
}

/// A dataset with one text field PRECO holding the display text of a price.
void AddPriceField(ControlReport& r, const QString& price)
{
    r.data->Close();
    r.data->ClearRecords();
    r.data->AddField(u"PRECO"_s, TFieldType::ftString, 20);
    r.data->AppendRecord({ 1, u"x"_s, price });
    r.data->Open();
}

} // namespace

TEST(Label, AutoSizeMeasuresCaptionAndBlankPlusBorderAllowance)
{
    ControlReport r;
    TRLBand* band = r.AddTitleBand(40);
    TRLLabel* label = AddLabel(r, band, u"Fornecedor:"_s);
    const int plain = QtWidth(u"Fornecedor: "_s, TestFont());
    EXPECT_EQ(label->Width(), plain);
    EXPECT_EQ(label->Height(), 17) << "a label never sizes its height";

    label->Borders()->SetSides(sdAll);
    EXPECT_EQ(label->Width(), plain + 4) << "a one-pixel border adds 2 on the left and 2 on the right";
    EXPECT_EQ(label->Height(), 17);

    label->Borders()->SetWidth(3);
    EXPECT_EQ(label->Width(), plain + 8);
}

TEST(Label, EmptyCaptionMeasuresTheNameOutsidePrinting)
{
    ControlReport r;
    TRLBand* band = r.AddTitleBand(40);
    TRLLabel* label = AddLabel(r, band, QString());
    label->SetName(u"RLLabel7"_s);
    EXPECT_EQ(label->Width(), QtWidth(u"RLLabel7 "_s, TestFont()));
}

TEST(Label, PrintsItsCaptionWithAlignmentOriginsAndFlags)
{
    struct Case {
        TRLTextAlignment alignment;
        TRLTextLayout layout;
        TRLMetaTextAlignment storedAlignment;
        TRLMetaTextLayout storedLayout;
        const char* what;
    };
    const Case cases[] = {
        { taLeftJustify, tlTop, TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, "left, top" },
        { taRightJustify, tlBottom, TRLMetaTextAlignment::Right, TRLMetaTextLayout::Bottom, "right, bottom" },
        { taCenter, tlCenter, TRLMetaTextAlignment::Center, TRLMetaTextLayout::Center, "centre, centre" },
        { taJustify, tlJustify, TRLMetaTextAlignment::Justify, TRLMetaTextLayout::Top, "justify, justify" },
    };
    const QString caption = u"Emissão:"_s;
    const int space = QtWidth(u" "_s, TestFont());
    const int w = QtWidth(caption + u" "_s, TestFont());
    const int h = QtHeight(TestFont());
    for (const Case& c : cases) {
        ControlReport r;
        TRLBand* band = r.AddTitleBand(60);
        TRLLabel* label = AddLabel(r, band, caption);
        label->SetAutoSize(false);
        label->SetBounds(100, 10, 200, 30);
        label->SetAlignment(c.alignment);
        label->SetLayout(c.layout);
        ASSERT_TRUE(r.Prepare()) << c.what;
        const auto texts = r.TextObjects();
        ASSERT_EQ(texts.size(), 1u) << c.what;
        const TRLTextObject& text = *texts[0];
        // The band sits at (38, 38) on the page; the label's rectangle is (138, 48)-(338, 78).
        EXPECT_EQ(RectText(text.BoundsRect), u"138,48,338,78"_s) << c.what;
        EXPECT_EQ(text.Text, caption) << c.what;
        EXPECT_EQ(text.Alignment, c.storedAlignment) << c.what;
        EXPECT_EQ(text.Layout, c.storedLayout) << c.what;
        EXPECT_EQ(text.TextFlags, kTextFlagKeepWhole) << c.what << ": no AutoSize, so clipped";
        EXPECT_EQ(text.Brush.Style, MetaBrushStyleClear) << c.what;
        int x = space / 2 + 138;
        if (c.alignment == taRightJustify)
            x = space / 2 + 338 - w;
        else if (c.alignment == taCenter)
            x = space / 2 + (138 + 338 - w) / 2;
        int y = 48;
        if (c.layout == tlCenter)
            y = (48 + 78 - h) / 2;
        else if (c.layout == tlBottom)
            y = 78 - h;
        EXPECT_EQ(text.Origin, QPoint(x, y)) << c.what;
    }
}

TEST(Label, RightJustifiedAmountWiderThanItsBoxGrowsLeftNeverPastItsBand)
{
    struct Case {
        QString caption;
        int left;
        const char* what;
    };
    const Case cases[] = {
        { u"10.000.000,00"_s, 100, "10^7" },
        { u"1.000.000.000,00"_s, 100, "10^9" },
        { u"1.000.000.000.000,00"_s, 100, "10^12" },
        { u"1.000.000.000.000,00"_s, 0, "10^12 at the band's left edge" },
        { u"1,00"_s, 100, "fits: the box stays" },
    };
    const int space = QtWidth(u" "_s, TestFont());
    for (const Case& c : cases) {
        ControlReport r;
        TRLBand* band = r.AddTitleBand(60);
        TRLLabel* label = AddLabel(r, band, c.caption);
        label->SetAutoSize(false);
        label->SetBounds(c.left, 10, 40, 20);
        label->SetAlignment(taRightJustify);
        ASSERT_TRUE(r.Prepare()) << c.what;
        const auto texts = r.TextObjects();
        ASSERT_EQ(texts.size(), 1u) << c.what;
        const TRLTextObject& text = *texts[0];
        const int right = 38 + c.left + 40;
        const int w = QtWidth(c.caption + u" "_s, TestFont());
        EXPECT_EQ(text.BoundsRect.Right, right) << c.what;
        EXPECT_EQ(text.Origin.x(), space / 2 + right - w) << c.what;
        const int expectedLeft = w > 40 ? std::max(38, right - w) : 38 + c.left;
        EXPECT_EQ(text.BoundsRect.Left, expectedLeft) << c.what << ": the clip holds every digit";
        EXPECT_GE(text.BoundsRect.Left, 38) << c.what << ": not past the band";
    }
}

TEST(Label, BorderedAutoSizedLabelPrintsBarsAndTextInsideThem)
{
    ControlReport r;
    TRLBand* band = r.AddTitleBand(40);
    TRLLabel* label = AddLabel(r, band, u"Total"_s);
    label->SetLeft(10);
    label->Borders()->SetSides(sdAll);
    label->Borders()->SetWidth(2);
    ASSERT_TRUE(r.Prepare());
    const int width = QtWidth(u"Total "_s, TestFont()) + 3 + 3;
    EXPECT_EQ(label->Width(), width);
    const auto bars = PageObjects<TRLRectangleObject>(*r.report->Pages(), 0);
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(RectText(bars[0]->BoundsRect), u"48,38,50,55"_s) << "left bar";
    EXPECT_EQ(
        RectText(bars[2]->BoundsRect), QStringLiteral("%1,38,%2,55").arg(48 + width - 2).arg(48 + width));
    const auto texts = r.TextObjects();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(RectText(texts[0]->BoundsRect), QStringLiteral("50,40,%1,53").arg(48 + width - 2));
    EXPECT_EQ(texts[0]->TextFlags, kTextFlagKeepWhole | kTextFlagNoClip);
    EXPECT_NE(bars[0]->GroupId, texts[0]->GroupId) << "the text is a drawing group of its own";
}

TEST(DBText, MasksPrefixOrReplaceTheFirstHash)
{
    struct Case {
        QString mask;
        QString printed;
    };
    const Case cases[] = {
        { QString(), u"10,00"_s },
        { u"R$ "_s, u"R$ 10,00"_s },
        { u"# kg"_s, u"10,00 kg"_s },
        { u"Código: #."_s, u"Código: 10,00."_s },
        { u"# e #"_s, u"10,00 e #"_s },
    };
    for (const Case& c : cases) {
        ControlReport r;
        AddPriceField(r, u"10,00"_s);
        TRLBand* band = r.AddDetailBand(30);
        TRLDBText* text = AddDBText(r, band, u"preco"_s);
        text->SetText(c.mask);
        ASSERT_TRUE(r.Prepare()) << c.mask.toStdString();
        ASSERT_EQ(r.TextObjects().size(), 1u) << c.mask.toStdString();
        EXPECT_EQ(r.TextObjects()[0]->Text, c.printed) << "mask \"" << c.mask.toStdString() << "\"";
    }
}

TEST(DBText, FieldDisplayTextIgnoresDisplayMask)
{
    ControlReport r;
    r.data->Close();
    r.data->ClearRecords();
    r.data->AddField(u"TOTAL"_s, TFieldType::ftFloat);
    r.data->AppendRecord({ 1, u"x"_s, 1234.5 });
    r.data->Open();
    TRLBand* band = r.AddDetailBand(30);
    TRLDBText* text = AddDBText(r, band, u"TOTAL"_s);
    text->DisplayMask = u"#,##0.00"_s;
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(r.TextObjects()[0]->Text, r.data->FindField(u"TOTAL")->DisplayText());
    EXPECT_NE(r.TextObjects()[0]->Text, u"1,234.50"_s);
}

TEST(DBText, MissingFieldStopsPreparationNamingControlAndField)
{
    ControlReport r;
    TRLBand* band = r.AddDetailBand(30);
    TRLDBText* text = AddDBText(r, band, u"CODIGO"_s);
    EXPECT_EQ(ErrorOf([&] { text->GetField(); }), u"Não encontrado: RLDBText1.DataField \"CODIGO\""_s);
    EXPECT_FALSE(r.Prepare());
    ASSERT_EQ(r.errors.size(), 1);
    EXPECT_TRUE(r.errors[0].endsWith(u"Não encontrado: RLDBText1.DataField \"CODIGO\""_s))
        << r.errors[0].toStdString();
}

TEST(DBText, ClosedExhaustedOrMissingSourcePrintsEmpty)
{
    {
        ControlReport r;
        TRLBand* band = r.AddDetailBand(30);
        TRLDBText* text = AddDBText(r, band, u"N"_s);
        text->SetDataSource(nullptr);
        text->SetText(u"N="_s);
        ASSERT_TRUE(r.Prepare());
        EXPECT_EQ(r.TextObjects()[0]->Text, u"N="_s) << "no data source";
    }
    {
        ControlReport r(2);
        TRLBand* band = r.AddDetailBand(30);
        band->SetBandType(btSummary);
        AddDBText(r, band, u"N"_s);
        ASSERT_TRUE(r.Prepare());
        ASSERT_EQ(r.TextObjects().size(), 1u);
        EXPECT_EQ(r.TextObjects()[0]->Text, QString()) << "the summary prints with the dataset at its end";
    }
    {
        ControlReport r;
        auto* other = new TMemoryDataSet(&r.form);
        other->AddField(u"N"_s, TFieldType::ftInteger);
        auto* closed = new TDataSource(&r.form);
        closed->SetDataSet(other);
        TRLBand* band = r.AddDetailBand(30);
        TRLDBText* text = AddDBText(r, band, u"N"_s);
        text->SetDataSource(closed);
        ASSERT_TRUE(r.Prepare());
        EXPECT_EQ(r.TextObjects()[0]->Text, QString()) << "a closed dataset";
    }
}

TEST(DBText, DataFieldAndDataFormulaExcludeEachOther)
{
    ControlReport r;
    auto* text = new TRLDBText(&r.form);
    text->SetDataField(u"CODIGO"_s);
    text->SetDataFormula(u"N * 2"_s);
    EXPECT_EQ(text->DataField(), QString());
    EXPECT_EQ(text->DataFormula(), u"N * 2"_s);
    text->SetDataField(QString());
    EXPECT_EQ(text->DataFormula(), u"N * 2"_s) << "an empty field clears only itself";
    text->SetDataField(u"N"_s);
    EXPECT_EQ(text->DataFormula(), QString());
}

TEST(DBText, EachPreparationReadsTheFieldItIsBoundToThen)
{
    ControlReport r(2);
    TRLDBText* text = AddDBText(r, r.AddDetailBand(20), u"N"_s);
    const auto texts = [&r] {
        QStringList shown;
        for (const TRLTextObject* object : r.TextObjects())
            shown << object->Text;
        return shown;
    };
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(texts(), QStringList({ u"1"_s, u"2"_s }));

    text->SetDataField(u"g"_s);
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(texts(), QStringList({ u"x"_s, u"x"_s })) << "the new field, found without regard to case";

    // Another dataset whose first field is not N: the field is found there by its name.
    auto* other = new TMemoryDataSet(&r.form);
    other->AddField(u"G"_s, TFieldType::ftString, 10);
    other->AddField(u"N"_s, TFieldType::ftInteger);
    other->AppendRecord({ u"y"_s, 7 });
    other->Open();
    auto* otherSource = new TDataSource(&r.form);
    otherSource->SetDataSet(other);
    text->SetDataField(u"N"_s);
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(texts(), QStringList({ u"1"_s, u"2"_s }));
    text->SetDataSource(otherSource);
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(texts(), QStringList({ u"7"_s, u"7"_s })) << "N of the other dataset, on its one record";
}

TEST(DBText, OutsidePrintingShowsTheSource)
{
    ControlReport r;
    auto* text = new TRLDBText(&r.form);
    text->SetName(u"RLDBText5"_s);
    text->SetDataSource(r.source);
    EXPECT_EQ(text->Caption(), u"RLDBText5"_s);
    text->SetDataFormula(u"N+1"_s);
    EXPECT_EQ(text->Caption(), u"(N+1)"_s);
    r.data->FindField(u"N")->SetDisplayLabel(u"Número"_s);
    text->SetDataField(u"n"_s);
    EXPECT_EQ(text->Caption(), u"Número"_s);
    text->SetDataField(u"SEM_CAMPO"_s);
    EXPECT_EQ(text->Caption(), u"SEM_CAMPO"_s) << "no error outside printing";
    text->SetText(u"Nº #"_s);
    EXPECT_EQ(text->Caption(), u"Nº SEM_CAMPO"_s);
}

TEST(DBText, FormulaGoesThroughTheReportsParserAndDisplayMask)
{
    struct Case {
        QVariant value;
        QString mask;
        QString printed;
    };
    const Case cases[] = {
        { QVariant(), QString(), QString() },
        { QVariant(42), QString(), u"42"_s },
        { QVariant(1234.5), u"#,##0.00"_s, u"1,234.50"_s },
        { QVariant(-3.0), u"0.0;(0.0)"_s, u"(3.0)"_s },
        { QVariant(u"12345678"_s), u"00.000-000;0"_s, u"12.345-678"_s },
    };
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(TFormatSettings {});
    for (const Case& c : cases) {
        ControlReport r;
        QString formulaSeen;
        TRLCustomControl* invoker = nullptr;
        r.report->ExpressionParser = [&](TRLCustomControl& current, const QString& formula) {
            formulaSeen = formula;
            invoker = r.report->FormulaObject();
            Q_UNUSED(current);
            return c.value;
        };
        TRLBand* band = r.AddDetailBand(30);
        auto* text = new TRLDBText(&r.form);
        text->SetParent(band);
        text->SetDataSource(r.source);
        text->SetDataFormula(u"N * 2"_s);
        text->DisplayMask = c.mask;
        ASSERT_TRUE(r.Prepare());
        EXPECT_EQ(formulaSeen, u"N * 2"_s);
        EXPECT_EQ(invoker, text) << "the control is the parse invoker while it evaluates";
        EXPECT_EQ(r.TextObjects()[0]->Text, c.printed) << c.value.toString().toStdString();
    }
    SetFormatSettings(saved);
}

TEST(DBText, WithoutParserAFormulaPrintsEmpty)
{
    ControlReport r;
    TRLBand* band = r.AddDetailBand(30);
    auto* text = new TRLDBText(&r.form);
    text->SetParent(band);
    text->SetDataSource(r.source);
    text->SetDataFormula(u"N * 2"_s);
    ASSERT_TRUE(r.Prepare());
    EXPECT_EQ(r.TextObjects()[0]->Text, QString());
}

TEST(DBText, DestroyedDataSourceIsForgotten)
{
    ControlReport r;
    auto* text = new TRLDBText(&r.form);
    text->SetDataSource(r.source);
    delete r.source;
    r.source = nullptr;
    EXPECT_EQ(text->DataSource(), nullptr);
}

TEST(EditMask, PlaceholdersLiteralsAndCase)
{
    struct Case {
        QString mask;
        QString value;
        QString result;
    };
    const Case cases[] = {
        { u"00.000-000;0"_s, u"12345678"_s, u"12.345-678"_s },
        { u"00.000-000;1"_s, u"12.345-678"_s, u"12.345-678"_s },
        { u"(00) 0000-0000;0;_"_s, u"1134"_s, u"(11) 34__-____"_s },
        { u">LL<ll;0"_s, u"abCD"_s, u"ABcd"_s },
        { u"\\A-000;0"_s, u"7"_s, u"A-7__"_s },
        { u"!999;0;*"_s, u"5"_s, u"5**"_s },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMaskText(c.mask, c.value), c.result) << c.mask.toStdString();
}
