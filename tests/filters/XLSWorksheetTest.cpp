#include "../common/TestHelpers.h"
#include "XLSTestPages.h"
#include "filters/RLXLSWorkbook.h"
#include "support/FormatSettings.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

/// Number conventions of a test, restored afterwards.
class TFormatScope {
public:
    explicit TFormatScope(const QString& decimal, const QString& thousands)
        : m_saved(FormatSettings())
    {
        TFormatSettings settings = m_saved;
        settings.DecimalSeparator = decimal;
        settings.ThousandSeparator = thousands;
        SetFormatSettings(settings);
    }
    ~TFormatScope() { SetFormatSettings(m_saved); }

private:
    TFormatSettings m_saved;
};

} // namespace

TEST(XLSWorksheet, SheetsAreNamedByTheLocalizedPageAndTheLowestFreeNumber)
{
    struct Case {
        TLanguage language;
        QString prefix;
    };
    const Case cases[] = {
        { TLanguage::Portuguese, QStringLiteral("Página") },
        { TLanguage::English, QStringLiteral("Page") },
    };
    for (const Case& c : cases) {
        SelectLanguage(c.language);
        TRLXLSWorkbook workbook;
        EXPECT_EQ(workbook.AddWorksheet().Title(), c.prefix + u'1');
        EXPECT_EQ(workbook.AddWorksheet().Title(), c.prefix + u'2');
        EXPECT_EQ(workbook.AddWorksheet().Title(), c.prefix + u'3');
        // A sheet renamed to a later title, in other letter case, pushes the next one past it.
        workbook.Worksheets(2).SetTitle(c.prefix.toUpper() + u'4');
        EXPECT_EQ(workbook.AddWorksheet().Title(), c.prefix + u'5');
        // A renamed sheet gives its title up.
        workbook.Worksheets(3).SetTitle(QStringLiteral("Resumo"));
        EXPECT_EQ(workbook.AddWorksheet().Title(), c.prefix + u'5');
        workbook.Clear();
        EXPECT_EQ(workbook.WorksheetCount(), 0);
        EXPECT_EQ(workbook.AddWorksheet().Title(), c.prefix + u'1');
    }
    SelectLanguage();
}

TEST(XLSWorksheet, TitleKeepsTheFirst31CharactersTrimmed)
{
    TRLXLSWorkbook workbook;
    TRLXLSWorksheet& sheet = workbook.AddWorksheet();
    struct Case {
        QString title;
        QString expected;
    };
    const Case cases[] = {
        { QStringLiteral("  Itens  "), QStringLiteral("Itens") },
        { QString(40, QLatin1Char('x')), QString(31, QLatin1Char('x')) },
        { QString(30, QLatin1Char('y')) + QStringLiteral(" z"), QString(30, QLatin1Char('y')) },
    };
    for (const Case& c : cases) {
        sheet.SetTitle(c.title);
        EXPECT_EQ(sheet.Title(), c.expected) << c.title.toStdString();
    }
}

