// The XLSX export of real orders of the sample database, end to end: the built program writes
// the file (`ordemcompra ORDER --xlsx FILE`), and readers that share no code with the writer
// (python3-openpyxl, LibreOffice) must find in it the grid the XLS export of the same order
// holds, as python3-xlrd and the tests' own record walker read that one.

#include "../filters/XLSTestReader.h"
#include "app/TelaPrincipal.h"
#include "db/Table.h"
#include "filters/RLXLSXFilter.h"
#include "pages/RLGraphicStorage.h"
#include "tests/app/ProgramRun.h"
#include "tests/app/SampleOrders.h"
#include "tests/common/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRunTimeoutMs = 300000;
constexpr const char* kEpoch = "1700000000";
constexpr quint16 kColInfo = 0x007D;
constexpr quint16 kRow = 0x0208;
constexpr double kTwipsPerPoint = 20.0;
constexpr double kWidthUnitsPerCharacter = 256.0;
/// Widths of the XLSX file are whole pixels of a 7-pixel digit.
constexpr double kWidthTolerance = 1.0 / 7.0;
/// The height of a row without one of its own in an XLSX file.
constexpr double kDefaultRowPoints = 15.0;

/// openpyxl's dump of an XLSX workbook (tests/filters/xlsx_dump.py), in xls_dump.py's lines.
QString OpenpyxlDump(const QString& fileName, QString* error)
{
    QProcess process;
    process.start(u"/usr/bin/python3"_s, { TestSourcePath(u"filters/xlsx_dump.py"_s), fileName });
    if (!process.waitForFinished(kRunTimeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        *error = u"openpyxl did not finish"_s;
        return {};
    }
    if (process.exitCode() != 0)
        *error = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

/// The lines of a dump of the given kinds, blank cells left out: a merged cell's other cells are
/// blanks in the XLS file and not cells at all for openpyxl.
QStringList Lines(const QString& dump, const QStringList& kinds)
{
    QStringList lines;
    for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (kinds.contains(fields[0]) && !(fields[0] == u"cell" && fields.value(4) == u"blank"))
            lines.append(line);
    }
    return lines;
}

/// The first line that differs, or empty.
QString FirstDifference(const QStringList& expected, const QStringList& actual)
{
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        if (expected.value(i) != actual.value(i))
            return u"line %1: XLS \"%2\", XLSX \"%3\""_s.arg(i + 1).arg(expected.value(i), actual.value(i));
    }
    return {};
}

/// Per sheet (1-based), column widths in characters and row heights in points, as a sheet's
/// COLINFO and ROW records of the XLS file give them.
struct TXLSSizes {
    QMap<int, QMap<int, double>> Widths;
    QMap<int, QMap<int, double>> Heights;
};

TXLSSizes XLSSizes(const QString& fileName, int sheets)
{
    TXLSSizes sizes;
    const TXLSTestStream stream = ReadCompoundStream(ReadWholeFile(fileName));
    EXPECT_EQ(stream.Error, QString());
    QString error;
    const std::vector<TXLSTestRecord> records = WalkRecords(stream.Bytes, &error);
    EXPECT_EQ(error, QString());
    for (int s = 1; s <= sheets; ++s) {
        const std::vector<TXLSTestRecord> sheet = Substream(records, s);
        for (const TXLSTestRecord& record : RecordsOfType(sheet, kColInfo))
            sizes.Widths[s][U16(record.Data, 0)] = U16(record.Data, 4) / kWidthUnitsPerCharacter;
        for (const TXLSTestRecord& record : RecordsOfType(sheet, kRow))
            sizes.Heights[s][U16(record.Data, 0)] = U16(record.Data, 6) / kTwipsPerPoint;
    }
    return sizes;
}

/// The fields of every line of one kind.
std::vector<QStringList> Fields(const QString& dump, const QString& kind)
{
    std::vector<QStringList> found;
    for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
        QStringList fields = line.split(u'\t');
        if (fields[0] == kind)
            found.push_back(std::move(fields));
    }
    return found;
}

class XLSXOrderExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(TempPath()));
        ASSERT_TRUE(QDir().mkpath(RuntimePath()));
        QFile::setPermissions(RuntimePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    TProgramRun Run(const QStringList& arguments, int maxOpenFiles = 0) const
    {
        return RunOrdemCompra(arguments, { TempPath(), {}, {}, maxOpenFiles },
            { u"SOURCE_DATE_EPOCH="_s + QString::fromLatin1(kEpoch), u"XDG_RUNTIME_DIR="_s + RuntimePath() });
    }

    QString TempPath() const { return m_dir.filePath(u"tmp"_s); }
    QString RuntimePath() const { return m_dir.filePath(u"runtime"_s); }

    /// The order as XLS and XLSX, written by one run of the program, with at most `maxOpenFiles`
    /// open files when not 0; false when the run failed.
    bool ExportBoth(int order, QString* xls, QString* xlsx, int maxOpenFiles = 0)
    {
        *xls = m_dir.filePath(u"ordem%1.xls"_s.arg(order));
        *xlsx = m_dir.filePath(u"ordem%1x.xlsx"_s.arg(order));
        const TProgramRun run
            = Run({ QString::number(order), u"--xls"_s, *xls, u"--xlsx"_s, *xlsx }, maxOpenFiles);
        EXPECT_EQ(run.ExitCode, 0) << "order " << order << ": " << run.Err.toStdString();
        EXPECT_EQ(run.Err, QString()) << "order " << order;
        EXPECT_TRUE(QDir(TempPath()).isEmpty()) << "temporary files left by order " << order;
        return run.Finished && run.ExitCode == 0;
    }

    QTemporaryDir m_dir;
};

} // namespace

// Every text with its font, weight, alignment and number format, numbers as numbers, every
// merge, sheet names, column widths and row heights: as in the XLS export of the same order.
TEST_F(XLSXOrderExport, HoldsTheGridOfTheXLSExport)
{
    // Order 1 of one page, order 3 of two, order 7 of ten thousand items on over two hundred:
    // more sheets than the 64 files its run may open.
    constexpr int kFewFiles = 64;
    for (const auto& [order, maxOpenFiles] :
        { std::pair { 1, 0 }, std::pair { 3, 0 }, std::pair { 7, kFewFiles } }) {
        QString xls;
        QString xlsx;
        ASSERT_TRUE(ExportBoth(order, &xls, &xlsx, maxOpenFiles));
        QString error;
        const QString expected = XlrdDump(xls, &error);
        ASSERT_EQ(error, QString()) << "order " << order;
        const QString actual = OpenpyxlDump(xlsx, &error);
        ASSERT_EQ(error, QString()) << "order " << order;

        const QStringList kinds { u"user"_s, u"sheet"_s, u"merged"_s, u"cell"_s };
        const QStringList expectedLines = Lines(expected, kinds);
        const QStringList actualLines = Lines(actual, kinds);
        EXPECT_EQ(FirstDifference(expectedLines, actualLines), QString()) << "order " << order;
        EXPECT_EQ(actualLines.size(), expectedLines.size()) << "order " << order;
        const qsizetype numbers = actual.count(u"\tnumber\t"_s);
        const qsizetype merges = actual.count(u"\nmerged\t"_s);
        EXPECT_GT(numbers, 4) << "order " << order << ": amounts are number cells";
        EXPECT_GT(merges, 3) << "order " << order;

        QStringList sheetNames;
        for (const QStringList& sheet : Fields(actual, u"sheet"_s))
            sheetNames.append(sheet.value(1));
        const TXLSSizes sizes = XLSSizes(xls, int(sheetNames.size()));
        QMap<int, QMap<int, double>> widths;
        for (const QStringList& column : Fields(actual, u"column"_s))
            widths[int(sheetNames.indexOf(column.value(1))) + 1][column.value(2).toInt()]
                = column.value(3).toDouble();
        ASSERT_EQ(widths.keys(), sizes.Widths.keys()) << "order " << order << ": sheets with column widths";
        for (auto sheet = sizes.Widths.cbegin(); sheet != sizes.Widths.cend(); ++sheet) {
            ASSERT_EQ(widths[sheet.key()].keys(), sheet.value().keys())
                << "order " << order << " sheet " << sheet.key();
            for (auto column = sheet.value().cbegin(); column != sheet.value().cend(); ++column)
                EXPECT_NEAR(widths[sheet.key()][column.key()], column.value(), kWidthTolerance)
                    << "order " << order << " sheet " << sheet.key() << " column " << column.key();
        }
        QMap<int, QMap<int, double>> heights;
        for (const QStringList& row : Fields(actual, u"row"_s))
            heights[int(sheetNames.indexOf(row.value(1))) + 1][row.value(2).toInt()]
                = row.value(3).toDouble();
        for (auto sheet = sizes.Heights.cbegin(); sheet != sizes.Heights.cend(); ++sheet) {
            // A row of the format's default height is written without one.
            QMap<int, double> expectedHeights = sheet.value();
            expectedHeights.removeIf([](const auto& row) { return row.value() == kDefaultRowPoints; });
            ASSERT_EQ(heights.value(sheet.key()), expectedHeights)
                << "order " << order << " sheet " << sheet.key();
        }
    }
}

