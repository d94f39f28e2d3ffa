#include "ReportFixture.h"
#include "tests/common/TestHelpers.h"

#include "report/RLGroup.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLControlAlign;
using enum TRLPageBreaking;
using enum TRLReportPhase;

using namespace Qt::StringLiterals;

namespace {

struct GroupFixture {
    explicit GroupFixture(const QStringList& keys)
        : f(int(keys.size()), keys)
    {
        group = new TRLGroup(&f.form);
        group->SetName(u"RLGroup1"_s);
        group->SetParent(f.report);
        group->SetAlign(faTop);
        TRLBand* title = f.AddBand(btTitle, 20, u""_s, false, group);
        static_cast<TTestText*>(title->Controls().front())->Text
            = [this] { return u"G:"_s + f.data->FindField(u"G")->AsString(); };
        f.AddBand(btDetail, 20, u"D"_s, true, group);
        f.AddBand(btSummary, 20, u"S"_s, false, group);
    }
    ReportFixture f;
    TRLGroup* group = nullptr;
};

} // namespace

TEST(Group, KeyFieldsSplitTheRecords)
{
    GroupFixture g({ u"a"_s, u"a"_s, u"b"_s, u"c"_s, u"c"_s });
    g.group->KeyFields = u"G"_s;
    ASSERT_TRUE(g.f.report->Prepare());
    EXPECT_EQ(g.f.Dump(), u"G:a D1 D2 S G:b D3 S G:c D4 D5 S"_s);
    EXPECT_EQ(g.f.report->DetailsPrinted(), 5) << "group details count in the report too";
}

TEST(Group, KeyBreakHandlerDecides)
{
    GroupFixture g({ u"a"_s, u"a"_s, u"a"_s });
    g.group->KeyFields = u"G"_s;
    g.group->OnKeyBreak = [&](TComponent*, bool& breakIt) { breakIt = g.f.N() == u"3"_s; };
    ASSERT_TRUE(g.f.report->Prepare());
    EXPECT_EQ(g.f.Dump(), u"G:a D1 D2 S G:a D3 S"_s);
}

TEST(Group, KeyFormulaGoesThroughTheReportsEvaluator)
{
    GroupFixture g({ u"a"_s, u"b"_s, u"c"_s, u"d"_s });
    g.group->KeyFormula = u"N div 2"_s;
    QStringList formulas;
    g.f.report->ExpressionParser = [&](TRLCustomControl& current, const QString& formula) {
        formulas << current.Name() + u":"_s + formula;
        EXPECT_EQ(g.f.report->FormulaObject(), &current);
        return QVariant(g.f.N().toInt() / 2);
    };
    ASSERT_TRUE(g.f.report->Prepare());
    EXPECT_EQ(g.f.Dump(), u"G:a D1 S G:b D2 D3 S G:d D4 S"_s);
    EXPECT_EQ(formulas.first(), u"RLGroup1:N div 2"_s);
    EXPECT_EQ(g.f.report->FormulaObject(), nullptr);
}

TEST(Group, UnknownKeyFieldIsReported)
{
    GroupFixture g({ u"a"_s });
    g.group->KeyFields = u"G;XX"_s;
    const TRLPrepareResult prepared = g.f.report->Prepare();
    EXPECT_EQ(prepared.Outcome, TRLPrepareOutcome::Failed);
    EXPECT_EQ(prepared.Message,
        u"RLReport1: Erro durante a preparação do relatório\rNão encontrado: RLGroup1.DataField \"XX\""_s);
    EXPECT_EQ(g.f.report->ReportPhase(), rpIdle);

    // The failed run leaves nothing open: the next preparation starts clean.
    g.group->KeyFields = u"G"_s;
    ASSERT_TRUE(g.f.report->Prepare());
    EXPECT_EQ(g.f.Dump(), u"G:a D1 S"_s);
}

TEST(Group, BreakAfterEachGroup)
{
    GroupFixture g({ u"a"_s, u"a"_s, u"b"_s });
    g.group->KeyFields = u"G"_s;
    g.group->PageBreaking = pbAfterPrint;
    ASSERT_TRUE(g.f.report->Prepare());
    EXPECT_EQ(g.f.Dump(), u"G:a D1 D2 S | G:b D3 S"_s);
}

TEST(Group, BreakBeforeAGroupKeepsTheFirstOnItsPage)
{
    GroupFixture g({ u"a"_s, u"b"_s });
    g.group->KeyFields = u"G"_s;
    g.group->PageBreaking = pbBeforePrint;
    g.f.AddBand(btHeader, 20, u"H"_s);
    ASSERT_TRUE(g.f.report->Prepare());
    EXPECT_EQ(g.f.Dump(), u"H G:a D1 S | H G:b D2 S"_s);
}

TEST(Group, NestedSkipperRunsItsOwnRecords)
{
    ReportFixture outer(2);
    ReportFixture inner(3);
    auto* skipper = new TRLCustomSkipper(&outer.form);
    skipper->SetParent(outer.report);
    skipper->SetAlign(faTop);
    skipper->SetDataSource(inner.source);
    outer.AddBand(btDetail, 20, u"R"_s, true);
    TRLBand* innerBand = outer.AddBand(btDetail, 20, u""_s, false, skipper);
    static_cast<TTestText*>(innerBand->Controls().front())->Text = [&] { return u"S"_s + inner.N(); };
    ASSERT_TRUE(outer.report->Prepare());
    EXPECT_EQ(outer.Dump(), u"S1 S2 S3 R1 S1 S2 S3 R2"_s);
}