TEST(XLSWorksheet, RangesMeetingEarlierOnesShareTheCellsOutAndLoseNone)
{
    TRLXLSWorkbook workbook;
    TRLXLSWorksheet& sheet = workbook.AddWorksheet();
    EXPECT_TRUE(sheet.Empty());
    TRLXLSRange* a = sheet.FindRange(0, 0, 2, 0, true);
    TRLXLSRange* b = sheet.FindRange(3, 0, 3, 1, true);
    TRLXLSRange* c = sheet.FindRange(0, 2, 0, 2, true);
    EXPECT_EQ(sheet.RangeCount(), 3);
    EXPECT_EQ(sheet.FindRange(0, 0, 2, 0, false), a);
    EXPECT_EQ(sheet.FindRange(0, 0, 2, 0, true), a) << "an equal area is the same range";
    EXPECT_EQ(sheet.FindRange(0, 0, 1, 0, false), nullptr) << "only an exact match is found";
    EXPECT_EQ(sheet.UsedArea(), (TRLXLSCellArea { 0, 0, 3, 2 }));

    struct Case {
        TRLXLSCellArea asked;
        TRLXLSCellArea got;
        /// The earlier ranges' areas afterwards, in creation order.
        std::vector<TRLXLSCellArea> earlier;
        const char* what;
    };
    const Case cases[] = {
        { { 2, 1, 3, 1 }, { 2, 1, 3, 1 }, { { 0, 0, 2, 0 }, { 3, 0, 3, 0 }, { 0, 2, 0, 2 } },
            "b keeps its first cell and gives up the row the new range needs" },
        { { 1, 0, 1, 0 }, { 1, 0, 1, 0 }, { { 0, 0, 0, 0 }, { 3, 0, 3, 1 }, { 0, 2, 0, 2 } },
            "a gives up the columns from the new range's on" },
        { { 0, 1, 1, 3 }, { 0, 1, 1, 1 }, { { 0, 0, 2, 0 }, { 3, 0, 3, 1 }, { 0, 2, 0, 2 } },
            "an area covering c's first cell stops above it" },
        { { 1, 0, 5, 5 }, { 1, 0, 2, 5 }, { { 0, 0, 0, 0 }, { 3, 0, 3, 1 }, { 0, 2, 0, 2 } },
            "a shrinks, and the new range stops left of b's first cell" },
        { { 0, 0, 5, 5 }, { 0, 0, 2, 0 }, { { 0, 0, 2, 0 }, { 3, 0, 3, 1 }, { 0, 2, 0, 2 } },
            "an area starting in a's first cell is a, for the texts to share" },
    };
    for (const Case& k : cases) {
        TRLXLSWorkbook book;
        TRLXLSWorksheet& s = book.AddWorksheet();
        std::vector<TRLXLSRange*> earlier;
        for (const TRLXLSCellArea& area : { a->CellArea(), b->CellArea(), c->CellArea() }) {
            earlier.push_back(
                s.FindRange(area.FirstColumn, area.FirstRow, area.LastColumn, area.LastRow, true));
            s.SetValue(*earlier.back(), QStringLiteral("earlier"));
        }
        const TRLXLSRange* got
            = s.FindRange(k.asked.FirstColumn, k.asked.FirstRow, k.asked.LastColumn, k.asked.LastRow, true);
        ASSERT_NE(got, nullptr) << k.what;
        EXPECT_EQ(got->CellArea(), k.got) << k.what;
        for (std::size_t i = 0; i < earlier.size(); ++i)
            EXPECT_EQ(earlier[i]->CellArea(), k.earlier[i]) << k.what << ": earlier range " << i;
        // Ranges never overlap, and every earlier text is still there.
        const std::vector<TRLXLSRange*> ranges = s.Ranges();
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            for (std::size_t j = i + 1; j < ranges.size(); ++j)
                EXPECT_FALSE(ranges[i]->CellArea().Intersects(ranges[j]->CellArea())) << k.what;
        }
        EXPECT_EQ(std::count_if(ranges.begin(), ranges.end(),
                      [](const TRLXLSRange* r) { return r->Value() == QStringLiteral("earlier"); }),
            3)
            << k.what;
    }
}

TEST(XLSWorksheet, AreasOutsideTheSheetOrReversedAreRefusedAndNamed)
{
    const TXLSPortugueseTexts portuguese;
    TRLXLSWorkbook workbook;
    TRLXLSWorksheet& sheet = workbook.AddWorksheet();
    struct Case {
        int left, top, right, bottom;
        const char* what;
    };
    const Case cases[] = {
        { -1, 0, 0, 0, "a negative column" },
        { 0, -3, 0, 0, "a negative row" },
        { 2, 0, 1, 0, "right before left" },
        { 0, 5, 0, 4, "bottom above top" },
        { 250, 0, 256, 0, "past column 255" },
        { 0, 65530, 0, 65536, "past row 65535" },
    };
    for (const Case& c : cases) {
        for (const bool create : { false, true }) {
            const QString error = ErrorOf([&] { sheet.FindRange(c.left, c.top, c.right, c.bottom, create); });
            EXPECT_EQ(error,
                QStringLiteral(
                    "Spreadsheet: the cell area from column %1, row %2 to column %3, row %4 does not "
                    "fit sheet \"Página1\" (columns 0 to 255, rows 0 to 65535, first before last)")
                    .arg(c.left)
                    .arg(c.top)
                    .arg(c.right)
                    .arg(c.bottom))
                << c.what;
        }
    }
    EXPECT_TRUE(sheet.Empty());
    EXPECT_NE(sheet.FindRange(255, 65535, 255, 65535, true), nullptr) << "the last cell";
    EXPECT_EQ(sheet.UsedArea(), (TRLXLSCellArea { 255, 65535, 255, 65535 }));
}

