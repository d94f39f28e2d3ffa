#include "ReportFixture.h"

#include <gtest/gtest.h>

using enum TRLBandType;
using enum TRLRecordAction;
using enum TRLRecordRange;

using namespace Qt::StringLiterals;

TEST(DataIteration, RangesOfRecords)
{
    struct Case {
        TRLRecordRange range;
        int rangeCount;
        int startAt;
        QString dump;
        const char* what;
    };
    const Case cases[] = {
        { rrAllRecords, 0, 3, u"D1 D2 D3 D4 D5"_s, "all records from the first" },
        { rrNextN, 3, 2, u"D2 D3 D4"_s, "three records from the current one" },
        { rrNextN, 0, 2, u""_s, "no records" },
        { rrCurrentOnly, 0, 3, u"D3"_s, "only the current record" },
        { rrUntilEof, 0, 4, u"D4 D5"_s, "from the current record to the end" },
    };
    for (const Case& c : cases) {
        ReportFixture f(5);
        f.report->PrintEmpty = false;
        f.AddBand(btDetail, 20, u"D"_s, true);
        f.report->RecordRange = c.range;
        f.report->RangeCount = c.rangeCount;
        f.data->First();
        for (int n = 1; n < c.startAt; ++n)
            f.data->Next();
        ASSERT_TRUE(f.report->Prepare()) << c.what;
        EXPECT_EQ(f.Dump(), c.dump) << c.what;
    }
}

TEST(DataIteration, UseAndRetainPrintsCopies)
{
    ReportFixture f(2);
    f.AddBand(btDetail, 20, u"D"_s, true);
    QStringList calls;
    f.report->OnDataRecord = [&](TComponent*, int recNo, int copyNo, bool& eof, TRLRecordAction& action) {
        if (eof)
            return;
        calls << u"%1/%2"_s.arg(recNo).arg(copyNo);
        if (recNo == 1 && copyNo < 3)
            action = raUseAndRetain;
    };
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(calls, QStringList({ u"1/1"_s, u"1/2"_s, u"1/3"_s, u"2/1"_s }));
    EXPECT_EQ(f.Dump(), u"D1 D1 D1 D2"_s);
}

TEST(DataIteration, BlankAndRetainPrintsABlankThenTheRecord)
{
    ReportFixture f(2);
    f.AddBand(btDetail, 20, u"D"_s, true);
    bool blanked = false;
    f.report->OnDataRecord = [&](TComponent*, int recNo, int copyNo, bool& eof, TRLRecordAction& action) {
        EXPECT_EQ(copyNo, 1) << "a blank copy does not count as a copy";
        if (!eof && recNo == 2 && !blanked) {
            action = raBlankAndRetain;
            blanked = true;
        }
    };
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Words(0), QStringList({ u"D1"_s, QString(), u"D2"_s }));
    EXPECT_EQ(f.report->DetailsPrinted(), 2) << "a blank band is not counted";
}

TEST(DataIteration, IgnoredRecordsAreSkippedWithoutLooping)
{
    struct Case {
        std::function<bool(int n)> ignore;
        QString dump;
        const char* what;
    };
    const Case cases[] = {
        { [](int n) { return n == 1; }, u"D2 D3"_s, "the first record, ignored every time it is offered" },
        { [](int n) { return n == 2; }, u"D1 D3"_s, "a record in the middle" },
        { [](int) { return true; }, u""_s, "every record" },
    };
    for (const Case& c : cases) {
        ReportFixture f(3);
        f.report->PrintEmpty = false;
        f.AddBand(btDetail, 20, u"D"_s, true);
        QList<int> recNos;
        f.report->OnDataRecord = [&](TComponent*, int recNo, int, bool& eof, TRLRecordAction& action) {
            if (eof)
                return;
            if (c.ignore(f.N().toInt()))
                action = raIgnoreIt;
            else
                recNos << recNo;
        };
        ASSERT_TRUE(f.report->Prepare()) << c.what;
        EXPECT_EQ(f.Dump(), c.dump) << c.what;
        for (int i = 0; i < recNos.size(); ++i)
            EXPECT_EQ(recNos[i], i + 1) << c.what << ": ignored records do not count";
    }
}

TEST(DataIteration, HandlerFedDataAndCount)
{
    ReportFixture f(0);
    f.report->SetDataSource(nullptr);
    f.AddBand(btDetail, 20, u"D"_s);
    int fed = 0;
    f.report->OnNeedData = [&](TComponent*, bool& more) { more = ++fed <= 4; };
    f.report->OnDataCount = [](TComponent*, int& count) { count = 4; };
    EXPECT_EQ(f.report->DataCount(), 4);
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.Words(0).size(), 4);
}

TEST(DataIteration, DataCountOfTheDataSet)
{
    ReportFixture f(6);
    EXPECT_EQ(f.report->DataCount(), 6);
    f.data->Close();
    EXPECT_EQ(f.report->DataCount(), 0) << "a closed dataset has no data";
    f.AddBand(btDetail, 20, u"D"_s, true);
    f.report->PrintEmpty = false;
    ASSERT_TRUE(f.report->Prepare());
    EXPECT_EQ(f.PageCount(), 0);
}

TEST(DataIteration, DestroyedDataSourceIsForgotten)
{
    ReportFixture f(2);
    delete f.source;
    f.source = nullptr;
    EXPECT_EQ(f.report->DataSource(), nullptr);
    EXPECT_EQ(f.report->DataCount(), 0);
}
