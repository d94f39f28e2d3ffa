// The spreadsheet export of real orders of the sample database, end to end: the built program
// writes the file (`ordemcompra ORDER --xls FILE`), then tools that share no code with the writer
// read it (python3-xlrd, LibreOffice, and the tests' own compound-file reader and record walker).
// Expected texts come from the order's tables, read here through the database layer.

#include "../filters/XLSTestReader.h"
#include "app/OrderTables.h"
#include "app/TelaPrincipal.h"
#include "db/Alias.h"
#include "db/Field.h"
#include "db/Table.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "platform/Component.h"
#include "report/RLReport.h"
#include "support/FormatSettings.h"
#include "tests/app/ProgramRun.h"
#include "tests/common/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

using enum TRLXLSFilterOption;

using namespace Qt::StringLiterals;

namespace {

constexpr int kRunTimeoutMs = 300000;
constexpr const char* kEpoch = "1700000000";

// BIFF8 records the structure checks follow.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kIndex = 0x020B;
constexpr quint16 kRow = 0x0208;
constexpr quint16 kDbCell = 0x00D7;
constexpr int kIndexFixedSize = 16;
constexpr quint16 kWsBool = 0x0081;
constexpr quint16 kSetup = 0x00A1;
constexpr quint16 kWsBoolFitToPage = 0x0100;

// Horizontal alignment codes of a cell format, as xlrd reports them.
constexpr int kAlignLeft = 1;
constexpr int kAlignCenter = 2;
constexpr int kAlignRight = 3;
constexpr int kWeightNormal = 400;
constexpr int kWeightBold = 700;

struct TOrderItem {
    QString Product, Name, Reference, Unit;
    double Quantity = 0, Price = 0, Total = 0, Rate = 0;
};

struct TOrderData {
    QString CompanyName, CompanyTaxId, CompanyAddress, Supplier, Carrier;
    double Total = 0;
    QStringList Remarks;
    std::vector<TOrderItem> Items;
};

/// The order as its tables hold it, through the same alias the program resolves.
TOrderData ReadOrder(int order)
{
    TComponent owner(nullptr);
    const TOrderTables t = CreateOrderTables(&owner, kBusinessAlias.toString());
    OpenOrderTables(t);
    TOrderData data;
    if (!t.Ordem->Locate(u"CODIGO", QString::number(order))) {
        ADD_FAILURE() << "order " << order << " is not in the sample database";
        return data;
    }
    const auto text
        = [](TDataSet* table, QStringView field) { return table->FieldByName(field)->AsString(); };
    const auto number
        = [](TDataSet* table, QStringView field) { return table->FieldByName(field)->AsFloat(); };
    data.CompanyName = text(t.Parametros, u"RAZAO_SOCIAL");
    data.CompanyTaxId = text(t.Parametros, u"CGC");
    data.CompanyAddress = text(t.Parametros, u"ENDERECO");
    data.Supplier = text(t.Fornecedores, u"RAZAO_SOCIAL");
    data.Carrier = text(t.Transp, u"NOME");
    data.Total = number(t.Ordem, u"TOTAL_NOTA");
    for (const QString& line : text(t.Ordem, u"OBS").split(u"\r\n"_s, Qt::SkipEmptyParts))
        data.Remarks.append(line.trimmed());
    for (t.Itens->First(); !t.Itens->Eof(); t.Itens->Next()) {
        data.Items.push_back({ text(t.Itens, u"PRODUTO"), text(t.Itens, u"NOME_PRODUTO"),
            text(t.Produtos, u"REFERENCIA"), text(t.Produtos, u"UNIDADE"), number(t.Itens, u"QUANTIDADE"),
            number(t.Itens, u"PRECO"), number(t.Itens, u"TOTAL"), number(t.Itens, u"ALIQUOTA") });
    }
    return data;
}

struct TCell {
    int Column = 0;
    QString Kind, Value, Font;
    int Height = 0, Weight = 0, Italic = 0, Horizontal = 0;
    /// The number format, as xlrd reads it.
    QString Format;
};

/// How a reader gives the amounts: xlrd's number cells, or the texts LibreOffice shows under
/// its English locale.
enum class TAmounts { XlrdNumbers, EnglishShown };

struct TMerge {
    int FirstRow, LastRow, FirstColumn, LastColumn;
};

struct TSheet {
    QString Name;
    /// Non-blank cells by row, left to right.
    QMap<int, std::vector<TCell>> Rows;
    std::vector<TMerge> Merges;
};

struct TWorkbook {
    QString User;
    std::vector<TSheet> Sheets;
    QString Error;

