#include "filters/RLPDFContent.h"

#include "filters/RLPDFFonts.h"
#include "filters/RLPDFImages.h"
#include "filters/RLPDFWriter.h"
#include "pages/RLGraphicObjects.h"
#include "pages/RLPictureData.h"
#include "support/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr int kEllipsePoints = 36;
/// The damaged-picture notice as the preview draws it: at most 11 dots high, 2 from the frame.
constexpr qint64 kNoticeMaxDots = 11;
constexpr qint64 kNoticeMarginDots = 2;
constexpr int kPointsPerInch = 72;
constexpr int kDotsPerInch = 96;

constexpr double kColorScale = 255.0;

void WriteColor(TRLPDFWriter& writer, const TRLStoredColor& color, QByteArrayView operatorName)
{
    writer.WriteNumber(color.Red / kColorScale);
    writer.Write(" ");
    writer.WriteNumber(color.Green / kColorScale);
    writer.Write(" ");
    writer.WriteNumber(color.Blue / kColorScale);
    writer.WriteLine(operatorName);
}

QByteArrayView DashLine(quint8 style)
{
    switch (style) {
    case MetaPenStyleDash:
        return "[3] 0 d";
    case MetaPenStyleDot:
        return "[1] 0 d";
    case MetaPenStyleDashDot:
        return "[2 1] 0 d";
    case MetaPenStyleDashDotDot:
        return "[3 5] 6 d";
    case MetaPenStyleClear:
        return {};
    default:
        return "[] 0 d";
    }
}

/// The pen's width, cap and dash, then its colour for stroking.
void WritePen(TRLPDFWriter& writer, const TRLMetaPen& pen)
{
    if (pen.Style == MetaPenStyleClear)
        writer.Write("0");
    else
        writer.WritePoints(pen.Width);
    writer.WriteLine(" w");
    writer.WriteLine("0 J");
    const QByteArrayView dash = DashLine(pen.Style);
    if (!dash.isEmpty())
        writer.WriteLine(dash);
    WriteColor(writer, pen.Color, " RG");
}

}

TRLPDFPageContent::TRLPDFPageContent(
    TRLPDFWriter& writer, TRLPDFFontTable& fonts, int pageHeight, std::vector<int> imageNumbers)
    : m_writer(writer)
    , m_fonts(fonts)
    , m_pageHeight(pageHeight)
    , m_imageNumbers(std::move(imageNumbers))
{
}

void TRLPDFPageContent::BeginText(int font, int pointSize)
{
    m_writer.WriteLine("BT");
    m_writer.Write("/F");
    m_writer.WriteInteger(font);
    m_writer.Write(" ");
    m_writer.WriteInteger(pointSize);
    m_writer.WriteLine(" Tf");
}

void TRLPDFPageContent::WritePoint(double x, double y)
{
    m_writer.WritePoints(x);
    m_writer.Write(" ");
    m_writer.WritePoints(m_pageHeight - y);
}

void TRLPDFPageContent::WriteRectangle(const TRect& rect, QByteArrayView operatorName)
{
    m_writer.WritePoints(rect.Left);
    m_writer.Write(" ");
    m_writer.WritePoints(double(m_pageHeight) - rect.Bottom);
    m_writer.Write(" ");
    m_writer.WritePoints(double(rect.Right) - rect.Left);
    m_writer.Write(" ");
    m_writer.WritePoints(double(rect.Bottom) - rect.Top);
    m_writer.WriteLine(operatorName);
}

