#pragma once

#include "platform/Color.h"

#include <QBrush>
#include <QFlags>
#include <QFont>
#include <QPen>
#include <QString>

enum TFontStyle : quint8 { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

enum TFontPitch : quint8 { fpDefault, fpVariable, fpFixed };

/// Character sets as the platform numbers them; only ANSI and default occur in layouts.
constexpr quint8 ANSI_CHARSET = 0;
constexpr quint8 DEFAULT_CHARSET = 1;
constexpr quint8 SYMBOL_CHARSET = 2;

constexpr int kScreenPixelsPerInch = 96;

/// A platform font. Height is the platform's character height in pixels at 96 per inch:
/// negative for the em height (-13 is 10 points), positive for the cell height.
struct TFont {
    /// The face name, resolved by fontconfig when drawing.
    QString Name = QStringLiteral("MS Sans Serif");
    /// Pixels at 96 dpi; -11 is 8 points.
    int Height = -11;
    /// Bold, italic, underline, strike-out.
    TFontStyles Style;
    /// Stored in the page file and the spreadsheet's font record; text is Unicode whatever it
    /// says.
    quint8 Charset = DEFAULT_CHARSET;
    /// The text colour.
    TColor Color = clWindowText;
    /// fpFixed asks the font matcher for a fixed-pitch face.
    TFontPitch Pitch = fpDefault;

    /// Points, rounded as the platform does: -Height * 72 / 96 (negative for a positive,
    /// cell, Height).
    int Size() const;
    /// Sets Height to the em height of `points` points.
    void SetSize(int points);

    /// @cond ENGINE
    bool operator==(const TFont&) const = default;
    /// @endcond
};

enum TPenStyle : quint8 { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
/// How the pen's dots combine with the dots already drawn (pen P, destination D): black, white,
/// D, not D, P, not P, P or not D, P and not D, not P or D, not P and D, P or D, not (P or D),
/// P and D, not (P and D), P xor D, not (P xor D).
enum TPenMode : quint8 {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor,
};
constexpr int kPenModeCount = pmNotXor + 1;

/// The line of a drawing: colour, width, dash style and how it mixes with what is below.
struct TPen {
    /// The line colour.
    TColor Color = clBlack;
    /// Pixels; 0 draws the thinnest line the device has.
    int Width = 1;
    /// psClear draws no line.
    TPenStyle Style = psSolid;
    /// pmCopy draws the pen's colour as it is.
    TPenMode Mode = pmCopy;

    /// @cond ENGINE
    bool operator==(const TPen&) const = default;
    /// @endcond
};

enum TBrushStyle : quint8 {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

/// The fill of a drawing or a background.
struct TBrush {
    /// The fill colour, also of hatch lines.
    TColor Color = clWhite;
    /// bsClear fills nothing; the hatches leave the background between their lines.
    TBrushStyle Style = bsSolid;

    /// @cond ENGINE
    bool operator==(const TBrush&) const = default;
    /// @endcond
};

/// The Qt font for drawing at 96 dpi (pixel size = -Height); face names are resolved by fontconfig.
QFont ToQFont(const TFont& font);
QPen ToQPen(const TPen& pen);
QBrush ToQBrush(const TBrush& brush);
Qt::PenStyle ToQtPenStyle(TPenStyle style);
Qt::BrushStyle ToQtBrushStyle(TBrushStyle style);