    QStringList SheetNames() const
    {
        QStringList names;
        for (const TSheet& sheet : Sheets)
            names.append(sheet.Name);
        return names;
    }
};

/// What xlrd reads from the file (tests/filters/xls_dump.py).
TWorkbook ReadWithXlrd(const QString& fileName)
{
    TWorkbook book;
    const QString dump = XlrdDump(fileName, &book.Error);
    for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(u'\t');
        if (f[0] == u"user") {
            book.User = f.value(1);
        } else if (f[0] == u"sheet") {
            book.Sheets.push_back({ f.value(1), {}, {} });
        } else if (f[0] == u"merged" && !book.Sheets.empty()) {
            book.Sheets.back().Merges.push_back(
                { f.value(2).toInt(), f.value(3).toInt(), f.value(4).toInt(), f.value(5).toInt() });
        } else if (f[0] == u"cell" && !book.Sheets.empty() && f.value(4) != u"blank") {
            book.Sheets.back().Rows[f.value(2).toInt()].push_back(
                { f.value(3).toInt(), f.value(4), f.value(5), f.value(6), f.value(7).toInt(),
                    f.value(8).toInt(), f.value(9).toInt(), f.value(10).toInt(), f.value(12) });
        }
    }
    return book;
}

/// The merged range whose top-left cell this is, if any.
const TMerge* MergeAt(const TSheet& sheet, int row, int column)
{
    for (const TMerge& merge : sheet.Merges) {
        if (merge.FirstRow == row && merge.FirstColumn == column)
            return &merge;
    }
    return nullptr;
}

/// The first cell holding exactly `text`, with its row; nullptr when none does.
const TCell* FindText(const TSheet& sheet, const QString& text, int* row = nullptr)
{
    for (auto r = sheet.Rows.cbegin(); r != sheet.Rows.cend(); ++r) {
        for (const TCell& cell : r.value()) {
            if (cell.Value == text) {
                if (row)
                    *row = r.key();
                return &cell;
            }
        }
    }
    return nullptr;
}

/// The decimals an amount prints with: quantities three, money two, the tax rate none.
constexpr int kAmountDecimals[] = { 3, 2, 2, 0 };

/// The number format that shows an amount with the paper's digits.
QString AmountFormat(int decimals)
{
    return decimals == 0 ? u"#,##0"_s : u"#,##0."_s + QString(decimals, u'0');
}

/// Whether a cell holds the amount with the paper's digits: a number cell whose format shows
/// `decimals` decimals, or a shown text with exactly those decimals.
QString AmountMismatch(const TCell& cell, double expected, int decimals, TAmounts amounts)
{
    const double precision = 0.5 * std::pow(10.0, -decimals) + 1e-9;
    std::optional<double> value;
    if (amounts == TAmounts::XlrdNumbers) {
        if (cell.Kind != u"number")
            return u"a %1 cell holding \"%2\", not a number"_s.arg(cell.Kind, cell.Value);
        if (cell.Format != AmountFormat(decimals))
            return u"number format \"%1\", not \"%2\""_s.arg(cell.Format, AmountFormat(decimals));
        bool ok = false;
        value = cell.Value.toDouble(&ok);
        if (!ok)
            value.reset();
    } else {
        const qsizetype point = cell.Value.indexOf(u'.');
        const qsizetype shownDecimals = point < 0 ? 0 : cell.Value.size() - point - 1;
        if (shownDecimals != decimals)
            return u"\"%1\" shows %2 decimals, not %3"_s.arg(cell.Value).arg(shownDecimals).arg(decimals);
        bool ok = false;
        value = QString(cell.Value).remove(u',').toDouble(&ok);
        if (!ok)
            value.reset();
    }
    if (!value || std::abs(*value - expected) > precision)
        return u"\"%1\", not %2"_s.arg(cell.Value).arg(expected);
    return {};
}

