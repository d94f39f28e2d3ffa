#include "pages/RLMetaRecords.h"

#include "pages/RLByteReader.h"
#include "pages/RLByteWriter.h"
#include "pages/RLGraphicObject.h"
#include "pages/RLGraphicSurface.h"

namespace {

constexpr int kRedShift = 0;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 16;

void WriteColor(TRLByteWriter& out, TRLStoredColor color)
{
    out.WriteUInt8(color.Red);
    out.WriteUInt8(color.Green);
    out.WriteUInt8(color.Blue);
}

TRLStoredColor ReadColor(TRLByteReader& in, QStringView field)
{
    TRLStoredColor color;
    color.Red = in.ReadUInt8(field);
    color.Green = in.ReadUInt8(field);
    color.Blue = in.ReadUInt8(field);
    return color;
}

/// A code outside first .. last reads as `fallback`.
quint8 KnownCode(quint8 code, quint8 first, quint8 last, quint8 fallback)
{
    return code >= first && code <= last ? code : fallback;
}

quint8 PenModeCode(TPenMode mode)
{
    static_assert(int(MetaPenModeNotXor) - int(MetaPenModeBlack) + 1 == kPenModeCount);
    return mode < kPenModeCount ? quint8(int(MetaPenModeBlack) + int(mode)) : quint8(MetaPenModeCopy);
}

} // namespace

TRLStoredColor ToStoredColor(TColor color)
{
    const auto rgb = quint32(ColorToRGB(color));
    return { quint8(rgb >> kRedShift), quint8(rgb >> kGreenShift), quint8(rgb >> kBlueShift) };
}

TColor FromStoredColor(TRLStoredColor color)
{
    return RGBColor(color.Red, color.Green, color.Blue);
}

void TRLMetaPen::AssignFrom(const TPen& pen)
{
    Color = ToStoredColor(pen.Color);
    Mode = PenModeCode(pen.Mode);
    Style = quint8(int(MetaPenStyleSolid) + int(pen.Style));
    Width = pen.Width;
}

void TRLMetaPen::SaveToStream(TRLByteWriter& out) const
{
    WriteColor(out, Color);
    out.WriteUInt8(Mode);
    out.WriteUInt8(Style);
    out.WriteInt32(Width);
}

void TRLMetaPen::LoadFromStream(TRLByteReader& in)
{
    Color = ReadColor(in, u"pen colour");
    Mode = KnownCode(in.ReadUInt8(u"pen mode"), MetaPenModeBlack, MetaPenModeNotXor, MetaPenModeCopy);
    Style = KnownCode(
        in.ReadUInt8(u"pen style"), MetaPenStyleSolid, MetaPenStyleInsideFrame, MetaPenStyleSolid);
    Width = in.ReadInt32(u"pen width");
}

void TRLMetaBrush::AssignFrom(const TBrush& brush)
{
    Color = ToStoredColor(brush.Color);
    Style = quint8(int(MetaBrushStyleSolid) + int(brush.Style));
}

void TRLMetaBrush::SaveToStream(TRLByteWriter& out) const
{
    WriteColor(out, Color);
    out.WriteUInt8(Style);
}

void TRLMetaBrush::LoadFromStream(TRLByteReader& in)
{
    Color = ReadColor(in, u"brush colour");
    Style = KnownCode(
        in.ReadUInt8(u"brush style"), MetaBrushStyleSolid, MetaBrushStyleDiagCross, MetaBrushStyleSolid);
}

TRLMetaFont::TRLMetaFont(TRLGraphicObject& owner)
    : m_owner(owner)
{
}

QString TRLMetaFont::Name() const
{
    const QStringList& names = m_owner.Surface().FontNames();
    return NameIndex >= 0 && NameIndex < names.size() ? names.at(NameIndex) : QString();
}

void TRLMetaFont::SetName(const QString& name)
{
    NameIndex = m_owner.Surface().FontIndex(name);
}

void TRLMetaFont::AssignFrom(const TFont& font)
{
    PixelsPerInch = kScreenPixelsPerInch;
    Charset = font.Charset;
    Color = ToStoredColor(font.Color);
    Height = font.Height;
    SetName(font.Name);
    Pitch = quint8(int(MetaFontPitchDefault) + int(font.Pitch));
    Size = font.Size();
    Style = quint8(font.Style.toInt() & kMetaFontStyleMask);
}

void TRLMetaFont::Assign(const TRLMetaFont& source)
{
    PixelsPerInch = source.PixelsPerInch;
    Charset = source.Charset;
    Color = source.Color;
    Height = source.Height;
    if (&source.m_owner.Surface() == &m_owner.Surface())
        NameIndex = source.NameIndex;
    else
        SetName(source.Name());
    Pitch = source.Pitch;
    Size = source.Size;
    Style = source.Style;
}

void TRLMetaFont::SaveToStream(TRLByteWriter& out) const
{
    out.WriteInt32(PixelsPerInch);
    out.WriteUInt8(Charset);
    WriteColor(out, Color);
    out.WriteInt32(Height);
    out.WriteInt32(NameIndex);
    out.WriteUInt8(Pitch);
    out.WriteInt32(Size);
    out.WriteUInt8(Style);
}

void TRLMetaFont::LoadFromStream(TRLByteReader& in)
{
    PixelsPerInch = in.ReadInt32(u"font pixels per inch");
    Charset = in.ReadUInt8(u"font charset");
    Color = ReadColor(in, u"font colour");
    Height = in.ReadInt32(u"font height");
    NameIndex = in.ReadInt32(u"font name index");
    Pitch = KnownCode(
        in.ReadUInt8(u"font pitch"), MetaFontPitchDefault, MetaFontPitchFixed, MetaFontPitchDefault);
    Size = in.ReadInt32(u"font size");
    Style = in.ReadUInt8(u"font style") & kMetaFontStyleMask;
}