TEST(XLSWorksheet, ColumnsAndRowsWidenTheUsedArea)
{
    TRLXLSWorkbook workbook;
    TRLXLSWorksheet& sheet = workbook.AddWorksheet();
    EXPECT_EQ(sheet.FindCol(4, false), nullptr);
    EXPECT_EQ(sheet.FindCol(4, true)->Width, 2048);
    EXPECT_EQ(sheet.FindRow(7, true)->Height, 255);
    EXPECT_EQ(sheet.UsedArea(), (TRLXLSCellArea { 4, 7, 4, 7 }));
    EXPECT_EQ(sheet.FindCol(4, false)->Index, 4);
}

TEST(XLSWorksheet, ValuesNormalizeLineBreaksAndFindNumbersOnlyWhenAsked)
{
    const TFormatScope brazil(QStringLiteral(","), QStringLiteral("."));
    TRLXLSWorkbook workbook;
    TRLXLSWorksheet& sheet = workbook.AddWorksheet();
    TRLXLSRange& range = *sheet.FindRange(0, 0, 0, 0, true);
    sheet.SetValue(range, QStringLiteral("a\r\nb\rc\nd"));
    EXPECT_EQ(range.Value(), QStringLiteral("a\nb\nc\nd"));
    sheet.SetValue(range, QStringLiteral("1.234,50"));
    EXPECT_EQ(range.CellKind(), TRLXLSCellKind::Text);
    EXPECT_EQ(range.Value(), QStringLiteral("1.234,50"));
    workbook.FindValueCells = true;
    sheet.SetValue(range, QStringLiteral("1.234,50"));
    EXPECT_EQ(range.CellKind(), TRLXLSCellKind::Number);
    EXPECT_EQ(range.Number(), 1234.5);
    EXPECT_EQ(range.Format, QStringLiteral("#,##0.00")) << "a number shows the text's digits";
    sheet.SetValue(range, QStringLiteral("R$ 1.234,50"));
    EXPECT_EQ(range.CellKind(), TRLXLSCellKind::Text);

    // A text longer than a cell holds is cut, its last character marking the cut; a surrogate
    // pair at the cut is not split.
    struct Case {
        QString text;
        QString kept;
    };
    const QString pair = QString::fromUtf16(u"\U0001F600");
    const Case cases[] = {
        { QString(32767, u't'), QString(32767, u't') },
        { QString(40000, u't'), QString(32766, u't') + QChar(0x2026) },
        { QString(32765, u'u') + pair + QStringLiteral("vvv"), QString(32765, u'u') + QChar(0x2026) },
    };
    for (const Case& c : cases) {
        sheet.SetValue(range, c.text);
        EXPECT_EQ(range.Value().size(), c.kept.size()) << c.text.size();
        EXPECT_EQ(range.Value(), c.kept) << c.text.size();
    }
}

