#pragma once

#include "filters/RLXLSRange.h"

#include <QString>
#include <QStringView>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class TRLXLSWorkbook;

/// One sheet of the workbook: its columns, rows and ranges, and the used area they cover.
/// Ranges never overlap: creating one deletes every range it meets.
class TRLXLSWorksheet {
public:
    /// Characters of a sheet name at most.
    static constexpr int kMaxTitleLength = 31;

    TRLXLSWorksheet(TRLXLSWorkbook& workbook, const QString& title);
    TRLXLSWorksheet(const TRLXLSWorksheet&) = delete;
    TRLXLSWorksheet& operator=(const TRLXLSWorksheet&) = delete;

    TRLXLSWorkbook& Workbook() const { return m_workbook; }
    const QString& Title() const { return m_title; }
    /// The first 31 characters, trimmed.
    void SetTitle(const QString& title);

    /// nullptr when absent and not asked to create it.
    TRLXLSCol* FindCol(int index, bool create);
    TRLXLSRow* FindRow(int index, bool create);
    /// The range with exactly this area; with `create` a missing one is made after every range
    /// meeting the area has been deleted. Throws EReportError for an area outside a sheet's
    /// 256 columns and 65,536 rows or with its sides reversed.
    TRLXLSRange* FindRange(int left, int top, int right, int bottom, bool create);
    /// Stores the text (CR LF and CR become LF); with the workbook's FindValueCells a text that
    /// reads entirely as a number in the locale's notation makes a number cell.
    void SetValue(TRLXLSRange& range, const QString& text);

    /// The live ranges in the order they were created.
    std::vector<TRLXLSRange*> Ranges() const;
    int RangeCount() const { return m_liveRanges; }
    const std::map<int, TRLXLSCol>& Cols() const { return m_cols; }
    const std::map<int, TRLXLSRow>& Rows() const { return m_rows; }

    /// -1 on every side while the sheet is empty.
    const TRLXLSCellArea& UsedArea() const { return m_usedArea; }
    bool Empty() const { return m_usedArea.FirstColumn < 0; }

    /// Frees columns, rows and ranges once the sheet is written; title and used area stay.
    void ReleaseCells();

private:
    void Widen(const TRLXLSCellArea& area);
    void DeleteRangesMeeting(const TRLXLSCellArea& area);
    void DeleteRange(std::size_t slot);

    TRLXLSWorkbook& m_workbook;
    QString m_title;
    std::map<int, TRLXLSCol> m_cols;
    std::map<int, TRLXLSRow> m_rows;
    /// Creation order; a deleted range leaves an empty slot.
    std::vector<std::unique_ptr<TRLXLSRange>> m_ranges;
    int m_liveRanges = 0;
    struct TRowEntry {
        int FirstColumn;
        std::size_t Slot;
    };
    /// Per row, the ranges covering it sorted by first column, so that finding the ranges an
    /// area meets costs a search per row and not a pass over every range.
    std::vector<std::vector<TRowEntry>> m_rowIndex;
    TRLXLSCellArea m_usedArea { -1, -1, -1, -1 };
};

/// The number a cell text stands for: line feeds become blanks, the text is trimmed, every
/// thousands separator (a comma when the decimal separator is a point, else a point) is removed
/// and the decimal separator becomes a point; the rest must read entirely as a decimal number
/// (sign, digits, one decimal point, optional exponent) of finite value.
std::optional<double> ReadXLSNumber(QStringView text, QStringView decimalSeparator);
