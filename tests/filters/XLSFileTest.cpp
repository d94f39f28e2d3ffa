#include "../common/TestHelpers.h"
#include "XLSTestPages.h"
#include "XLSTestReader.h"
#include "filters/RLXLSFilter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"
#include "support/FormatSettings.h"
#include "support/LocaleTexts.h"
#include "support/TempFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>
#include <random>

using enum TRLXLSFilterOption;

namespace {

constexpr quint16 kBof = 0x0809;
constexpr quint16 kIndex = 0x020B;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kRow = 0x0208;
constexpr quint16 kDbCell = 0x00D7;
constexpr quint16 kMulBlank = 0x00BE;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kMergeCells = 0x00E5;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kHeader = 0x0014;
constexpr quint16 kFooter = 0x0015;
constexpr quint16 kLeftMargin = 0x0026;
constexpr quint16 kTopMargin = 0x0028;
constexpr quint16 kWriteAccess = 0x005C;
constexpr quint16 kColInfo = 0x007D;
constexpr quint16 kExtSst = 0x00FF;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kWsBool = 0x0081;
constexpr quint16 kSetup = 0x00A1;
constexpr quint16 kWsBoolFitToPage = 0x0100;

struct TWritten {
    std::vector<TXLSTestRecord> Records;
    QString Error;
};

TWritten WriteAndWalk(TRLGraphicStorage& store, const QString& fileName, TRLXLSFilterOptions options = {},
    const TRLXLSPageSetup& setup = {})
{
    TRLXLSFilter filter(nullptr);
    filter.Options = options;
    filter.PageSetup = setup;
    filter.SaveToFile(store, fileName);
    TWritten written;
    // Every file the tests write must also open in xlrd, where it is installed.
    if (!PythonWithXlrd().isEmpty()) {
        XlrdDump(fileName, &written.Error);
        if (!written.Error.isEmpty())
            return written;
    }
    const TXLSTestStream stream = ReadCompoundStream(ReadWholeFile(fileName));
    written.Error = stream.Error;
    if (stream.Error.isEmpty())
        written.Records = WalkRecords(stream.Bytes, &written.Error);
    return written;
}

/// Number conventions of a test, restored afterwards.
class TBrazilianNumbers {
public:
    TBrazilianNumbers()
        : m_saved(FormatSettings())
    {
        TFormatSettings settings = m_saved;
        settings.DecimalSeparator = QStringLiteral(",");
        settings.ThousandSeparator = QStringLiteral(".");
        SetFormatSettings(settings);
    }
    ~TBrazilianNumbers() { SetFormatSettings(m_saved); }

private:
    TFormatSettings m_saved;
};

TXLSTestText Text(int left, int top, int right, int bottom, const QString& text)
{
    TXLSTestText t;
    t.Rect = TRect { left, top, right, bottom };
    t.Text = text;
    return t;
}

QStringList TempFilesNow()
{
    return QDir(TempDir()).entryList({ QStringLiteral("~qr*.tmp") }, QDir::Files);
}

// Other test programs run beside this one in the shared temporary directory; counting files
// there is only meaningful in a directory of the test's own.
class TPrivateTempDir {
public:
    TPrivateTempDir()
        : m_previous(TempDir())
    {
        SetTempDir(m_dir.path());
    }
    ~TPrivateTempDir() { SetTempDir(m_previous); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

/// The record at a stream position, or nullptr.
const TXLSTestRecord* RecordAt(const std::vector<TXLSTestRecord>& records, qint64 offset)
{
    for (const TXLSTestRecord& record : records) {
        if (record.Offset == offset)
            return &record;
    }
    return nullptr;
}

QString RecordList(const std::vector<TXLSTestRecord>& records)
{
    QString text;
    for (const TXLSTestRecord& record : records)
        text += QStringLiteral("%1 %2\n").arg(record.Type, 4, 16, QLatin1Char('0')).arg(record.Data.size());
    return text;
}

} // namespace

TEST(XLSFile, OrderStoreIsASoundCompoundDocumentWithWalkableRecords)
{
    const TXLSPortugueseTexts portuguese;
    QTemporaryDir dir;
    auto store = MakeOrderStore(3, 10);
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("order.xls")));
    ASSERT_EQ(written.Error, QString());
    EXPECT_EQ(RecordsOfType(written.Records, kBof).size(), 4u);
    const std::vector<TXLSTestRecord> globals = Substream(written.Records, 0);
    const auto boundSheets = RecordsOfType(globals, kBoundSheet);
    ASSERT_EQ(boundSheets.size(), 3u);
    const QStringList names { QStringLiteral("Página1"), QStringLiteral("Página2"),
        QStringLiteral("Página3") };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(CountedString(boundSheets[std::size_t(i)].Data, 6, 1), names[i]);
        const TXLSTestRecord* bof = RecordAt(written.Records, U32(boundSheets[std::size_t(i)].Data, 0));
        ASSERT_NE(bof, nullptr) << "sheet " << i;
        EXPECT_EQ(bof->Type, kBof);
        EXPECT_EQ(U16(bof->Data, 2), 0x0010) << "a worksheet substream";
    }
}

