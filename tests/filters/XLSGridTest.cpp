#include "XLSTestPages.h"
#include "filters/RLXLSGrid.h"
#include "filters/RLXLSWorkbook.h"
#include "filters/RLXLSXRepeatedHeader.h"
#include "pages/RLGraphicSurface.h"

#include <gtest/gtest.h>

namespace {

TXLSTestText Text(int left, int top, int right, int bottom, const QString& text)
{
    TXLSTestText t;
    t.Rect = TRect { left, top, right, bottom };
    t.Text = text;
    return t;
}

struct TFilled {
    TRLXLSWorkbook Workbook;
    TRLXLSWorksheet* Sheet = nullptr;
};

std::unique_ptr<TFilled> Fill(const std::vector<TXLSTestText>& texts)
{
    auto filled = std::make_unique<TFilled>();
    filled->Sheet = &filled->Workbook.AddWorksheet();
    const auto page = MakeTextPage(texts);
    FillWorksheet(*filled->Sheet, *page);
    return filled;
}

/// The range holding the text, or an empty area when none does.
TRLXLSCellArea AreaOf(const TRLXLSWorksheet& sheet, const QString& text)
{
    for (const TRLXLSRange* range : sheet.Ranges()) {
        if (range->Value() == text)
            return range->CellArea();
    }
    return { -1, -1, -1, -1 };
}

std::vector<qint64> Widths(const TRLXLSWorksheet& sheet)
{
    std::vector<qint64> widths;
    for (const auto& [index, col] : sheet.Cols())
        widths.push_back(col.Width);
    return widths;
}

std::vector<qint64> Heights(const TRLXLSWorksheet& sheet)
{
    std::vector<qint64> heights;
    for (const auto& [index, row] : sheet.Rows())
        heights.push_back(row.Height);
    return heights;
}

} // namespace

TEST(XLSGrid, DotsBecomeWidthUnitsRoundedHalfToEven)
{
    // dots * 1440 * 2.54 / 96 = dots * 38.1
    struct Case {
        qint64 dots, units;
    };
    const Case cases[] = { { 0, 0 }, { 1, 38 }, { 5, 190 }, { 10, 381 }, { 15, 572 }, { 25, 952 },
        { 35, 1334 }, { 794, 30251 }, { -10, -381 }, { -5, -190 }, { 2147483647LL, 81819126951LL } };
    for (const Case& c : cases)
        EXPECT_EQ(DotsToXLSWidth(c.dots), c.units) << c.dots << " dots";
}

TEST(XLSGrid, EdgeListsKeepOrderTileAndThin)
{
    struct Case {
        std::vector<std::pair<qint64, qint64>> inserts;
        qint64 minimum;
        std::vector<std::pair<qint64, qint64>> expected;
        const char* what;
    };
    const Case cases[] = {
        { { { 100, 50 }, { 0, 30 }, { 100, 80 }, { 200, 5 } }, 10, { { 0, 100 }, { 100, 100 } },
            "equal position keeps the larger size; last too narrow goes" },
        { { { 0, 40 }, { 5, 40 }, { 8, 40 }, { 100, 40 } }, 10, { { 8, 92 }, { 100, 40 } },
            "a removed middle entry widens the one before" },
        { { { 0, 3 } }, 10, {}, "a lone narrow entry goes" },
        { { { 50, 20 }, { 10, 20 }, { 30, 20 } }, 10, { { 10, 20 }, { 30, 20 }, { 50, 20 } },
            "sorted by position" },
        { { { 0, 100 }, { 9, 100 }, { 18, 100 }, { 27, 100 } }, 10, { { 9, 18 }, { 27, 100 } },
            "a widened entry may stay" },
    };
    for (const Case& c : cases) {
        TRLXLSEdgeList list;
        for (const auto& [position, size] : c.inserts)
            EXPECT_TRUE(list.Insert(position, size)) << c.what;
        list.Tile();
        list.Thin(c.minimum);
        std::vector<std::pair<qint64, qint64>> actual;
        for (int i = 0; i < list.Count(); ++i)
            actual.emplace_back(list[i].Position, list[i].Size);
        EXPECT_EQ(actual, c.expected) << c.what;
    }
}

