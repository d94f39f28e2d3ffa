#include "filters/RLXLSSheetWriter.h"

#include "filters/RLXLSErrors.h"
#include "filters/RLXLSPageSetup.h"
#include "filters/RLXLSRecordWriter.h"
#include "filters/RLXLSSaveTables.h"
#include "filters/RLXLSSharedStrings.h"
#include "filters/RLXLSWorksheet.h"

#include <algorithm>
#include <limits>

namespace {

// Record types of a sheet.
constexpr quint16 kRecordBof = 0x0809;
constexpr quint16 kRecordIndex = 0x020B;
constexpr quint16 kRecordCalcMode = 0x000D;
constexpr quint16 kRecordCalcCount = 0x000C;
constexpr quint16 kRecordRefMode = 0x000F;
constexpr quint16 kRecordIteration = 0x0011;
constexpr quint16 kRecordSaveRecalc = 0x005F;
constexpr quint16 kRecordPrintHeaders = 0x002A;
constexpr quint16 kRecordPrintGridLines = 0x002B;
constexpr quint16 kRecordGridSet = 0x0082;
constexpr quint16 kRecordGuts = 0x0080;
constexpr quint16 kRecordDefaultRowHeight = 0x0225;
constexpr quint16 kRecordWsBool = 0x0081;
constexpr quint16 kRecordHeader = 0x0014;
constexpr quint16 kRecordFooter = 0x0015;
constexpr quint16 kRecordHCenter = 0x0083;
constexpr quint16 kRecordVCenter = 0x0084;
constexpr quint16 kRecordLeftMargin = 0x0026;
constexpr quint16 kRecordRightMargin = 0x0027;
constexpr quint16 kRecordTopMargin = 0x0028;
constexpr quint16 kRecordBottomMargin = 0x0029;
constexpr quint16 kRecordSetup = 0x00A1;
constexpr quint16 kRecordDefColWidth = 0x0055;
constexpr quint16 kRecordColInfo = 0x007D;
constexpr quint16 kRecordDimensions = 0x0200;
constexpr quint16 kRecordRow = 0x0208;
constexpr quint16 kRecordNumber = 0x0203;
constexpr quint16 kRecordLabelSst = 0x00FD;
constexpr quint16 kRecordMulBlank = 0x00BE;
constexpr quint16 kRecordBlank = 0x0201;
constexpr quint16 kRecordDbCell = 0x00D7;
constexpr quint16 kRecordWindow2 = 0x023E;
constexpr quint16 kRecordSelection = 0x001D;
constexpr quint16 kRecordMergeCells = 0x00E5;
constexpr quint16 kRecordEof = 0x000A;

constexpr quint16 kBiffVersion = 0x0600;
constexpr quint16 kSubstreamWorksheet = 0x0010;
constexpr quint16 kBuild = 3515;
constexpr quint16 kBuildYear = 1996;
/// 0.001, the largest change of an iteration.
const QByteArray kDeltaRecord = QByteArray::fromHex("10 00 08 00 fc a9 f1 d2 4d 62 50 3f");
constexpr quint16 kCalcCount = 100;
constexpr quint16 kDefaultRowHeight = 255;
constexpr quint16 kWsBool = 0x04C1;
/// WSBOOL: print scaled to the SETUP record's pages wide and tall, not at its zoom.
constexpr quint16 kWsBoolFitToPage = 0x0100;
constexpr quint16 kDefColWidth = 8;
constexpr double kCentimetresPerInch = 2.54;
constexpr int kMaxHeaderLength = 255;

// SETUP option bits.
constexpr quint16 kSetupOrderAcross = 0x01;
constexpr quint16 kSetupPortrait = 0x02;
constexpr quint16 kSetupBlackAndWhite = 0x08;
constexpr quint16 kSetupDraft = 0x10;
constexpr quint16 kSetupNotes = 0x20;
constexpr quint16 kSetupUseStartPage = 0x80;

constexpr int kRowsPerBlock = 32;
constexpr quint16 kRowCustomHeight = 0x0040;
constexpr qint64 kTwipsPerDot = 20;
/// 409.5 points, the tallest row the format allows.
constexpr qint64 kMaxRowTwips = 8190;
/// 255 characters, the widest column.
constexpr qint64 kMaxColumnWidth = 255 * 256;

constexpr quint16 kWindow2Options = 0x04B6;
constexpr quint16 kWindow2Selected = 0x0200;
constexpr quint32 kGridColor = 64;
constexpr quint8 kPaneTopLeft = 3;
/// Entries of one MERGECELLS record; more go to further MERGECELLS records.
constexpr int kMergesPerRecord = (TRLXLSRecordWriter::kMaxRecordData - 2) / 8;
constexpr int kIndexFixedSize = 16;

struct TCell {
    const TRLXLSRange* Range = nullptr;
    quint16 Format = 0;
    /// -1: no string (a number, or an empty text written as a blank).
    qint64 String = -1;
};

quint16 Clamp16(qint64 value)
{
    return quint16(std::clamp<qint64>(value, 0, std::numeric_limits<quint16>::max()));
}

void WriteWord(TRLXLSRecordWriter& out, quint16 type, quint16 value)
{
    out.Begin(type);
    out.WriteUInt16(value);
    out.End();
}

void WriteDoubleRecord(TRLXLSRecordWriter& out, quint16 type, double value)
{
    out.Begin(type);
    out.WriteDouble(value);
    out.End();
}

void WriteBof(TRLXLSRecordWriter& out)
{
    out.Begin(kRecordBof);
    out.WriteUInt16(kBiffVersion);
    out.WriteUInt16(kSubstreamWorksheet);
    out.WriteUInt16(kBuild);
    out.WriteUInt16(kBuildYear);
    out.WriteUInt32(0);
    out.WriteUInt32(0);
    out.End();
}

void WriteHeaderText(TRLXLSRecordWriter& out, quint16 type, const QString& text, const QString& which)
{
    if (text.isEmpty())
        return;
    if (text.size() > kMaxHeaderLength)
        RaiseXLSHeaderTooLong(which, text.size());
    out.Begin(type);
    out.WriteString16(text);
    out.End();
}

void WritePageSettings(TRLXLSRecordWriter& out, const TRLXLSPageSetup& setup)
{
    WriteWord(out, kRecordPrintHeaders, setup.PrintHeadings());
    WriteWord(out, kRecordPrintGridLines, setup.PrintGridLines);
    WriteWord(out, kRecordGridSet, 1);
    out.Begin(kRecordGuts);
    out.WriteBytes(QByteArray(8, '\0'));
    out.End();
    out.Begin(kRecordDefaultRowHeight);
    out.WriteUInt16(0);
    out.WriteUInt16(kDefaultRowHeight);
    out.End();
    // Without the flag the SETUP record's fit counts are ignored and a sheet wider than the paper
    // prints on several sheets of paper across.
    const bool fit = setup.FitToPagesWide || setup.FitToPagesTall;
    WriteWord(out, kRecordWsBool, fit ? kWsBool | kWsBoolFitToPage : kWsBool);
    WriteHeaderText(out, kRecordHeader, setup.HeaderText(), QStringLiteral("header"));
    WriteHeaderText(out, kRecordFooter, setup.FooterText(), QStringLiteral("footer"));
    WriteWord(out, kRecordHCenter, setup.CenterHorizontally);
    WriteWord(out, kRecordVCenter, setup.CenterVertically);
    WriteDoubleRecord(out, kRecordLeftMargin, setup.LeftMargin / kCentimetresPerInch);
    WriteDoubleRecord(out, kRecordRightMargin, setup.RightMargin / kCentimetresPerInch);
    WriteDoubleRecord(out, kRecordTopMargin, setup.TopMargin / kCentimetresPerInch);
    WriteDoubleRecord(out, kRecordBottomMargin, setup.BottomMargin / kCentimetresPerInch);

    quint16 options = 0;
    if (setup.OrderAcross())
        options |= kSetupOrderAcross;
    if (!setup.Landscape())
        options |= kSetupPortrait;
    if (setup.BlackAndWhite)
        options |= kSetupBlackAndWhite;
    if (setup.Draft)
        options |= kSetupDraft;
    if (setup.PrintNotes)
        options |= kSetupNotes;
    if (setup.FirstPageNumber != 1)
        options |= kSetupUseStartPage;
    out.Begin(kRecordSetup);
    out.WriteUInt16(quint16(setup.PaperSize()));
    out.WriteUInt16(Clamp16(setup.Zoom));
    out.WriteUInt16(Clamp16(setup.FirstPageNumber));
    out.WriteUInt16(setup.FitToPagesWide ? 1 : 0);
    out.WriteUInt16(setup.FitToPagesTall ? 1 : 0);
    out.WriteUInt16(options);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteDouble(setup.HeaderMargin / kCentimetresPerInch);
    out.WriteDouble(setup.FooterMargin / kCentimetresPerInch);
    out.WriteUInt16(Clamp16(setup.Copies));
    out.End();
}

void WriteColumns(TRLXLSRecordWriter& out, const TRLXLSWorksheet& sheet)
{
    WriteWord(out, kRecordDefColWidth, kDefColWidth);
    for (const auto& [index, col] : sheet.Cols()) {
        out.Begin(kRecordColInfo);
        out.WriteUInt16(quint16(index));
        out.WriteUInt16(quint16(index));
        out.WriteUInt16(quint16(std::clamp<qint64>(col.Width, 0, kMaxColumnWidth)));
        out.WriteUInt16(0);
        out.WriteUInt16(0);
        out.WriteUInt8(0);
        out.End();
    }
}

void WriteDimensions(TRLXLSRecordWriter& out, const TRLXLSWorksheet& sheet)
{
    const TRLXLSCellArea& used = sheet.UsedArea();
    const bool empty = sheet.Empty();
    out.Begin(kRecordDimensions);
    out.WriteUInt32(empty ? 0 : quint32(used.FirstRow));
    out.WriteUInt32(empty ? 0 : quint32(used.LastRow + 1));
    out.WriteUInt16(empty ? 0 : quint16(used.FirstColumn));
    out.WriteUInt16(empty ? 0 : quint16(used.LastColumn + 1));
    out.WriteUInt16(0);
    out.End();
}

/// Cell formats and strings are taken in range order, whatever the order the cells are written in.
std::vector<TCell> CollectCells(
    const TRLXLSWorksheet& sheet, TRLXLSSaveTables& tables, TRLXLSSharedStrings& strings)
{
    std::vector<TCell> cells;
    for (const TRLXLSRange* range : sheet.Ranges()) {
        TCell cell;
        cell.Range = range;
        cell.Format = tables.CellFormatIndex(*range);
        // SetValue keeps a value within what a cell holds.
        if (range->CellKind() == TRLXLSCellKind::Text && !range->Value().isEmpty())
            cell.String = strings.Add(range->Value());
        cells.push_back(cell);
    }
    return cells;
}

void WriteRowRecord(
    TRLXLSRecordWriter& out, const TRLXLSWorksheet& sheet, int row, const std::vector<const TCell*>& covering)
{
    const auto found = sheet.Rows().find(row);
    const TRLXLSRow* rowInfo = found != sheet.Rows().end() ? &found->second : nullptr;
    out.Begin(kRecordRow);
    out.WriteUInt16(quint16(row));
    out.WriteUInt16(covering.empty() ? 0 : quint16(covering.front()->Range->CellArea().FirstColumn));
    out.WriteUInt16(covering.empty() ? 0 : quint16(covering.back()->Range->CellArea().LastColumn + 1));
    out.WriteUInt16(rowInfo ? quint16(std::clamp<qint64>(rowInfo->Height * kTwipsPerDot, 0, kMaxRowTwips))
                            : kDefaultRowHeight);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteUInt16(rowInfo ? kRowCustomHeight : 0);
    out.WriteUInt16(0);
    out.End();
}

void WriteCellsOfRow(TRLXLSRecordWriter& out, int row, const std::vector<const TCell*>& covering)
{
    for (const TCell* cell : covering) {
        const TRLXLSRange& range = *cell->Range;
        const TRLXLSCellArea& area = range.CellArea();
        int column = area.FirstColumn;
        if (row == area.FirstRow) {
            if (range.CellKind() == TRLXLSCellKind::Number) {
                out.Begin(kRecordNumber);
                out.WriteUInt16(quint16(row));
                out.WriteUInt16(quint16(column));
                out.WriteUInt16(cell->Format);
                out.WriteDouble(range.Number());
                out.End();
                ++column;
            } else if (cell->String >= 0) {
                out.Begin(kRecordLabelSst);
                out.WriteUInt16(quint16(row));
                out.WriteUInt16(quint16(column));
                out.WriteUInt16(cell->Format);
                out.WriteUInt32(quint32(cell->String));
                out.End();
                ++column;
            }
        }
        if (area.LastColumn - column >= 1) {
            out.Begin(kRecordMulBlank);
            out.WriteUInt16(quint16(row));
            out.WriteUInt16(quint16(column));
            for (int c = column; c <= area.LastColumn; ++c)
                out.WriteUInt16(cell->Format);
            out.WriteUInt16(quint16(area.LastColumn));
            out.End();
        } else if (area.LastColumn == column) {
            out.Begin(kRecordBlank);
            out.WriteUInt16(quint16(row));
            out.WriteUInt16(quint16(column));
            out.WriteUInt16(cell->Format);
            out.End();
        }
    }
}

/// Row blocks of 32 rows: the ROW records, the cells, then a DBCELL whose offsets lead from the
/// block's second ROW record to each row's first cell record, row after row.
std::vector<qint64> WriteRowBlocks(
    TRLXLSRecordWriter& out, const TRLXLSWorksheet& sheet, std::vector<TCell>& cells)
{
    std::vector<qint64> dbCells;
    if (sheet.Empty())
        return dbCells;
    std::vector<TCell*> byFirstRow;
    byFirstRow.reserve(cells.size());
    for (TCell& cell : cells)
        byFirstRow.push_back(&cell);
    std::stable_sort(byFirstRow.begin(), byFirstRow.end(), [](const TCell* a, const TCell* b) {
        return a->Range->CellArea().FirstRow < b->Range->CellArea().FirstRow;
    });
    std::size_t next = 0;
    std::vector<const TCell*> active;
    const int firstRow = sheet.UsedArea().FirstRow;
    const int lastRow = sheet.UsedArea().LastRow;
    std::vector<std::vector<const TCell*>> blockRows;
    std::vector<qint64> cellStarts;
    for (int blockStart = firstRow; blockStart <= lastRow; blockStart += kRowsPerBlock) {
        const int blockEnd = std::min(lastRow, blockStart + kRowsPerBlock - 1);
        blockRows.clear();
        for (int row = blockStart; row <= blockEnd; ++row) {
            std::erase_if(active, [row](const TCell* cell) { return cell->Range->CellArea().LastRow < row; });
            while (next < byFirstRow.size() && byFirstRow[next]->Range->CellArea().FirstRow <= row)
                active.push_back(byFirstRow[next++]);
            std::vector<const TCell*> covering;
            for (const TCell* cell : active) {
                if (cell->Range->CellArea().LastRow >= row)
                    covering.push_back(cell);
            }
            std::sort(covering.begin(), covering.end(), [](const TCell* a, const TCell* b) {
                return a->Range->CellArea().FirstColumn < b->Range->CellArea().FirstColumn;
            });
            blockRows.push_back(std::move(covering));
        }
        const qint64 firstRowRecord = out.Position();
        qint64 secondRowRecord = 0;
        for (int row = blockStart; row <= blockEnd; ++row) {
            if (row == blockStart + 1)
                secondRowRecord = out.Position();
            WriteRowRecord(out, sheet, row, blockRows[std::size_t(row - blockStart)]);
        }
        if (blockStart == blockEnd)
            secondRowRecord = out.Position();
        cellStarts.clear();
        for (int row = blockStart; row <= blockEnd; ++row) {
            cellStarts.push_back(out.Position());
            WriteCellsOfRow(out, row, blockRows[std::size_t(row - blockStart)]);
        }
        const qint64 dbCell = out.Position();
        dbCells.push_back(dbCell);
        out.Begin(kRecordDbCell);
        out.WriteUInt32(quint32(dbCell - firstRowRecord));
        qint64 from = secondRowRecord;
        for (const qint64 start : cellStarts) {
            out.WriteUInt16(Clamp16(start - from));
            from = start;
        }
        out.End();
    }
    return dbCells;
}

void WriteWindow(TRLXLSRecordWriter& out, bool firstSheet)
{
    out.Begin(kRecordWindow2);
    out.WriteUInt16(firstSheet ? kWindow2Options | kWindow2Selected : kWindow2Options);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteUInt32(kGridColor);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteUInt32(0);
    out.End();
    out.Begin(kRecordSelection);
    out.WriteUInt8(kPaneTopLeft);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteUInt16(1);
    out.WriteUInt16(0);
    out.WriteUInt16(0);
    out.WriteUInt8(0);
    out.WriteUInt8(0);
    out.End();
}

/// A MERGECELLS record is never continued: past its capacity a further MERGECELLS record starts.
void WriteMerges(TRLXLSRecordWriter& out, const std::vector<TCell>& cells)
{
    std::vector<TRLXLSCellArea> merged;
    for (const TCell& cell : cells) {
        if (cell.Range->CellArea().Merged())
            merged.push_back(cell.Range->CellArea());
    }
    for (std::size_t start = 0; start < merged.size(); start += kMergesPerRecord) {
        const std::size_t end = std::min(merged.size(), start + kMergesPerRecord);
        out.Begin(kRecordMergeCells);
        out.WriteUInt16(quint16(end - start));
        for (std::size_t i = start; i < end; ++i) {
            out.WriteUInt16(quint16(merged[i].FirstRow));
            out.WriteUInt16(quint16(merged[i].LastRow));
            out.WriteUInt16(quint16(merged[i].FirstColumn));
            out.WriteUInt16(quint16(merged[i].LastColumn));
        }
        out.End();
    }
}

} // namespace

