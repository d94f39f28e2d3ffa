#include "support/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kPixelsPerInch = 96.0;
constexpr double kMillimetersPerInch = 25.4;
constexpr double kDegreesPerHalfTurn = 180.0;

// The default rounding mode sends halves to the even neighbour, as the layout expects. Values
// from a page file may be absurd: they are held to int, and not-a-number is 0.
int RoundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::clamp<double>(
        std::nearbyint(value), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double AxisFactor(int targetSize, int boundsSize)
{
    return boundsSize == 0 ? 0.0 : double(targetSize) / double(boundsSize);
}

void MapPoints(TPointList& points, const TRect& bounds, const TRect& target, double fx, double fy)
{
    for (QPoint& point : points) {
        point = QPoint(RoundToInt((point.x() - bounds.Left) * fx + target.Left),
            RoundToInt((point.y() - bounds.Top) * fy + target.Top));
    }
}

} // namespace

int MillimetersToPixels(double millimeters)
{
    return RoundToInt(millimeters * kPixelsPerInch / kMillimetersPerInch);
}

TRect MoveRect(const TRect& rect, int x, int y)
{
    return TRect::FromSize(x, y, rect.Width(), rect.Height());
}

int RectWidth(const TRect& rect)
{
    return rect.Width();
}

int RectHeight(const TRect& rect)
{
    return rect.Height();
}

TRect InsetByMargins(const TRect& rect, const TMargins& margins)
{
    return { rect.Left + margins.Left, rect.Top + margins.Top, rect.Right - margins.Right,
        rect.Bottom - margins.Bottom };
}

TRect OutsetByMargins(const TRect& rect, const TMargins& margins)
{
    return { rect.Left - margins.Left, rect.Top - margins.Top, rect.Right + margins.Right,
        rect.Bottom + margins.Bottom };
}

TRect ScaleRect(const TRect& source, const TRect& target, bool center)
{
    int width = 0;
    int height = 0;
    if (source.Width() != 0 && source.Height() != 0) {
        const double widthRatio = double(target.Width()) / source.Width();
        const double heightRatio = double(target.Height()) / source.Height();
        if (widthRatio > heightRatio) {
            height = target.Height();
            width = RoundToInt(double(source.Width()) * target.Height() / source.Height());
        } else {
            width = target.Width();
            height = RoundToInt(double(source.Height()) * target.Width() / source.Width());
        }
    }
    TRect result = TRect::FromSize(target.Left, target.Top, width, height);
    if (center)
        result = MoveRect(
            result, target.Left + (target.Width() - width) / 2, target.Top + (target.Height() - height) / 2);
    return result;
}

std::optional<QImage> ClipGraphic(const QImage& graphic, TRect& rect, bool center)
{
    int left = rect.Left;
    int top = rect.Top;
    if (center) {
        left += (rect.Width() - graphic.width()) / 2;
        top += (rect.Height() - graphic.height()) / 2;
    }
    const TRect placed = TRect::FromSize(left, top, graphic.width(), graphic.height());
    const TRect visible { std::max(rect.Left, placed.Left), std::max(rect.Top, placed.Top),
        std::min(rect.Right, placed.Right), std::min(rect.Bottom, placed.Bottom) };
    if (visible.IsEmpty())
        return std::nullopt;
    rect = visible;
    const QRect part(visible.Left - placed.Left, visible.Top - placed.Top, visible.Width(), visible.Height());
    return graphic.copy(part).convertToFormat(QImage::Format_ARGB32);
}

TRect PointsBounds(const TPointList& points)
{
    if (points.empty())
        return {};
    TRect bounds { points.front().x(), points.front().y(), points.front().x(), points.front().y() };
    for (const QPoint& point : points) {
        bounds.Left = std::min(bounds.Left, point.x());
        bounds.Top = std::min(bounds.Top, point.y());
        bounds.Right = std::max(bounds.Right, point.x());
        bounds.Bottom = std::max(bounds.Bottom, point.y());
    }
    return bounds;
}

TRect PointsBoundsOutset(const TPointList& points)
{
    return OutsetByMargins(PointsBounds(points), { 1, 1, 1, 1 });
}

void RotatePoints(TPointList& points, double degrees)
{
    if (points.empty())
        return;
    double sumX = 0;
    double sumY = 0;
    for (const QPoint& point : points) {
        sumX += point.x();
        sumY += point.y();
    }
    const int mx = RoundToInt(sumX / double(points.size()));
    const int my = RoundToInt(sumY / double(points.size()));
    const double theta = -degrees * std::numbers::pi / kDegreesPerHalfTurn;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    for (QPoint& point : points) {
        const double x = point.x() - mx;
        const double y = point.y() - my;
        point = QPoint(RoundToInt(x * c - y * s) + mx, RoundToInt(x * s + y * c) + my);
    }
}

void StretchPoints(TPointList& points, const TRect& target)
{
    const TRect bounds = PointsBounds(points);
    double fx = AxisFactor(target.Width(), bounds.Width());
    double fy = AxisFactor(target.Height(), bounds.Height());
    if (fx == 0)
        fx = 1;
    if (fy == 0)
        fy = 1;
    MapPoints(points, bounds, target, fx, fy);
}

void ScalePoints(TPointList& points, const TRect& target)
{
    const TRect bounds = PointsBounds(points);
    double fx = AxisFactor(target.Width(), bounds.Width());
    double fy = AxisFactor(target.Height(), bounds.Height());
    if (fx == 0 && fy == 0)
        return;
    if (fx == 0)
        fx = fy;
    if (fy == 0)
        fy = fx;
    const double factor = std::min(fx, fy);
    MapPoints(points, bounds, target, factor, factor);
}

void CenterPoints(TPointList& points, const TRect& target)
{
    const TRect bounds = PointsBounds(points);
    const QPoint offset((target.Width() - bounds.Width()) / 2 + target.Left - bounds.Left,
        (target.Height() - bounds.Height()) / 2 + target.Top - bounds.Top);
    for (QPoint& point : points)
        point += offset;
}
