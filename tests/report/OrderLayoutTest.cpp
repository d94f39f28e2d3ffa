#include "ReportFixture.h"

#include "report/RLDetailGrid.h"
#include "report/RLGroup.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLControlAlign;
using enum TRLFooterMeasuring;
using enum TRLPageBreaking;

using namespace Qt::StringLiterals;

namespace {

/// The purchase order's three bands: a 275-pixel column header, a one-column detail grid of
/// 16-pixel item rows and a 157-pixel summary.
struct OrderFixture {
    explicit OrderFixture(int items)
        : f(items)
    {
        f.AddBand(btColumnHeader, 275, u"Header"_s);
        auto* grid = new TRLDetailGrid(&f.form);
        grid->SetBounds(0, 200000, grid->Width(), 16);
        grid->SetParent(f.report);
        f.AddText(grid, u"I"_s, 2, true);
        f.AddBand(btSummary, 157, u"Summary"_s);
    }
    ReportFixture f;
};

QStringList Items(int from, int to)
{
    QStringList words;
    for (int n = from; n <= to; ++n)
        words << u"I"_s + QString::number(n);
    return words;
}

} // namespace

TEST(OrderLayout, SixtyItemsFillTwoPages)
{
    OrderFixture order(60);
    ASSERT_TRUE(order.f.report->Prepare());
    ASSERT_EQ(order.f.PageCount(), 2);
    // The header spans rows 38 to 313; 48 rows fit above the limit 1085, the last at 1065.
    EXPECT_EQ(order.f.Words(0), QStringList { u"Header"_s } + Items(1, 48));
    EXPECT_EQ(order.f.Texts(0).last(), u"I48@38,1067"_s) << "the row at 1065, its text 2 below";
    EXPECT_EQ(order.f.Words(1), QStringList { u"Header"_s } + Items(49, 60) + QStringList { u"Summary"_s });
    EXPECT_EQ(order.f.Texts(1).last(), u"Summary@38,505"_s);
}

TEST(OrderLayout, FortyEightItemsPutTheSummaryAloneOnPageTwo)
{
    OrderFixture order(48);
    ASSERT_TRUE(order.f.report->Prepare());
    ASSERT_EQ(order.f.PageCount(), 2);
    EXPECT_EQ(order.f.Words(1), QStringList({ u"Header"_s, u"Summary"_s }));
    EXPECT_EQ(order.f.Texts(1).last(), u"Summary@38,313"_s);
}

TEST(OrderLayout, AnOrderWithoutItems)
{
    OrderFixture order(0);
    ASSERT_TRUE(order.f.report->Prepare());
    EXPECT_EQ(order.f.Dump(), u"Header Summary"_s);
}

TEST(KeepTogether, MinimumDetailsStayTogether)
{
    ReportFixture f(7);
    f.report->MinBands = 3;
    f.report->ForceMinBands = true;
    f.AddBand(btDetail, 20, u"D"_s, true)->PageBreaking = pbBeforePrint;
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Dump(), u"D1 D2 D3 | D4 D5 D6 | D7"_s);
}

TEST(KeepTogether, GroupWithoutDataTravelsToTheNextPage)
{
    // Each detail asks for a new page once data is on the page. Within group a the break closes
    // the group on the old page; group b has printed only its title when D3 asks, so the title
    // travels with it instead of staying alone at the bottom.
    ReportFixture f(3, { u"a"_s, u"a"_s, u"b"_s });
    auto* group = new TRLGroup(&f.form);
    group->SetParent(f.report);
    group->SetAlign(faTop);
    group->KeyFields = u"G"_s;
    TRLBand* title = f.AddBand(btTitle, 20, u""_s, false, group);
    static_cast<TTestText*>(title->Controls().front())->Text
        = [&f] { return u"G:"_s + f.data->FindField(u"G")->AsString(); };
    f.AddBand(btDetail, 20, u"D"_s, true, group)->PageBreaking = pbBeforePrint;
    f.AddBand(btSummary, 20, u"S"_s, false, group);
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Dump(), u"G:a D1 | D2 S | G:b D3 S"_s);
    EXPECT_EQ(f.Texts(2).first(), u"G:b@38,38"_s);
}

TEST(Grid, StartsAgainBelowBandsPrintedSince)
{
    ReportFixture f(5, { u"a"_s, u"a"_s, u"a"_s, u"b"_s, u"b"_s });
    auto* group = new TRLGroup(&f.form);
    group->SetParent(f.report);
    group->SetAlign(faTop);
    group->KeyFields = u"G"_s;
    auto* grid = new TRLDetailGrid(&f.form);
    grid->SetHeight(20);
    grid->SetParent(group);
    grid->SetColCount(2);
    f.AddText(grid, u"D"_s, 0, true);
    f.AddBand(btSummary, 20, u"S"_s, false, group);
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Texts(0),
        QStringList({ u"D1@38,38"_s, u"D2@397,38"_s, u"D3@38,58"_s, u"S@38,78"_s, u"D4@38,98"_s,
            u"D5@397,98"_s, u"S@38,118"_s }));
}

TEST(FooterMeasuring, FootersAreMeasuredAfterEachPageHeader)
{
    ReportFixture f(30);
    f.report->FooterMeasuring = fmAfterHeader;
    f.AddBand(btHeader, 20, u"H"_s);
    f.AddBand(btDetail, 100, u"D"_s, true);
    TRLBand* footer = f.AddBand(btFooter, 20, u"F"_s);
    int measured = 0;
    footer->OnMeasureHeight = [&](TComponent*) { ++measured; };
    ASSERT_TRUE(f.report->Prepare());
    // Limit 1065: ten 100-pixel details below the 20-pixel header on each page.
    EXPECT_EQ(f.PageCount(), 3);
    EXPECT_EQ(measured, 3);
}

TEST(Grid, ContinuesOnlyWhereItStopped)
{
    // A second detail band prints below each grid cell: the next record starts a new grid row
    // under it instead of filling the next column above it.
    ReportFixture f(2);
    auto* grid = new TRLDetailGrid(&f.form);
    grid->SetHeight(20);
    grid->SetParent(f.report);
    grid->SetColCount(2);
    f.AddText(grid, u"D"_s, 0, true);
    f.AddBand(btDetail, 20, u"X"_s, true);
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Texts(0), QStringList({ u"D1@38,38"_s, u"X1@38,58"_s, u"D2@38,78"_s, u"X2@38,98"_s }));
}
