#include "ReportFixture.h"
#include "tests/common/TestHelpers.h"

#include "pages/RLGraphicStorage.h"
#include "platform/Exceptions.h"
#include "report/RLGroup.h"
#include "report/RLUserInterface.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLControlAlign;
using enum TRLPageBreaking;
using enum TRLReportPhase;

using namespace Qt::StringLiterals;

namespace {

QStringList Sequence(const QString& prefix, int from, int to)
{
    QStringList words;
    for (int n = from; n <= to; ++n)
        words << prefix + QString::number(n);
    return words;
}

/// Registers user-interface hooks for one test and removes them afterwards.
class UserInterfaceScope {
public:
    UserInterfaceScope() = default;
    ~UserInterfaceScope() { RLUserInterface() = TRLUserInterface {}; }
    UserInterfaceScope(const UserInterfaceScope&) = delete;
    UserInterfaceScope& operator=(const UserInterfaceScope&) = delete;
};

} // namespace

TEST(Pagination, TitleOnceHeadersOnEveryPageFootersAtTheLimit)
{
    ReportFixture f(25);
    f.AddBand(btHeader, 30, u"H"_s);
    f.AddBand(btTitle, 50, u"T"_s);
    f.AddBand(btColumnHeader, 20, u"C"_s);
    f.AddBand(btDetail, 100, u"D"_s, true);
    f.AddBand(btFooter, 40, u"F"_s);
    ASSERT_TRUE(f.report->Prepare());

    // Page limit 1085 - 40 = 1045: nine 100-pixel details after the headers on each page.
    ASSERT_EQ(f.PageCount(), 3);
    EXPECT_EQ(f.Words(0),
        QStringList({ u"H"_s, u"T"_s, u"C"_s }) + Sequence(u"D"_s, 1, 9) + QStringList { u"F"_s });
    EXPECT_EQ(
        f.Words(1), QStringList({ u"H"_s, u"C"_s }) + Sequence(u"D"_s, 10, 18) + QStringList { u"F"_s });
    EXPECT_EQ(
        f.Words(2), QStringList({ u"H"_s, u"C"_s }) + Sequence(u"D"_s, 19, 25) + QStringList { u"F"_s });
    EXPECT_EQ(f.Texts(0).first(), u"H@38,38"_s);
    EXPECT_EQ(f.Texts(0)[3], u"D1@38,138"_s);
    EXPECT_EQ(f.Texts(0).last(), u"F@38,1045"_s);
    EXPECT_EQ(f.Texts(1)[2], u"D10@38,88"_s);
    EXPECT_EQ(f.Texts(2).last(), u"F@38,1045"_s) << "the footer sits at the limit on a short page too";
    EXPECT_EQ(f.report->ReportPhase(), rpReady);
}

TEST(Pagination, PageEventsFollowHeadersAndPrecedeFooters)
{
    ReportFixture f(12);
    f.AddBand(btHeader, 30, u"H"_s);
    f.AddBand(btDetail, 100, u"D"_s, true);
    f.AddBand(btFooter, 40, u"F"_s);
    f.report->OnPageStarting = [&](TComponent*) { f.printed << u"start"_s; };
    f.report->OnPageEnding = [&](TComponent*) { f.printed << u"end"_s; };
    ASSERT_TRUE(f.report->Prepare());
    // 1045 - 68 = 977: nine details on the first page.
    const QStringList expected = QStringList({ u"H"_s, u"start"_s }) + Sequence(u"D"_s, 1, 9)
        + QStringList({ u"end"_s, u"F"_s, u"H"_s, u"start"_s }) + Sequence(u"D"_s, 10, 12)
        + QStringList({ u"end"_s, u"F"_s });
    EXPECT_EQ(f.printed, expected);
}

