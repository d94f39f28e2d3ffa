// Drawing stored pages and their objects on a canvas at any scale.
#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicSurface.h"
#include "pages/RLRendering.h"

#include <algorithm>
#include <limits>

namespace {

/// offset + round(value * scale), held inside the int range for hostile coordinates.
int Map(int offset, int value, double scale)
{
    const qint64 mapped = qint64(offset) + RoundHalfEven(value * scale);
    return int(
        std::clamp<qint64>(mapped, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

struct TMapping {
    int OffsetX;
    int OffsetY;
    double ScaleX;
    double ScaleY;

    QPoint Point(QPoint point) const
    {
        return { Map(OffsetX, point.x(), ScaleX), Map(OffsetY, point.y(), ScaleY) };
    }
    TRect Rect(const TRect& rect) const
    {
        return { Map(OffsetX, rect.Left, ScaleX), Map(OffsetY, rect.Top, ScaleY),
            Map(OffsetX, rect.Right, ScaleX), Map(OffsetY, rect.Bottom, ScaleY) };
    }
    /// At least one dot wide and high, however small the scale.
    TRect AtLeastOneDot(const TRect& rect) const
    {
        TRect mapped = Rect(rect);
        mapped.Right = std::max(mapped.Left + 1, mapped.Right);
        mapped.Bottom = std::max(mapped.Top + 1, mapped.Bottom);
        return mapped;
    }
    std::vector<QPoint> Points(const std::vector<QPoint>& points) const
    {
        std::vector<QPoint> mapped;
        mapped.reserve(points.size());
        for (const QPoint& point : points)
            mapped.push_back(Point(point));
        return mapped;
    }
};

void SetPen(TCanvas& canvas, const TRLMetaPen& pen, double scaleX)
{
    ToCanvasPen(pen, canvas.Pen);
    ScalePenWidth(canvas.Pen, scaleX);
}

} // namespace

void TRLPixelObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    canvas.Brush = TBrush { FromStoredColor(Color), bsSolid };
    canvas.FillRect(map.AtLeastOneDot(BoundsRect));
}

void TRLLineObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    SetPen(canvas, Pen, scaleX);
    ToCanvasBrush(Brush, canvas.Brush);
    const QPoint from = map.Point(FromPoint);
    const QPoint to = map.Point(ToPoint);
    canvas.MoveTo(from.x(), from.y());
    StyledLineTo(canvas, to.x(), to.y());
}

void TRLRectangleObject::PaintTo(
    TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    SetPen(canvas, Pen, scaleX);
    ToCanvasBrush(Brush, canvas.Brush);
    canvas.Rectangle(map.AtLeastOneDot(BoundsRect));
}

void TRLTextObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    ToCanvasBrush(Brush, canvas.Brush);
    ToCanvasFont(Font, canvas, scaleY);
    const QPoint origin = map.Point(Origin);
    if (canvas.SmoothText) {
        DrawScreenText(canvas, map.Rect(BoundsRect), origin.x(), DisplayText(), Alignment, TextFlags, scaleY);
        return;
    }
    DrawAlignedText(
        canvas, map.Rect(BoundsRect), origin.x(), origin.y(), DisplayText(), Alignment, Layout, TextFlags);
}

void TRLFillRectObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    ToCanvasBrush(Brush, canvas.Brush);
    canvas.FillRect(map.Rect(BoundsRect));
}

void TRLEllipseObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    SetPen(canvas, Pen, scaleX);
    ToCanvasBrush(Brush, canvas.Brush);
    canvas.Ellipse(map.Rect(BoundsRect));
}

void TRLPolygonObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    SetPen(canvas, Pen, scaleX);
    ToCanvasBrush(Brush, canvas.Brush);
    canvas.Polygon(map.Points(Points));
}

void TRLPolylineObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    SetPen(canvas, Pen, scaleX);
    canvas.Brush.Style = bsClear;
    canvas.Polyline(map.Points(Points));
}

void TRLImageObject::PaintTo(TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    DrawPicture(canvas, map.Rect(BoundsRect), Data, IntegralWidth != 0);
}

void TRLSetClipRectObject::PaintTo(
    TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    const TMapping map { offsetX, offsetY, scaleX, scaleY };
    Surface().PushPaintClip(map.Rect(BoundsRect));
    ApplyClipRect(canvas, Surface().ClipRect());
}

void TRLResetClipRectObject::PaintTo(
    TCanvas& canvas, int offsetX, int offsetY, double scaleX, double scaleY) const
{
    Q_UNUSED(offsetX);
    Q_UNUSED(offsetY);
    Q_UNUSED(scaleX);
    Q_UNUSED(scaleY);
    ApplyClipRect(canvas, Surface().PopPaintClip());
}

void TRLGraphicSurface::PaintTo(TCanvas& canvas, const TRect& rect)
{
    const double scaleX = Width != 0 ? double(rect.Width()) / Width : 1.0;
    const double scaleY = Height != 0 ? double(rect.Height()) / Height : 1.0;
    // Painting borrows the clip stack; drawing into the page afterwards finds it as it was.
    const std::vector<TRect> savedStack = std::move(m_clipStack);
    const TRect savedClip = m_clipRect;
    ResetPaintClips(rect);
    ApplyClipRect(canvas, rect);
    const auto restore = [&] {
        RemoveClip(canvas);
        m_clipStack = savedStack;
        m_clipRect = savedClip;
    };
    try {
        for (const auto& object : m_objects)
            object->PaintTo(canvas, rect.Left, rect.Top, scaleX, scaleY);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}
