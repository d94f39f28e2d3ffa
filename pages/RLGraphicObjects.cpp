#include "pages/RLGraphicObjects.h"

#include "pages/RLByteReader.h"
#include "pages/RLByteWriter.h"
#include "pages/RLGraphicStorage.h"
#include "pages/RLGraphicSurface.h"

#include <algorithm>

namespace {

constexpr qint64 kPointBytes = 2 * sizeof(qint32);
constexpr QChar kMacroOpen = u'{';
constexpr QChar kMacroClose = u'}';

void WritePoint(TRLByteWriter& out, QPoint point)
{
    out.WriteInt32(point.x());
    out.WriteInt32(point.y());
}

QPoint ReadPoint(TRLByteReader& in, QStringView field)
{
    const qint32 x = in.ReadInt32(field);
    const qint32 y = in.ReadInt32(field);
    return { x, y };
}

void WritePoints(TRLByteWriter& out, const std::vector<QPoint>& points)
{
    out.WriteInt32(qint32(points.size()));
    for (const QPoint& point : points)
        WritePoint(out, point);
}

void ReadPoints(TRLByteReader& in, std::vector<QPoint>& points)
{
    const qint32 count = in.ReadCount(kPointBytes, u"point count");
    points.resize(std::size_t(count));
    for (QPoint& point : points)
        point = ReadPoint(in, u"point");
}

void OffsetPoint(QPoint& point, int dx, int dy)
{
    point += QPoint(dx, dy);
}

void InflatePoint(QPoint& point, double scaleX, double scaleY)
{
    point = QPoint(RoundHalfEven(point.x() * scaleX), RoundHalfEven(point.y() * scaleY));
}

void InflatePenWidth(TRLMetaPen& pen, double scaleX)
{
    if (pen.Width != 0)
        pen.Width = std::max(1, RoundHalfEven(pen.Width * scaleX));
}

template<class T> const T& SameKind(const TRLGraphicObject& source)
{
    return static_cast<const T&>(source);
}

} // namespace

// Pixel

TRLPixelObject::TRLPixelObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLPixelObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    out.WriteUInt8(Color.Red);
    out.WriteUInt8(Color.Green);
    out.WriteUInt8(Color.Blue);
}

void TRLPixelObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Color.Red = in.ReadUInt8(u"pixel colour");
    Color.Green = in.ReadUInt8(u"pixel colour");
    Color.Blue = in.ReadUInt8(u"pixel colour");
}

void TRLPixelObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    Color = SameKind<TRLPixelObject>(source).Color;
}

// Line

TRLLineObject::TRLLineObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLLineObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    WritePoint(out, FromPoint);
    WritePoint(out, ToPoint);
    Pen.SaveToStream(out);
    Brush.SaveToStream(out);
}

void TRLLineObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    FromPoint = ReadPoint(in, u"line start");
    ToPoint = ReadPoint(in, u"line end");
    Pen.LoadFromStream(in);
    Brush.LoadFromStream(in);
}

void TRLLineObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    const auto& line = SameKind<TRLLineObject>(source);
    FromPoint = line.FromPoint;
    ToPoint = line.ToPoint;
    Pen = line.Pen;
    Brush = line.Brush;
}

void TRLLineObject::Offset(int dx, int dy)
{
    TRLGraphicObject::Offset(dx, dy);
    OffsetPoint(FromPoint, dx, dy);
    OffsetPoint(ToPoint, dx, dy);
}

void TRLLineObject::Inflate(double scaleX, double scaleY)
{
    TRLGraphicObject::Inflate(scaleX, scaleY);
    InflatePoint(FromPoint, scaleX, scaleY);
    InflatePoint(ToPoint, scaleX, scaleY);
    InflatePenWidth(Pen, scaleX);
}

// Rectangle

TRLRectangleObject::TRLRectangleObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLRectangleObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    Pen.SaveToStream(out);
    Brush.SaveToStream(out);
}

void TRLRectangleObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Pen.LoadFromStream(in);
    Brush.LoadFromStream(in);
}

void TRLRectangleObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    const auto& rectangle = SameKind<TRLRectangleObject>(source);
    Pen = rectangle.Pen;
    Brush = rectangle.Brush;
}

void TRLRectangleObject::Inflate(double scaleX, double scaleY)
{
    TRLGraphicObject::Inflate(scaleX, scaleY);
    InflatePenWidth(Pen, scaleX);
}

// Text

TRLTextObject::TRLTextObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
    , Font(*this)
{
}

QString TRLTextObject::DisplayText() const
{
    const TRLMacros& pageMacros = Surface().Macros();
    const TRLGraphicStorage* storage = Surface().Storage();
    QString result = Text;
    qsizetype scan = 0;
    for (;;) {
        const qsizetype open = result.indexOf(kMacroOpen, scan);
        if (open < 0)
            break;
        const qsizetype close = result.indexOf(kMacroClose, open + 1);
        if (close < 0)
            break;
        const QStringView name = QStringView(result).mid(open + 1, close - open - 1);
        QString value;
        bool found = true;
        if (pageMacros.Contains(name))
            value = pageMacros.Value(name);
        else if (storage && storage->Macros().Contains(name))
            value = storage->Macros().Value(name);
        else
            found = false;
        if (!found) {
            scan = close + 1;
            continue;
        }
        result.replace(open, close - open + 1, value);
        scan = open + value.size();
    }
    return result;
}

bool TRLTextObject::UsesStoreMacros() const
{
    const TRLMacros& pageMacros = Surface().Macros();
    for (qsizetype open = Text.indexOf(kMacroOpen); open >= 0;) {
        const qsizetype close = Text.indexOf(kMacroClose, open + 1);
        if (close < 0)
            return false;
        if (!pageMacros.Contains(QStringView(Text).mid(open + 1, close - open - 1)))
            return true;
        open = Text.indexOf(kMacroOpen, close + 1);
    }
    return false;
}

void TRLTextObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    out.WriteUInt8(quint8(Alignment));
    out.WriteUInt8(quint8(Layout));
    WritePoint(out, Origin);
    out.WriteUInt16(TextFlags);
    out.WriteText(Text);
    Brush.SaveToStream(out);
    Font.SaveToStream(out);
}

void TRLTextObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Alignment = TRLMetaTextAlignment(in.ReadUInt8(u"text alignment"));
    Layout = TRLMetaTextLayout(in.ReadUInt8(u"text layout"));
    Origin = ReadPoint(in, u"text origin");
    TextFlags = in.ReadUInt16(u"text flags");
    Text = in.ReadText(u"text");
    Brush.LoadFromStream(in);
    Font.LoadFromStream(in);
}

void TRLTextObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    const auto& text = SameKind<TRLTextObject>(source);
    Alignment = text.Alignment;
    Layout = text.Layout;
    Origin = text.Origin;
    TextFlags = text.TextFlags;
    Text = text.Text;
    Brush = text.Brush;
    Font.Assign(text.Font);
}

void TRLTextObject::Offset(int dx, int dy)
{
    TRLGraphicObject::Offset(dx, dy);
    OffsetPoint(Origin, dx, dy);
}

void TRLTextObject::Inflate(double scaleX, double scaleY)
{
    TRLGraphicObject::Inflate(scaleX, scaleY);
    InflatePoint(Origin, scaleX, scaleY);
    Font.Size = RoundHalfEven(Font.Size * scaleY);
}

// Fill rectangle

TRLFillRectObject::TRLFillRectObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLFillRectObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    Brush.SaveToStream(out);
}

void TRLFillRectObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Brush.LoadFromStream(in);
}

void TRLFillRectObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    Brush = SameKind<TRLFillRectObject>(source).Brush;
}

// Ellipse

TRLEllipseObject::TRLEllipseObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLEllipseObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    Pen.SaveToStream(out);
    Brush.SaveToStream(out);
}

void TRLEllipseObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Pen.LoadFromStream(in);
    Brush.LoadFromStream(in);
}

void TRLEllipseObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    const auto& ellipse = SameKind<TRLEllipseObject>(source);
    Pen = ellipse.Pen;
    Brush = ellipse.Brush;
}

void TRLEllipseObject::Inflate(double scaleX, double scaleY)
{
    TRLGraphicObject::Inflate(scaleX, scaleY);
    InflatePenWidth(Pen, scaleX);
}

// Polygon

TRLPolygonObject::TRLPolygonObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLPolygonObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    Pen.SaveToStream(out);
    Brush.SaveToStream(out);
    WritePoints(out, Points);
}

void TRLPolygonObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Pen.LoadFromStream(in);
    Brush.LoadFromStream(in);
    ReadPoints(in, Points);
}

void TRLPolygonObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    const auto& polygon = SameKind<TRLPolygonObject>(source);
    Pen = polygon.Pen;
    Brush = polygon.Brush;
    Points = polygon.Points;
}

void TRLPolygonObject::Offset(int dx, int dy)
{
    TRLGraphicObject::Offset(dx, dy);
    for (QPoint& point : Points)
        OffsetPoint(point, dx, dy);
}

void TRLPolygonObject::Inflate(double scaleX, double scaleY)
{
    TRLGraphicObject::Inflate(scaleX, scaleY);
    for (QPoint& point : Points)
        InflatePoint(point, scaleX, scaleY);
    InflatePenWidth(Pen, scaleX);
}

// Polyline

TRLPolylineObject::TRLPolylineObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLPolylineObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    Pen.SaveToStream(out);
    WritePoints(out, Points);
}

void TRLPolylineObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Pen.LoadFromStream(in);
    ReadPoints(in, Points);
}

void TRLPolylineObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    const auto& polyline = SameKind<TRLPolylineObject>(source);
    Pen = polyline.Pen;
    Points = polyline.Points;
}

void TRLPolylineObject::Offset(int dx, int dy)
{
    TRLGraphicObject::Offset(dx, dy);
    for (QPoint& point : Points)
        OffsetPoint(point, dx, dy);
}

void TRLPolylineObject::Inflate(double scaleX, double scaleY)
{
    TRLGraphicObject::Inflate(scaleX, scaleY);
    for (QPoint& point : Points)
        InflatePoint(point, scaleX, scaleY);
    InflatePenWidth(Pen, scaleX);
}

// Image

TRLImageObject::TRLImageObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

void TRLImageObject::SaveToStream(TRLByteWriter& out) const
{
    TRLGraphicObject::SaveToStream(out);
    out.WriteCountedBytes(Data);
    out.WriteUInt8(IntegralWidth);
}

void TRLImageObject::LoadFromStream(TRLByteReader& in)
{
    TRLGraphicObject::LoadFromStream(in);
    Data = in.ReadCountedBytes(u"picture data");
    IntegralWidth = in.ReadUInt8(u"integral-width flag");
}

void TRLImageObject::Assign(const TRLGraphicObject& source)
{
    TRLGraphicObject::Assign(source);
    const auto& image = SameKind<TRLImageObject>(source);
    Data = image.Data;
    IntegralWidth = image.IntegralWidth;
}

// Clip rectangles

TRLSetClipRectObject::TRLSetClipRectObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}

TRLResetClipRectObject::TRLResetClipRectObject(TRLGraphicSurface& surface)
    : TRLGraphicObject(surface)
{
}