TEST(XLSWorksheet, NumbersReadEntirelyInTheLocaleNotation)
{
    struct Case {
        const char* text;
        const char* decimal;
        std::optional<double> number;
        /// The number format that shows the text's digits.
        const char* format = "";
    };
    const Case cases[] = {
        { "1.234,50", ",", 1234.5, "#,##0.00" },
        { " 1234,5 ", ",", 1234.5, "0.0" },
        { "\n-3,5e2\n", ",", -350, "" },
        { "+0,25", ",", 0.25, "#,##0.00" },
        { ",5", ",", 0.5, "#,##0.0" },
        { "7,", ",", 7, "#,##0" },
        { "57,779", ",", 57.779, "#,##0.000" },
        { "18", ",", 18, "#,##0" },
        { "78.715.380,23", ",", 78715380.23, "#,##0.00" },
        { "1.000.000.000.000,00", ",", 1e12, "#,##0.00" },
        { "0", ",", 0, "#,##0" },
        { "-0,5", ",", -0.5, "#,##0.0" },
        // Thousands separators only between groups of three digits of the whole part.
        { "1.2.3", ",", std::nullopt },
        { "3222.1100", ",", std::nullopt },
        { "1.234.5678", ",", std::nullopt },
        { "1,234.5", ",", std::nullopt },
        // A code with a leading zero, and more digits than a cell keeps exactly, stay texts.
        { "0046", ",", std::nullopt },
        { "00", ",", std::nullopt },
        { "7891234567890123", ",", std::nullopt },
        { "10.000.000.000.000,00", ",", std::nullopt },
        { "123456789012345", ",", 123456789012345.0, "0" },
        { "1,2,3", ",", std::nullopt },
        { "1 234", ",", std::nullopt },
        { "12%", ",", std::nullopt },
        { "", ",", std::nullopt },
        { "   ", ",", std::nullopt },
        { ".", ",", std::nullopt },
        { "-", ",", std::nullopt },
        { "1e", ",", std::nullopt },
        { "1e999", ",", std::nullopt },
        { "inf", ",", std::nullopt },
        { "nan", ",", std::nullopt },
        { "0x10", ",", std::nullopt },
        { "1,234.50", ".", 1234.5, "#,##0.00" },
        { "1.234,50", ".", std::nullopt },
        { "3.5E-1", ".", 0.35, "" },
        { "٣", ".", std::nullopt },
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString decimal = QString::fromUtf8(c.decimal);
        const auto number = ReadXLSNumber(text, decimal);
        EXPECT_EQ(number.has_value(), c.number.has_value()) << '"' << c.text << "\" with " << c.decimal;
        if (number && c.number) {
            EXPECT_DOUBLE_EQ(*number, *c.number) << '"' << c.text << "\" with " << c.decimal;
        }
        EXPECT_EQ(XLSNumberFormat(text, decimal), QString::fromUtf8(c.format))
            << '"' << c.text << "\" with " << c.decimal;
    }
}

TEST(XLSPageSetup, HeaderSectionsAndStoredMargins)
{
    struct Case {
        QString left, center, right;
        QString expected;
    };
    const Case cases[] = {
        { QStringLiteral("A"), QString(), QStringLiteral("B"), QStringLiteral("&LA&RB") },
        { QString(), QStringLiteral("C"), QString(), QStringLiteral("&CC") },
        { QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("&LA&CC&RB") },
        { QString(), QString(), QString(), QString() },
    };
    for (const Case& c : cases) {
        TRLXLSPageSetup setup;
        setup.LeftHeader = c.left;
        setup.CenterHeader = c.center;
        setup.RightHeader = c.right;
        setup.LeftFooter = c.right;
        setup.CenterFooter = c.center;
        setup.RightFooter = c.left;
        EXPECT_EQ(setup.HeaderText(), c.expected);
        QString footer = c.expected;
        footer.replace(QStringLiteral("&LA"), QStringLiteral("&LB"))
            .replace(QStringLiteral("&RB"), QStringLiteral("&RA"));
        EXPECT_EQ(setup.FooterText(), footer);
    }
    TRLXLSPageSetup setup;
    EXPECT_FALSE(setup.LeftMarginStored() || setup.RightMarginStored() || setup.TopMarginStored()
        || setup.BottomMarginStored());
    setup.LeftMargin = 2.5;
    setup.TopMargin = 2.0;
    EXPECT_TRUE(setup.LeftMarginStored());
    EXPECT_TRUE(setup.TopMarginStored());
    EXPECT_FALSE(setup.RightMarginStored());
    EXPECT_EQ(setup.PaperSize(), 9);
    EXPECT_EQ(setup.Copies, 1);
    EXPECT_EQ(setup.Zoom, 100);
    EXPECT_TRUE(setup.FitToPagesTall && setup.FitToPagesWide);
}
