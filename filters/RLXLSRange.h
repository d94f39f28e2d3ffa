#pragma once

#include "platform/Color.h"
#include "platform/Graphics.h"

#include <QString>
#include <array>

class TRLXLSWorksheet;

/// Columns and rows of a BIFF8 sheet.
constexpr int kXLSSheetColumns = 256;
constexpr int kXLSSheetRows = 65536;
/// Characters a cell's text holds at most.
constexpr int kXLSMaxCellText = 32767;

/// A rectangle of cells, 0-based and inclusive on every side.
struct TRLXLSCellArea {
    int FirstColumn = 0;
    int FirstRow = 0;
    int LastColumn = 0;
    int LastRow = 0;

    bool Intersects(const TRLXLSCellArea& other) const;
    /// More than one cell.
    bool Merged() const { return FirstColumn != LastColumn || FirstRow != LastRow; }
    bool operator==(const TRLXLSCellArea&) const = default;
};

struct TRLXLSBorder {
    TColor Color = 0;
    int Weight = 0;
    /// 0: no border.
    int LineStyle = 0;

    bool operator==(const TRLXLSBorder&) const = default;
};

enum TRLXLSBorderIndex { xbDiagonalDown, xbDiagonalUp, xbBottom, xbLeft, xbRight, xbTop };

struct TRLXLSBorders {
    std::array<TRLXLSBorder, 6> Items;

    bool operator==(const TRLXLSBorders&) const = default;
};

/// A column of the grid; width in 1/256 of a character.
struct TRLXLSCol {
    int Index = 0;
    qint64 Width = 2048;
};

/// A row of the grid; height in dots.
struct TRLXLSRow {
    int Index = 0;
    qint64 Height = 255;
};

enum class TRLXLSCellKind : quint8 { Number = 0, Text = 1 };

// Alignment codes as cell formats store them.
constexpr quint8 kXLSAlignGeneral = 0;
constexpr quint8 kXLSAlignLeft = 1;
constexpr quint8 kXLSAlignCenter = 2;
constexpr quint8 kXLSAlignRight = 3;
constexpr quint8 kXLSAlignJustify = 5;
constexpr quint8 kXLSAlignTop = 0;
constexpr quint8 kXLSAlignVCenter = 1;
constexpr quint8 kXLSAlignBottom = 2;
constexpr quint8 kXLSAlignVJustify = 3;

/// A cell, or cells merged into one, holding a text or a number. The value is set through
/// TRLXLSWorksheet::SetValue, which decides the kind.
class TRLXLSRange {
public:
    TRLXLSRange(TRLXLSWorksheet& worksheet, const TRLXLSCellArea& area);

    TRLXLSWorksheet& Worksheet() const { return m_worksheet; }
    const TRLXLSCellArea& CellArea() const { return m_area; }

    TRLXLSBorders Borders;
    /// Arial, 10 points, black.
    TFont Font;
    quint8 HorizontalAlignment = kXLSAlignGeneral;
    quint8 VerticalAlignment = kXLSAlignBottom;
    bool WrapText = false;
    quint8 Rotation = 0;
    quint8 FillPattern = 0;
    TColor ForegroundColor = 0;
    TColor BackgroundColor = 0;
    /// A number format text; empty for the general format.
    QString Format;

    /// Line breaks are single line feeds.
    const QString& Value() const { return m_value; }
    TRLXLSCellKind CellKind() const { return m_kind; }
    /// Meaningful for a number cell.
    double Number() const { return m_number; }

private:
    friend class TRLXLSWorksheet;

    TRLXLSWorksheet& m_worksheet;
    TRLXLSCellArea m_area;
    QString m_value;
    TRLXLSCellKind m_kind = TRLXLSCellKind::Text;
    double m_number = 0;
};

/// The range font's defaults: "Arial", 10 points, black.
TFont DefaultXLSFont();
