// The purchase order of the sample database, prepared through the program's form: every page
// against its golden dump, and the page geometry the document's layout promises.
#include "PageDump.h"
#include "SampleOrders.h"

#include "app/TelaPrincipal.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "report/RLLayoutFile.h"
#include "report/RLReport.h"
#include "tests/common/TestHelpers.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

/// A fixed instant (2026-11-21 14:53:20 UTC), so that the printed date and hour stay put.
constexpr QByteArrayView kFixedEpoch = "1795272800";
const QString kBrazil = u"pt_BR.UTF-8"_s;

// Where the layout puts things: the report's 10 mm margin, the column header's frames and the
// summary's frame, the first column of an item row and its text's distance from the row.
constexpr int kMargin = 38;
constexpr int kFrameWidth = 713;
constexpr int kCompanyFrameHeight = 100;
constexpr int kColumnTitleFrameHeight = 23;
constexpr int kSummaryFrameHeight = 154;
constexpr int kHeaderBottom = 313;
constexpr int kItemRowHeight = 16;
constexpr int kItemTextLeft = kMargin + 4;
constexpr int kItemTextDrop = 2;
constexpr int kPageLimit = 1085;

/// The geometry of one printed page, read back from its drawing objects.
struct TPageFacts {
    std::vector<int> headerTops; ///< top of the company frame, once per RLBand1
    std::vector<int> columnTitleBottoms; ///< bottom of the item-title frame, once per RLBand1
    std::vector<int> itemRows; ///< top of each RLDetailGrid1 row
    std::optional<int> summaryTop; ///< top of RLBand2's frame
    int summaryBottom = 0; ///< bottom of RLBand2's frame
    int lowestBottom = 0; ///< the lowest edge of any object
};

/// The box a frame drawing was given: its outline runs along the box's inner edge, and the
/// outline object's bounds are the outline widened by one pixel on every side.
TRect FrameBox(const TRLGraphicObject& object)
{
    const TRect& r = object.BoundsRect;
    return { r.Left + 1, r.Top + 1, r.Right, r.Bottom };
}

TPageFacts FactsOf(const TRLGraphicSurface& page)
{
    TPageFacts facts;
    for (int i = 0; i < page.ObjectCount(); ++i) {
        const TRLGraphicObject& object = *page.Objects(i);
        const TRect& r = object.BoundsRect;
        facts.lowestBottom = std::max(facts.lowestBottom, r.Bottom);
        const TRect frame = FrameBox(object);
        if (object.Kind() == TRLObjectKind::Polygon && frame.Width() == kFrameWidth) {
            if (frame.Height() == kCompanyFrameHeight)
                facts.headerTops.push_back(frame.Top);
            else if (frame.Height() == kColumnTitleFrameHeight)
                facts.columnTitleBottoms.push_back(frame.Bottom);
            else if (frame.Height() >= kSummaryFrameHeight) { // it grows with the remarks
                facts.summaryTop = frame.Top;
                facts.summaryBottom = frame.Bottom;
            }
        }
        if (object.Kind() == TRLObjectKind::Text && r.Left == kItemTextLeft && r.Top > kHeaderBottom
            && (!facts.summaryTop || r.Top < *facts.summaryTop))
            facts.itemRows.push_back(r.Top - kItemTextDrop);
    }
    return facts;
}

/// The text printed with its box's top-left corner at (left, top) on the page.
std::optional<QString> TextAt(const TRLGraphicSurface& page, int left, int top)
{
    for (int i = 0; i < page.ObjectCount(); ++i)
        if (const auto* text = dynamic_cast<const TRLTextObject*>(page.Objects(i)))
            if (text->BoundsRect.Left == left && text->BoundsRect.Top == top)
                return text->Text;
    return std::nullopt;
}

/// A control's text on the page: (left, top) relative to its band at `bandTop`.
std::optional<QString> ControlText(const TRLGraphicSurface& page, int bandTop, int left, int top)
{
    return TextAt(page, kMargin + left, bandTop + top);
}

class OrderPages : public ::testing::Test {
protected:
    TScopedLocale m_locale { kBrazil, kFixedEpoch.toByteArray() };
};

} // namespace

TEST_F(OrderPages, EveryPageMatchesItsGoldenDump)
{
    struct Case {
        int order;
        int pages;
    };
    const Case cases[] = { { 1, 1 }, { 2, 1 }, { 3, 2 }, { 4, 2 }, { 5, 1 }, { 8, 2 } };
    // The built-in layout, and the same saved to a file and loaded from there.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString saved = dir.filePath(u"saved.json"_s);
    SaveLayoutFile(*TForm1(nullptr).RLReport1, saved);
    for (const QString& layout : { QString(), saved }) {
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("order %1, layout %2").arg(c.order).arg(layout).toStdString());
            TPreparedOrder order(QString::number(c.order), layout);
            ASSERT_EQ(order.PageCount(), c.pages);
            for (int page = 0; page < c.pages; ++page)
                ExpectMatchesGolden(DumpPage(*order.Pages().Pages(page)),
                    QStringLiteral("app/order-%1-page-%2.txt").arg(c.order).arg(page + 1));
        }
    }
}