/// Whether a row holds the item's eight texts, left to right, in the order's column order.
QString ItemRowMismatch(const std::vector<TCell>& cells, const TOrderItem& item, TAmounts amounts)
{
    if (cells.size() != 8)
        return u"%1 cells instead of 8"_s.arg(cells.size());
    const QStringList texts { item.Product, item.Name, item.Reference, item.Unit };
    for (int i = 0; i < 4; ++i) {
        if (cells[std::size_t(i)].Value != texts[i])
            return u"cell %1 holds \"%2\", not \"%3\""_s.arg(i).arg(cells[std::size_t(i)].Value, texts[i]);
    }
    const double numbers[] = { item.Quantity, item.Price, item.Total, item.Rate };
    for (int i = 0; i < 4; ++i) {
        const QString mismatch
            = AmountMismatch(cells[std::size_t(4 + i)], numbers[i], kAmountDecimals[i], amounts);
        if (!mismatch.isEmpty())
            return u"cell %1: %2"_s.arg(4 + i).arg(mismatch);
    }
    return {};
}

/// Rows that hold an item, in sheet and row order, as (sheet index, row).
std::vector<std::pair<int, int>> ItemRows(const TWorkbook& book, const TOrderData& order, QString* fault)
{
    std::vector<std::pair<int, int>> found;
    std::size_t next = 0;
    for (int s = 0; s < int(book.Sheets.size()); ++s) {
        const TSheet& sheet = book.Sheets[std::size_t(s)];
        for (auto r = sheet.Rows.cbegin(); r != sheet.Rows.cend(); ++r) {
            const std::vector<TCell>& cells = r.value();
            if (next >= order.Items.size() || cells.empty()
                || cells.front().Value != order.Items[next].Product)
                continue;
            const QString mismatch = ItemRowMismatch(cells, order.Items[next], TAmounts::XlrdNumbers);
            if (!mismatch.isEmpty() && fault->isEmpty())
                *fault
                    = u"item %1 on %2 row %3: %4"_s.arg(next + 1).arg(sheet.Name).arg(r.key()).arg(mismatch);
            found.emplace_back(s, r.key());
            ++next;
        }
    }
    return found;
}

class XLSOrderExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(TempPath()));
        ASSERT_TRUE(QDir().mkpath(RuntimePath()));
        QFile::setPermissions(RuntimePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    /// Under LANG=pt_BR.UTF-8 unless `language` names another locale.
    TProgramRun Run(const QStringList& arguments, const QString& language = {}) const
    {
        QStringList environment { u"SOURCE_DATE_EPOCH="_s + QString::fromLatin1(kEpoch),
            u"XDG_RUNTIME_DIR="_s + RuntimePath() };
        if (!language.isEmpty())
            environment.append(u"LANG="_s + language);
        return RunOrdemCompra(arguments, { TempPath(), {} }, environment);
    }

    QString TempPath() const { return m_dir.filePath(u"tmp"_s); }
    QString RuntimePath() const { return m_dir.filePath(u"runtime"_s); }

    /// The order's spreadsheet, written by the program; empty when the run failed the test.
    QString Export(int order, const QString& language = {})
    {
        const QString fileName = m_dir.filePath(u"ordem%1%2.xls"_s.arg(order).arg(language));
        const TProgramRun run = Run({ QString::number(order), u"--xls"_s, fileName }, language);
        EXPECT_TRUE(run.Finished) << "order " << order;
        EXPECT_EQ(run.ExitCode, 0) << "order " << order << ": " << run.Err.toStdString();
        EXPECT_TRUE(QDir(TempPath()).isEmpty()) << "temporary files left by order " << order;
        return run.Finished && run.ExitCode == 0 ? fileName : QString();
    }

    QTemporaryDir m_dir;
};

bool XlrdMissing()
{
    return PythonWithXlrd().isEmpty();
}

} // namespace

