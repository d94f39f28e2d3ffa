#include "pages/RLRendering.h"

#include "pages/RLGraphicObject.h"
#include "pages/RLPictureData.h"
#include "platform/Exceptions.h"
#include "support/TextUtils.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace {

constexpr int kPointsPerInch = 72;
/// The largest font drawn, 3.6 m high: any page's height.
constexpr double kMaxFontPoints = 10000;
/// One dash-pattern unit is this many pen widths.
constexpr int kPatternUnitPerPenWidth = 4;

constexpr std::array<int, 2> kDashPattern = { 3, 1 };
constexpr std::array<int, 2> kDotPattern = { 1, 1 };
constexpr std::array<int, 4> kDashDotPattern = { 2, 1, 1, 1 };
constexpr std::array<int, 6> kDashDotDotPattern = { 3, 1, 1, 1, 1, 1 };

std::span<const int> DashPattern(TPenStyle style)
{
    switch (style) {
    case psDash:
        return kDashPattern;
    case psDot:
        return kDotPattern;
    case psDashDot:
        return kDashDotPattern;
    case psDashDotDot:
        return kDashDotDotPattern;
    case psSolid:
    case psClear:
    case psInsideFrame:
        break;
    }
    return {};
}

TPenMode PenModeOf(quint8 code)
{
    if (code < MetaPenModeBlack || code > MetaPenModeNotXor)
        return pmCopy;
    return TPenMode(code - MetaPenModeBlack);
}

constexpr QChar kBlank = u' ';
/// Hostile bounds (or a font whose blank has no width) must not widen a text for ever.
constexpr int kMaxJustifyBlanks = 4096;
/// Beyond this many dashes a line is drawn solid rather than walked dash by dash.
constexpr qint64 kMaxDashSegments = 1 << 16;
/// Measuring noise below which a descent counts as whole dots.
constexpr double kDescentTolerance = 1e-6;

/// The notice's em height at most, in dots of the drawn page; smaller when the frame is low.
constexpr int kNoticeMaxPixels = 11;
constexpr int kNoticeMargin = 2;
const TColor kDamagedFrameColor = clGray;

void DrawDamagedPicture(TCanvas& canvas, const TRect& rect)
{
    const TPen savedPen = canvas.Pen;
    const TBrush savedBrush = canvas.Brush;
    const TFont savedFont = canvas.Font;
    const double savedPixelSize = canvas.FontPixelSize;
    canvas.Pen = TPen { kDamagedFrameColor, 1, psSolid, pmCopy };
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(rect);
    const int inside
        = int(std::min<qint64>(qint64(rect.Bottom) - rect.Top, kNoticeMaxPixels + 2 * kNoticeMargin));
    if (inside > 2 * kNoticeMargin) {
        canvas.Font = TFont {};
        canvas.Font.Name = QStringLiteral("Arial");
        canvas.Font.Color = kDamagedFrameColor;
        canvas.Font.Height = -(inside - 2 * kNoticeMargin);
        canvas.FontPixelSize = 0;
        canvas.TextRect(rect, int(std::min<qint64>(qint64(rect.Left) + kNoticeMargin, rect.Right)),
            int(std::min<qint64>(qint64(rect.Top) + kNoticeMargin, rect.Bottom)), DamagedPictureNotice());
    }
    canvas.Pen = savedPen;
    canvas.Brush = savedBrush;
    canvas.Font = savedFont;
    canvas.FontPixelSize = savedPixelSize;
}

} // namespace

void ToCanvasPen(const TRLMetaPen& metaPen, TPen& pen)
{
    pen.Color = FromStoredColor(metaPen.Color);
    pen.Mode = PenModeOf(metaPen.Mode);
    const bool knownStyle = metaPen.Style >= MetaPenStyleSolid && metaPen.Style <= MetaPenStyleInsideFrame;
    pen.Style = knownStyle ? TPenStyle(metaPen.Style - MetaPenStyleSolid) : psSolid;
    pen.Width = metaPen.Width;
}

void ScalePenWidth(TPen& pen, double scaleX)
{
    if (pen.Width >= 2)
        pen.Width = std::max(1, int(std::trunc(pen.Width * scaleX)));
}