TEST(Pagination, MaxBandsStartsANewPage)
{
    ReportFixture f(25);
    f.report->MaxBands = 10;
    f.AddBand(btDetail, 20, u"D"_s, true);
    ASSERT_TRUE(f.report->Prepare());
    ASSERT_EQ(f.PageCount(), 3);
    EXPECT_EQ(f.Words(0), Sequence(u"D"_s, 1, 10));
    EXPECT_EQ(f.Words(1), Sequence(u"D"_s, 11, 20));
    EXPECT_EQ(f.Words(2), Sequence(u"D"_s, 21, 25));
}

TEST(Pagination, BreakBeforeTheFirstDataBandOfAPageIsSkipped)
{
    ReportFixture f(3);
    f.AddBand(btHeader, 30, u"H"_s);
    f.AddBand(btDetail, 20, u"D"_s, true)->PageBreaking = pbBeforePrint;
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Dump(), u"H D1 | H D2 | H D3"_s);
}

TEST(Pagination, BreakAfterPrintTakesEffectAtTheNextDetail)
{
    ReportFixture f(3);
    f.AddBand(btDetail, 20, u"D"_s, true)->PageBreaking = pbAfterPrint;
    f.AddBand(btSummary, 20, u"S"_s);
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Dump(), u"D1 | D2 | D3 | S"_s);
}

TEST(Pagination, FirstPageNumberAndLastPageNumberMacro)
{
    ReportFixture f(3);
    f.report->FirstPageNumber = 5;
    f.report->MaxBands = 1;
    f.AddBand(btDetail, 20, u"D"_s, true);
    TRLBand* footer = f.AddBand(btFooter, 20, u""_s);
    static_cast<TTestText*>(footer->Controls().front())->Text
        = [&] { return u"%1/{LastPageNumber}"_s.arg(f.report->CurrentPageNumber()); };
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Dump(), u"D1 5/7 | D2 6/7 | D3 7/7"_s);
    TRLGraphicStorage* store = f.report->Pages();
    EXPECT_EQ(store->FirstPageNumber(), 5);
    EXPECT_EQ(store->LastPageNumber(), 7);
    EXPECT_EQ(store->Orientation(), TRLPageOrientation::poPortrait);
    EXPECT_EQ(store->PaperWidth(), 210.0);
    EXPECT_EQ(store->PaperHeight(), 297.0);
}

TEST(Pagination, ChainedReportsShareTheFirstReportsStore)
{
    ReportFixture a(2);
    a.report->MaxBands = 1;
    a.AddBand(btDetail, 20, u"A"_s, true);
    ReportFixture b(2);
    b.report->MaxBands = 1;
    b.AddBand(btDetail, 20, u"B"_s, true);
    TRLBand* footer = b.AddBand(btFooter, 20, u""_s);
    static_cast<TTestText*>(footer->Controls().front())->Text
        = [&] { return u"p%1/{LastPageNumber}"_s.arg(b.report->CurrentPageNumber()); };
    a.report->SetNextReport(b.report);
    EXPECT_EQ(b.report->RootReport(), a.report);

    ASSERT_TRUE(a.report->Prepare());
    EXPECT_EQ(a.Dump(), u"A1 | A2 | B1 p3/4 | B2 p4/4"_s);
    EXPECT_EQ(b.report->Pages()->PageCount(), 0) << "a chained report keeps no pages of its own";
    EXPECT_EQ(a.report->Pages()->LastPageNumber(), 4);

    a.report->SetNextReport(a.report);
    EXPECT_EQ(a.report->NextReport(), b.report) << "a report never chains to itself";
    b.report->SetNextReport(a.report);
    EXPECT_EQ(b.report->NextReport(), nullptr) << "nor into a loop";
}