TEST_F(XLSOrderExport, OrderOneTextsAreInTheirCellsWithTheirFontsAndMerges)
{
    if (XlrdMissing())
        FAIL() << "python3-xlrd is not installed (make test-deps installs it)";
    const TOrderData order = ReadOrder(1);
    ASSERT_FALSE(order.Items.empty());
    const QString fileName = Export(1);
    ASSERT_FALSE(fileName.isEmpty());
    const TWorkbook book = ReadWithXlrd(fileName);
    ASSERT_EQ(book.Error, QString());
    EXPECT_EQ(book.User, u"QuirelReport"_s);
    ASSERT_EQ(book.SheetNames(), QStringList { u"Página1"_s });
    const TSheet& sheet = book.Sheets[0];

    QString fault;
    const auto rows = ItemRows(book, order, &fault);
    EXPECT_EQ(fault, QString());
    ASSERT_EQ(rows.size(), order.Items.size());
    // Texts of one grid column of the page share one sheet column, row after row.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].second, rows[i - 1].second + 1) << "item " << i + 1;
        const std::vector<TCell>& above = sheet.Rows[rows[i - 1].second];
        const std::vector<TCell>& cells = sheet.Rows[rows[i].second];
        for (std::size_t c = 0; c < cells.size() && c < above.size(); ++c)
            EXPECT_EQ(cells[c].Column, above[c].Column) << "item " << i + 1 << " cell " << c;
    }

    // The item texts: Verdana of 9 pixels (7 points), plain; codes left, numbers right aligned.
    // The description is wider than its column and merges the columns it spans.
    for (const auto& [s, row] : rows) {
        const std::vector<TCell>& cells = book.Sheets[std::size_t(s)].Rows[row];
        for (std::size_t c = 0; c < cells.size(); ++c) {
            EXPECT_EQ(cells[c].Font, u"Verdana"_s) << "row " << row << " cell " << c;
            EXPECT_EQ(cells[c].Height, 140) << "row " << row << " cell " << c;
            EXPECT_EQ(cells[c].Weight, kWeightNormal) << "row " << row << " cell " << c;
            EXPECT_EQ(cells[c].Horizontal, c < 4 ? kAlignLeft : kAlignRight)
                << "row " << row << " cell " << c;
        }
        const TMerge* name = MergeAt(sheet, row, cells[1].Column);
        ASSERT_NE(name, nullptr) << "row " << row;
        EXPECT_EQ(name->LastRow, row);
        EXPECT_LT(name->LastColumn, cells[2].Column);
    }

    // The column titles above the items: bold.
    int titleRow = -1;
    const TCell* title = FindText(sheet, u"Produto"_s, &titleRow);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(titleRow, rows.front().second - 1);
    EXPECT_EQ(title->Column, sheet.Rows[rows.front().second].front().Column);
    EXPECT_EQ(title->Weight, kWeightBold);

    // The letterhead lines are centred over the page, each one merged range on its own row; the
    // company name shares its row with the date and time.
    for (const QString& text : { order.CompanyName, order.CompanyTaxId, order.CompanyAddress }) {
        int row = -1;
        const TCell* cell = FindText(sheet, text, &row);
        ASSERT_NE(cell, nullptr) << text.toStdString();
        EXPECT_EQ(cell->Font, u"Arial"_s) << text.toStdString();
        EXPECT_EQ(cell->Horizontal, kAlignCenter) << text.toStdString();
        const TMerge* merge = MergeAt(sheet, row, cell->Column);
        ASSERT_NE(merge, nullptr) << text.toStdString();
        EXPECT_EQ(merge->LastRow, row);
        EXPECT_GT(merge->LastColumn, cell->Column + 10) << text.toStdString();
    }

    // Supplier, carrier, the total and every line of the remarks are kept.
    EXPECT_NE(FindText(sheet, order.Supplier), nullptr) << order.Supplier.toStdString();
    EXPECT_NE(FindText(sheet, order.Carrier), nullptr) << order.Carrier.toStdString();
    int totalRow = -1;
    const TCell* totalLabel = FindText(sheet, u"Total  R$:"_s, &totalRow);
    ASSERT_NE(totalLabel, nullptr);
    const std::vector<TCell>& totalCells = sheet.Rows[totalRow];
    ASSERT_FALSE(totalCells.empty());
    EXPECT_EQ(AmountMismatch(totalCells.back(), order.Total, 2, TAmounts::XlrdNumbers), QString());
    ASSERT_FALSE(order.Remarks.isEmpty());
    for (const QString& line : order.Remarks)
        EXPECT_NE(FindText(sheet, line), nullptr) << line.toStdString();
}