TEST(XLSFile, WriteAccessNamesTheLibraryInA112ByteCountedString)
{
    QTemporaryDir dir;
    auto store = MakeStore({ { Text(0, 0, 100, 18, QStringLiteral("x")) } });
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("w.xls")));
    ASSERT_EQ(written.Error, QString());
    const auto access = RecordsOfType(written.Records, kWriteAccess);
    ASSERT_EQ(access.size(), 1u);
    EXPECT_EQ(access[0].Data.size(), 112);
    EXPECT_EQ(CountedString(access[0].Data, 0, 2), QStringLiteral("QuirelReport"));
    EXPECT_EQ(access[0].Data.mid(27), QByteArray(85, ' '));
}

TEST(XLSFile, EmptyPageGivesAnEmptySheet)
{
    QTemporaryDir dir;
    auto store = MakeStore({ {} });
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("empty.xls")));
    ASSERT_EQ(written.Error, QString());
    const std::vector<TXLSTestRecord> sheet = Substream(written.Records, 1);
    const auto dimensions = RecordsOfType(sheet, kDimensions);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ(dimensions[0].Data, QByteArray(14, '\0'));
    EXPECT_TRUE(RecordsOfType(sheet, kRow).empty());
    EXPECT_TRUE(RecordsOfType(sheet, kDbCell).empty());
    EXPECT_TRUE(RecordsOfType(sheet, kColInfo).empty());
    const auto index = RecordsOfType(sheet, kIndex);
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index[0].Data, QByteArray(16, '\0')) << "no block positions";
    EXPECT_TRUE(RecordsOfType(written.Records, kSst).empty());
    EXPECT_TRUE(RecordsOfType(written.Records, kExtSst).empty());
}

TEST(XLSFile, IndexAndDbCellsPointAtTheRowBlocks)
{
    QTemporaryDir dir;
    // 2 + 48 rows: two blocks of 32 rows.
    auto store = MakeOrderStore(1, 48);
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("blocks.xls")));
    ASSERT_EQ(written.Error, QString());
    const std::vector<TXLSTestRecord> sheet = Substream(written.Records, 1);
    const auto index = RecordsOfType(sheet, kIndex);
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(U32(index[0].Data, 4), 0u);
    EXPECT_EQ(U32(index[0].Data, 8), 50u);
    ASSERT_EQ(index[0].Data.size(), 16 + 4 * 2);
    int rowsSeen = 0;
    for (int block = 0; block < 2; ++block) {
        const qint64 dbCellAt = U32(index[0].Data, 16 + 4 * block);
        const TXLSTestRecord* dbCell = RecordAt(written.Records, dbCellAt);
        ASSERT_NE(dbCell, nullptr) << "block " << block;
        ASSERT_EQ(dbCell->Type, kDbCell) << "block " << block;
        const TXLSTestRecord* firstRow = RecordAt(written.Records, dbCellAt - U32(dbCell->Data, 0));
        ASSERT_NE(firstRow, nullptr) << "block " << block;
        EXPECT_EQ(firstRow->Type, kRow) << "block " << block;
        EXPECT_EQ(U16(firstRow->Data, 0), 32 * block) << "block " << block;
        const int rows = block == 0 ? 32 : 18;
        ASSERT_EQ(dbCell->Data.size(), 4 + 2 * rows) << "one offset per row";
        // The first offset runs from the second ROW record, each further one from the previous
        // row's first cell; each lands on a cell record of its row.
        qint64 at = firstRow->Offset + 4 + 16;
        for (int r = 0; r < rows; ++r) {
            at += U16(dbCell->Data, 4 + 2 * r);
            const TXLSTestRecord* cell = RecordAt(written.Records, at);
            ASSERT_NE(cell, nullptr) << "block " << block << ", row " << r;
            EXPECT_TRUE(cell->Type == kLabelSst || cell->Type == kNumber || cell->Type == kMulBlank
                || cell->Type == kBlank)
                << "block " << block << ", row " << r;
            EXPECT_EQ(U16(cell->Data, 0), 32 * block + r);
            ++rowsSeen;
        }
    }
    EXPECT_EQ(rowsSeen, 50);
}

