#include "ReportFixture.h"

#include "report/RLDetailGrid.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLCompletionType;
using enum TRLGridOrganization;

using namespace Qt::StringLiterals;

namespace {

/// A report whose 1000-pixel title leaves 47 pixels (rows 1038 to 1085) for a 100-pixel detail
/// holding "A" at 0 and "B" at `secondTop`.
struct SplitFixture {
    explicit SplitFixture(bool integralHeight, int secondTop = 60, int minHeight = 0)
        : f(1)
    {
        f.AddBand(btTitle, 1000, u"T"_s);
        TRLBand* detail = f.AddBand(btDetail, 100, u"A"_s);
        f.AddText(detail, u"B"_s, secondTop, false)->SetHeight(20);
        detail->IntegralHeight = integralHeight;
        if (minHeight > 0)
            detail->SetConstraints({ 0, minHeight, 0, 0 });
    }
    ReportFixture f;
};

} // namespace

TEST(Band, IntegralHeightMovesTheWholeBand)
{
    SplitFixture split(true);
    ASSERT_TRUE(split.f.report->Prepare());
    EXPECT_EQ(split.f.Dump(), u"T | A B"_s);
    EXPECT_EQ(split.f.Texts(1), QStringList({ u"A@38,38"_s, u"B@38,98"_s }));
}

TEST(Band, SplitAtTheAvailableRowWhenNoTextIsCut)
{
    SplitFixture split(false);
    ASSERT_TRUE(split.f.report->Prepare());
    EXPECT_EQ(split.f.Dump(), u"T A | B"_s);
    EXPECT_EQ(split.f.Texts(0).last(), u"A@38,1038"_s);
    // The cut is at band row 47; B (band row 60) continues 13 rows below the top of the next page.
    EXPECT_EQ(split.f.Texts(1), QStringList { u"B@38,51"_s });
}

TEST(Band, SplitMovesUpToAFreeRowAboveAProtectedText)
{
    // B spans band rows 40 to 60, across the row 47 that fits: the cut moves up to 40.
    SplitFixture split(false, 40);
    ASSERT_TRUE(split.f.report->Prepare());
    EXPECT_EQ(split.f.Dump(), u"T A | B"_s);
    EXPECT_EQ(split.f.Texts(1), QStringList { u"B@38,38"_s });
}

TEST(Band, SplitNeverCutsBelowTheMinimumHeight)
{
    // With a minimum height above the 47 free rows the band moves whole.
    SplitFixture split(false, 60, 50);
    ASSERT_TRUE(split.f.report->Prepare());
    EXPECT_EQ(split.f.Dump(), u"T | A B"_s);
}

TEST(Band, CarbonCopiesAndGroupsOfCopies)
{
    ReportFixture f(0);
    TRLBand* single = f.AddBand(btHeader, 20, u"S"_s);
    single->SetCarbonCopies(2);
    TRLBand* a = f.AddBand(btTitle, 20, u"A"_s);
    TRLBand* b = f.AddBand(btTitle, 20, u"B"_s);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->SetCarbonCopies(2);
    EXPECT_EQ(b->CarbonCopies(), 2) << "copies are shared within a group index";
    single->SetCarbonCopies(0);
    EXPECT_EQ(single->CarbonCopies(), 1) << "at least one copy";
    single->SetCarbonCopies(2);

    QStringList copies;
    for (TRLBand* band : { single, a, b })
        band->BeforePrint = [&copies, band](TComponent*, bool&) {
            copies << static_cast<TTestText*>(band->Controls().front())->Caption()
                    + QString::number(band->CurrentCopy());
        };
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Dump(), u"S S A B A B"_s);
    EXPECT_EQ(copies, QStringList({ u"S0"_s, u"S1"_s, u"A0"_s, u"B0"_s, u"A1"_s, u"B1"_s }));
}

TEST(Band, FooterAtTheLimitNeverBreaks)
{
    ReportFixture f(21);
    f.AddBand(btDetail, 50, u"D"_s, true);
    f.AddBand(btFooter, 40, u"F"_s);
    ASSERT_TRUE(f.report->Prepare());
    // Page limit 1085 - 40 = 1045: twenty 50-pixel details fill rows 38 to 1038.
    ASSERT_EQ(f.PageCount(), 2);
    EXPECT_EQ(f.Words(0).size(), 21);
    EXPECT_EQ(f.Texts(0).last(), u"F@38,1045"_s);
    EXPECT_EQ(f.Texts(1), QStringList({ u"D21@38,38"_s, u"F@38,1045"_s }));
}