TEST_F(XLSOrderExport, OrdersOfTwoPagesGiveTwoSheetsHoldingEveryItemOnce)
{
    if (XlrdMissing())
        FAIL() << "python3-xlrd is not installed (make test-deps installs it)";
    // Order 3's 48 items fill the first page and leave the summary to the second; order 4's 60
    // go on to the second page.
    struct Case {
        int order;
        bool itemsOnSecondSheet;
    };
    // Sheets are named with the library's text for "Page" in the user's language.
    const QString english = Export(3, u"en_US.UTF-8"_s);
    ASSERT_FALSE(english.isEmpty());
    EXPECT_EQ(ReadWithXlrd(english).SheetNames(), (QStringList { u"Page1"_s, u"Page2"_s }));
    for (const Case c : { Case { 3, false }, Case { 4, true } }) {
        const TOrderData order = ReadOrder(c.order);
        const QString fileName = Export(c.order);
        ASSERT_FALSE(fileName.isEmpty());
        const TWorkbook book = ReadWithXlrd(fileName);
        ASSERT_EQ(book.Error, QString()) << "order " << c.order;
        ASSERT_EQ(book.SheetNames(), (QStringList { u"Página1"_s, u"Página2"_s })) << "order " << c.order;
        QString fault;
        const auto rows = ItemRows(book, order, &fault);
        EXPECT_EQ(fault, QString()) << "order " << c.order;
        ASSERT_EQ(rows.size(), order.Items.size()) << "order " << c.order;
        EXPECT_EQ(rows.front().first, 0) << "order " << c.order;
        EXPECT_EQ(rows.back().first, c.itemsOnSecondSheet ? 1 : 0) << "order " << c.order;
        // Each sheet repeats the column titles; the summary ends the last one.
        for (const TSheet& sheet : book.Sheets)
            EXPECT_NE(FindText(sheet, u"Vlr.Unit."_s), nullptr)
                << "order " << c.order << " " << sheet.Name.toStdString();
        EXPECT_EQ(FindText(book.Sheets[0], u"Total  R$:"_s), nullptr) << "order " << c.order;
        EXPECT_NE(FindText(book.Sheets[1], u"Total  R$:"_s), nullptr) << "order " << c.order;
    }
}

// A page file saved from the order converts (`--view FILE --xls OUT`, no window) to the same
// workbook as the order exported directly: every cell with its text, kind, number format, font
// and merge, on the same sheets.
TEST_F(XLSOrderExport, SavedPageFileConvertsToTheOrdersCells)
{
    if (XlrdMissing())
        FAIL() << "python3-xlrd is not installed (make test-deps installs it)";
    const TOrderData order = ReadOrder(3);
    const QString direct = Export(3);
    ASSERT_FALSE(direct.isEmpty());
    const QString pageFile = m_dir.filePath(u"ordem3.rpf"_s);
    const TProgramRun saved = Run({ u"3"_s, u"--rpf"_s, pageFile });
    ASSERT_EQ(saved.ExitCode, 0) << saved.Err.toStdString();
    const QString converted = m_dir.filePath(u"view3.xls"_s);
    const TProgramRun view = Run({ u"--view"_s, pageFile, u"--xls"_s, converted });
    ASSERT_EQ(view.ExitCode, 0) << view.Err.toStdString();
    EXPECT_EQ(view.Err, QString());
    EXPECT_TRUE(QDir(TempPath()).isEmpty()) << "temporary files left by the conversion";

    const TWorkbook book = ReadWithXlrd(converted);
    ASSERT_EQ(book.Error, QString());
    QString fault;
    EXPECT_EQ(ItemRows(book, order, &fault).size(), order.Items.size());
    EXPECT_EQ(fault, QString()) << "amounts are number cells as in the order's own export";
    QString error;
    const QString expectedDump = XlrdDump(direct, &error);
    ASSERT_EQ(error, QString());
    const QString convertedDump = XlrdDump(converted, &error);
    ASSERT_EQ(error, QString());
    EXPECT_GT(expectedDump.count(u"\ncell\t"_s), qsizetype(order.Items.size() * 8));
    EXPECT_EQ(convertedDump, expectedDump);
}