TEST(XLSFile, ThreeColumnTextIsAMergedRangeWithMulBlank)
{
    QTemporaryDir dir;
    auto store
        = MakeStore({ { Text(0, 0, 100, 18, QStringLiteral("a")), Text(100, 0, 200, 18, QStringLiteral("b")),
            Text(200, 0, 300, 18, QStringLiteral("c")), Text(0, 40, 300, 58, QStringLiteral("merged")) } });
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("merge.xls")));
    ASSERT_EQ(written.Error, QString());
    const std::vector<TXLSTestRecord> sheet = Substream(written.Records, 1);
    const auto labels = RecordsOfType(sheet, kLabelSst);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(U16(labels[3].Data, 0), 1);
    EXPECT_EQ(U16(labels[3].Data, 2), 0);
    EXPECT_EQ(U32(labels[3].Data, 6), 3u) << "the fourth string";
    const auto blanks = RecordsOfType(sheet, kMulBlank);
    ASSERT_EQ(blanks.size(), 1u);
    EXPECT_EQ(blanks[0].Data.size(), 10);
    EXPECT_EQ(U16(blanks[0].Data, 0), 1);
    EXPECT_EQ(U16(blanks[0].Data, 2), 1);
    EXPECT_EQ(U16(blanks[0].Data, 4), U16(labels[3].Data, 4)) << "same cell format as the value";
    EXPECT_EQ(U16(blanks[0].Data, 8), 2);
    const auto merges = RecordsOfType(sheet, kMergeCells);
    ASSERT_EQ(merges.size(), 1u);
    EXPECT_EQ(merges[0].Data.toHex(),
        QByteArray("0100010001000000"
                   "0200"));
    EXPECT_EQ(SharedStrings(written.Records),
        (QStringList {
            QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("merged") }));
}

TEST(XLSFile, ValueCellsFollowTheOptionUnderBrazilianNumbers)
{
    const TBrazilianNumbers brazil;
    struct Case {
        TRLXLSFilterOptions options;
        quint16 type;
        const char* what;
    };
    const Case cases[]
        = { { foFindValueCells, kNumber, "with foFindValueCells" }, { {}, kLabelSst, "without it" } };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        auto store = MakeStore({ { Text(0, 0, 100, 18, QStringLiteral("1.234,50")) } });
        const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("n.xls")), c.options);
        ASSERT_EQ(written.Error, QString()) << c.what;
        const std::vector<TXLSTestRecord> sheet = Substream(written.Records, 1);
        const auto numbers = RecordsOfType(sheet, kNumber);
        const auto labels = RecordsOfType(sheet, kLabelSst);
        EXPECT_EQ(numbers.size(), c.type == kNumber ? 1u : 0u) << c.what;
        EXPECT_EQ(labels.size(), c.type == kLabelSst ? 1u : 0u) << c.what;
        if (!numbers.empty()) {
            EXPECT_EQ(F64(numbers[0].Data, 6), 1234.5) << c.what;
        }
    }
}

