#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>

namespace {

/// Smooth text is measured and drawn at least this large, then scaled to its size.
constexpr int kReferencePixelSize = 24;

QPainter::CompositionMode CompositionOf(TPenMode mode)
{
    static constexpr QPainter::CompositionMode kModes[kPenModeCount] = {
        QPainter::RasterOp_ClearDestination,
        QPainter::RasterOp_SetDestination,
        QPainter::CompositionMode_Destination,
        QPainter::RasterOp_NotDestination,
        QPainter::CompositionMode_SourceOver,
        QPainter::RasterOp_NotSource,
        QPainter::RasterOp_SourceOrNotDestination,
        QPainter::RasterOp_SourceAndNotDestination,
        QPainter::RasterOp_NotSourceOrDestination,
        QPainter::RasterOp_NotSourceAndDestination,
        QPainter::RasterOp_SourceOrDestination,
        QPainter::RasterOp_NotSourceAndNotDestination,
        QPainter::RasterOp_SourceAndDestination,
        QPainter::RasterOp_NotSourceOrNotDestination,
        QPainter::RasterOp_SourceXorDestination,
        QPainter::RasterOp_NotSourceXorDestination,
    };
    return mode < kPenModeCount ? kModes[mode] : QPainter::CompositionMode_SourceOver;
}

/// The outline rectangle whose one-dot pen covers the dots left .. right - 1 and top .. bottom - 1.
QRect OutlineRect(const TRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
}

} // namespace

TCanvas::TCanvas(QPainter& painter)
    : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void TCanvas::ApplyPen(bool withBrush) const
{
    QPen pen = ToQPen(Pen);
    // Line ends stop at the end point, so that dashes laid out by hand keep their length.
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
    m_painter.setBrush(withBrush ? ToQBrush(Brush) : QBrush(Qt::NoBrush));
    // Raster operations exist only on raster devices; a printer draws them as copy.
    const QPaintEngine* engine = m_painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster)
        m_painter.setCompositionMode(CompositionOf(Pen.Mode));
}

bool TCanvas::Scaled() const
{
    return SmoothText && FontPixelSize > 0;
}

QFont TCanvas::DeviceFont() const
{
    QFont font = ToQFont(Font);
    // Qt rounds every font size to whole pixels; a fractional size is the reference size
    // drawn and measured through a scale.
    if (Scaled())
        font.setPixelSize(std::max(kReferencePixelSize, qRound(FontPixelSize)));
    return font;
}

double TCanvas::FontScale() const
{
    return Scaled() ? FontPixelSize / std::max(kReferencePixelSize, qRound(FontPixelSize)) : 1.0;
}

void TCanvas::DrawTextAt(double x, double baseline, QStringView text)
{
    m_painter.setFont(DeviceFont());
    m_painter.setPen(ToQColor(Font.Color));
    if (!Scaled()) {
        m_painter.drawText(QPointF(x, baseline), text.toString());
        return;
    }
    m_painter.save();
    m_painter.translate(x, baseline);
    m_painter.scale(FontScale(), FontScale());
    m_painter.drawText(QPointF(0, 0), text.toString());
    m_painter.restore();
}

void TCanvas::MoveTo(int x, int y)
{
    m_penPos = QPoint(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    ApplyPen(false);
    if (to != m_penPos)
        m_painter.drawLine(m_penPos, to);
    m_penPos = to;
}

void TCanvas::FillRect(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.fillRect(rect.ToQRect(), ToQBrush(Brush));
}

void TCanvas::Rectangle(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    ApplyPen(true);
    if (Pen.Style == psClear) {
        m_painter.setPen(Qt::NoPen);
        m_painter.drawRect(rect.ToQRect());
        return;
    }
    // A one-dot-wide or high rectangle is all outline; the painter draws nothing for it.
    if (rect.Width() == 1 || rect.Height() == 1) {
        m_painter.fillRect(rect.ToQRect(), ToQColor(Pen.Color));
        return;
    }
    m_painter.drawRect(OutlineRect(rect));
}

void TCanvas::Ellipse(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    ApplyPen(true);
    m_painter.drawEllipse(OutlineRect(rect));
}

void TCanvas::Polygon(std::span<const QPoint> points)
{
    if (points.empty())
        return;
    ApplyPen(true);
    m_painter.drawPolygon(points.data(), int(points.size()), Qt::OddEvenFill);
}

void TCanvas::Polyline(std::span<const QPoint> points)
{
    if (points.empty())
        return;
    ApplyPen(false);
    m_painter.drawPolyline(points.data(), int(points.size()));
}

int TCanvas::TextWidth(QStringView text) const
{
    if (Scaled())
        return qRound(ExactTextWidth(text));
    return QFontMetrics(DeviceFont(), m_painter.device()).horizontalAdvance(text.toString());
}

double TCanvas::ExactTextWidth(QStringView text) const
{
    if (!Scaled())
        return TextWidth(text);
    return QFontMetricsF(DeviceFont(), m_painter.device()).horizontalAdvance(text.toString()) * FontScale();
}

int TCanvas::TextHeight(QStringView text) const
{
    Q_UNUSED(text);
    if (Scaled())
        return qRound(QFontMetricsF(DeviceFont(), m_painter.device()).height() * FontScale());
    return QFontMetrics(DeviceFont(), m_painter.device()).height();
}

double TCanvas::Ascent() const
{
    if (Scaled())
        return QFontMetricsF(DeviceFont(), m_painter.device()).ascent() * FontScale();
    return QFontMetrics(DeviceFont(), m_painter.device()).ascent();
}

double TCanvas::Descent() const
{
    if (Scaled())
        return QFontMetricsF(DeviceFont(), m_painter.device()).descent() * FontScale();
    return QFontMetrics(DeviceFont(), m_painter.device()).descent();
}

void TCanvas::TextOut(int x, int y, QStringView text)
{
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Brush.Style != bsClear)
        m_painter.fillRect(QRect(x, y, TextWidth(text), TextHeight(text)), ToQColor(Brush.Color));
    DrawTextAt(x, y + Ascent(), text);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, QStringView text)
{
    m_painter.save();
    m_painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
    // An opaque brush paints the whole rectangle, as the platform's clipped text output does.
    if (Brush.Style != bsClear && !rect.IsEmpty())
        m_painter.fillRect(rect.ToQRect(), ToQColor(Brush.Color));
    DrawTextAt(x, y + Ascent(), text);
    m_painter.restore();
}

void TCanvas::StretchDraw(const TRect& rect, const QImage& picture)
{
    if (rect.IsEmpty() || picture.isNull())
        return;
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.drawImage(rect.ToQRect(), picture);
}

void TCanvas::IntersectClipRect(const TRect& rect)
{
    m_painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
}

void TCanvas::RemoveClip()
{
    m_painter.setClipping(false);
}
