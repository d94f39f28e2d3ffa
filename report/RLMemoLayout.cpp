#include "report/RLMemoLayout.h"

#include "pages/RLGraphicSurface.h"
#include "platform/Measure.h"
#include "report/RLTextCodes.h"

#include <algorithm>

using enum TRLTextAlignment;

namespace {

constexpr QChar kBlank = u' ';
constexpr QChar kTab = u'\t';
constexpr QChar kReturn = u'\r';
constexpr QChar kLineFeed = u'\n';
constexpr int kBlanksPerTab = 8;
constexpr qint64 kUnboundedHeight = INT_MAX;

bool IsBlank(QChar c)
{
    return c == kBlank || c == kTab;
}

qsizetype SkipBlanks(QStringView text, qsizetype p)
{
    while (p < text.size() && IsBlank(text[p]))
        ++p;
    return p;
}

int ClampToInt(qint64 value)
{
    return int(std::clamp<qint64>(value, INT_MIN, INT_MAX));
}

} // namespace

TRLLineMeasurer::TRLLineMeasurer(const TFont& font)
    : m_metrics(MeasuringMetrics(font))
{
}

int TRLLineMeasurer::CharWidth(QStringView text, qsizetype index)
{
    const bool pair
        = text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
    const char32_t code = pair ? QChar::surrogateToUcs4(text[index], text[index + 1]) : text[index].unicode();
    if (const auto known = m_charWidths.constFind(code); known != m_charWidths.cend())
        return *known;
    const int width = m_metrics.horizontalAdvance(text.mid(index, pair ? 2 : 1).toString());
    m_charWidths.insert(code, width);
    return width;
}

int TRLLineMeasurer::TextWidth(const QString& text) const
{
    return m_metrics.horizontalAdvance(text);
}

int TRLLineMeasurer::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return m_metrics.height();
}

TRLWrappedLine WrapLine(QStringView text, qsizetype position, int maxWidth, TRLLineMeasurer& measurer)
{
    const qsizetype start = position;
    qsizetype p = position;
    qint64 width = 0;
    bool hadWord = false;
    const qint64 space = measurer.CharWidth(u" ", 0);
    const auto line = [&](qsizetype end, qsizetype next, bool wrapped) {
        return TRLWrappedLine { text.sliced(start, end - start).toString(), next, wrapped, width };
    };
    while (true) {
        if (p >= text.size())
            return line(text.size(), text.size(), false);
        const QChar c = text[p];
        if (IsBlank(c)) {
            if (width > maxWidth && hadWord)
                return line(p, SkipBlanks(text, p), true);
            width += c == kBlank ? space : kBlanksPerTab * space;
            ++p;
            continue;
        }
        if (c == kReturn) {
            qsizetype next = p + 1;
            if (next < text.size() && text[next] == kLineFeed)
                ++next;
            return line(p, next, false);
        }
        const qsizetype wordStart = p;
        while (p < text.size() && !IsBlank(text[p]) && text[p] != kReturn) {
            width += measurer.CharWidth(text, p);
            p += text[p].isHighSurrogate() && p + 1 < text.size() && text[p + 1].isLowSurrogate() ? 2 : 1;
        }
        if (width > maxWidth && hadWord)
            return line(wordStart, SkipBlanks(text, wordStart), true);
        hadWord = true;
    }
}

TRLLinesExtent LayoutLines(QStringView text, TRLLineMeasurer& measurer, TRLTextAlignment alignment,
    const TRect& rect, qint64 maxHeight, int wrapWidth, TRLGraphicSurface* surface)
{
    const int lineHeight = measurer.TextHeight(QStringLiteral("A"));
    // Without a wrap width the line's right edge is the rectangle's, so that right-aligned and
    // centred lines of a memo that does not wrap still have a place.
    const int lineRight
        = wrapWidth >= kUnboundedWidth ? rect.Right : ClampToInt(qint64(rect.Left) + wrapWidth);
    TRLLinesExtent extent;
    qsizetype p = 0;
    while (p < text.size()) {
        const TRLWrappedLine wrapped = WrapLine(text, p, wrapWidth, measurer);
        p = wrapped.Next;
        extent.Widest = std::max(extent.Widest, wrapped.Width);
        if (surface) {
            const int top = ClampToInt(rect.Top + extent.Height);
            const TRect lineRect { rect.Left, top, lineRight,
                std::min(ClampToInt(qint64(top) + lineHeight), rect.Bottom) };
            const TRLTextAlignment lineAlignment
                = alignment == taJustify && !wrapped.Wrapped ? taLeftJustify : alignment;
            int x = lineRect.Left;
            if (lineAlignment == taRightJustify)
                x = lineRect.Right - surface->TextWidth(wrapped.Text);
            else if (lineAlignment == taCenter)
                x = (lineRect.Left + lineRect.Right - surface->TextWidth(wrapped.Text)) / 2;
            surface->TextOutEx(lineRect, x, lineRect.Top, wrapped.Text, StoredAlignment(lineAlignment),
                TRLMetaTextLayout::Top, kTextFlagKeepWhole | kTextFlagNoClip);
        }
        extent.Height += lineHeight;
        // A line starting at the bottom edge would lie wholly outside the rectangle.
        if (extent.Height >= maxHeight)
            break;
    }
    return extent;
}

TRLLinesExtent MeasureLines(QStringView text, const TFont& font, int width)
{
    TRLLineMeasurer measurer(font);
    return LayoutLines(
        text, measurer, taLeftJustify, TRect { 0, 0, width, INT_MAX }, kUnboundedHeight, width);
}
