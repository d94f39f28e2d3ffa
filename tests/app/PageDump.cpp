#include "PageDump.h"

#include "pages/RLGraphicObjects.h"
#include "pages/RLGraphicSurface.h"

#include <QCryptographicHash>
#include <QStringList>
#include <map>

namespace {

QString Hex(TRLStoredColor color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.Red, 2, 16, QLatin1Char('0'))
        .arg(color.Green, 2, 16, QLatin1Char('0'))
        .arg(color.Blue, 2, 16, QLatin1Char('0'));
}

QString Bounds(const TRect& rect)
{
    return QStringLiteral("%1,%2,%3,%4").arg(rect.Left).arg(rect.Top).arg(rect.Right).arg(rect.Bottom);
}

QString PenText(const TRLMetaPen& pen)
{
    return QStringLiteral("pen=%1/mode%2/style%3/w%4")
        .arg(Hex(pen.Color))
        .arg(pen.Mode)
        .arg(pen.Style)
        .arg(pen.Width);
}

QString BrushText(const TRLMetaBrush& brush)
{
    return QStringLiteral("brush=%1/style%2").arg(Hex(brush.Color)).arg(brush.Style);
}

QString PointsText(const std::vector<QPoint>& points)
{
    QStringList parts;
    for (const QPoint& point : points)
        parts << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
    return QStringLiteral("points=") + parts.join(u' ');
}

QString StyleText(quint8 style)
{
    QString text;
    const std::pair<quint8, QChar> bits[] = { { 1, u'B' }, { 2, u'I' }, { 4, u'U' }, { 8, u'S' } };
    for (const auto& [bit, letter] : bits)
        if (style & bit)
            text += letter;
    return text.isEmpty() ? QStringLiteral("-") : text;
}

QString AlignmentText(TRLMetaTextAlignment alignment)
{
    switch (alignment) {
    case TRLMetaTextAlignment::Left:
        return QStringLiteral("left");
    case TRLMetaTextAlignment::Right:
        return QStringLiteral("right");
    case TRLMetaTextAlignment::Center:
        return QStringLiteral("center");
    case TRLMetaTextAlignment::Justify:
        return QStringLiteral("justify");
    }
    return QStringLiteral("?%1").arg(int(alignment));
}

QString LayoutText(TRLMetaTextLayout layout)
{
    switch (layout) {
    case TRLMetaTextLayout::Top:
        return QStringLiteral("top");
    case TRLMetaTextLayout::Bottom:
        return QStringLiteral("bottom");
    case TRLMetaTextLayout::Center:
        return QStringLiteral("center");
    }
    return QStringLiteral("?%1").arg(int(layout));
}

/// Quoted, with the characters that would break the one-line form escaped.
QString Quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out + u'"';
}

QString TextFields(const TRLTextObject& text)
{
    const TRLMetaFont& font = text.Font;
    return QStringLiteral("origin=%1,%2 %3/%4 flags=%5 font=%6/h%7/%8pt/%9/cs%10/%11/pitch%12/ppi%13 %14 %15")
        .arg(text.Origin.x())
        .arg(text.Origin.y())
        .arg(AlignmentText(text.Alignment), LayoutText(text.Layout))
        .arg(text.TextFlags)
        .arg(Quoted(font.Name()))
        .arg(font.Height)
        .arg(font.Size)
        .arg(StyleText(font.Style))
        .arg(font.Charset)
        .arg(Hex(font.Color))
        .arg(font.Pitch)
        .arg(font.PixelsPerInch)
        .arg(BrushText(text.Brush), Quoted(text.Text));
}