TEST(Pagination, EmptyData)
{
    struct Case {
        bool printEmpty;
        bool withFooters;
        QString dump;
    };
    const Case cases[] = {
        { true, true, u"H T C CF S F"_s },
        { false, true, u"H T C CF S F"_s },
        { true, false, u"H T C"_s },
        { false, false, u""_s },
    };
    for (const Case& c : cases) {
        ReportFixture f(0);
        f.report->PrintEmpty = c.printEmpty;
        f.AddBand(btHeader, 20, u"H"_s);
        f.AddBand(btTitle, 20, u"T"_s);
        f.AddBand(btColumnHeader, 20, u"C"_s);
        f.AddBand(btDetail, 20, u"D"_s, true);
        if (c.withFooters) {
            f.AddBand(btColumnFooter, 20, u"CF"_s);
            f.AddBand(btSummary, 20, u"S"_s);
            f.AddBand(btFooter, 20, u"F"_s);
        }
        ASSERT_TRUE(f.report->Prepare());
        EXPECT_EQ(f.Dump(), c.dump) << "PrintEmpty " << c.printEmpty << ", footers " << c.withFooters;
        EXPECT_EQ(f.PageCount(), c.dump.isEmpty() ? 0 : 1);
    }
}

TEST(Pagination, BandTallerThanThePageMovesOnceThenContinuesOnTheNextPage)
{
    // 1047 rows fit between row 38 and the limit 1085; the rest of the band, holding "Bottom" 103
    // rows further down, continues below the top margin of the next page instead of off the paper.
    ReportFixture f(1);
    f.AddBand(btTitle, 100, u"T"_s);
    TRLBand* detail = f.AddBand(btDetail, 1200, u"D"_s, true);
    f.AddText(detail, u"Bottom"_s, 1150);
    ASSERT_TRUE(f.report->Prepare());
    ASSERT_EQ(f.PageCount(), 3);
    EXPECT_EQ(f.Texts(1), QStringList({ u"D1@38,38"_s }));
    EXPECT_EQ(f.Texts(2), QStringList({ u"Bottom@38,141"_s }));
}

TEST(Pagination, CancelStopsAtTheNextRecordAndKeepsThePage)
{
    ReportFixture f(10);
    f.AddBand(btDetail, 20, u"D"_s, true);
    f.report->OnDataRecord = [&](TComponent*, int recNo, int, bool&, TRLRecordAction&) {
        if (recNo == 3)
            f.report->CancelRequested = true;
    };
    EXPECT_EQ(f.report->Prepare().Outcome, TRLPrepareOutcome::Cancelled);
    EXPECT_EQ(f.report->ReportPhase(), rpIdle);
    EXPECT_EQ(f.Dump(), u"D1 D2"_s);
}

TEST(Pagination, DeclinedReportPreparesNothing)
{
    ReportFixture f(3);
    f.AddBand(btDetail, 20, u"D"_s, true);
    f.report->BeforePrint = [](TComponent*, bool& printIt) { printIt = false; };
    EXPECT_EQ(f.report->Prepare().Outcome, TRLPrepareOutcome::Declined);
    EXPECT_EQ(f.PageCount(), 0);
    // Left idle, a declined report is prepared again rather than shown as empty pages.
    EXPECT_EQ(f.report->ReportPhase(), rpIdle);
}

TEST(Pagination, FailureGoesToTheCallerAndThePreviewShowsItOnce)
{
    UserInterfaceScope scope;
    QStringList messages;
    RLUserInterface().ShowError = [&](const QString& message) { messages << message; };
    ReportFixture f(3);
    TRLBand* detail = f.AddBand(btDetail, 20, u"D"_s, true);
    detail->BeforePrint = [](TComponent*, bool&) { throw EReportError(u"Campo inválido"_s); };
    const QString expected = u"RLReport1: Erro durante a preparação do relatório\rCampo inválido"_s;
    const TRLPrepareResult prepared = f.report->Prepare();
    EXPECT_FALSE(prepared);
    EXPECT_EQ(prepared.Outcome, TRLPrepareOutcome::Failed);
    EXPECT_EQ(prepared.Message, expected);
    EXPECT_TRUE(messages.isEmpty()) << "the caller decides whom to show it";
    EXPECT_EQ(f.report->ReportPhase(), rpIdle);

    int shown = 0;
    RLUserInterface().ShowPreview = [&](TRLCustomReport&) { return ++shown > 0; };
    EXPECT_FALSE(f.report->Preview());
    EXPECT_EQ(messages, QStringList { expected }) << "the operator sees what failed";
    EXPECT_EQ(shown, 0);
}