TEST(Band, ColumnFooterAlignedToTheBottom)
{
    struct Case {
        int titleHeight;
        int details;
        int pages;
        QString lastTexts;
        const char* what;
    };
    // Column-footer limit 1085 - 40 - 30 = 1015; 50-pixel details below the title.
    const Case cases[] = {
        { 20, 3, 1, u"D3@38,158 CF@38,1015 F@38,1045"_s, "pushed down to its limit" },
        { 27, 19, 1, u"D19@38,965 CF@38,1015 F@38,1045"_s, "fits exactly at its limit and stays" },
        { 40, 19, 2, u"CF@38,1015 F@38,1045"_s, "no room: moves to the next page, at its limit" },
    };
    for (const Case& c : cases) {
        ReportFixture f(c.details);
        f.AddBand(btTitle, c.titleHeight, u"T"_s);
        f.AddBand(btDetail, 50, u"D"_s, true);
        f.AddBand(btColumnFooter, 30, u"CF"_s)->AlignToBottom = true;
        f.AddBand(btFooter, 40, u"F"_s);
        ASSERT_TRUE(f.report->Prepare()) << c.what;
        ASSERT_EQ(f.PageCount(), c.pages) << c.what;
        const QStringList texts = f.Texts(c.pages - 1);
        const QStringList expected = c.lastTexts.split(QLatin1Char(' '));
        EXPECT_EQ(texts.mid(texts.size() - expected.size()), expected) << c.what;
    }
}

TEST(Band, FullPageCompletionFillsDownToTheColumnFooterLimit)
{
    ReportFixture f(3);
    TRLBand* detail = f.AddBand(btDetail, 100, u"D"_s, true);
    detail->Completion = ctFullPage;
    TRLBand* columnFooter = f.AddBand(btColumnFooter, 20, u"CF"_s);
    columnFooter->AlignToBottom = true;
    ASSERT_TRUE(f.report->Prepare());
    // Column-footer limit 1065: blank copies at 338, 438 ... 938 (938 + 100 < 1065, 1038 + 100 is not).
    const QStringList expected
        = QStringList({ u"D1"_s, u"D2"_s, u"D3"_s }) + QStringList(7, QString()) + QStringList { u"CF"_s };
    EXPECT_EQ(f.Words(0), expected);
    EXPECT_EQ(f.Texts(0).last(), u"CF@38,1065"_s);
    EXPECT_EQ(f.PageCount(), 1);
}

TEST(Band, MaxBandsCompletionAndBoundedLoops)
{
    struct Case {
        TRLCompletionType completion;
        std::function<void(TRLBand*)> spoil;
        int words;
        const char* what;
    };
    const Case cases[] = {
        { ctMaxBands, [](TRLBand*) {}, 5, "blank copies up to MaxBands" },
        { ctMinBands, [](TRLBand*) {}, 4, "blank copies up to MinBands" },
        { ctMaxBands,
            [](TRLBand* band) {
                band->BeforePrint = [band](TComponent*, bool& printIt) { printIt = !band->IsBlank(); };
            },
            2, "a completion band that declines ends the loop" },
        { ctFullPage, [](TRLBand* band) { band->SetVisible(false); }, 0, "an invisible band ends the loop" },
        { ctMaxBands, [](TRLBand* band) { band->SetVisible(false); }, 0, "an invisible band ends the loop" },
    };
    for (const Case& c : cases) {
        ReportFixture f(2);
        f.report->MaxBands = 5;
        f.report->MinBands = 4;
        TRLBand* detail = f.AddBand(btDetail, 20, u"D"_s, true);
        detail->Completion = c.completion;
        c.spoil(detail);
        ASSERT_TRUE(f.report->Prepare()) << c.what;
        EXPECT_EQ(f.Words(0).size(), c.words) << c.what;
    }
}

TEST(Band, ZeroHeightCompletionEnds)
{
    ReportFixture f(1);
    TRLBand* detail = f.AddBand(btDetail, 20, u"D"_s, true);
    detail->Completion = ctFullPage;
    detail->SetHeight(0);
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.PageCount(), 1);
}

TEST(Band, GridThreeUpInRows)
{
    ReportFixture f(7);
    auto* grid = new TRLDetailGrid(&f.form);
    grid->SetHeight(20);
    grid->SetParent(f.report);
    grid->SetColCount(3);
    f.AddText(grid, u"D"_s, 0, true);
    f.AddBand(btSummary, 20, u"S"_s);
    ASSERT_TRUE(f.report->Prepare());
    // 718 / 3 = 239.33: columns 239 wide at 38, 277 and 516.
    EXPECT_EQ(f.Texts(0),
        QStringList({ u"D1@38,38"_s, u"D2@277,38"_s, u"D3@516,38"_s, u"D4@38,58"_s, u"D5@277,58"_s,
            u"D6@516,58"_s, u"D7@38,78"_s, u"S@38,98"_s }));
    EXPECT_EQ(grid->BandTypeName(), u"DetailGrid"_s);
}

TEST(Band, GridInColumnsFillsAColumnThenTheNext)
{
    ReportFixture f(5);
    f.AddBand(btTitle, 1007, u"T"_s);
    auto* grid = new TRLDetailGrid(&f.form);
    grid->SetHeight(20);
    grid->SetParent(f.report);
    grid->SetColCount(2);
    grid->Organization = goInColumns;
    f.AddText(grid, u"D"_s, 0, true);
    ASSERT_TRUE(f.report->Prepare());
    // Rows 1045 to 1085 hold two cells per column.
    EXPECT_EQ(f.Texts(0),
        QStringList({ u"T@38,38"_s, u"D1@38,1045"_s, u"D2@38,1065"_s, u"D3@397,1045"_s, u"D4@397,1065"_s }));
    EXPECT_EQ(f.Texts(1), QStringList { u"D5@38,38"_s });
}