TEST_F(OrderPages, BandsSitWhereTheLayoutPutsThem)
{
    struct Case {
        int order;
        std::vector<int> itemsPerPage;
        /// The page that holds the summary, and its row there.
        int summaryPage;
        int summaryTop;
    };
    // 48 rows fill the space between row 313 and the limit 1085; a 157-pixel summary no longer
    // fits below row 1081, so it moves to a page of its own under the column header.
    const Case cases[] = {
        { 1, { 3 }, 0, kHeaderBottom + 3 * kItemRowHeight },
        { 2, { 0 }, 0, kHeaderBottom },
        { 3, { 48, 0 }, 1, kHeaderBottom },
        { 4, { 48, 12 }, 1, kHeaderBottom + 12 * kItemRowHeight },
        { 5, { 2 }, 0, kHeaderBottom + 2 * kItemRowHeight },
        { 8, { 45, 0 }, 1, kHeaderBottom },
    };
    for (const Case& c : cases) {
        TPreparedOrder order(QString::number(c.order));
        ASSERT_EQ(order.PageCount(), int(c.itemsPerPage.size())) << "order " << c.order;
        for (int page = 0; page < order.PageCount(); ++page) {
            const std::string where
                = "order " + std::to_string(c.order) + " page " + std::to_string(page + 1);
            const TPageFacts facts = FactsOf(*order.Pages().Pages(page));
            EXPECT_EQ(facts.headerTops, std::vector<int> { kMargin }) << where;
            EXPECT_EQ(facts.columnTitleBottoms, std::vector<int> { kHeaderBottom }) << where;
            ASSERT_EQ(int(facts.itemRows.size()), c.itemsPerPage[size_t(page)]) << where;
            for (size_t row = 0; row < facts.itemRows.size(); ++row)
                EXPECT_EQ(facts.itemRows[row], kHeaderBottom + int(row) * kItemRowHeight)
                    << where << " row " << row;
            if (page == c.summaryPage)
                EXPECT_EQ(facts.summaryTop, c.summaryTop) << where;
            else
                EXPECT_FALSE(facts.summaryTop) << where << ": the summary prints once, after the last item";
            EXPECT_LE(facts.lowestBottom, kPageLimit) << where << ": nothing below the page limit";
        }
    }
}

TEST_F(OrderPages, FullFirstPageEndsAtRow1065)
{
    for (const int number : { 3, 4 }) {
        TPreparedOrder order(QString::number(number));
        ASSERT_GE(order.PageCount(), 1);
        const TPageFacts facts = FactsOf(*order.Pages().Pages(0));
        ASSERT_EQ(facts.itemRows.size(), 48u) << "order " << number;
        EXPECT_EQ(facts.itemRows.back(), 1065) << "order " << number;
    }
}

TEST_F(OrderPages, MissingSupplierCarrierAndProductLeaveEmptyCells)
{
    // Order 5 names supplier F999 and carrier T99, which do not exist; its first item names a
    // product without a record, its second has no quantity.
    TPreparedOrder order(u"5"_s);
    ASSERT_EQ(order.PageCount(), 1);
    const TRLGraphicSurface& page = *order.Pages().Pages(0);
    struct Cell {
        int left;
        int top;
        const char* control;
    };
    const Cell supplierAndCarrier[] = { { 99, 107, "RLDBText5 CODIGO" }, { 163, 107, "RLDBText6 NOME" },
        { 163, 123, "RLDBText7 RAZAO_SOCIAL" }, { 99, 145, "RLDBText8 ENDERECO" },
        { 99, 162, "RLDBText9 CIDADE" }, { 441, 162, "RLDBText10 UF" }, { 583, 162, "RLDBText11 CEP" },
        { 583, 145, "RLDBText12 BAIRRO" }, { 441, 179, "RLDBText13 INSCRICAO" },
        { 257, 196, "RLDBText14 FAX" }, { 99, 196, "RLDBText15 FONE" }, { 99, 178, "RLDBText32 CGC" },
        { 441, 196, "RLDBText29 REPRESENTANTE" }, { 99, 213, "RLDBText31 EMAIL" },
        { 99, 230, "RLDBText26 carrier NOME" } };
    for (const Cell& cell : supplierAndCarrier)
        EXPECT_EQ(ControlText(page, kMargin, cell.left, cell.top), QString()) << cell.control;

    const int firstRow = kHeaderBottom;
    const int secondRow = kHeaderBottom + kItemRowHeight;
    EXPECT_EQ(ControlText(page, firstRow, 4, 2), u"P9999"_s);
    EXPECT_EQ(ControlText(page, firstRow, 342, 2), QString()) << "RLDBText18 REFERENCIA";
    EXPECT_EQ(ControlText(page, firstRow, 438, 2), QString()) << "RLDBText19 UNIDADE";
    EXPECT_NE(ControlText(page, secondRow, 342, 2).value_or(QString()), QString())
        << "the second item's product exists";
    EXPECT_EQ(ControlText(page, secondRow, 464, 2), u"0,000"_s) << "an empty quantity prints as zero";
}