TEST(Pagination, PreviewNeedsARegisteredWindow)
{
    UserInterfaceScope scope;
    ReportFixture f(3);
    f.AddBand(btDetail, 20, u"D"_s, true);
    int records = 0;
    f.report->OnDataRecord = [&](TComponent*, int, int, bool&, TRLRecordAction&) { ++records; };
    EXPECT_FALSE(f.report->Preview()) << "no preview window is registered";
    EXPECT_EQ(f.report->ReportPhase(), rpReady) << "the pages are prepared all the same";

    int shown = 0;
    RLUserInterface().ShowPreview = [&](TRLCustomReport& report) {
        ++shown;
        return report.Pages()->PageCount() == 1;
    };
    f.report->ForcePrepare = false;
    const int before = records;
    EXPECT_TRUE(f.report->Preview());
    EXPECT_EQ(records, before) << "prepared pages are shown without reading the data again";
    f.report->ForcePrepare = true;
    EXPECT_TRUE(f.report->Preview());
    EXPECT_GT(records, before);
    EXPECT_EQ(shown, 2);
}

TEST(Pagination, PrintCancelledInTheDialogAbortsSilently)
{
    UserInterfaceScope scope;
    ReportFixture f(3);
    f.AddBand(btDetail, 20, u"D"_s, true);
    RLUserInterface().RunPrintDialog = [](TRLCustomReport&) { return std::optional<TRLPrintJob> {}; };
    EXPECT_THROW(f.report->Print(), EAbort);
    EXPECT_TRUE(f.report->CancelRequested);
    EXPECT_EQ(f.PageCount(), 0);

    int printedPages = 0;
    RLUserInterface().RunPrintDialog
        = [](TRLCustomReport&) { return std::optional<TRLPrintJob> { TRLPrintJob {} }; };
    RLUserInterface().RunPrint
        = [&](TRLCustomReport& report, const TRLPrintJob&) { printedPages = report.Pages()->PageCount(); };
    f.report->Print();
    EXPECT_EQ(printedPages, 1);
}

