#include "filters/RLPDFContent.h"

#include "filters/RLPDFFonts.h"
#include "filters/RLPDFImages.h"
#include "filters/RLPDFWriter.h"
#include "pages/RLGraphicObjects.h"
#include "platform/Measure.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int kEllipsePoints = 36;

QByteArray Color(const TRLStoredColor& color)
{
    return PdfColorComponent(color.Red) + ' ' + PdfColorComponent(color.Green) + ' '
        + PdfColorComponent(color.Blue);
}

QByteArray DashLine(quint8 style)
{
    switch (style) {
    case MetaPenStyleDash:
        return QByteArrayLiteral("[3] 0 d");
    case MetaPenStyleDot:
        return QByteArrayLiteral("[1] 0 d");
    case MetaPenStyleDashDot:
        return QByteArrayLiteral("[2 1] 0 d");
    case MetaPenStyleDashDotDot:
        return QByteArrayLiteral("[3 5] 6 d");
    case MetaPenStyleClear:
        return {};
    default:
        return QByteArrayLiteral("[] 0 d");
    }
}

void WritePen(TRLPDFWriter& writer, const TRLMetaPen& pen)
{
    const bool clear = pen.Style == MetaPenStyleClear;
    writer.WriteLine((clear ? QByteArrayLiteral("0") : PdfPoints(pen.Width)) + " w");
    writer.WriteLine("0 J");
    const QByteArray dash = DashLine(pen.Style);
    if (!dash.isEmpty())
        writer.WriteLine(dash);
    writer.WriteLine(Color(pen.Color) + " RG");
}

}

int TRLPDFTextMeasurer::TextWidth(const QString& text, const QString& faceName, int pointSize)
{
    const auto key = std::make_pair(faceName, pointSize);
    auto found = m_metrics.find(key);
    if (found == m_metrics.end()) {
        TFont font;
        font.Name = faceName;
        font.SetSize(pointSize);
        font.Style = {};
        found = m_metrics.emplace(key, MeasuringMetrics(font)).first;
    }
    return found->second.horizontalAdvance(text);
}

TRLPDFPageContent::TRLPDFPageContent(TRLPDFWriter& writer, TRLPDFFontTable& fonts,
    TRLPDFTextMeasurer& measurer, int pageHeight, std::vector<int> imageNumbers)
    : m_writer(writer)
    , m_fonts(fonts)
    , m_measurer(measurer)
    , m_pageHeight(pageHeight)
    , m_imageNumbers(std::move(imageNumbers))
{
}

QByteArray TRLPDFPageContent::Point(int x, int y) const
{
    return PdfPoints(x) + ' ' + PdfPoints(double(m_pageHeight) - y);
}

QByteArray TRLPDFPageContent::Point(const QPoint& point) const
{
    return Point(point.x(), point.y());
}

QByteArray TRLPDFPageContent::Rectangle(const TRect& rect) const
{
    return PdfPoints(rect.Left) + ' ' + PdfPoints(double(m_pageHeight) - rect.Bottom) + ' '
        + PdfPoints(double(rect.Right) - rect.Left) + ' ' + PdfPoints(double(rect.Bottom) - rect.Top);
}

void TRLPDFPageContent::WriteObject(const TRLGraphicObject& object)
{
    const TRect& bounds = object.BoundsRect;
    switch (object.Kind()) {
    case TRLObjectKind::Pixel:
        m_writer.WriteLine("0 w");
        m_writer.WriteLine("0 J");
        m_writer.WriteLine(Color(static_cast<const TRLPixelObject&>(object).Color) + " rg");
        m_writer.WriteLine(Rectangle(bounds) + " re");
        m_writer.WriteLine("f");
        break;
    case TRLObjectKind::Line: {
        const auto& line = static_cast<const TRLLineObject&>(object);
        WritePen(m_writer, line.Pen);
        m_writer.WriteLine(Point(line.FromPoint) + " m");
        m_writer.WriteLine(Point(line.ToPoint) + " l");
        m_writer.WriteLine("S");
        break;
    }
    case TRLObjectKind::Rectangle: {
        const auto& rectangle = static_cast<const TRLRectangleObject&>(object);
        WritePen(m_writer, rectangle.Pen);
        m_writer.WriteLine(Color(rectangle.Brush.Color) + " rg");
        m_writer.WriteLine(Rectangle(bounds) + " re");
        m_writer.WriteLine("f");
        break;
    }
    case TRLObjectKind::Text:
        WriteText(static_cast<const TRLTextObject&>(object));
        break;
    case TRLObjectKind::FillRect:
        m_writer.WriteLine("0 w");
        m_writer.WriteLine(Color(static_cast<const TRLFillRectObject&>(object).Brush.Color) + " rg");
        m_writer.WriteLine(Rectangle(bounds) + " re");
        m_writer.WriteLine("f");
        break;
    case TRLObjectKind::Ellipse: {
        const auto& ellipse = static_cast<const TRLEllipseObject&>(object);
        WritePen(m_writer, ellipse.Pen);
        m_writer.WriteLine(Color(ellipse.Brush.Color) + " rg");
        WriteEllipse(bounds);
        m_writer.WriteLine("b");
        break;
    }
    case TRLObjectKind::Polygon: {
        const auto& polygon = static_cast<const TRLPolygonObject&>(object);
        WritePen(m_writer, polygon.Pen);
        m_writer.WriteLine(Color(polygon.Brush.Color) + " rg");
        WritePoints(polygon.Points);
        m_writer.WriteLine("b");
        break;
    }
    case TRLObjectKind::Polyline: {
        const auto& polyline = static_cast<const TRLPolylineObject&>(object);
        WritePen(m_writer, polyline.Pen);
        WritePoints(polyline.Points);
        m_writer.WriteLine("S");
        break;
    }
    case TRLObjectKind::Image:
        WriteImage(bounds);
        break;
    case TRLObjectKind::SetClipRect:
        m_writer.WriteLine("q");
        m_writer.WriteLine(Rectangle(bounds) + " re");
        m_writer.WriteLine("W n");
        break;
    case TRLObjectKind::ResetClipRect:
        m_writer.WriteLine("Q");
        break;
    }
}