TEST_F(XLSOrderExport, EverySheetHoldsTheLetterheadAndTitlesOverTheirAmountsAndFitsOnePageWide)
{
    if (XlrdMissing())
        FAIL() << "python3-xlrd is not installed (make test-deps installs it)";
    // Order 3 of two pages, and order 7 of ten thousand items on over two hundred pages.
    for (const int number : { 3, 7 }) {
        const TOrderData order = ReadOrder(number);
        const QString fileName = Export(number);
        ASSERT_FALSE(fileName.isEmpty());
        const TWorkbook book = ReadWithXlrd(fileName);
        ASSERT_EQ(book.Error, QString()) << "order " << number;
        ASSERT_GE(book.Sheets.size(), 2u) << "order " << number;
        QString fault;
        const auto itemRows = ItemRows(book, order, &fault);
        EXPECT_EQ(itemRows.size(), order.Items.size()) << "order " << number;
        EXPECT_EQ(fault, QString()) << "order " << number;
        // The first item row of each sheet that has items.
        QMap<int, int> firstItemRow;
        for (const auto& [sheetIndex, row] : itemRows) {
            if (!firstItemRow.contains(sheetIndex))
                firstItemRow.insert(sheetIndex, row);
        }
        EXPECT_GE(firstItemRow.size(), int(book.Sheets.size()) - 1) << "order " << number;
        int amountCells = 0;
        for (int s = 0; s < int(book.Sheets.size()); ++s) {
            const TSheet& sheet = book.Sheets[std::size_t(s)];
            const std::string where = "order " + std::to_string(number) + " " + sheet.Name.toStdString();
            EXPECT_NE(FindText(sheet, order.CompanyName), nullptr) << where;
            EXPECT_NE(FindText(sheet, order.CompanyTaxId), nullptr) << where;
            // Each amount title sits in the column of its amounts.
            if (firstItemRow.contains(s)) {
                const std::vector<TCell>& items = sheet.Rows[firstItemRow[s]];
                const QStringList titles { u"Quant."_s, u"Vlr.Unit."_s, u"Vlr.Total"_s, u"ICMS"_s };
                for (int i = 0; i < 4; ++i) {
                    const TCell* title = FindText(sheet, titles[i]);
                    ASSERT_NE(title, nullptr) << where << " " << titles[i].toStdString();
                    EXPECT_EQ(title->Column, items.at(std::size_t(4 + i)).Column)
                        << where << " " << titles[i].toStdString();
                }
            }
            for (const std::vector<TCell>& cells : sheet.Rows) {
                for (const TCell& cell : cells)
                    amountCells += cell.Kind == u"number" ? 1 : 0;
            }
        }
        // Four amounts an item, the order number on every sheet and the order's total.
        EXPECT_EQ(amountCells, int(4 * order.Items.size() + book.Sheets.size() + 1)) << "order " << number;

        // Every sheet prints scaled to one page wide: WSBOOL's fit flag, and SETUP's pages wide.
        const TXLSTestStream stream = ReadCompoundStream(ReadWholeFile(fileName));
        ASSERT_EQ(stream.Error, QString());
        QString error;
        const std::vector<TXLSTestRecord> records = WalkRecords(stream.Bytes, &error);
        ASSERT_EQ(error, QString());
        for (int s = 1; s <= int(book.Sheets.size()); ++s) {
            const std::vector<TXLSTestRecord> sheet = Substream(records, s);
            const auto wsBool = RecordsOfType(sheet, kWsBool);
            const auto setup = RecordsOfType(sheet, kSetup);
            ASSERT_EQ(wsBool.size(), 1u) << "order " << number << " sheet " << s;
            ASSERT_EQ(setup.size(), 1u) << "order " << number << " sheet " << s;
            EXPECT_NE(U16(wsBool[0].Data, 0) & kWsBoolFitToPage, 0) << "order " << number << " sheet " << s;
            EXPECT_EQ(U16(setup[0].Data, 6), 1) << "order " << number << " sheet " << s;
        }
    }
}