TEST(Pagination, AllowedBandsCreatesAndRemovesBands)
{
    ReportFixture f(0);
    f.report->SetAllowedBands(BandTypeBit(btColumnHeader) | BandTypeBit(btDetail));
    EXPECT_EQ(f.report->AllowedBands(), BandTypeBit(btColumnHeader) | BandTypeBit(btDetail));
    auto* first = dynamic_cast<TRLBand*>(f.form.FindComponent(u"RLBand1"));
    auto* second = dynamic_cast<TRLBand*>(f.form.FindComponent(u"RLBand2"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->BandType(), btColumnHeader);
    EXPECT_EQ(second->BandType(), btDetail);
    EXPECT_EQ(second->Height(), 20);
    EXPECT_EQ(second->Align(), faTop);
    EXPECT_EQ(first->Top(), 38);
    EXPECT_EQ(second->Top(), 58);

    f.report->SetAllowedBands(BandTypeBit(btDetail));
    EXPECT_EQ(f.form.FindComponent(u"RLBand1"), nullptr);
    EXPECT_EQ(f.report->AllowedBands(), BandTypeBit(btDetail));
}

TEST(Pagination, FirstBandTallerThanThePageStartsOnThePageItOpens)
{
    // Nothing above the band: moving it would only leave a blank first page. What passes the limit
    // (1085, or 1045 above a 40-row footer) continues on the second page.
    for (bool withFooter : { false, true }) {
        ReportFixture f(1);
        TRLBand* detail = f.AddBand(btDetail, 1200, u"D"_s, true);
        f.AddText(detail, u"Bottom"_s, 1150);
        if (withFooter)
            f.AddBand(btFooter, 40, u"F"_s);
        ASSERT_TRUE(f.report->Prepare());
        ASSERT_EQ(f.PageCount(), 2) << "footer " << withFooter;
        EXPECT_EQ(f.Texts(0).mid(0, 1), QStringList({ u"D1@38,38"_s }));
        const int bottomRow = 38 + 1150 - (withFooter ? 1007 : 1047);
        EXPECT_EQ(f.Texts(1).mid(0, 1), QStringList({ QStringLiteral("Bottom@38,%1").arg(bottomRow) }))
            << "footer " << withFooter;
    }
}

TEST(Pagination, SummaryOverflowKeepsColumnFooterAbovePageFooter)
{
    ReportFixture f(9);
    f.AddBand(btHeader, 30, u"H"_s);
    f.AddBand(btDetail, 100, u"D"_s, true);
    f.AddBand(btColumnFooter, 20, u"CF"_s);
    f.AddBand(btSummary, 100, u"S"_s);
    f.AddBand(btFooter, 40, u"F"_s);
    ASSERT_TRUE(f.report->Prepare());
    // Nine details end at 968, the column footer at 988: the summary no longer fits above 1045.
    EXPECT_EQ(f.Dump(), u"H D1 D2 D3 D4 D5 D6 D7 D8 D9 CF F | H S CF F"_s);
    ASSERT_EQ(f.PageCount(), 2);
    EXPECT_EQ(f.Texts(0).last(), u"F@38,1045"_s);
    EXPECT_EQ(f.Texts(1), QStringList({ u"H@38,38"_s, u"S@38,68"_s, u"CF@38,168"_s, u"F@38,1045"_s }));
}

TEST(Pagination, ColumnFooterThatDoesNotFitMovesWithTheBandThatNeedsIt)
{
    // A detail that fits only without the column footer below it goes to the next page.
    for (bool inGroup : { false, true }) {
        ReportFixture f(2);
        f.AddBand(btTitle, 900, u"T"_s);
        TRLCustomControl* parent = f.report;
        if (inGroup) {
            auto* group = new TRLGroup(&f.form);
            group->SetBounds(0, 100000, 700, 300);
            group->SetParent(f.report);
            parent = group;
        }
        f.AddBand(btDetail, 100, u"D"_s, true, parent);
        f.AddBand(btColumnFooter, 30, u"CF"_s, false, parent);
        f.AddBand(btFooter, 40, u"F"_s);
        ASSERT_TRUE(f.report->Prepare()) << "group " << inGroup;
        // 938 + 100 = 1038 leaves 7 of the 1045 for a 30-pixel column footer.
        EXPECT_EQ(f.Dump(), u"T CF F | D1 D2 CF F"_s) << "group " << inGroup;
        for (int page = 0; page < f.PageCount(); ++page)
            EXPECT_EQ(f.Texts(page).last(), u"F@38,1045"_s) << "group " << inGroup << " page " << page;
    }
}

TEST(Pagination, PageEventsInTheSameOrderOnEveryPage)
{
    ReportFixture f(12);
    f.AddBand(btHeader, 30, u"H"_s);
    f.AddBand(btDetail, 100, u"D"_s, true);
    f.AddBand(btColumnFooter, 20, u"CF"_s);
    f.AddBand(btSummary, 20, u"S"_s);
    f.AddBand(btFooter, 40, u"F"_s);
    f.report->OnPageStarting = [&](TComponent*) { f.printed << u"start"_s; };
    f.report->OnPageEnding = [&](TComponent*) { f.printed << u"end"_s; };
    ASSERT_TRUE(f.report->Prepare());
    // 1045 - 20 - 68 = 957: nine details on the first page.
    const QStringList expected = QStringList({ u"H"_s, u"start"_s }) + Sequence(u"D"_s, 1, 9)
        + QStringList({ u"end"_s, u"CF"_s, u"F"_s, u"H"_s, u"start"_s }) + Sequence(u"D"_s, 10, 12)
        + QStringList({ u"end"_s, u"CF"_s, u"S"_s, u"F"_s });
    EXPECT_EQ(f.printed, expected);
}