TEST(XLSGrid, FullEdgeListDropsNewPositionsButStillUpdatesKnownOnes)
{
    TRLXLSEdgeList list;
    for (int i = 0; i < TRLXLSEdgeList::kCapacity; ++i)
        ASSERT_TRUE(list.Insert(10 * i, 5));
    EXPECT_FALSE(list.Insert(5, 5));
    EXPECT_EQ(list.Count(), 1023);
    EXPECT_TRUE(list.Insert(20, 50));
    EXPECT_EQ(list[2].Size, 50);
    EXPECT_EQ(list.FirstAtOrAfter(5), 1);
    EXPECT_EQ(list.FirstAtOrAfter(100000), 1023);
    EXPECT_EQ(list.FirstAtOrAfter(0, 7), 7);
}

TEST(XLSGrid, TextsWithTheSameLeftEdgeShareAColumnAsWideAsTheGapToTheNext)
{
    const auto filled = Fill({ Text(100, 100, 200, 118, QStringLiteral("A")),
        Text(100, 200, 300, 218, QStringLiteral("B")), Text(400, 100, 450, 118, QStringLiteral("C")) });
    const TRLXLSWorksheet& sheet = *filled->Sheet;
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("A")).FirstColumn, 0);
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("B")).FirstColumn, 0);
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("C")).FirstColumn, 1);
    // 300 dots to the next edge: 11430 units; the last keeps its own 50 dots: 1905.
    EXPECT_EQ(Widths(sheet), (std::vector<qint64> { 11430, 1905 }));
}

TEST(XLSGrid, EdgesCloserThanTenDotsShareTheLaterRowOrColumn)
{
    struct Case {
        std::vector<TXLSTestText> texts;
        TRLXLSCellArea first, second;
        std::vector<qint64> heights;
        const char* what;
    };
    const Case cases[] = {
        { { Text(0, 100, 100, 118, QStringLiteral("1")), Text(200, 105, 300, 123, QStringLiteral("2")) },
            { 0, 0, 0, 0 }, { 1, 0, 1, 0 }, { 18 }, "tops 5 dots apart share the row of the lower top" },
        { { Text(0, 100, 100, 118, QStringLiteral("1")), Text(200, 110, 300, 128, QStringLiteral("2")) },
            { 0, 0, 0, 0 }, { 1, 1, 1, 1 }, { 10, 18 }, "tops 10 dots apart keep two rows" },
        { { Text(100, 0, 200, 18, QStringLiteral("1")), Text(105, 40, 200, 58, QStringLiteral("2")) },
            { 0, 0, 0, 0 }, { 0, 1, 0, 1 }, { 40, 18 }, "lefts 5 dots apart share the right-hand column" },
    };
    for (const Case& c : cases) {
        const auto filled = Fill(c.texts);
        EXPECT_EQ(AreaOf(*filled->Sheet, QStringLiteral("1")), c.first) << c.what;
        EXPECT_EQ(AreaOf(*filled->Sheet, QStringLiteral("2")), c.second) << c.what;
        EXPECT_EQ(Heights(*filled->Sheet), c.heights) << c.what;
    }
}