void ToCanvasBrush(const TRLMetaBrush& metaBrush, TBrush& brush)
{
    brush.Color = FromStoredColor(metaBrush.Color);
    const bool knownStyle
        = metaBrush.Style >= MetaBrushStyleSolid && metaBrush.Style <= MetaBrushStyleDiagCross;
    brush.Style = knownStyle ? TBrushStyle(metaBrush.Style - MetaBrushStyleSolid) : bsSolid;
}

void ToCanvasFont(const TRLMetaFont& metaFont, TCanvas& canvas, double scaleY)
{
    TFont& font = canvas.Font;
    font.Charset = metaFont.Charset;
    font.Color = FromStoredColor(metaFont.Color);
    font.Name = metaFont.Name();
    switch (metaFont.Pitch) {
    case MetaFontPitchVariable:
        font.Pitch = fpVariable;
        break;
    case MetaFontPitchFixed:
        font.Pitch = fpFixed;
        break;
    default:
        font.Pitch = fpDefault;
        break;
    }
    font.Style = TFontStyles::fromInt(metaFont.Style & kMetaFontStyleMask);
    const int fontPixelsPerInch = metaFont.PixelsPerInch != 0 ? metaFont.PixelsPerInch : kScreenPixelsPerInch;
    const int canvasPixelsPerInch
        = canvas.FontPixelsPerInch != 0 ? canvas.FontPixelsPerInch : kScreenPixelsPerInch;
    // A size or resolution from a page file may be absurd: the size is held to what a font is
    // drawn at, in either sign (a negative size is a cell height).
    const double exactPoints
        = std::clamp(double(metaFont.Size) * scaleY * fontPixelsPerInch / canvasPixelsPerInch,
            -kMaxFontPoints, kMaxFontPoints);
    const int points = RoundHalfEven(exactPoints);
    // Points to pixels as the platform's font size does (halves away from zero).
    font.Height = -int(std::lround(double(points) * canvasPixelsPerInch / kPointsPerInch));
    // On screen the size follows the zoom exactly instead of in whole points, so that a label
    // keeps its distance from its value at every zoom.
    canvas.FontPixelSize
        = canvas.SmoothText ? exactPoints * canvasPixelsPerInch / double(kPointsPerInch) : 0.0;
}

void DrawScreenText(TCanvas& canvas, const TRect& rect, int x, const QString& text,
    TRLMetaTextAlignment alignment, quint16 textFlags, double scaleY)
{
    double left = x;
    if (alignment == TRLMetaTextAlignment::Right)
        left = rect.Right - canvas.ExactTextWidth(text);
    else if (alignment == TRLMetaTextAlignment::Center)
        left = (rect.Left + rect.Right - canvas.ExactTextWidth(text)) / 2;

    QString drawn = text;
    if (alignment == TRLMetaTextAlignment::Justify) {
        const double available = rect.Right - left;
        int cursor = int(drawn.size());
        for (int blanks = 0; blanks < kMaxJustifyBlanks; ++blanks) {
            if (canvas.ExactTextWidth(drawn + kBlank) > available || !InsertJustifyBlank(drawn, cursor))
                break;
        }
    }

    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const bool clipped = !(textFlags & kTextFlagNoClip);
    if (clipped)
        painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
    if (canvas.Brush.Style != bsClear) {
        const QRect area = clipped
            ? rect.ToQRect()
            : QRect(int(left), rect.Top, canvas.TextWidth(drawn), canvas.TextHeight(drawn));
        painter.fillRect(area, ToQColor(canvas.Brush.Color));
    }
    // The export rounds the descent up to whole page dots.
    const double descent
        = scaleY > 0 ? std::ceil(canvas.Descent() / scaleY - kDescentTolerance) * scaleY : canvas.Descent();
    canvas.DrawTextAt(left, rect.Bottom - descent, drawn);
    painter.restore();
}