void TRLPDFPageContent::WriteText(const TRLTextObject& text)
{
    const TRect& bounds = text.BoundsRect;
    const QString displayText = text.DisplayText();
    const QString faceName = text.Font.Name();
    m_writer.WriteLine("q");
    m_writer.WriteLine(Color(text.Font.Color) + " rg");
    if (!(text.TextFlags & kTextFlagNoClip)) {
        m_writer.WriteLine(Rectangle(bounds) + " re");
        m_writer.WriteLine("W n");
    }
    int x = text.Origin.x();
    if (text.Alignment == TRLMetaTextAlignment::Right) {
        x = bounds.Right - m_measurer.TextWidth(displayText, faceName, text.Font.Size);
    } else if (text.Alignment == TRLMetaTextAlignment::Center) {
        const int width = m_measurer.TextWidth(displayText, faceName, text.Font.Size);
        x = (bounds.Left + bounds.Right - width) / 2;
    }
    const int font = m_fonts.Register(faceName, text.Font.Style & kMetaFontStyleMask, m_writer);
    m_writer.WriteLine("BT");
    m_writer.WriteLine("/F" + QByteArray::number(font) + ' ' + QByteArray::number(text.Font.Size) + " Tf");
    m_writer.WriteLine(Point(x, bounds.Bottom) + " Td");
    m_writer.WriteLine('(' + PdfStringBody(displayText) + ") Tj");
    m_writer.WriteLine("ET");
    m_writer.WriteLine("Q");
}

void TRLPDFPageContent::WriteEllipse(const TRect& bounds)
{
    const double cx = (double(bounds.Left) + bounds.Right) / 2;
    const double cy = (double(bounds.Top) + bounds.Bottom) / 2;
    const double rx = (double(bounds.Right) - bounds.Left) / 2;
    const double ry = (double(bounds.Bottom) - bounds.Top) / 2;
    QByteArray line;
    for (int i = 0; i < kEllipsePoints; ++i) {
        const double angle = i * 2 * std::numbers::pi / kEllipsePoints;
        const double x = cx + rx * std::cos(angle);
        const double y = cy + ry * std::sin(angle);
        line += PdfPoints(x) + ' ' + PdfPoints(m_pageHeight - y) + (i == 0 ? " m " : " l ");
    }
    m_writer.WriteLine(line);
}

void TRLPDFPageContent::WritePoints(const std::vector<QPoint>& points)
{
    bool first = true;
    for (const QPoint& point : points) {
        m_writer.WriteLine(Point(point) + (first ? " m " : " l "));
        first = false;
    }
}

void TRLPDFPageContent::WriteImage(const TRect& bounds)
{
    const int image
        = m_nextImage < m_imageNumbers.size() ? m_imageNumbers[m_nextImage] : TRLPDFImageList::kNoImage;
    ++m_nextImage;
    if (image == TRLPDFImageList::kNoImage)
        return;
    m_writer.WriteLine("q");
    m_writer.WriteLine("1 0 0 1 " + Point(bounds.Left, bounds.Bottom) + " cm");
    m_writer.WriteLine(PdfPoints(double(bounds.Right) - bounds.Left) + " 0 0 "
        + PdfPoints(double(bounds.Bottom) - bounds.Top) + " 0 0 cm");
    m_writer.WriteLine("/Image" + QByteArray::number(image) + " Do");
    m_writer.WriteLine("Q");
}
