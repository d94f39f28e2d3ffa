#include "filters/RLXLSWorkbook.h"
#include "filters/RLXLSXFilter.h"
#include "filters/RLXLSXPackageCheck.h"
#include "filters/RLXLSXSheetSpill.h"
#include "filters/RLXLSXWriter.h"
#include "filters/RLXLSXWriterThread.h"
#include "support/TempFiles.h"
#include "tests/common/TestHelpers.h"
#include "tests/filters/XLSTestPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIREL_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUIREL_TEST_ASAN 1
#endif

#ifdef QUIREL_TEST_ASAN
#include <cstddef>
// The sanitizers' runtime has it, but GCC installs no header declaring it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

using namespace Qt::StringLiterals;

namespace {

/// Bytes of the heap in use, blocks the allocator maps on their own included; the sanitizer's
/// count where it replaces the allocator.
qint64 HeapInUse()
{
#ifdef QUIREL_TEST_ASAN
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

/// A page's worth of grid: texts, numbers and merged titles on every row.
void FillPageGrid(TRLXLSWorksheet& sheet, int rows)
{
    constexpr int kColumns = 12;
    for (int column = 0; column < kColumns; ++column)
        sheet.FindCol(column, true)->Width = 1024 + 64 * column;
    for (int row = 0; row < rows; ++row) {
        sheet.FindRow(row, true)->Height = 14;
        sheet.SetValue(*sheet.FindRange(0, row, 2, row, true), QStringLiteral("Item %1").arg(row));
        sheet.SetValue(*sheet.FindRange(3, row, 3, row, true), QString::number(row * 3));
        sheet.SetValue(*sheet.FindRange(4, row, 8, row, true), QStringLiteral("Descrição do item"));
        sheet.SetValue(*sheet.FindRange(9, row, 11, row, true), QStringLiteral("1.234,%1").arg(row % 100));
    }
}

class TPrivateTempDir {
public:
    TPrivateTempDir()
        : m_previous(TempDir())
    {
        SetTempDir(m_dir.path());
    }
    ~TPrivateTempDir() { SetTempDir(m_previous); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace

// The library holds every sheet until the workbook closes; what it keeps of a sheet already
// written must stay far under its 128 KB row buffer, or a report of thousands of pages grows
// by hundreds of megabytes.
TEST(XLSXWorkbookWriter, AWrittenSheetKeepsLittleMemoryUntilTheWorkbookCloses)
{
    constexpr int kWarmSheets = 8;
    constexpr int kMeasuredSheets = 64;
    constexpr qint64 kMaxBytesPerSheet = 32 * 1024;
    const TPrivateTempDir dir;
    TRLXLSWorkbook workbook;
    workbook.FindValueCells = true;
    TRLXLSWorksheet& grid = workbook.AddWorksheet();
    FillPageGrid(grid, 50);
    const QString output = dir.FilePath(QStringLiteral("sheets.xlsx"));
    TRLXLSXWorkbookWriter writer(output, workbook.PageSetup);
    qint64 before = 0;
    for (int i = 0; i < kWarmSheets + kMeasuredSheets; ++i) {
        if (i == kWarmSheets)
            before = HeapInUse();
        writer.AddSheet(QStringLiteral("Folha%1").arg(i + 1));
        writer.SetColumns(grid.Cols());
        writer.WriteRows(grid, 0);
    }
    const qint64 perSheet = (HeapInUse() - before) / kMeasuredSheets;
    EXPECT_LT(perSheet, kMaxBytesPerSheet) << "bytes kept per written sheet";
    writer.Save();
    EXPECT_GT(QFileInfo(output).size(), 0);
}

// A sheet the library refuses stops the writer's thread: the sheets queued after it are never
// started, and the error reaches the exporting thread instead of a workbook short of sheets.
TEST(XLSXWriterThread, TheFirstRefusedJobStopsTheRestAndItsErrorReachesTheCaller)
{
    const TPrivateTempDir dir;
    const QString output = dir.FilePath(QStringLiteral("refused.xlsx"));
    TRLXLSXWorkbookWriter writer(output, TRLXLSPageSetup());
    TRLXLSXWriterThread thread(writer);
    std::vector<QString> started;
    const auto addSheet = [&started](const QString& title) {
        return [&started, title](TRLXLSXWorkbookWriter& writer) {
            started.push_back(title);
            writer.AddSheet(title);
        };
    };
    thread.Queue(addSheet(QStringLiteral("Itens")));
    thread.Queue(addSheet(QStringLiteral("Itens [2]")));
    const QString queueError = ErrorOf([&] {
        for (int i = 0; i < 16; ++i)
            thread.Queue(addSheet(QStringLiteral("Depois %1").arg(i)));
    });
    const QString finishError = ErrorOf([&] { thread.Finish(); });
    EXPECT_TRUE(finishError.contains(u"\"Itens [2]\"")) << finishError.toStdString();
    EXPECT_EQ(queueError, finishError);
    EXPECT_EQ(started, (std::vector<QString> { QStringLiteral("Itens"), QStringLiteral("Itens [2]") }));
    EXPECT_EQ(writer.SheetCount(), 1);
    EXPECT_FALSE(QFileInfo::exists(output));
}

// The sheets' rows share one temporary file: each stream reads back its own bytes in order,
// whatever was written between its pieces, also after giving up its buffer; a write the disk
// refuses is kept, so that the workbook is not saved without it.
TEST(XLSXSheetSpill, EachStreamReadsBackItsOwnBytesAndARefusedWriteIsKept)
{
    const TPrivateTempDir dir;
    const QStringList tempBefore = QDir(TempDir()).entryList(QDir::Files | QDir::Hidden);
    const auto readAll = [](FILE* stream) {
        std::string bytes;
        rewind(stream);
        char buffer[1000];
        for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, stream)) > 0;)
            bytes.append(buffer, got);
        return bytes;
    };
    std::string first;
    std::string second;
    {
        TRLXLSXSheetSpill spill;
        FILE* a = spill.Open();
        FILE* b = spill.Open();
        ASSERT_TRUE(a && b);
        for (int i = 0; i < 3000; ++i) {
            const std::string rowA = "<row r=\"" + std::to_string(i) + "\"/>";
            const std::string rowB = std::string(std::size_t(i % 50), 'x');
            first += rowA;
            second += rowB;
            fputs(rowA.c_str(), a);
            fputs(rowB.c_str(), b);
            if (i % 700 == 0) {
                fflush(a);
                fflush(b);
            }
        }
        a = spill.Rebuffer(a);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(readAll(a), first);
        EXPECT_EQ(readAll(b), second);
        fclose(a);
        EXPECT_FALSE(spill.Failed());
        // b is left open: the spill closes it.
    }
    {
        constexpr rlim_t kLimit = 64 * 1024;
        TRLXLSXSheetSpill spill;
        FILE* stream = spill.Open();
        ASSERT_NE(stream, nullptr);
        {
            const TFileSizeLimit limit(kLimit);
            const std::string row(1000, 'r');
            for (int i = 0; i < 100; ++i)
                fputs(row.c_str(), stream);
            fflush(stream);
        }
        EXPECT_TRUE(spill.Failed());
        EXPECT_LE(readAll(stream).size(), std::size_t(kLimit));
    }
    EXPECT_EQ(QDir(TempDir()).entryList(QDir::Files | QDir::Hidden), tempBefore);
}

// A cancelled run is still closed: the workbook holds the pages done, whole, and no temporary
// file stays behind, a sheet per page or one sheet for them.
TEST(XLSXFile, CancelledRunSavesACompleteFileOfThePagesDone)
{
    class TCancelAfterTwo : public TRLXLSXFilter {
    public:
        using TRLXLSXFilter::TRLXLSXFilter;

    protected:
        void InternalDrawPage(TRLGraphicSurface& page) override
        {
            TRLXLSXFilter::InternalDrawPage(page);
            if (++m_drawn == 2)
                SetCanceled(true);
        }

    private:
        int m_drawn = 0;
    };
    for (const bool oneSheet : { false, true }) {
        const TPrivateTempDir dir;
        const QString output = dir.FilePath(QStringLiteral("cancel.xlsx"));
        auto store = MakeOrderStore(5, 30);
        const QStringList tempBefore = QDir(TempDir()).entryList(QDir::Files | QDir::Hidden);
        TCancelAfterTwo filter(nullptr);
        filter.ShowProgress = false;
        filter.OneSheet = oneSheet;
        filter.FileName = output;
        filter.FilterPages(**store);
        EXPECT_TRUE(filter.Canceled());
        QFile file(output);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "one sheet " << oneSheet;
        EXPECT_TRUE(XLSXPackageWhole(file)) << "one sheet " << oneSheet;
        ASSERT_TRUE(file.seek(0));
        // Part names are stored as they are, in the local headers and the central directory.
        const QByteArray bytes = file.readAll();
        const qsizetype sheets = bytes.count("xl/worksheets/sheet") / 2;
        EXPECT_EQ(sheets, oneSheet ? 1 : 2) << "one sheet " << oneSheet;
        file.close();
        ASSERT_TRUE(QFile::remove(output));
        EXPECT_EQ(QDir(TempDir()).entryList(QDir::Files | QDir::Hidden), tempBefore)
            << "one sheet " << oneSheet;
    }
}