TEST(XLSFile, PageSetupGoesToEverySheet)
{
    TRLXLSPageSetup setup;
    setup.LeftHeader = QStringLiteral("Korvane");
    setup.RightHeader = QStringLiteral("&P");
    QTemporaryDir dir;
    auto store = MakeStore({ { Text(0, 0, 100, 18, QStringLiteral("x")) }, {} });
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("setup.xls")), {}, setup);
    ASSERT_EQ(written.Error, QString());
    for (int sheetIndex = 1; sheetIndex <= 2; ++sheetIndex) {
        const std::vector<TXLSTestRecord> sheet = Substream(written.Records, sheetIndex);
        const auto header = RecordsOfType(sheet, kHeader);
        ASSERT_EQ(header.size(), 1u);
        EXPECT_EQ(CountedString(header[0].Data, 0, 2), QStringLiteral("&LKorvane&R&P"));
        EXPECT_TRUE(RecordsOfType(sheet, kFooter).empty());
        const auto left = RecordsOfType(sheet, kLeftMargin);
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(F64(left[0].Data, 0), 2.0 / 2.54);
        const auto top = RecordsOfType(sheet, kTopMargin);
        ASSERT_EQ(top.size(), 1u);
        EXPECT_EQ(F64(top[0].Data, 0), 2.5 / 2.54);
    }

    // Sheets print scaled to the pages wide and tall the setup asks for: WSBOOL's fit flag
    // makes SETUP's counts (bytes 6 and 8) count.
    struct Case {
        bool wide, tall;
        quint16 fitFlag, pagesWide, pagesTall;
    };
    const Case cases[] = {
        { true, true, kWsBoolFitToPage, 1, 1 },
        { true, false, kWsBoolFitToPage, 1, 0 },
        { false, false, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        TRLXLSPageSetup fit;
        fit.FitToPagesWide = c.wide;
        fit.FitToPagesTall = c.tall;
        const TWritten fitted = WriteAndWalk(**store, dir.filePath(QStringLiteral("fit.xls")), {}, fit);
        ASSERT_EQ(fitted.Error, QString());
        const std::vector<TXLSTestRecord> sheet = Substream(fitted.Records, 1);
        const auto wsBool = RecordsOfType(sheet, kWsBool);
        const auto pageSetup = RecordsOfType(sheet, kSetup);
        ASSERT_EQ(wsBool.size(), 1u);
        ASSERT_EQ(pageSetup.size(), 1u);
        EXPECT_EQ(U16(wsBool[0].Data, 0), 0x04C1 | c.fitFlag) << c.wide << c.tall;
        EXPECT_EQ(U16(pageSetup[0].Data, 6), c.pagesWide) << c.wide << c.tall;
        EXPECT_EQ(U16(pageSetup[0].Data, 8), c.pagesTall) << c.wide << c.tall;
    }
}

TEST(XLSFile, LongSharedStringTableContinuesAndExtSstPointsAtItsStrings)
{
    // An order page holds a title, 8 header texts and 8 texts per item row; the index has at most
    // 128 buckets of at least 8 strings.
    struct Case {
        int pages;
        int rows;
        int perBucket;
        const char* what;
    };
    const Case cases[] = {
        { 4, 40, 11, "1316 strings" },
        { 40, 40, 103, "13160 strings, more than one piece of string places" },
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        auto store = MakeOrderStore(c.pages, c.rows);
        const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("sst.xls")));
        ASSERT_EQ(written.Error, QString()) << c.what;
        const QStringList strings = SharedStrings(written.Records);
        ASSERT_EQ(strings.size(), c.pages * (1 + 8 + c.rows * 8)) << c.what;
        EXPECT_EQ(strings[0], QStringLiteral("ORDEM DE COMPRA Nº 1")) << c.what;
        EXPECT_EQ(strings[1 + 8 + 2], QStringLiteral("Parafuso sextavado M7 aço inox")) << c.what;
        const std::vector<TXLSTestRecord> globals = Substream(written.Records, 0);
        EXPECT_FALSE(RecordsOfType(globals, 0x003C).empty())
            << c.what << ": the table needs CONTINUE records";
        const auto extSst = RecordsOfType(globals, kExtSst);
        ASSERT_EQ(extSst.size(), 1u) << c.what;
        const int perBucket = U16(extSst[0].Data, 0);
        EXPECT_EQ(perBucket, c.perBucket) << c.what;
        const int buckets = (int(extSst[0].Data.size()) - 2) / 8;
        EXPECT_EQ(buckets, (strings.size() + perBucket - 1) / perBucket) << c.what;
        for (int b = 0; b < buckets; ++b) {
            const qint64 position = U32(extSst[0].Data, 2 + 8 * b);
            const int offset = U16(extSst[0].Data, 6 + 8 * b);
            const TXLSTestRecord* record = RecordAt(written.Records, position - offset);
            ASSERT_NE(record, nullptr) << c.what << ", bucket " << b;
            EXPECT_TRUE(record->Type == kSst || record->Type == 0x003C) << c.what << ", bucket " << b;
            // The string's count, flag and the characters its record holds.
            const QString expected = strings[b * perBucket];
            const int at = offset - 4;
            EXPECT_EQ(U16(record->Data, at), expected.size()) << c.what << ", bucket " << b;
            const int held = std::min<int>(int(expected.size()), (int(record->Data.size()) - at - 3) / 2);
            QString start;
            for (int i = 0; i < held; ++i)
                start += QChar(U16(record->Data, at + 3 + 2 * i));
            EXPECT_EQ(start, expected.left(held)) << c.what << ", bucket " << b;
        }
    }
}

