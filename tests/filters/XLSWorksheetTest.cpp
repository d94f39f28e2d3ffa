#include "../common/TestHelpers.h"
#include "filters/RLXLSWorkbook.h"
#include "support/FormatSettings.h"

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

TEST(XLSWorksheet, SheetsAreNamedPaginaAndTheLowestFreeNumber)
{
    TRLXLSWorkbook workbook;
    EXPECT_EQ(workbook.AddWorksheet().Title(), QStringLiteral("Página1"));
    EXPECT_EQ(workbook.AddWorksheet().Title(), QStringLiteral("Página2"));
    EXPECT_EQ(workbook.AddWorksheet().Title(), QStringLiteral("Página3"));
    // A sheet renamed to a later title, in other letter case, pushes the next one past it.
    workbook.Worksheets(2).SetTitle(QStringLiteral("PÁGINA4"));
    EXPECT_EQ(workbook.AddWorksheet().Title(), QStringLiteral("Página5"));
    workbook.Clear();
    EXPECT_EQ(workbook.WorksheetCount(), 0);
    EXPECT_EQ(workbook.AddWorksheet().Title(), QStringLiteral("Página1"));
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

TEST(XLSWorksheet, RangesTakeOverEqualAreasAndDeleteThoseTheyMeet)
{
    TRLXLSWorkbook workbook;
    TRLXLSWorksheet& sheet = workbook.AddWorksheet();
    EXPECT_TRUE(sheet.Empty());
    TRLXLSRange* a = sheet.FindRange(0, 0, 2, 0, true);
    TRLXLSRange* b = sheet.FindRange(3, 0, 3, 1, true);
    TRLXLSRange* c = sheet.FindRange(0, 2, 0, 2, true);
    EXPECT_EQ(sheet.RangeCount(), 3);
    EXPECT_EQ(sheet.FindRange(0, 0, 2, 0, false), a);
    EXPECT_EQ(sheet.FindRange(0, 0, 2, 0, true), a) << "an equal area is taken over";
    EXPECT_EQ(sheet.FindRange(0, 0, 1, 0, false), nullptr) << "only an exact match is found";
    EXPECT_EQ(sheet.UsedArea(), (TRLXLSCellArea { 0, 0, 3, 2 }));

    TRLXLSRange* d = sheet.FindRange(2, 1, 3, 1, true);
    const std::vector<TRLXLSRange*> left = sheet.Ranges();
    EXPECT_EQ(left, (std::vector<TRLXLSRange*> { a, c, d })) << "b shared cell (3,1) with d";
    TRLXLSRange* e = sheet.FindRange(0, 0, 5, 5, true);
    EXPECT_EQ(sheet.Ranges(), (std::vector<TRLXLSRange*> { e })) << "a range over all deletes all";
    EXPECT_EQ(sheet.UsedArea(), (TRLXLSCellArea { 0, 0, 5, 5 })) << "the used area never shrinks";
    (void)b;
}

TEST(XLSWorksheet, AreasOutsideTheSheetOrReversedAreRefusedAndNamed)
{
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
    sheet.SetValue(range, QStringLiteral("R$ 1.234,50"));
    EXPECT_EQ(range.CellKind(), TRLXLSCellKind::Text);
}

TEST(XLSWorksheet, NumbersReadEntirelyInTheLocaleNotation)
{
    struct Case {
        const char* text;
        const char* decimal;
        std::optional<double> number;
    };
    const Case cases[] = {
        { "1.234,50", ",", 1234.5 },
        { " 1234,5 ", ",", 1234.5 },
        { "\n-3,5e2\n", ",", -350 },
        { "+0,25", ",", 0.25 },
        { ",5", ",", 0.5 },
        { "7,", ",", 7 },
        { "1.2.3", ",", 123 },
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
        { "1,234.50", ".", 1234.5 },
        { "1.234,50", ".", 1.2345 },
        { "3.5E-1", ".", 0.35 },
        { "٣", ".", std::nullopt },
    };
    for (const Case& c : cases) {
        const auto number = ReadXLSNumber(QString::fromUtf8(c.text), QString::fromUtf8(c.decimal));
        EXPECT_EQ(number.has_value(), c.number.has_value()) << '"' << c.text << "\" with " << c.decimal;
        if (number && c.number) {
            EXPECT_DOUBLE_EQ(*number, *c.number) << '"' << c.text << "\" with " << c.decimal;
        }
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
