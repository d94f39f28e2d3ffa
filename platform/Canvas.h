#pragma once

#include "platform/Graphics.h"
#include "platform/Rect.h"

#include <QImage>
#include <QPoint>
#include <QStringView>
#include <span>

class QPainter;

/// A drawing canvas over an active QPainter with the platform's habits: current pen, brush and
/// font applied at each call, a pen position for MoveTo/LineTo, rectangles with exclusive right and
/// bottom, text placed by the top-left of its cell, no antialiasing. The painter must outlive it.
class TCanvas {
public:
    explicit TCanvas(QPainter& painter);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QPainter& Painter() const { return m_painter; }

    TPen Pen;
    TBrush Brush;
    /// Height in pixels at FontPixelsPerInch (negative for the em height, as TFont has it).
    TFont Font;
    /// Resolution that font point sizes map to: 96 on screen and images, the printer's on a printer.
    int FontPixelsPerInch = kScreenPixelsPerInch;
    /// Screen only: text is sized by FontPixelSize (fractional em height in pixels) and measured
    /// with fractional advances, so it scales smoothly with the zoom. Off for printers.
    bool SmoothText = false;
    /// The em height in pixels that SmoothText draws with; 0 uses Font.Height.
    double FontPixelSize = 0;

    QPoint PenPos() const { return m_penPos; }
    void MoveTo(int x, int y);
    /// A line from the pen position to (x, y), the end point itself not drawn; moves the pen there.
    void LineTo(int x, int y);

    /// Fills the rectangle with the brush, no outline.
    void FillRect(const TRect& rect);
    /// Outline with the pen inside the rectangle, interior with the brush.
    void Rectangle(const TRect& rect);
    void Ellipse(const TRect& rect);
    void Polygon(std::span<const QPoint> points);
    void Polyline(std::span<const QPoint> points);

    int TextWidth(QStringView text) const;
    int TextHeight(QStringView text) const;
    /// Of the current font: fractional with SmoothText, whole otherwise.
    double Ascent() const;
    double Descent() const;
    double ExactTextWidth(QStringView text) const;
    /// Text whose baseline starts at (x, baseline), no background; the clip applies.
    void DrawTextAt(double x, double baseline, QStringView text);
    /// Text whose cell's top-left corner is (x, y), over the brush unless the brush is clear.
    void TextOut(int x, int y, QStringView text);
    /// As TextOut, with the drawing cut to rect.
    void TextRect(const TRect& rect, int x, int y, QStringView text);

    void StretchDraw(const TRect& rect, const QImage& picture);

    /// Intersects the clip region with rect (the platform's IntersectClipRect).
    void IntersectClipRect(const TRect& rect);
    void RemoveClip();

private:
    void ApplyPen(bool withBrush) const;
    QFont DeviceFont() const;
    bool Scaled() const;
    double FontScale() const;

    QPainter& m_painter;
    QPoint m_penPos;
};