TEST(XLSFile, RecordListOfAnOrderPage)
{
    const TXLSPortugueseTexts portuguese;
    QTemporaryDir dir;
    const TBrazilianNumbers brazil;
    auto store = MakeOrderStore(1, 3);
    const TWritten written
        = WriteAndWalk(**store, dir.filePath(QStringLiteral("golden.xls")), foFindValueCells);
    ASSERT_EQ(written.Error, QString());
    ExpectMatchesGolden(RecordList(written.Records), QStringLiteral("xls/order-page-records.txt"));
}

TEST(XLSFile, PagesBeyondTheGridLimitsStillGiveASoundFile)
{
    std::vector<TXLSTestText> texts;
    for (int i = 0; i < 1100; ++i)
        texts.push_back(Text(12 * i, 12 * i, 12 * i + 11, 12 * i + 11, QString::number(i)));
    for (int i = 0; i < 400; ++i)
        texts.push_back(
            Text(12 * i, 5000 + 20 * (i % 3), 12 * i + 30, 5018 + 20 * (i % 3), QStringLiteral("m")));
    QTemporaryDir dir;
    auto store = MakeStore({ texts });
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("big.xls")));
    ASSERT_EQ(written.Error, QString());
    const std::vector<TXLSTestRecord> sheet = Substream(written.Records, 1);
    for (const TXLSTestRecord& record : RecordsOfType(sheet, kLabelSst))
        EXPECT_LE(U16(record.Data, 2), 255);
    for (const TXLSTestRecord& record : RecordsOfType(sheet, kColInfo))
        EXPECT_LE(U16(record.Data, 2), 255);
    const auto dimensions = RecordsOfType(sheet, kDimensions);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ(U16(dimensions[0].Data, 10), 256);
}

TEST(XLSFile, FailuresAreNamedAndLeaveNoFileBehind)
{
    const TPrivateTempDir privateTemp;
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("kept.xls"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("previous");
    }
    struct Case {
        std::vector<TXLSTestText> texts;
        TRLXLSPageSetup setup;
        QString fileName;
        QString message;
        const char* what;
    };
    TRLXLSPageSetup longHeader;
    longHeader.CenterHeader = QString(300, QLatin1Char('h'));
    const Case cases[] = {
        { { Text(0, 0, 10, 10, QStringLiteral("x")) }, {},
            dir.filePath(QStringLiteral("missing/dir/out.xls")),
            QStringLiteral("Cannot create ") + dir.filePath(QStringLiteral("missing/dir/out.xls")),
            "no directory" },
        { { Text(0, 0, 10, 10, QStringLiteral("x")) }, longHeader, existing,
            QStringLiteral(
                "Spreadsheet: the page header has 302 characters, more than the 255 the format holds"),
            "a header longer than the format's" },
    };
    for (const Case& c : cases) {
        auto store = MakeStore({ c.texts });
        const QStringList tempBefore = TempFilesNow();
        const QStringList registeredBefore = RegisteredTempFiles();
        TRLXLSFilter filter(nullptr);
        filter.PageSetup = c.setup;
        const QString error = ErrorOf([&] { filter.SaveToFile(**store, c.fileName); });
        EXPECT_TRUE(error.startsWith(c.message)) << c.what << ": " << error.toStdString();
        EXPECT_EQ(ReadWholeFile(existing), QByteArray("previous")) << c.what;
        EXPECT_EQ(TempFilesNow(), tempBefore) << c.what;
        EXPECT_EQ(RegisteredTempFiles(), registeredBefore) << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("kept.xls") });
}