void DrawAlignedText(TCanvas& canvas, const TRect& rect, int x, int y, const QString& text,
    TRLMetaTextAlignment alignment, TRLMetaTextLayout layout, quint16 textFlags)
{
    if (canvas.SmoothText) {
        DrawScreenText(canvas, rect, x, text, alignment, textFlags, 1.0);
        return;
    }
    const int blankWidth = canvas.TextWidth(QStringView(&kBlank, 1));
    const QString padded = text + kBlank;
    const int width = canvas.TextWidth(padded);
    const int height = canvas.TextHeight(padded);

    int left = x;
    if (alignment == TRLMetaTextAlignment::Right)
        left = rect.Right - width;
    else if (alignment == TRLMetaTextAlignment::Center)
        left = (rect.Left + rect.Right - width) / 2;
    left += blankWidth / 2;

    int top = y;
    if (layout == TRLMetaTextLayout::Bottom)
        top = rect.Bottom - height;
    else if (layout == TRLMetaTextLayout::Center)
        top = (rect.Top + rect.Bottom - height) / 2;

    QString drawn = text;
    if (alignment == TRLMetaTextAlignment::Justify) {
        const int available = rect.Right - left;
        int cursor = int(drawn.size());
        for (int blanks = 0; blanks < kMaxJustifyBlanks; ++blanks) {
            if (canvas.TextWidth(drawn + kBlank) > available || !InsertJustifyBlank(drawn, cursor))
                break;
        }
    }

    if (textFlags & kTextFlagNoClip)
        canvas.TextOut(left, top, drawn);
    else
        canvas.TextRect(rect, left, top, drawn);
}

void DrawPicture(TCanvas& canvas, TRect rect, QByteArrayView data, bool integralWidth)
{
    QImage picture;
    try {
        picture = DecodePictureData(data);
    } catch (const EReportError&) {
        DrawDamagedPicture(canvas, rect);
        return;
    }
    if (picture.isNull())
        return;
    if (integralWidth && picture.width() > 0) {
        const int times = rect.Width() / picture.width();
        rect.Right = rect.Left + times * picture.width() + 1;
    }
    canvas.StretchDraw(rect, picture);
}

void StyledLineTo(TCanvas& canvas, int x, int y)
{
    const std::span<const int> pattern = DashPattern(canvas.Pen.Style);
    const QPoint start = canvas.PenPos();
    const double dx = double(x) - start.x();
    const double dy = double(y) - start.y();
    const double exactLength = std::sqrt(dx * dx + dy * dy);
    const int length = RoundHalfEven(exactLength);
    const qint64 unit = qint64(canvas.Pen.Width) * kPatternUnitPerPenWidth;
    if (pattern.empty() || canvas.Pen.Width <= 1 || length / unit > kMaxDashSegments) {
        canvas.LineTo(x, y);
        return;
    }
    const double directionX = exactLength > 0 ? dx / exactLength : 0;
    const double directionY = exactLength > 0 ? dy / exactLength : 0;
    const TPenStyle savedStyle = canvas.Pen.Style;
    const int savedWidth = canvas.Pen.Width;
    canvas.Pen.Style = psSolid;

    if (canvas.Brush.Style != bsClear) {
        // The gaps show the brush colour.
        const TColor penColor = canvas.Pen.Color;
        canvas.Pen.Color = canvas.Brush.Color;
        canvas.LineTo(x, y);
        canvas.Pen.Color = penColor;
        canvas.MoveTo(start.x(), start.y());
    }

    double distance = 0;
    std::size_t segment = 0;
    bool drawing = true;
    do {
        distance = std::min<double>(length, distance + double(pattern[segment] * unit));
        const int px = start.x() + RoundHalfEven(distance * directionX);
        const int py = start.y() + RoundHalfEven(distance * directionY);
        if (drawing)
            canvas.LineTo(px, py);
        else
            canvas.MoveTo(px, py);
        drawing = !drawing;
        segment = (segment + 1) % pattern.size();
    } while (distance < length);

    canvas.Pen.Style = savedStyle;
    canvas.Pen.Width = savedWidth;
}

void ApplyClipRect(TCanvas& canvas, const TRect& rect)
{
    canvas.RemoveClip();
    if (rect.Width() == 0 || rect.Height() == 0)
        return;
    canvas.IntersectClipRect(rect);
}

void RemoveClip(TCanvas& canvas)
{
    canvas.RemoveClip();
}
