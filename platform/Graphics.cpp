#include "platform/Graphics.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kMaxPenWidth = 32767;

} // namespace

int TFont::Size() const
{
    // A height read from a page file may be any int, the lowest included.
    const qint64 pixels = Height < 0 ? -qint64(Height) : qint64(Height);
    // The platform's MulDiv rounds halves away from zero.
    const qint64 points = std::llround(double(pixels) * kPointsPerInch / kScreenPixelsPerInch);
    return int(Height < 0 ? points : -points);
}

void TFont::SetSize(int points)
{
    const qint64 pixels = std::llround(double(points) * kScreenPixelsPerInch / kPointsPerInch);
    Height
        = int(-std::clamp<qint64>(pixels, -std::numeric_limits<int>::max(), std::numeric_limits<int>::max()));
}

QFont ToQFont(const TFont& font)
{
    QFont result(font.Name);
    result.setStyleStrategy(QFont::PreferAntialias);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setKerning(false);
    if (font.Height < 0) {
        result.setPixelSize(int(std::min<qint64>(-qint64(font.Height), std::numeric_limits<int>::max())));
    } else if (font.Height > 0) {
        // A positive height is the cell height; scale it down to the em height.
        QFont probe = result;
        probe.setPixelSize(font.Height);
        const QFontMetrics metrics(probe);
        const int cell = metrics.ascent() + metrics.descent();
        result.setPixelSize(cell > 0 ? int(std::clamp<qint64>(
                                qint64(font.Height) * font.Height / cell, 1, std::numeric_limits<int>::max()))
                                     : font.Height);
    }
    result.setBold(font.Style.testFlag(fsBold));
    result.setItalic(font.Style.testFlag(fsItalic));
    result.setUnderline(font.Style.testFlag(fsUnderline));
    result.setStrikeOut(font.Style.testFlag(fsStrikeOut));
    if (font.Pitch == fpFixed)
        result.setFixedPitch(true);
    return result;
}

Qt::PenStyle ToQtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    case psSolid:
    case psInsideFrame:
        break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle ToQtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    case bsSolid:
        break;
    }
    return Qt::SolidPattern;
}

QPen ToQPen(const TPen& pen)
{
    QPen result(ToQColor(pen.Color));
    // Qt refuses widths from 32768 on (with a warning) and would keep the previous one.
    result.setWidth(std::clamp(pen.Width, 0, kMaxPenWidth));
    result.setStyle(ToQtPenStyle(pen.Style));
    result.setCapStyle(Qt::SquareCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

QBrush ToQBrush(const TBrush& brush)
{
    return QBrush(ToQColor(brush.Color), ToQtBrushStyle(brush.Style));
}