TEST(XLSFile, TextLongerThanACellIsCutWithAMarkAndTheRestIsWritten)
{
    const QString python = PythonWithXlrd();
    if (python.isEmpty())
        FAIL() << "python3-xlrd is not installed (make test-deps installs it)";
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("long.xls"));
    auto store = MakeStore({ { Text(0, 0, 100, 18, QString(40000, QLatin1Char('t'))),
        Text(0, 40, 100, 58, QStringLiteral("after")) } });
    TRLXLSFilter filter(nullptr);
    filter.SaveToFile(**store, fileName);
    QString error;
    const QString dump = XlrdDump(fileName, &error);
    ASSERT_EQ(error, QString());
    QStringList values;
    for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        if (fields.value(0) == u"cell" && fields.value(4) == u"text")
            values.append(fields.value(5));
    }
    EXPECT_EQ(
        values, (QStringList { QString(32766, QLatin1Char('t')) + QChar(0x2026), QStringLiteral("after") }));
}

TEST(XLSFile, SuccessfulRunLeavesNoTemporaryFile)
{
    const TPrivateTempDir privateTemp;
    QTemporaryDir dir;
    auto store = MakeOrderStore(2, 5);
    const QStringList tempBefore = TempFilesNow();
    TRLXLSFilter filter(nullptr);
    filter.SaveToFile(**store, dir.filePath(QStringLiteral("ok.xls")), 2);
    EXPECT_EQ(TempFilesNow(), tempBefore);
    QString error;
    const auto records = WalkRecords(
        ReadCompoundStream(ReadWholeFile(dir.filePath(QStringLiteral("ok.xls")))).Bytes, &error);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(RecordsOfType(records, kBoundSheet).size(), 1u) << "pages 2 to the last";
    EXPECT_EQ(filter.DisplayName(), LocaleText(59));
    EXPECT_EQ(LanguageText(TLanguage::Portuguese, 59), QStringLiteral("Planilha Excel"));
    EXPECT_EQ(filter.DefaultExt(), QStringLiteral(".xls"));
    EXPECT_EQ(filter.Workbook().WorksheetCount(), 1);
}

TEST(XLSFile, CancelledRunSavesACompleteFileOfThePagesDone)
{
    class TCancelAfterTwo : public TRLXLSFilter {
    public:
        using TRLXLSFilter::TRLXLSFilter;

    protected:
        void InternalDrawPage(TRLGraphicSurface& page) override
        {
            TRLXLSFilter::InternalDrawPage(page);
            if (Workbook().WorksheetCount() == 2)
                SetCanceled(true);
        }
    };
    const TPrivateTempDir privateTemp;
    QTemporaryDir dir;
    auto store = MakeOrderStore(5, 3);
    const QStringList tempBefore = TempFilesNow();
    TCancelAfterTwo filter(nullptr);
    filter.ShowProgress = false;
    filter.FileName = dir.filePath(QStringLiteral("cancel.xls"));
    filter.FilterPages(**store);
    EXPECT_EQ(TempFilesNow(), tempBefore);
    const TXLSTestStream stream = ReadCompoundStream(ReadWholeFile(filter.FileName));
    ASSERT_EQ(stream.Error, QString());
    QString error;
    const auto records = WalkRecords(stream.Bytes, &error);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(RecordsOfType(records, kBoundSheet).size(), 2u);
    EXPECT_EQ(RecordsOfType(records, kBof).size(), 3u);
}

TEST(XLSFile, BackgroundRunWritesTheSameFile)
{
    QTemporaryDir dir;
    auto store = MakeOrderStore(3, 4);
    TRLXLSFilter foreground(nullptr);
    foreground.SaveToFile(**store, dir.filePath(QStringLiteral("fore.xls")));
    TRLXLSFilter background(nullptr);
    background.ShowProgress = false;
    background.FileName = dir.filePath(QStringLiteral("back.xls"));
    background.FilterPages(**store, 1, -1, true);
    background.WaitForRun();
    EXPECT_EQ(background.LastRunError(), QString());
    EXPECT_EQ(ReadWholeFile(background.FileName), ReadWholeFile(dir.filePath(QStringLiteral("fore.xls"))));
}