TEST(XLSGrid, WideTextMergesTheColumnsItSpansAndANarrowOneCoversOne)
{
    const auto filled = Fill({ Text(0, 0, 100, 18, QStringLiteral("a")),
        Text(100, 0, 200, 18, QStringLiteral("b")), Text(200, 0, 300, 18, QStringLiteral("c")),
        Text(0, 40, 300, 58, QStringLiteral("wide")), Text(100, 80, 106, 98, QStringLiteral("narrow")),
        Text(0, 120, 205, 138, QStringLiteral("almost")) });
    const TRLXLSWorksheet& sheet = *filled->Sheet;
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("wide")), (TRLXLSCellArea { 0, 1, 2, 1 }));
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("narrow")), (TRLXLSCellArea { 1, 2, 1, 2 }));
    // A right edge within 10 dots of the next column's edge does not reach into it.
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("almost")), (TRLXLSCellArea { 0, 3, 1, 3 }));
    EXPECT_EQ(sheet.RangeCount(), 6);
}

TEST(XLSGrid, TextsThatMeetKeepEveryTextAndTheFirstOnesFont)
{
    TXLSTestText bold = Text(0, 0, 100, 18, QStringLiteral("second"));
    bold.Font.Style = fsBold;
    bold.Alignment = TRLMetaTextAlignment::Right;
    const auto filled = Fill({ Text(0, 0, 100, 18, QStringLiteral("first")),
        Text(100, 0, 200, 18, QStringLiteral("b")), Text(100, 40, 200, 58, QStringLiteral("c")), bold,
        Text(100, 0, 200, 58, QStringLiteral("over")) });
    const std::vector<TRLXLSRange*> ranges = filled->Sheet->Ranges();
    QStringList values;
    for (const TRLXLSRange* range : ranges)
        values.append(range->Value());
    // Texts starting in one cell share it, in page order, with the first one's font and alignment.
    EXPECT_EQ(values,
        (QStringList { QStringLiteral("first second"), QStringLiteral("b over"), QStringLiteral("c") }));
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_FALSE(ranges[0]->Font.Style.testFlag(fsBold));
    EXPECT_EQ(ranges[0]->HorizontalAlignment, 1);
    EXPECT_EQ(ranges[1]->CellArea(), (TRLXLSCellArea { 1, 0, 1, 0 }));
    EXPECT_EQ(ranges[2]->CellArea(), (TRLXLSCellArea { 1, 1, 1, 1 }));

    // A letterhead centred over the page, then a date and a time on its row (3 dots higher): the
    // letterhead gives up the columns from the date's on and keeps its first cell.
    TXLSTestText company = Text(174, 44, 744, 60, QStringLiteral("Korvane Comércio e Indústria Ltda."));
    company.Alignment = TRLMetaTextAlignment::Center;
    const auto page = Fill({ company, Text(622, 41, 677, 53, QStringLiteral("21/11/2026")),
        Text(694, 41, 737, 53, QStringLiteral("14:53:20")),
        Text(366, 119, 430, 133, QStringLiteral("Emissão:")) });
    const TRLXLSCellArea letterhead = AreaOf(*page->Sheet, company.Text);
    const TRLXLSCellArea date = AreaOf(*page->Sheet, QStringLiteral("21/11/2026"));
    EXPECT_EQ(letterhead, (TRLXLSCellArea { 0, 0, 1, 0 }));
    EXPECT_EQ(date, (TRLXLSCellArea { 2, 0, 2, 0 }));
    EXPECT_EQ(AreaOf(*page->Sheet, QStringLiteral("14:53:20")), (TRLXLSCellArea { 3, 0, 3, 0 }));
    EXPECT_EQ(page->Sheet->RangeCount(), 4);
}