// LibreOffice opens the XLSX file and shows the texts it shows for the XLS file.
TEST_F(XLSXOrderExport, LibreOfficeShowsTheTextsOfTheXLSExport)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        FAIL() << "libreoffice-calc-nogui is not installed (make test-deps installs it)";
    QStringList inputs;
    for (const int order : { 1, 3 }) {
        QString xls;
        QString xlsx;
        ASSERT_TRUE(ExportBoth(order, &xls, &xlsx));
        inputs << xls << xlsx;
    }
    // One start of LibreOffice converts every file; the first sheet of each becomes a CSV.
    const QString outDir = m_dir.filePath(u"csv"_s);
    QProcess process;
    process.setProcessEnvironment(LibreOfficeEnvironment());
    process.start(soffice,
        LibreOfficeArguments(m_dir.filePath(u"profile"_s),
            QStringList {
                u"--convert-to"_s, u"csv:Text - txt - csv (StarCalc):59,34,76"_s, u"--outdir"_s, outDir }
                + inputs));
    ASSERT_TRUE(process.waitForFinished(kRunTimeoutMs) && process.exitStatus() == QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QStringList csvs;
    for (const QString& input : inputs) {
        QFile csv(outDir + u'/' + QFileInfo(input).completeBaseName() + u".csv"_s);
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly))
            << input.toStdString() << ": " << process.readAllStandardOutput().toStdString();
        csvs.append(QString::fromUtf8(csv.readAll()));
    }
    for (qsizetype i = 0; i < csvs.size(); i += 2) {
        EXPECT_GT(csvs[i].size(), 500) << inputs[i].toStdString();
        EXPECT_EQ(FirstDifference(csvs[i].split(u'\n'), csvs[i + 1].split(u'\n')), QString())
            << inputs[i + 1].toStdString();
    }
}

