#pragma once

#include "platform/Color.h"
#include "platform/Graphics.h"

#include <QString>
#include <QtGlobal>

class TRLByteReader;
class TRLByteWriter;
class TRLGraphicObject;
class TRLGraphicSurface;

/// A colour as pages store it: red, green, blue.
struct TRLStoredColor {
    quint8 Red = 0;
    quint8 Green = 0;
    quint8 Blue = 0;

    bool operator==(const TRLStoredColor&) const = default;
};

/// System colours are resolved to their current RGB value.
TRLStoredColor ToStoredColor(TColor color);
TColor FromStoredColor(TRLStoredColor color);

// Stored tool codes: the platform enumerations in their usual order, starting at 1.
enum TRLMetaPenMode : quint8 {
    MetaPenModeBlack = 1,
    MetaPenModeWhite,
    MetaPenModeNop,
    MetaPenModeNot,
    MetaPenModeCopy,
    MetaPenModeNotCopy,
    MetaPenModeMergePenNot,
    MetaPenModeMaskPenNot,
    MetaPenModeMergeNotPen,
    MetaPenModeMaskNotPen,
    MetaPenModeMerge,
    MetaPenModeNotMerge,
    MetaPenModeMask,
    MetaPenModeNotMask,
    MetaPenModeXor,
    MetaPenModeNotXor,
};

enum TRLMetaPenStyle : quint8 {
    MetaPenStyleSolid = 1,
    MetaPenStyleDash,
    MetaPenStyleDot,
    MetaPenStyleDashDot,
    MetaPenStyleDashDotDot,
    MetaPenStyleClear,
    MetaPenStyleInsideFrame,
};

enum TRLMetaBrushStyle : quint8 {
    MetaBrushStyleSolid = 1,
    MetaBrushStyleClear,
    MetaBrushStyleHorizontal,
    MetaBrushStyleVertical,
    MetaBrushStyleFDiagonal,
    MetaBrushStyleBDiagonal,
    MetaBrushStyleCross,
    MetaBrushStyleDiagCross,
};

enum TRLMetaFontPitch : quint8 { MetaFontPitchDefault = 1, MetaFontPitchVariable, MetaFontPitchFixed };

/// Font style bits as stored: 1 bold, 2 italic, 4 underline, 8 strike-out.
constexpr quint8 kMetaFontStyleMask = 0x0F;

class TRLMetaPen {
public:
    /// 9 bytes: colour, mode, style, width.
    static constexpr int kStoredSize = 9;

    TRLStoredColor Color;
    quint8 Mode = MetaPenModeCopy;
    quint8 Style = MetaPenStyleSolid;
    /// Dots; 0 is the thinnest line the device draws.
    qint32 Width = 0;

    void AssignFrom(const TPen& pen);
    void SaveToStream(TRLByteWriter& out) const;
    /// An unknown mode or style code reads as copy / solid.
    void LoadFromStream(TRLByteReader& in);

    bool operator==(const TRLMetaPen&) const = default;
};

class TRLMetaBrush {
public:
    /// 4 bytes: colour, style.
    static constexpr int kStoredSize = 4;

    TRLStoredColor Color;
    quint8 Style = MetaBrushStyleSolid;

    void AssignFrom(const TBrush& brush);
    void SaveToStream(TRLByteWriter& out) const;
    /// An unknown style code reads as solid.
    void LoadFromStream(TRLByteReader& in);

    bool operator==(const TRLMetaBrush&) const = default;
};

/// A text object's font. The face is an index into the owning page's font name table.
class TRLMetaFont {
public:
    /// 22 bytes.
    static constexpr int kStoredSize = 22;

    explicit TRLMetaFont(TRLGraphicObject& owner);
    TRLMetaFont(const TRLMetaFont&) = delete;
    TRLMetaFont& operator=(const TRLMetaFont&) = delete;

    qint32 PixelsPerInch = 72;
    quint8 Charset = 0;
    TRLStoredColor Color;
    qint32 Height = 0;
    qint32 NameIndex = 0;
    quint8 Pitch = MetaFontPitchDefault;
    /// Points.
    qint32 Size = 0;
    quint8 Style = 0;

    /// The face name from the owning page's font table; empty when the index is outside it.
    QString Name() const;
    /// Looks the face up in the owning page's font table, appending it when missing.
    void SetName(const QString& name);

    void AssignFrom(const TFont& font);
    /// Copies every field; the face by name, so that the destination page's table gets it.
    void Assign(const TRLMetaFont& source);
    void SaveToStream(TRLByteWriter& out) const;
    /// An unknown pitch code reads as default; only the low four style bits are kept.
    void LoadFromStream(TRLByteReader& in);

private:
    TRLGraphicObject& m_owner;
};
