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
/// Ranges never overlap: a new range and the earlier ones it meets share the cells out.
class TRLXLSWorksheet {
public:
    /// Characters of a sheet name at most.
    static constexpr int kMaxTitleLength = 31;

    TRLXLSWorksheet(TRLXLSWorkbook& workbook, const QString& title);
    ~TRLXLSWorksheet();
    TRLXLSWorksheet(const TRLXLSWorksheet&) = delete;
    TRLXLSWorksheet& operator=(const TRLXLSWorksheet&) = delete;

    TRLXLSWorkbook& Workbook() const { return m_workbook; }
    const QString& Title() const { return m_title; }
    /// The first 31 characters, trimmed.
    void SetTitle(const QString& title);

    /// nullptr when absent and not asked to create it.
    TRLXLSCol* FindCol(int index, bool create);
    TRLXLSRow* FindRow(int index, bool create);
    /// The range with exactly this area; with `create` a missing one is made without losing an
    /// earlier range's text. An earlier range the area meets gives up its cells past its first
    /// one that the area needs; one whose first cell the area covers keeps its cells and the new
    /// range gets the rest of the area; when both start in one cell, that earlier range is
    /// returned for the texts to share it (its value is then not empty). Throws EReportError for
    /// an area outside a sheet's 256 columns and 65,536 rows or with its sides reversed.
    TRLXLSRange* FindRange(int left, int top, int right, int bottom, bool create);
    /// Stores the text (CR LF and CR become LF), cut to the 32,767 characters a cell holds with
    /// "…" as its last character. With the workbook's FindValueCells a text that reads entirely
    /// as a number in the locale's notation makes a number cell, whose number format shows the
    /// text's digits.
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
    friend class TRLXLSWorkbook;

    void Widen(const TRLXLSCellArea& area);
    /// Slots of the ranges meeting the area, in creation order.
    std::vector<std::size_t> RangesMeeting(const TRLXLSCellArea& area) const;
    /// Gives the range a smaller area with the same first cell.
    void ShrinkRange(std::size_t slot, const TRLXLSCellArea& area);

    TRLXLSWorkbook& m_workbook;
    /// One of the workbook's sheets, whose title it keeps an index of; not a scratch grid.
    bool m_listed = false;
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
/// (sign, digits, one decimal point, optional exponent) of finite value. Texts that are not
/// amounts stay texts: thousands separators must stand between groups of three digits of the
/// whole part, a whole part of several digits does not start with 0 ("0046" is a code), and a
/// number has at most 15 significant digits, which a cell keeps exactly.
std::optional<double> ReadXLSNumber(QStringView text, QStringView decimalSeparator);
/// The number format showing a number text's digits as written: "#,##0.00" for "1.234,50" or
/// "12,50", "0.00" for "1234,50" (a whole part of four digits or more without separators),
/// "#,##0" for "18"; empty (general) for a text with an exponent.
QString XLSNumberFormat(QStringView text, QStringView decimalSeparator);