TRLXLSSheetPlace WriteWorksheet(TRLXLSRecordWriter& out, const TRLXLSWorksheet& sheet,
    const TRLXLSPageSetup& setup, TRLXLSSaveTables& tables, TRLXLSSharedStrings& strings, bool firstSheet)
{
    std::vector<TCell> cells = CollectCells(sheet, tables, strings);
    const TRLXLSCellArea& used = sheet.UsedArea();
    const int blockCount = sheet.Empty() ? 0 : (used.LastRow - used.FirstRow) / kRowsPerBlock + 1;

    TRLXLSSheetPlace place;
    place.Title = sheet.Title();
    place.Start = out.Position();
    WriteBof(out);
    const qint64 index = out.Position();
    out.Begin(kRecordIndex);
    out.WriteUInt32(0);
    out.WriteUInt32(sheet.Empty() ? 0 : quint32(used.FirstRow));
    out.WriteUInt32(sheet.Empty() ? 0 : quint32(used.LastRow + 1));
    out.WriteUInt32(0);
    for (int i = 0; i < blockCount; ++i)
        out.WriteUInt32(0);
    out.End();
    place.IndexPositions = index + TRLXLSRecordWriter::kRecordHeaderSize + kIndexFixedSize;

    WriteWord(out, kRecordCalcMode, 1);
    WriteWord(out, kRecordCalcCount, kCalcCount);
    WriteWord(out, kRecordRefMode, 1);
    WriteWord(out, kRecordIteration, 0);
    out.WriteStoredRecord(kDeltaRecord);
    WriteWord(out, kRecordSaveRecalc, 1);
    WritePageSettings(out, setup);
    WriteColumns(out, sheet);
    WriteDimensions(out, sheet);
    const std::vector<qint64> dbCells = WriteRowBlocks(out, sheet, cells);
    place.BlockCount = int(dbCells.size());
    WriteWindow(out, firstSheet);
    WriteMerges(out, cells);
    out.Begin(kRecordEof);
    out.End();

    for (std::size_t i = 0; i < dbCells.size(); ++i)
        out.PatchUInt32(place.IndexPositions + qint64(4 * i), quint32(dbCells[i]));
    return place;
}