void TRLPDFPageContent::WriteObject(const TRLGraphicObject& object)
{
    const TRect& bounds = object.BoundsRect;
    switch (object.Kind()) {
    case TRLObjectKind::Pixel:
        m_writer.WriteLine("0 w");
        m_writer.WriteLine("0 J");
        WriteColor(m_writer, static_cast<const TRLPixelObject&>(object).Color, " rg");
        WriteRectangle(bounds, " re");
        m_writer.WriteLine("f");
        break;
    case TRLObjectKind::Line: {
        const auto& line = static_cast<const TRLLineObject&>(object);
        WritePen(m_writer, line.Pen);
        WritePoint(line.FromPoint.x(), line.FromPoint.y());
        m_writer.WriteLine(" m");
        WritePoint(line.ToPoint.x(), line.ToPoint.y());
        m_writer.WriteLine(" l");
        m_writer.WriteLine("S");
        break;
    }
    case TRLObjectKind::Rectangle: {
        const auto& rectangle = static_cast<const TRLRectangleObject&>(object);
        WritePen(m_writer, rectangle.Pen);
        WriteColor(m_writer, rectangle.Brush.Color, " rg");
        WriteRectangle(bounds, " re");
        m_writer.WriteLine("f");
        break;
    }
    case TRLObjectKind::Text:
        WriteText(static_cast<const TRLTextObject&>(object));
        break;
    case TRLObjectKind::FillRect:
        m_writer.WriteLine("0 w");
        WriteColor(m_writer, static_cast<const TRLFillRectObject&>(object).Brush.Color, " rg");
        WriteRectangle(bounds, " re");
        m_writer.WriteLine("f");
        break;
    case TRLObjectKind::Ellipse: {
        const auto& ellipse = static_cast<const TRLEllipseObject&>(object);
        WritePen(m_writer, ellipse.Pen);
        WriteColor(m_writer, ellipse.Brush.Color, " rg");
        WriteEllipse(bounds);
        m_writer.WriteLine("b");
        break;
    }
    case TRLObjectKind::Polygon: {
        const auto& polygon = static_cast<const TRLPolygonObject&>(object);
        WritePen(m_writer, polygon.Pen);
        WriteColor(m_writer, polygon.Brush.Color, " rg");
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
        WriteRectangle(bounds, " re");
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
    const QByteArray bytes = ToWindows1252(text.DisplayText());
    const int pointSize = text.Font.Size;
    m_writer.WriteLine("q");
    WriteColor(m_writer, text.Font.Color, " rg");
    if (!(text.TextFlags & kTextFlagNoClip)) {
        WriteRectangle(bounds, " re");
        m_writer.WriteLine("W n");
    }
    const int font = m_fonts.Register(text.Font.Name(), text.Font.Style & kMetaFontStyleMask, m_writer);
    // Measured by the widths the file gives the font (a bold face is wider than its regular
    // one), so that a right-aligned or centred text ends where its bounds say and is not cut by
    // their clip.
    // Coordinates from a page file may be absurd: computed wide, then held to int.
    qint64 wideX = text.Origin.x();
    if (text.Alignment == TRLMetaTextAlignment::Right) {
        wideX = qint64(bounds.Right) - m_fonts.TextWidth(font, bytes, pointSize);
    } else if (text.Alignment == TRLMetaTextAlignment::Center) {
        const qint64 width = m_fonts.TextWidth(font, bytes, pointSize);
        wideX = (qint64(bounds.Left) + bounds.Right - width) / 2;
    }
    const int x
        = int(std::clamp<qint64>(wideX, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    // The baseline sits on the bounds' bottom raised by the font's descent, so that the clip
    // does not cut the descenders (g, p, ç).
    const int y = int(std::clamp<qint64>(qint64(bounds.Bottom) - m_fonts.DescentDots(font, pointSize),
        std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    BeginText(font, pointSize);
    WritePoint(x, y);
    m_writer.WriteLine(" Td");
    ShowText(font, bytes);
    m_writer.WriteLine("ET");
    m_writer.WriteLine("Q");
}

void TRLPDFPageContent::ShowText(int font, const QByteArray& bytes)
{
    m_fonts.NoteShown(font, bytes);
    m_writer.Write("(");
    m_writer.WriteEscaped(bytes);
    m_writer.WriteLine(") Tj");
}

void TRLPDFPageContent::WriteEllipse(const TRect& bounds)
{
    const double cx = (double(bounds.Left) + bounds.Right) / 2;
    const double cy = (double(bounds.Top) + bounds.Bottom) / 2;
    const double rx = (double(bounds.Right) - bounds.Left) / 2;
    const double ry = (double(bounds.Bottom) - bounds.Top) / 2;
    for (int i = 0; i < kEllipsePoints; ++i) {
        const double angle = i * 2 * std::numbers::pi / kEllipsePoints;
        WritePoint(cx + rx * std::cos(angle), cy + ry * std::sin(angle));
        m_writer.Write(i == 0 ? " m " : " l ");
    }
    m_writer.WriteLineEnd();
}

void TRLPDFPageContent::WritePoints(const std::vector<QPoint>& points)
{
    bool first = true;
    for (const QPoint& point : points) {
        WritePoint(point.x(), point.y());
        m_writer.WriteLine(first ? " m " : " l ");
        first = false;
    }
}

void TRLPDFPageContent::WriteImage(const TRect& bounds)
{
    const int image
        = m_nextImage < m_imageNumbers.size() ? m_imageNumbers[m_nextImage] : TRLPDFImageList::kNoImage;
    ++m_nextImage;
    if (image == TRLPDFImageList::kDamagedImage) {
        WriteDamagedPicture(bounds);
        return;
    }
    if (image == TRLPDFImageList::kNoImage)
        return;
    m_writer.WriteLine("q");
    m_writer.Write("1 0 0 1 ");
    WritePoint(bounds.Left, bounds.Bottom);
    m_writer.WriteLine(" cm");
    m_writer.WritePoints(double(bounds.Right) - bounds.Left);
    m_writer.Write(" 0 0 ");
    m_writer.WritePoints(double(bounds.Bottom) - bounds.Top);
    m_writer.WriteLine(" 0 0 cm");
    m_writer.Write("/Image");
    m_writer.WriteInteger(image);
    m_writer.WriteLine(" Do");
    m_writer.WriteLine("Q");
}

void TRLPDFPageContent::WriteDamagedPicture(const TRect& bounds)
{
    m_writer.WriteLine("q");
    m_writer.WriteLine("0.75 w");
    m_writer.WriteLine("[] 0 d");
    m_writer.WriteLine("0.5 0.5 0.5 RG");
    m_writer.WriteLine("0.5 0.5 0.5 rg");
    WriteRectangle(bounds, " re");
    m_writer.WriteLine("S");
    const qint64 inside
        = std::min<qint64>(qint64(bounds.Bottom) - bounds.Top, kNoticeMaxDots + 2 * kNoticeMarginDots);
    if (inside > 2 * kNoticeMarginDots) {
        WriteRectangle(bounds, " re");
        m_writer.WriteLine("W n");
        const int emDots = int(inside - 2 * kNoticeMarginDots);
        const int pointSize = std::max(1, emDots * kPointsPerInch / kDotsPerInch);
        const int font = m_fonts.Register(QStringLiteral("Arial"), 0, m_writer);
        BeginText(font, pointSize);
        WritePoint(double(bounds.Left) + kNoticeMarginDots,
            double(bounds.Top) + kNoticeMarginDots + emDots - m_fonts.DescentDots(font, pointSize));
        m_writer.WriteLine(" Td");
        ShowText(font, ToWindows1252(DamagedPictureNotice()));
        m_writer.WriteLine("ET");
    }
    m_writer.WriteLine("Q");
}