TEST(XLSFile, FilterDestroyedDuringABackgroundRunWaitsForItAndSavesEveryPage)
{
    // The run goes on using the filter's own part, which must outlive it.
    const TPrivateTempDir privateTemp;
    QTemporaryDir dir;
    auto store = MakeOrderStore(40, 40);
    const QStringList tempBefore = TempFilesNow();
    const QString fileName = dir.filePath(QStringLiteral("destroyed.xls"));
    auto filter = std::make_unique<TRLXLSFilter>(nullptr);
    filter->ShowProgress = false;
    filter->FileName = fileName;
    filter->FilterPages(**store, 1, -1, true);
    ASSERT_TRUE(filter->Running());
    filter.reset();
    EXPECT_EQ(TempFilesNow(), tempBefore);
    const TXLSTestStream stream = ReadCompoundStream(ReadWholeFile(fileName));
    ASSERT_EQ(stream.Error, QString());
    QString error;
    const auto records = WalkRecords(stream.Bytes, &error);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(RecordsOfType(records, kBoundSheet).size(), 40u);
}

TEST(XLSFile, RandomAndExtremeRectanglesGiveSoundFiles)
{
    // Overlapping, inverted, negative and huge rectangles: the grid must still fit the format.
    std::mt19937 random(20261208);
    const auto coordinate = [&](int spread) { return int(random() % (2 * spread)) - spread / 4; };
    std::vector<std::vector<TXLSTestText>> pages;
    for (const int spread : { 800, 5000, 2000000000 }) {
        std::vector<TXLSTestText> texts;
        for (int i = 0; i < 600; ++i) {
            const int left = coordinate(spread / 2);
            const int top = coordinate(spread / 2);
            const int right = i % 7 == 0 ? left - 5 : left + int(random() % 400);
            const int bottom = i % 11 == 0 ? top : top + int(random() % 60);
            texts.push_back(Text(left, top, right, bottom, QString::number(i)));
        }
        texts.push_back(Text(INT_MIN, INT_MIN, INT_MAX, INT_MAX, QStringLiteral("everything")));
        texts.push_back(Text(INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, QStringLiteral("corner")));
        pages.push_back(texts);
    }
    QTemporaryDir dir;
    auto store = MakeStore(pages);
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("random.xls")));
    ASSERT_EQ(written.Error, QString());
    for (int sheetIndex = 1; sheetIndex <= 3; ++sheetIndex) {
        const std::vector<TXLSTestRecord> sheet = Substream(written.Records, sheetIndex);
        const auto dimensions = RecordsOfType(sheet, kDimensions);
        ASSERT_EQ(dimensions.size(), 1u) << "sheet " << sheetIndex;
        const quint32 rowLimit = U32(dimensions[0].Data, 4);
        const int columnLimit = U16(dimensions[0].Data, 10);
        EXPECT_LE(columnLimit, 256) << "sheet " << sheetIndex;
        for (const quint16 type : { kLabelSst, kNumber, kBlank, kMulBlank }) {
            for (const TXLSTestRecord& cell : RecordsOfType(sheet, type)) {
                EXPECT_LT(U16(cell.Data, 0), rowLimit) << "sheet " << sheetIndex;
                EXPECT_LT(U16(cell.Data, 2), columnLimit) << "sheet " << sheetIndex;
            }
        }
        for (const TXLSTestRecord& row : RecordsOfType(sheet, kRow))
            EXPECT_LE(U16(row.Data, 6), 8190) << "row height within 409.5 points";
    }
}

TEST(XLSFile, RunWithoutPagesGivesOneEmptySheet)
{
    const TXLSPortugueseTexts portuguese;
    QTemporaryDir dir;
    auto store = MakeStore({});
    const TWritten written = WriteAndWalk(**store, dir.filePath(QStringLiteral("none.xls")));
    ASSERT_EQ(written.Error, QString());
    const auto boundSheets = RecordsOfType(written.Records, kBoundSheet);
    ASSERT_EQ(boundSheets.size(), 1u);
    EXPECT_EQ(CountedString(boundSheets[0].Data, 6, 1), QStringLiteral("Página1"));
    const auto dimensions = RecordsOfType(Substream(written.Records, 1), kDimensions);
    ASSERT_EQ(dimensions.size(), 1u);
    EXPECT_EQ(dimensions[0].Data, QByteArray(14, '\0'));
}