TEST_F(OrderPages, TheSummaryGrowsWithThirtyLinesOfRemarks)
{
    TPreparedOrder order(u"8"_s);
    ASSERT_EQ(order.PageCount(), 2);
    const TRLGraphicSurface& page = *order.Pages().Pages(1);
    const TPageFacts facts = FactsOf(page);
    ASSERT_TRUE(facts.summaryTop);
    constexpr int kMemoLeft = kMargin + 16;
    constexpr int kMemoTop = 99;
    constexpr int kSummaryHeight = 157;
    std::vector<TRect> lines;
    for (int i = 0; i < page.ObjectCount(); ++i)
        if (const auto* text = dynamic_cast<const TRLTextObject*>(page.Objects(i)))
            if (text->BoundsRect.Left == kMemoLeft && text->BoundsRect.Top >= *facts.summaryTop + kMemoTop)
                lines.push_back(text->BoundsRect);
    ASSERT_EQ(lines.size(), 30u) << "one line per remark, none wrapped";
    EXPECT_EQ(lines.front().Top, *facts.summaryTop + kMemoTop);
    for (size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].Top, lines[i - 1].Bottom) << "line " << i + 1 << " follows the one above";
    EXPECT_GT(lines.back().Bottom, *facts.summaryTop + kSummaryHeight)
        << "the band grew past its stored height";
    // The frame around the summary grows by what the remarks grew: no remark is struck through,
    // and the space below the last one stays what the layout gives a single line.
    constexpr int kOneLineMemoBottom = kMemoTop + 13;
    EXPECT_EQ(facts.summaryBottom - lines.back().Bottom, kSummaryFrameHeight - kOneLineMemoBottom)
        << "frame bottom " << facts.summaryBottom << ", last remark ends at " << lines.back().Bottom;
    EXPECT_LE(lines.back().Bottom, kPageLimit);
}

TEST(OrderNumbers, SeparatorsFollowTheLocale)
{
    // The order total and the line totals of order 4 run past a thousand, so both separators show.
    const QRegularExpression brazilian(u"^\\d{1,3}(\\.\\d{3})*,\\d{2}$"_s);
    const QRegularExpression english(u"^\\d{1,3}(,\\d{3})*\\.\\d{2}$"_s);
    QString brazilianTotal;
    {
        TScopedLocale locale(kBrazil, kFixedEpoch.toByteArray());
        TPreparedOrder order(u"4"_s);
        ASSERT_EQ(order.PageCount(), 2);
        const TPageFacts facts = FactsOf(*order.Pages().Pages(1));
        ASSERT_TRUE(facts.summaryTop);
        brazilianTotal = ControlText(*order.Pages().Pages(1), *facts.summaryTop, 584, 4).value_or(QString());
    }
    QString englishTotal;
    {
        TScopedLocale locale(u"C"_s, kFixedEpoch.toByteArray());
        TPreparedOrder order(u"4"_s);
        ASSERT_EQ(order.PageCount(), 2);
        const TPageFacts facts = FactsOf(*order.Pages().Pages(1));
        ASSERT_TRUE(facts.summaryTop);
        englishTotal = ControlText(*order.Pages().Pages(1), *facts.summaryTop, 584, 4).value_or(QString());
    }
    EXPECT_TRUE(brazilian.match(brazilianTotal).hasMatch()) << brazilianTotal.toStdString();
    EXPECT_TRUE(english.match(englishTotal).hasMatch()) << englishTotal.toStdString();
    EXPECT_TRUE(englishTotal.contains(u',')) << "a total past a thousand has a thousands separator";
    QString swapped = brazilianTotal;
    swapped.replace(u'.', u'#').replace(u',', u'.').replace(u'#', u',');
    EXPECT_EQ(swapped, englishTotal) << "the same amount in both locales";
}

TEST_F(OrderPages, EachRowsTotalIsItsQuantityTimesItsPrice)
{
    // Read back in the Brazilian form: a separator misread on the way in (a quantity of 12,5 taken
    // as 125 or as 0) breaks the product.
    const QLocale brazil(u"pt_BR"_s);
    TPreparedOrder order(u"4"_s);
    ASSERT_EQ(order.PageCount(), 2);
    for (int page = 0; page < 2; ++page) {
        const TRLGraphicSurface& surface = *order.Pages().Pages(page);
        for (const int row : FactsOf(surface).itemRows) {
            const auto number = [&](int left) {
                bool ok = false;
                const QString text = ControlText(surface, row, left, 2).value_or(QString());
                const double value = brazil.toDouble(text, &ok);
                EXPECT_TRUE(ok) << "\"" << text.toStdString() << "\" at row " << row;
                return value;
            };
            const double quantity = number(464);
            const double price = number(531);
            const double total = number(599);
            EXPECT_GT(quantity, 0) << "row " << row;
            EXPECT_NEAR(total, quantity * price, 0.005 + 1e-9) << "page " << page + 1 << " row " << row;
        }
    }
}
