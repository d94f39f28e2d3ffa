#include "report/RLDraw.h"

#include "pages/RLGraphicSurface.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

using enum TRLDrawKind;
using enum TRLDrawOption;

namespace {

constexpr int kDrawSize = 48;
constexpr int kEllipsePoints = 36;
constexpr double kEllipseRadius = 1000;
constexpr QChar kEndOfFile = QChar(26);
constexpr QStringView kLineBreak = u"\r\n";
constexpr double kQuarterTurn = 90;

bool IsSeparator(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == kEndOfFile;
}

TPointList EllipsePoints()
{
    TPointList points;
    for (int i = 0; i < kEllipsePoints; ++i) {
        const double a = i * 2 * std::numbers::pi / kEllipsePoints;
        points.emplace_back(int(std::nearbyint(kEllipseRadius * std::cos(a) + kEllipseRadius)),
            int(std::nearbyint(kEllipseRadius * std::sin(a) + kEllipseRadius)));
    }
    return points;
}

struct LegacyKind {
    QStringView name;
    TRLDrawKind kind;
    TRLDrawOptions options;
    QStringView drawData;
    double extraAngle;
};

const LegacyKind kLegacyKinds[] = {
    { u"dkRectangle", dkRectangle, doKeepSize, {}, 0 },
    { u"dkLine", dkCustom, doKeepSize, u"0 0 1 1", 0 },
    { u"dkTriangle", dkTriangle, doKeepSize, {}, 0 },
    { u"dkElipse", dkElipse, doKeepSize, {}, 0 },
    { u"dkArrow", dkArrow, doKeepSize, {}, 0 },
    { u"dkCircle", dkElipse, doKeepAspectRatio, {}, 0 },
    { u"dkHorzLine", dkLine, doKeepSize, {}, 0 },
    { u"dkVertLine", dkLine, doKeepSize | doKeepVisible, {}, kQuarterTurn },
    { u"dkReverseLine", dkCustom, doKeepSize, u"1 0 0 1", 0 },
};

} // namespace

TPointList ParseDrawData(QStringView text)
{
    TPointList points;
    qint64 pending = -1;
    qsizetype p = 0;
    while (p < text.size()) {
        if (IsSeparator(text[p])) {
            ++p;
            continue;
        }
        if (text[p] < u'0' || text[p] > u'9')
            break;
        qint64 number = 0;
        while (p < text.size() && text[p] >= u'0' && text[p] <= u'9') {
            // Coordinates beyond the integer range are held at its end rather than wrapping.
            number = std::min<qint64>(number * 10 + (text[p].unicode() - u'0'), INT_MAX);
            ++p;
        }
        if (pending < 0) {
            pending = number;
        } else {
            points.emplace_back(int(pending), int(number));
            pending = -1;
        }
    }
    return points;
}

QStringList FormatDrawData(const TPointList& points)
{
    QStringList lines;
    for (const QPoint& point : points)
        lines << QString::number(point.x()) + QLatin1Char(' ') + QString::number(point.y());
    return lines;
}

TRLCustomDraw::TRLCustomDraw(TComponent* owner)
    : TRLCustomControl(owner)
{
    SetBounds(Left(), Top(), kDrawSize, kDrawSize);
}

QString TRLCustomDraw::ClassName() const
{
    return QStringLiteral("TRLCustomDraw");
}

void TRLCustomDraw::SetDrawKind(TRLDrawKind kind)
{
    m_drawKind = kind;
    if (kind != dkCustom)
        m_drawData = FormatDrawData(ShapePoints());
}

void TRLCustomDraw::SetDrawData(const QStringList& data)
{
    if (data.join(kLineBreak) == m_drawData.join(kLineBreak))
        return;
    m_drawData = data;
    m_drawKind = dkCustom;
}

void TRLCustomDraw::SetDrawWidth(int width)
{
    if (width == m_drawWidth)
        return;
    m_drawWidth = width;
    FitBounds();
}

void TRLCustomDraw::SetDrawHeight(int height)
{
    if (height == m_drawHeight)
        return;
    m_drawHeight = height;
    FitBounds();
}

void TRLCustomDraw::SetOptions(TRLDrawOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    FitBounds();
}

void TRLCustomDraw::ReadLegacyKind(QStringView kind)
{
    for (const LegacyKind& legacy : kLegacyKinds) {
        if (kind.compare(legacy.name, Qt::CaseInsensitive) != 0)
            continue;
        SetDrawKind(legacy.kind);
        SetOptions(legacy.options);
        if (!legacy.drawData.isEmpty())
            SetDrawData(legacy.drawData.toString().split(u'\n'));
        Angle += legacy.extraAngle;
        return;
    }
}

TPointList TRLCustomDraw::ShapePoints() const
{
    switch (m_drawKind) {
    case dkRectangle:
        return { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 } };
    case dkLine:
        return { { 0, 0 }, { 1, 0 } };
    case dkTriangle:
        return { { 0, 87 }, { 50, 0 }, { 100, 87 } };
    case dkElipse:
        return EllipsePoints();
    case dkArrow:
        return { { 0, 2 }, { 5, 2 }, { 5, 0 }, { 8, 3 }, { 5, 6 }, { 5, 4 }, { 0, 4 } };
    case dkCustom:
        return ParseDrawData(m_drawData.join(kLineBreak));
    }
    return {};
}

void TRLCustomDraw::FitPoints(TPointList& points, const TRect& rect) const
{
    TRect target = rect;
    if (m_drawWidth != 0)
        target.Right = int(std::clamp<qint64>(qint64(target.Left) + m_drawWidth, INT_MIN, INT_MAX));
    if (m_drawHeight != 0)
        target.Bottom = int(std::clamp<qint64>(qint64(target.Top) + m_drawHeight, INT_MIN, INT_MAX));
    if (m_options & doKeepVisible) {
        const int side = std::min(target.Width(), target.Height());
        target.Right = target.Left + side;
        target.Bottom = target.Top + side;
    }
    if (m_options & doKeepAspectRatio)
        ScalePoints(points, target);
    else
        StretchPoints(points, target);
}

void TRLCustomDraw::EmitToSurface()
{
    TRLCustomControl::EmitToSurface();
    TRect rect = SurfaceClientRect();
    --rect.Right;
    --rect.Bottom;
    TRLGraphicSurface& surface = *RequireSurface();
    NewGroupId();
    surface.SetBrush(Brush);
    surface.SetPen(Pen);
    // A thick outline is centred on the shape's edge; the inset keeps all of it in the control.
    const int penWidth = Pen.Width;
    if (penWidth > 1) {
        rect.Left += penWidth / 2;
        rect.Top += penWidth / 2;
        rect.Right -= (penWidth - 1) / 2;
        rect.Bottom -= (penWidth - 1) / 2;
    }
    TPointList points = ShapePoints();
    if (points.empty())
        return;
    FitPoints(points, rect);
    // A turn that is no number leaves the shape as it is.
    RotatePoints(points, std::isfinite(Angle) ? Angle : 0.0);
    if (!(m_options & doKeepSize))
        FitPoints(points, rect);
    if (Center)
        CenterPoints(points, rect);
    surface.Polygon(points);
}

TRLDraw::TRLDraw(TComponent* owner)
    : TRLCustomDraw(owner)
{
}

QString TRLDraw::ClassName() const
{
    return QStringLiteral("TRLDraw");
}