TEST(XLSGrid, ATitleEndingWhereRightAlignedAmountsEndSharesTheirColumn)
{
    const auto amount = [](int left, int top, int right, const char* text) {
        TXLSTestText t = Text(left, top, right, top + 14, QString::fromUtf8(text));
        t.Alignment = TRLMetaTextAlignment::Right;
        return t;
    };
    struct Case {
        std::vector<TXLSTestText> texts;
        /// Whether the title "T" starts in the column of the amount "1".
        bool shared;
        const char* what;
    };
    const Case cases[] = {
        { { Text(528, 295, 565, 307, QStringLiteral("T")), amount(502, 315, 566, "1"),
              amount(502, 331, 566, "2") },
            true, "a title over the right part of an amount column" },
        { { Text(665, 295, 712, 307, QStringLiteral("T")), amount(637, 315, 711, "1"),
              amount(622, 500, 712, "99") },
            true, "the nearest amount edge, not a wider total's further left" },
        { { Text(528, 295, 540, 307, QStringLiteral("T")), amount(502, 315, 566, "1") }, false,
            "a title ending 26 dots before the amounts' right edge keeps its own column" },
        { { Text(528, 295, 565, 307, QStringLiteral("T")), Text(502, 315, 566, 329, QStringLiteral("1")) },
            false, "left-aligned texts below do not pull the title" },
    };
    for (const Case& c : cases) {
        const auto filled = Fill(c.texts);
        const TRLXLSCellArea title = AreaOf(*filled->Sheet, QStringLiteral("T"));
        const TRLXLSCellArea values = AreaOf(*filled->Sheet, QStringLiteral("1"));
        ASSERT_GE(values.FirstColumn, 0) << c.what;
        EXPECT_EQ(title.FirstColumn == values.FirstColumn, c.shared) << c.what;
    }
}

TEST(XLSGrid, AlignmentLayoutAndFontComeFromTheText)
{
    struct Case {
        TRLMetaTextAlignment alignment;
        TRLMetaTextLayout layout;
        int horizontal, vertical;
    };
    const Case cases[] = {
        { TRLMetaTextAlignment::Left, TRLMetaTextLayout::Top, 1, 0 },
        { TRLMetaTextAlignment::Right, TRLMetaTextLayout::Bottom, 3, 2 },
        { TRLMetaTextAlignment::Center, TRLMetaTextLayout::Center, 2, 1 },
        { TRLMetaTextAlignment::Justify, TRLMetaTextLayout::Top, 5, 0 },
    };
    for (const Case& c : cases) {
        TXLSTestText text = Text(0, 0, 100, 18, QStringLiteral("x"));
        text.Alignment = c.alignment;
        text.Layout = c.layout;
        text.Font.Name = QStringLiteral("Courier New");
        text.Font.SetSize(12);
        text.Font.Style = fsItalic | fsUnderline;
        text.Font.Color = clRed;
        const auto filled = Fill({ text });
        const TRLXLSRange& range = *filled->Sheet->Ranges().at(0);
        EXPECT_EQ(range.HorizontalAlignment, c.horizontal) << int(c.alignment);
        EXPECT_EQ(range.VerticalAlignment, c.vertical) << int(c.layout);
        EXPECT_EQ(range.Font.Name, QStringLiteral("Courier New"));
        EXPECT_EQ(range.Font.Size(), 12);
        EXPECT_EQ(range.Font.Style, fsItalic | fsUnderline);
        EXPECT_EQ(range.Font.Color, clRed);
    }
}

TEST(XLSGrid, OnlyTextsWithDisplayTextBecomeCells)
{
    auto page = MakeTextPage(
        { Text(0, 0, 100, 18, QString()), Text(0, 40, 100, 58, QStringLiteral("Página {PageNo}")) });
    page->Macros().SetValue(QStringLiteral("PageNo"), QStringLiteral("7"));
    page->Rectangle(0, 0, 500, 500);
    page->FillRect(TRect { 0, 0, 300, 300 });
    TRLXLSWorkbook workbook;
    TRLXLSWorksheet& sheet = workbook.AddWorksheet();
    FillWorksheet(sheet, *page);
    ASSERT_EQ(sheet.RangeCount(), 1);
    EXPECT_EQ(sheet.Ranges()[0]->Value(), QStringLiteral("Página 7"));
    EXPECT_EQ(sheet.Rows().size(), 1u) << "the empty text adds no edge";

    TRLXLSWorksheet& empty = workbook.AddWorksheet();
    FillWorksheet(empty, *MakeTextPage({}));
    EXPECT_TRUE(empty.Empty());
}