QString ImageFields(const TRLImageObject& image)
{
    const QByteArray digest = QCryptographicHash::hash(image.Data, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("bytes=%1 sha1=%2 integral=%3")
        .arg(image.Data.size())
        .arg(QString::fromLatin1(digest))
        .arg(int(image.IntegralWidth));
}

QString KindFields(const TRLGraphicObject& object)
{
    switch (object.Kind()) {
    case TRLObjectKind::Pixel:
        return QStringLiteral("color=") + Hex(static_cast<const TRLPixelObject&>(object).Color);
    case TRLObjectKind::Line: {
        const auto& line = static_cast<const TRLLineObject&>(object);
        return QStringLiteral("from=%1,%2 to=%3,%4 %5 %6")
            .arg(line.FromPoint.x())
            .arg(line.FromPoint.y())
            .arg(line.ToPoint.x())
            .arg(line.ToPoint.y())
            .arg(PenText(line.Pen), BrushText(line.Brush));
    }
    case TRLObjectKind::Rectangle: {
        const auto& rectangle = static_cast<const TRLRectangleObject&>(object);
        return PenText(rectangle.Pen) + u' ' + BrushText(rectangle.Brush);
    }
    case TRLObjectKind::Text:
        return TextFields(static_cast<const TRLTextObject&>(object));
    case TRLObjectKind::FillRect:
        return BrushText(static_cast<const TRLFillRectObject&>(object).Brush);
    case TRLObjectKind::Ellipse: {
        const auto& ellipse = static_cast<const TRLEllipseObject&>(object);
        return PenText(ellipse.Pen) + u' ' + BrushText(ellipse.Brush);
    }
    case TRLObjectKind::Polygon: {
        const auto& polygon = static_cast<const TRLPolygonObject&>(object);
        return PenText(polygon.Pen) + u' ' + BrushText(polygon.Brush) + u' ' + PointsText(polygon.Points);
    }
    case TRLObjectKind::Polyline: {
        const auto& polyline = static_cast<const TRLPolylineObject&>(object);
        return PenText(polyline.Pen) + u' ' + PointsText(polyline.Points);
    }
    case TRLObjectKind::Image:
        return ImageFields(static_cast<const TRLImageObject&>(object));
    case TRLObjectKind::SetClipRect:
    case TRLObjectKind::ResetClipRect:
        return {};
    }
    return {};
}

QString KindName(TRLObjectKind kind)
{
    switch (kind) {
    case TRLObjectKind::Pixel:
        return QStringLiteral("pixel");
    case TRLObjectKind::Line:
        return QStringLiteral("line");
    case TRLObjectKind::Rectangle:
        return QStringLiteral("rectangle");
    case TRLObjectKind::Text:
        return QStringLiteral("text");
    case TRLObjectKind::FillRect:
        return QStringLiteral("fillrect");
    case TRLObjectKind::Ellipse:
        return QStringLiteral("ellipse");
    case TRLObjectKind::Polygon:
        return QStringLiteral("polygon");
    case TRLObjectKind::Polyline:
        return QStringLiteral("polyline");
    case TRLObjectKind::Image:
        return QStringLiteral("image");
    case TRLObjectKind::SetClipRect:
        return QStringLiteral("setclip");
    case TRLObjectKind::ResetClipRect:
        return QStringLiteral("resetclip");
    }
    return QStringLiteral("kind%1").arg(int(kind));
}

} // namespace

QString DumpPage(const TRLGraphicSurface& page)
{
    QStringList lines;
    lines << QStringLiteral("page %1x%2 objects=%3 macros=%4")
                 .arg(page.Width)
                 .arg(page.Height)
                 .arg(page.ObjectCount())
                 .arg(page.Macros().Strings().join(u';'));
    std::map<qint32, int> groups;
    for (int i = 0; i < page.ObjectCount(); ++i) {
        const TRLGraphicObject& object = *page.Objects(i);
        const int group = groups.emplace(object.GroupId, int(groups.size()) + 1).first->second;
        QString line
            = QStringLiteral("%1 %2 g%3").arg(KindName(object.Kind()), Bounds(object.BoundsRect)).arg(group);
        const QString fields = KindFields(object);
        if (!fields.isEmpty())
            line += u' ' + fields;
        lines << line;
    }
    return lines.join(u'\n') + u'\n';
}