TEST_F(XLSOrderExport, LibreOfficeConvertsOrderOneToCsvHoldingTheItemRows)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        FAIL() << "libreoffice-calc-nogui is not installed (make test-deps installs it)";
    const TOrderData order = ReadOrder(1);
    const QString fileName = Export(1);
    ASSERT_FALSE(fileName.isEmpty());
    QProcess process;
    process.setProcessEnvironment(LibreOfficeEnvironment());
    process.start(soffice,
        LibreOfficeArguments(m_dir.filePath(u"profile"_s),
            { u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):59,34,76"_s, u"--outdir"_s,
                m_dir.filePath(u"csv"_s), fileName }));
    ASSERT_TRUE(process.waitForFinished(kRunTimeoutMs) && process.exitStatus() == QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile csv(m_dir.filePath(u"csv/ordem1.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << process.readAllStandardOutput().toStdString();
    // Semicolons separate the fields, so that the decimal commas need no quotes.
    std::vector<std::vector<TCell>> records;
    for (const QString& line : QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        std::vector<TCell> fields;
        for (QString field : line.trimmed().split(u';')) {
            if (field.startsWith(u'"') && field.endsWith(u'"') && field.size() >= 2)
                field = field.mid(1, field.size() - 2).replace(u"\"\""_s, u"\""_s);
            if (!field.isEmpty())
                fields.push_back({ int(fields.size()), {}, field, {}, 0, 0, 0, 0, {} });
        }
        records.push_back(std::move(fields));
    }
    std::size_t next = 0;
    for (const std::vector<TCell>& record : records) {
        if (next < order.Items.size() && !record.empty()
            && record.front().Value == order.Items[next].Product) {
            EXPECT_EQ(ItemRowMismatch(record, order.Items[next], TAmounts::EnglishShown), QString())
                << "item " << next + 1;
            ++next;
        }
    }
    EXPECT_EQ(next, order.Items.size()) << "item rows found in the CSV";
}

TEST_F(XLSOrderExport, FilesAreSoundCompoundDocumentsWhoseStreamPositionsHit)
{
    for (const int number : { 1, 3 }) {
        const QString fileName = Export(number);
        ASSERT_FALSE(fileName.isEmpty());
        const TXLSTestStream stream = ReadCompoundStream(ReadWholeFile(fileName));
        ASSERT_EQ(stream.Error, QString()) << "order " << number;
        QString error;
        const std::vector<TXLSTestRecord> records = WalkRecords(stream.Bytes, &error);
        ASSERT_EQ(error, QString()) << "order " << number;
        QMap<qint64, const TXLSTestRecord*> byOffset;
        for (const TXLSTestRecord& record : records)
            byOffset.insert(record.Offset, &record);
        const auto typeAt
            = [&](qint64 offset) { return byOffset.contains(offset) ? byOffset[offset]->Type : 0; };

        const auto boundSheets = RecordsOfType(Substream(records, 0), kBoundSheet);
        ASSERT_EQ(boundSheets.size(), number == 1 ? 1u : 2u) << "order " << number;
        for (std::size_t s = 0; s < boundSheets.size(); ++s) {
            EXPECT_EQ(typeAt(U32(boundSheets[s].Data, 0)), kBof) << "order " << number << " sheet " << s + 1;
            const std::vector<TXLSTestRecord> sheet = Substream(records, int(s) + 1);
            const auto index = RecordsOfType(sheet, kIndex);
            ASSERT_EQ(index.size(), 1u);
            const int blocks = int(index[0].Data.size() - kIndexFixedSize) / 4;
            EXPECT_GT(blocks, 0) << "order " << number << " sheet " << s + 1;
            EXPECT_EQ(blocks, int(RecordsOfType(sheet, kDbCell).size()));
            for (int b = 0; b < blocks; ++b) {
                const qint64 dbCell = U32(index[0].Data, kIndexFixedSize + 4 * b);
                ASSERT_EQ(typeAt(dbCell), kDbCell)
                    << "order " << number << " sheet " << s + 1 << " block " << b;
                const QByteArray& data = byOffset[dbCell]->Data;
                EXPECT_EQ(typeAt(dbCell - U32(data, 0)), kRow)
                    << "order " << number << " sheet " << s + 1 << " block " << b;
            }
        }
    }
}

TEST_F(XLSOrderExport, UnwritableTargetFailsWithItsNameAndLeavesNothing)
{
    QFile plain(m_dir.filePath(u"plain-file"_s));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString existingDirectory = m_dir.filePath(u"a-directory.xls"_s);
    ASSERT_TRUE(QDir().mkpath(existingDirectory));
    struct Case {
        QString target;
        const char* what;
    };
    const Case cases[] = {
        { m_dir.filePath(u"plain-file/ordem.xls"_s), "a folder that is a file" },
        { m_dir.filePath(u"missing/ordem.xls"_s), "a missing folder" },
        { existingDirectory, "a folder in place of the file" },
    };
    for (const Case& c : cases) {
        const TProgramRun run = Run({ u"1"_s, u"--xls"_s, c.target });
        ASSERT_TRUE(run.Finished) << c.what;
        EXPECT_EQ(run.ExitCode, 2) << c.what;
        EXPECT_TRUE(run.Err.contains(c.target)) << c.what << ": " << run.Err.toStdString();
        EXPECT_TRUE(QDir(TempPath()).isEmpty()) << c.what << ": temporary files left";
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(u"missing"_s)));
    EXPECT_TRUE(QDir(existingDirectory).isEmpty());

    const QString never = m_dir.filePath(u"ordem99.xls"_s);
    const TProgramRun missing = Run({ u"99"_s, u"--xls"_s, never });
    EXPECT_EQ(missing.ExitCode, 1) << missing.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(never));
}