// With OneSheet the whole report is one sheet: the letterhead and the column titles once, the
// items one row after another across the page breaks, every title over its amounts.
TEST_F(XLSXOrderExport, OneSheetHoldsTheHeaderOnceAndEveryItemInTurn)
{
    TScopedLocale locale(u"pt_BR.UTF-8"_s, kEpoch);
    for (const int order : { 3, 7 }) {
        TPreparedOrder prepared(QString::number(order));
        ASSERT_GE(prepared.PageCount(), 2) << "order " << order;
        const QString fileName = m_dir.filePath(u"one%1.xlsx"_s.arg(order));
        TRLXLSXFilter& filter = *prepared.Form().RLXLSXFilter1;
        filter.OneSheet = true;
        filter.SaveToFile(prepared.Pages(), fileName);
        QString error;
        const QString dump = OpenpyxlDump(fileName, &error);
        ASSERT_EQ(error, QString()) << "order " << order;
        const std::vector<QStringList> sheets = Fields(dump, u"sheet"_s);
        ASSERT_EQ(sheets.size(), 1u) << "order " << order;
        EXPECT_EQ(sheets[0].value(1), u"Ordem Compra %1"_s.arg(order)) << "named after the report's title";

        const std::vector<QStringList> cells = Fields(dump, u"cell"_s);
        const auto count = [&](const QString& text) {
            return std::count_if(
                cells.begin(), cells.end(), [&](const QStringList& c) { return c.value(5) == text; });
        };
        for (const QString& once : { u"Vlr.Unit."_s, u"Produto"_s, u"Total  R$:"_s })
            EXPECT_EQ(count(once), 1) << "order " << order << " " << once.toStdString();

        // Item rows: the rows holding a number cell in the column of the "Vlr.Unit." title.
        int priceColumn = -1;
        int titleRow = -1;
        for (const QStringList& cell : cells) {
            if (cell.value(5) == u"Vlr.Unit.") {
                titleRow = cell.value(2).toInt();
                priceColumn = cell.value(3).toInt();
            }
        }
        std::vector<int> itemRows;
        for (const QStringList& cell : cells) {
            if (cell.value(3).toInt() == priceColumn && cell.value(4) == u"number"
                && cell.value(2).toInt() > titleRow)
                itemRows.push_back(cell.value(2).toInt());
        }
        ASSERT_FALSE(itemRows.empty()) << "order " << order;
        EXPECT_EQ(itemRows.front(), titleRow + 1) << "order " << order;
        for (std::size_t i = 1; i < itemRows.size(); ++i)
            ASSERT_EQ(itemRows[i], itemRows[i - 1] + 1) << "order " << order << " item " << i + 1;
        std::size_t items = 0;
        TDataSet& itens = *prepared.Form().Tables.Itens;
        for (itens.First(); !itens.Eof(); itens.Next())
            ++items;
        EXPECT_EQ(itemRows.size(), items) << "order " << order;
        // Four amounts an item, the order number and the total.
        EXPECT_EQ(std::size_t(dump.count(u"\tnumber\t"_s)), 4 * items + 2) << "order " << order;
    }
}

// "-" is standard output, the file as the program writes it anywhere else; the clock of
// SOURCE_DATE_EPOCH makes the two runs' files the same bytes. A missing folder is named.
TEST_F(XLSXOrderExport, GoesToStandardOutputAndNamesAMissingFolder)
{
    const QString fileName = m_dir.filePath(u"ordem1.xlsx"_s);
    const TProgramRun toFile = Run({ u"1"_s, u"--xlsx"_s, fileName });
    ASSERT_EQ(toFile.ExitCode, 0) << toFile.Err.toStdString();
    const TProgramRun toOut = Run({ u"1"_s, u"--xlsx"_s, u"-"_s });
    ASSERT_EQ(toOut.ExitCode, 0) << toOut.Err.toStdString();
    EXPECT_TRUE(toOut.OutBytes.startsWith("PK\x03\x04"));
    EXPECT_EQ(toOut.OutBytes, ReadWholeFile(fileName));
    EXPECT_TRUE(QDir(TempPath()).isEmpty());

    const QString missing = m_dir.filePath(u"nowhere/ordem1.xlsx"_s);
    const TProgramRun failed = Run({ u"1"_s, u"--xlsx"_s, missing });
    EXPECT_EQ(failed.ExitCode, 2);
    EXPECT_TRUE(failed.Err.contains(u"nowhere"_s) && failed.Err.contains(u"não existe"_s))
        << failed.Err.toStdString();
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(QDir(TempPath()).isEmpty()) << "temporary files left by a failed save";
}