TEST(XLSGrid, PagesPastTheEdgeCapacityOrTheColumnLimitStayWithinTheFormat)
{
    // 1100 texts 12 dots apart: the first 1023 left edges make columns, the rest share the last;
    // the format's 256 columns bound every cell.
    std::vector<TXLSTestText> texts;
    for (int i = 0; i < 1100; ++i)
        texts.push_back(Text(12 * i, 12 * i, 12 * i + 11, 12 * i + 11, QString::number(i)));
    const auto filled = Fill(texts);
    const TRLXLSWorksheet& sheet = *filled->Sheet;
    EXPECT_EQ(sheet.Cols().size(), 256u);
    EXPECT_EQ(sheet.Rows().size(), 1023u);
    EXPECT_LE(sheet.UsedArea().LastColumn, 255);
    EXPECT_LE(sheet.UsedArea().LastRow, 1023);
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("0")), (TRLXLSCellArea { 0, 0, 0, 0 }));
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("255")), (TRLXLSCellArea { 255, 255, 255, 255 }));
    // The texts past the last row and column share its last cell: none is lost.
    EXPECT_EQ(AreaOf(sheet, QStringLiteral("1022")), (TRLXLSCellArea { 255, 1022, 255, 1022 }));
    QStringList past;
    for (int i = 1023; i < 1100; ++i)
        past.append(QString::number(i));
    EXPECT_EQ(AreaOf(sheet, past.join(u' ')), (TRLXLSCellArea { 255, 1023, 255, 1023 }));
    for (const TRLXLSRange* range : sheet.Ranges())
        EXPECT_LE(range->CellArea().LastColumn, 255) << range->Value().toStdString();
}

// One sheet for a whole report shows the header that starts every page once: a later page loses
// the texts above its first text that the first page does not hold in the same place.
TEST(XLSXRepeatedHeader, ALaterPageLosesOnlyTheTopItRepeats)
{
    const auto company = Text(0, 30, 300, 48, QStringLiteral("Korvane Ltda."));
    const auto pageOne = Text(400, 30, 500, 48, QStringLiteral("Página 1"));
    const auto title = Text(0, 70, 100, 88, QStringLiteral("Produto"));
    const auto first
        = MakeTextPage({ company, pageOne, title, Text(0, 90, 100, 108, QStringLiteral("P0001")) });
    TRLXLSXRepeatedHeader header;
    header.SetFirstPage(PlacedTexts(*first));
    struct Case {
        std::vector<TXLSTestText> page;
        QStringList kept;
        const char* what;
    };
    const Case cases[] = {
        { { company, pageOne, title, Text(0, 90, 100, 108, QStringLiteral("P0002")) },
            { QStringLiteral("P0002") }, "the header repeated whole" },
        { { company, Text(400, 30, 500, 48, QStringLiteral("Página 2")), title,
              Text(0, 90, 100, 108, QStringLiteral("P0002")) },
            { QStringLiteral("Korvane Ltda."), QStringLiteral("Página 2"), QStringLiteral("Produto"),
                QStringLiteral("P0002") },
            "a text of the header's first line differs: that line and those below stay whole" },
        { { company, pageOne, title },
            { QStringLiteral("Korvane Ltda."), QStringLiteral("Página 1"), QStringLiteral("Produto") },
            "a page that only repeats the first one is a page of its own" },
        { { Text(0, 90, 100, 108, QStringLiteral("P0002")) }, { QStringLiteral("P0002") },
            "a page without a header" },
    };
    for (const Case& c : cases) {
        const auto page = MakeTextPage(c.page);
        std::vector<TRLXLSPlacedText> texts = PlacedTexts(*page);
        header.DropRepeated(texts);
        QStringList kept;
        for (const TRLXLSPlacedText& text : texts)
            kept.append(text.Text);
        EXPECT_EQ(kept, c.kept) << c.what;
    }
}