/// The conventions of pt_BR for one test, as the program has them under LANG=pt_BR.UTF-8: the
/// data texts print with them and the value cells are read with them. Restored afterwards.
class TBrazilianLocale {
public:
    TBrazilianLocale()
        : m_savedSettings(FormatSettings())
    {
        const QLocale brazil = LocaleOfPosixName(u"pt_BR.UTF-8");
        QLocale::setDefault(brazil);
        SetFormatSettings(TFormatSettings::FromLocales(brazil, brazil));
    }
    ~TBrazilianLocale()
    {
        QLocale::setDefault(m_savedLocale);
        SetFormatSettings(m_savedSettings);
    }

private:
    QLocale m_savedLocale;
    TFormatSettings m_savedSettings;
};

TEST(XLSOrderValueCells, OrderOneNumbersBecomeNumberCellsWithFindValueCells)
{
    if (XlrdMissing())
        FAIL() << "python3-xlrd is not installed (make test-deps installs it)";
    const TBrazilianLocale brazil;
    const TOrderData order = ReadOrder(1);
    TForm1 form(nullptr);
    form.OpenTables();
    ASSERT_TRUE(form.LocateOrder(u"1"_s));
    form.RLReport1->ShowProgress = false;
    ASSERT_TRUE(form.RLReport1->Prepare());
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"ordem1.xls"_s);
    form.RLXLSFilter1->Options = foFindValueCells;
    form.RLXLSFilter1->SaveToFile(*form.RLReport1->Pages(), fileName);
    const TWorkbook book = ReadWithXlrd(fileName);
    ASSERT_EQ(book.Error, QString());
    ASSERT_EQ(book.Sheets.size(), 1u);
    const TSheet& sheet = book.Sheets[0];
    std::size_t next = 0;
    for (const std::vector<TCell>& cells : sheet.Rows) {
        if (next >= order.Items.size() || cells.size() != 8 || cells[0].Value != order.Items[next].Product)
            continue;
        const TOrderItem& item = order.Items[next++];
        EXPECT_EQ(cells[1].Kind, u"text"_s) << item.Product.toStdString();
        const double numbers[] = { item.Quantity, item.Price, item.Total, item.Rate };
        for (int i = 0; i < 4; ++i) {
            const TCell& cell = cells[std::size_t(4 + i)];
            ASSERT_EQ(cell.Kind, u"number"_s) << item.Product.toStdString() << " cell " << 4 + i;
            EXPECT_NEAR(cell.Value.toDouble(), numbers[i], i == 0 ? 0.0005 : 0.005)
                << item.Product.toStdString() << " cell " << 4 + i;
        }
    }
    EXPECT_EQ(next, order.Items.size());
    // Codes, dates and the tax number do not read as numbers and stay texts.
    const TCell* taxId = FindText(sheet, order.CompanyTaxId);
    ASSERT_NE(taxId, nullptr);
    EXPECT_EQ(taxId->Kind, u"text"_s);
}
