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
    QString Name = QStringLiteral("MS Sans Serif");
    int Height = -11;
    TFontStyles Style;
    quint8 Charset = DEFAULT_CHARSET;
    TColor Color = clWindowText;
    TFontPitch Pitch = fpDefault;

    /// Points, rounded as the platform does: -Height * 72 / 96.
    int Size() const;
    void SetSize(int points);

    bool operator==(const TFont&) const = default;
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

struct TPen {
    TColor Color = clBlack;
    /// Pixels; 0 draws the thinnest line the device has.
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;

    bool operator==(const TPen&) const = default;
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

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;

    bool operator==(const TBrush&) const = default;
};

/// The Qt font for drawing at 96 dpi (pixel size = -Height); face names are resolved by fontconfig.
QFont ToQFont(const TFont& font);
QPen ToQPen(const TPen& pen);
QBrush ToQBrush(const TBrush& brush);
Qt::PenStyle ToQtPenStyle(TPenStyle style);
Qt::BrushStyle ToQtBrushStyle(TBrushStyle style);
